// monvela-viewer FILE.MTF: shows a saved report in the report preview, from
// which it can be printed.
#include "controls/Fonts.h"
#include "core/Formats.h"
#include "platform/MessageBoxService.h"
#include "reports/engine/PreviewDialog.h"
#include "reports/engine/Print.h"
#include "reports/export/SavedReport.h"

#include <QApplication>
#include <QTextStream>

using namespace reports;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Monvela"));
    core::Formats::setCurrent(core::Formats::fromSystem());
    controls::installFontSubstitutions();

    const QStringList args = app.arguments().mid(1);
    if (args.size() != 1) {
        QTextStream(stderr) << "Uso: monvela-viewer ARCHIVO.MTF\n";
        return 2;
    }
    std::optional<engine::PageStore> store = exporting::openSavedReport(args.at(0), nullptr);
    if (!store)
        return 1;
    const engine::PageStore& pages = *store;
    engine::PreviewDialog preview(pages, [&pages](QWidget* parent) {
        QString error;
        if (engine::printWithDialog(pages, parent, &error) == engine::PrintResult::Failed)
            platform::showError(parent, error);
    });
    preview.exec();
    return 0;
}

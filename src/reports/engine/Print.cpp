#include "reports/engine/Print.h"

#include "reports/engine/Render.h"
#include "reports/engine/Report.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

namespace reports::engine {

namespace {

class QtPrintDialogService : public PrintDialogService {
public:
    bool choose(QPrinter& printer, int pageCount, QWidget* parent) override {
        QPrintDialog dialog(&printer, parent);
        dialog.setWindowTitle(QStringLiteral("Imprimir"));
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
        dialog.setMinMax(1, pageCount > 0 ? pageCount : 9999);
        return dialog.exec() == QDialog::Accepted;
    }
};

PrintDialogService*& installed() {
    static PrintDialogService* service = nullptr;
    return service;
}

} // namespace

PrintDialogService& PrintDialogService::instance() {
    static QtPrintDialogService own;
    PrintDialogService* service = installed();
    return service ? *service : own;
}

void PrintDialogService::install(PrintDialogService* service) {
    installed() = service;
}

void setUpPrinter(QPrinter& printer, const PageStore& store) {
    const QSizeF points(store.paperSize.width() * 72.0 / DesignDpi,
                        store.paperSize.height() * 72.0 / DesignDpi);
    const bool landscape = points.width() > points.height();
    const QPageSize size(landscape ? points.transposed() : points, QPageSize::Point, QString(),
                         QPageSize::FuzzyMatch);
    printer.setPageLayout(QPageLayout(
        size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    printer.setFullPage(true);
    if (printer.docName().isEmpty())
        printer.setDocName(store.title);
}

bool printPages(const PageStore& store, QPrinter& printer, QString* error) {
    int first = 1;
    int last = int(store.pages.size());
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(first, printer.fromPage());
        if (printer.toPage() > 0)
            last = std::min(last, printer.toPage());
    }
    if (first > last)
        return true; // nothing in the range
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (error)
            *error = QStringLiteral("No se puede imprimir en \"%1\".")
                         .arg(printer.outputFileName().isEmpty() ? printer.printerName()
                                                                 : printer.outputFileName());
        return false;
    }
    const qreal scale = printer.resolution() / DesignDpi;
    // A printer that cannot make copies itself (a file) gets every copy, whole.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    bool started = false;
    for (int copy = 0; copy < copies; ++copy) {
        for (int page = first; page <= last; ++page) {
            if (started && !printer.newPage())
                break;
            started = true;
            paintPage(painter, store.pages[size_t(page - 1)], scale);
        }
    }
    painter.end();
    if (printer.printerState() == QPrinter::Error) {
        if (error)
            *error = QStringLiteral("La impresión no pudo terminar.");
        return false;
    }
    return true;
}

PrintResult printWithDialog(const PageStore& store, QWidget* parent, QString* error) {
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer, store);
    if (!PrintDialogService::instance().choose(printer, int(store.pages.size()), parent))
        return PrintResult::NotChosen;
    return printPages(store, printer, error) ? PrintResult::Printed : PrintResult::Failed;
}

PrintResult printReport(Report& report, int pageCountHint, QWidget* parent, QString* error) {
    QPrinter printer(QPrinter::HighResolution);
    PageStore setup;
    setup.title = report.title;
    setup.paperSize = report.paperSize;
    setUpPrinter(printer, setup);
    if (!PrintDialogService::instance().choose(printer, pageCountHint, parent))
        return PrintResult::NotChosen;
    PageStore store;
    if (!report.run(store))
        return PrintResult::Cancelled;
    return printPages(store, printer, error) ? PrintResult::Printed : PrintResult::Failed;
}

} // namespace reports::engine

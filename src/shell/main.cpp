#include "controls/Fonts.h"
#include "core/Formats.h"
#include "shell/AppIcon.h"
#include "shell/Application.h"
#include "shell/TAvisoTransaccionesPendientesForm.h"
#include "shell/TMenuDataModule.h"
#include "shell/Tm3TransaccionesPendientesForm.h"
#include "shell/Tm3TrayIconTransaccionesPenForm.h"
#include "shell/Translations.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Monvela"));
    QApplication::setWindowIcon(shell::appIcon());
    // Closing the module window hides it: only the tray menu or Esc on the
    // notice ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    // The formats every window and report uses, before any window exists.
    core::Formats::setCurrent(core::Formats::fromSystem());
    controls::installFontSubstitutions();
    shell::installSpanishTranslations(app);

    shell::TMenuDataModule menuDataModule;
    shell::TAvisoTransaccionesPendientesForm notice;
    shell::Tm3TrayIconTransaccionesPenForm tray;
    shell::Tm3TransaccionesPendientesForm module(&notice, &tray);
    module.FormCreate();
    if (shell::application::terminateRequested())
        return shell::application::exitCode();
    return app.exec();
}

#include "controls/Fonts.h"
#include "core/Formats.h"
#include "platform/SingleInstance.h"
#include "shell/AppIcon.h"
#include "shell/Application.h"
#include "shell/TAvisoTransaccionesPendientesForm.h"
#include "shell/TMenuDataModule.h"
#include "shell/Tm3TransaccionesPendientesForm.h"
#include "shell/Tm3TrayIconTransaccionesPenForm.h"
#include "shell/Translations.h"

#include <QApplication>
#include <QSystemTrayIcon>
#include <cstring>

namespace {

// The notice window is placed and moved by the program, which a Wayland
// session does not allow its clients: there the program runs on X11
// (XWayland), unless the user chose a platform.
void preferX11OnWayland(int argc, char** argv) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qEnvironmentVariableIsEmpty("DISPLAY") ||
        !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return;
    qputenv("QT_QPA_PLATFORM", "xcb");
#else
    Q_UNUSED(argc);
    Q_UNUSED(argv);
#endif
}

} // namespace

int main(int argc, char** argv) {
    preferX11OnWayland(argc, argv);
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
    const QString lock = QStringLiteral("Monvela");
    if (shell::application::terminateRequested()) {
        // Another copy runs. One without a notification area brings its
        // module window forward; one with it is not told (the icon is there).
        if (!platform::SingleInstance::isHeld(lock))
            platform::SingleInstance::signalRunning(lock);
        return shell::application::exitCode();
    }
    // Without a notification area there is no icon and no menu: the module
    // window is shown at start, and a later start shows it again.
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        module.show();
        platform::SingleInstance::listen(lock, [&module] {
            module.show();
            module.raise();
            module.activateWindow();
        });
    }
    return app.exec();
}

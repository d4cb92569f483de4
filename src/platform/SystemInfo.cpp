#include "platform/SystemInfo.h"

#include <QSysInfo>
#include <QWidget>

namespace platform {

QString computerName() {
    const QString name = QSysInfo::machineHostName().trimmed();
    return name.isEmpty() ? QStringLiteral("EQUIPO") : name;
}

void hideFromTaskBar(QWidget* window) {
    if (!window)
        return;
    // A tool window is a utility window for the window manager: task bars and
    // task switchers leave it out.
    const bool visible = window->isVisible();
    window->setWindowFlag(Qt::Tool, true);
    if (visible)
        window->show();
}

} // namespace platform

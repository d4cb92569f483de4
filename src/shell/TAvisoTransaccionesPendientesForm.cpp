#include "shell/TAvisoTransaccionesPendientesForm.h"

#include <QGuiApplication>
#include <QScreen>

namespace shell {

TAvisoTransaccionesPendientesForm::TAvisoTransaccionesPendientesForm(QWidget* parent)
    : TEForm(parent) {
    setObjectName(QStringLiteral("AvisoTransaccionesPendientesForm"));
    setWindowTitle(QStringLiteral("Monvela"));
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    resize(250, 205);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.right() - width(), area.bottom() + 1);
    }
}

} // namespace shell

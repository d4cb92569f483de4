#include "controls/Shape.h"

#include <QPainter>

namespace controls {

Shape::Shape(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void Shape::setBrushColor(const QColor& color) {
    m_brush = color;
    update();
}

void Shape::setPenColor(const QColor& color) {
    m_pen = color;
    update();
}

void Shape::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    lower();
}

void Shape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_brush);
    if (width() > 2 && height() > 2) {
        painter.setPen(m_pen);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

} // namespace controls

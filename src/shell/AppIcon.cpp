#include "shell/AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace shell {

namespace {

QPixmap draw(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    QRadialGradient coin(QPointF(s * 0.4, s * 0.35), s * 0.6);
    coin.setColorAt(0, QColor(0xFF, 0xE0, 0x70));
    coin.setColorAt(1, QColor(0xC8, 0x8A, 0x10));
    p.setPen(QPen(QColor(0x7A, 0x50, 0x00), qMax<qreal>(1, s / 24)));
    p.setBrush(coin);
    p.drawEllipse(QRectF(s * 0.06, s * 0.06, s * 0.88, s * 0.88));
    // The bell.
    QPainterPath bell;
    bell.moveTo(s * 0.30, s * 0.66);
    bell.cubicTo(s * 0.34, s * 0.60, s * 0.32, s * 0.30, s * 0.50, s * 0.28);
    bell.cubicTo(s * 0.68, s * 0.30, s * 0.66, s * 0.60, s * 0.70, s * 0.66);
    bell.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1F, 0x3A, 0x6B));
    p.drawPath(bell);
    p.drawEllipse(QPointF(s * 0.50, s * 0.71), s * 0.06, s * 0.06);
    p.drawRect(QRectF(s * 0.47, s * 0.20, s * 0.06, s * 0.09));
    return pm;
}

} // namespace

QIcon appIcon() {
    static const QIcon icon = [] {
        QIcon i;
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            i.addPixmap(draw(size));
        return i;
    }();
    return icon;
}

} // namespace shell

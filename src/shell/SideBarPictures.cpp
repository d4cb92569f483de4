#include "shell/SideBarPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace shell {

namespace {

void page(QPainter& p, const QColor& fill) {
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.2));
    p.setBrush(fill);
    p.drawRect(QRectF(7.5, 4.5, 18, 23));
    p.setPen(QPen(QColor(0x70, 0x70, 0x70), 1));
    for (int y = 10; y <= 22; y += 4)
        p.drawLine(QPointF(10, y), QPointF(23, y));
}

void calendar(QPainter& p, const QColor& band) {
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5.5, 7.5, 21, 19));
    p.setBrush(band);
    p.drawRect(QRectF(5.5, 7.5, 21, 5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x50, 0x50, 0x50));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            p.drawRect(QRectF(8 + c * 4.5, 15 + r * 3.7, 2.5, 2.2));
}

void coinStack(QPainter& p, const QColor& arrow, bool in) {
    p.setPen(QPen(QColor(0x7A, 0x50, 0x00), 1));
    p.setBrush(QColor(0xF2, 0xC0, 0x3A));
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QRectF(4, 20 - i * 5, 16, 7));
    QPainterPath a;
    if (in) {
        a.moveTo(27, 6);
        a.lineTo(27, 16);
        a.lineTo(23, 16);
        a.lineTo(29, 23);
        a.lineTo(31, 16);
    } else {
        a.moveTo(27, 23);
        a.lineTo(27, 13);
        a.lineTo(23, 13);
        a.lineTo(28, 5);
        a.lineTo(32, 13);
        a.lineTo(29, 13);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(arrow);
    p.drawPath(a);
}

QPixmap draw(int index) {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (index) {
    case 0: // a new cheque
        p.setPen(QPen(QColor(0x20, 0x40, 0x20), 1.2));
        p.setBrush(QColor(0xCF, 0xEF, 0xC8));
        p.drawRect(QRectF(3.5, 9.5, 25, 14));
        p.drawLine(QPointF(7, 19), QPointF(18, 19));
        p.setPen(QPen(QColor(0x00, 0x80, 0x00), 3));
        p.drawLine(QPointF(24, 2), QPointF(24, 12));
        p.drawLine(QPointF(19, 7), QPointF(29, 7));
        break;
    case 1: { // a gear
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x50, 0x60, 0x70));
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.translate(16, 16);
            p.rotate(i * 45);
            p.drawRect(QRectF(-2.5, -13, 5, 6));
            p.restore();
        }
        p.drawEllipse(QPointF(16, 16), 9, 9);
        p.setBrush(QColor(0xE0, 0xE0, 0xE0));
        p.drawEllipse(QPointF(16, 16), 3.5, 3.5);
        break;
    }
    case 2: { // a bank
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x3A, 0x4F, 0x7A));
        QPolygonF roof({QPointF(3, 11), QPointF(16, 3), QPointF(29, 11)});
        p.drawPolygon(roof);
        for (int i = 0; i < 4; ++i)
            p.drawRect(QRectF(6 + i * 6, 13, 3, 11));
        p.drawRect(QRectF(3, 25, 26, 3));
        break;
    }
    case 3:
        calendar(p, QColor(0xC0, 0x30, 0x30));
        break;
    case 4: // a magnifier over a page
        page(p, Qt::white);
        p.setPen(QPen(QColor(0x20, 0x20, 0x60), 3));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(18, 18), 6, 6);
        p.drawLine(QPointF(22.5, 22.5), QPointF(29, 29));
        break;
    case 5:
        calendar(p, QColor(0x30, 0x70, 0xC0));
        break;
    case 6:
        coinStack(p, QColor(0x00, 0x90, 0x30), true);
        break;
    case 7:
        coinStack(p, QColor(0xC0, 0x20, 0x20), false);
        break;
    default: // a printed report
        page(p, QColor(0xFF, 0xFF, 0xF0));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x30, 0x80, 0x30));
        p.drawRect(QRectF(11, 18, 3, 6));
        p.drawRect(QRectF(15, 14, 3, 10));
        p.drawRect(QRectF(19, 16, 3, 8));
        break;
    }
    return pm;
}

} // namespace

QIcon sideBarPicture(int index) {
    return QIcon(draw(index));
}

} // namespace shell

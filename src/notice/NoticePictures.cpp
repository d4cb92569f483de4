#include "notice/NoticePictures.h"

#include <QPainter>
#include <QPainterPath>

namespace notice {

namespace {

constexpr int CardWidth = 40;
constexpr int CardHeight = 30;

QImage blankCard() {
    QImage image(CardWidth, CardHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// A sheet of paper with a folded corner and a few text lines.
void drawSheet(QPainter& p, const QColor& edge, const QColor& paper) {
    QPainterPath sheet;
    sheet.moveTo(9, 2);
    sheet.lineTo(25, 2);
    sheet.lineTo(31, 8);
    sheet.lineTo(31, 27);
    sheet.lineTo(9, 27);
    sheet.closeSubpath();
    p.setPen(QPen(edge, 1));
    p.setBrush(paper);
    p.drawPath(sheet);
    p.drawLine(25, 2, 25, 8);
    p.drawLine(25, 8, 31, 8);
    p.setPen(QPen(QColor(0x90, 0x90, 0x90), 1));
    for (int y = 12; y <= 22; y += 4)
        p.drawLine(12, y, 27, y);
}

// An arrow across the sheet: into it for money that comes in, out of it for
// money that goes out.
void drawArrow(QPainter& p, bool in, const QColor& colour) {
    QPainterPath arrow;
    if (in) {
        arrow.moveTo(1, 15);
        arrow.lineTo(10, 15);
        arrow.lineTo(10, 11);
        arrow.lineTo(17, 18);
        arrow.lineTo(10, 25);
        arrow.lineTo(10, 21);
        arrow.lineTo(1, 21);
    } else {
        arrow.moveTo(22, 15);
        arrow.lineTo(31, 15);
        arrow.lineTo(31, 11);
        arrow.lineTo(38, 18);
        arrow.lineTo(31, 25);
        arrow.lineTo(31, 21);
        arrow.lineTo(22, 21);
    }
    arrow.closeSubpath();
    p.setPen(QPen(colour.darker(150), 1));
    p.setBrush(colour);
    p.drawPath(arrow);
}

QImage cheque() {
    QImage image = blankCard();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x2E, 0x6B, 0x3A), 1));
    p.setBrush(QColor(0xD8, 0xF0, 0xD0));
    p.drawRoundedRect(QRectF(1.5, 6.5, 37, 18), 2, 2);
    p.setPen(QPen(QColor(0x2E, 0x6B, 0x3A), 1));
    p.drawLine(5, 13, 24, 13);
    p.drawLine(5, 19, 18, 19);
    // The signature.
    QPainterPath sign;
    sign.moveTo(22, 20);
    sign.cubicTo(25, 15, 27, 23, 30, 18);
    sign.cubicTo(32, 15, 33, 21, 36, 19);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x1F, 0x3A, 0x6B), 1));
    p.drawPath(sign);
    p.setPen(QColor(0x2E, 0x6B, 0x3A));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(7);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(27, 7, 11, 8), Qt::AlignCenter, QStringLiteral("$"));
    return image;
}

QImage debitNote() {
    QImage image = blankCard();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawSheet(p, QColor(0x80, 0x30, 0x30), QColor(0xFF, 0xF4, 0xF0));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC0, 0x20, 0x20));
    p.drawEllipse(QRectF(21, 16, 12, 12));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(23.5, 21, 7, 2));
    return image;
}

QImage receivable() {
    QImage image = blankCard();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawSheet(p, QColor(0x30, 0x50, 0x80), QColor(0xF0, 0xF6, 0xFF));
    drawArrow(p, true, QColor(0x30, 0xA0, 0x40));
    return image;
}

QImage payable() {
    QImage image = blankCard();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawSheet(p, QColor(0x30, 0x50, 0x80), QColor(0xF0, 0xF6, 0xFF));
    drawArrow(p, false, QColor(0xD0, 0x60, 0x20));
    return image;
}

QPainterPath bellPath(qreal s, qreal x, qreal y) {
    QPainterPath bell;
    bell.moveTo(x + s * 0.15, y + s * 0.78);
    bell.cubicTo(x + s * 0.25, y + s * 0.68, x + s * 0.20, y + s * 0.20, x + s * 0.50,
                 y + s * 0.16);
    bell.cubicTo(x + s * 0.80, y + s * 0.20, x + s * 0.75, y + s * 0.68, x + s * 0.85,
                 y + s * 0.78);
    bell.closeSubpath();
    return bell;
}

} // namespace

QList<QImage> CardPictures() {
    return {cheque(), debitNote(), receivable(), payable()};
}

QPixmap SummaryPicture() {
    QPixmap pm(121, 101);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // A large, faint bell behind the summary lines.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xE6, 0xEC, 0xF5));
    p.drawPath(bellPath(96, 12.5, 0));
    p.drawEllipse(QPointF(60.5, 84), 9, 9);
    p.drawRect(QRectF(56.5, 6, 8, 12));
    p.setBrush(QColor(0xF3, 0xE8, 0xC8));
    p.drawEllipse(QPointF(60.5, 84), 5, 5);
    return pm;
}

QPixmap TitlePicture() {
    QPixmap pm(12, 12);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xD0, 0x40));
    p.drawPath(bellPath(12, 0, -0.5));
    p.drawEllipse(QPointF(6, 10), 1.5, 1.5);
    return pm;
}

QPixmap CloseGlyph() {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1));
    p.setBrush(QColor(0xE8, 0xE8, 0xE8));
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2, 2);
    p.setPen(QPen(Qt::black, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(5, 5), QPointF(11, 11));
    p.drawLine(QPointF(11, 5), QPointF(5, 11));
    return pm;
}

} // namespace notice

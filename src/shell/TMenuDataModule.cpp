#include "shell/TMenuDataModule.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QtMath>

namespace shell {

namespace {

TMenuDataModule* g_instance = nullptr;

const QColor Green(0, 140, 0);
const QColor Red(200, 0, 0);
const QColor Blue(20, 60, 170);
const QColor Yellow(245, 205, 40);
const QColor Ochre(150, 110, 0);
const QColor Dark(60, 60, 60);
const QColor Grey(150, 150, 150);
const QColor Brown(150, 90, 40);
const QColor Paper(255, 255, 255);

QPolygonF polygon(std::initializer_list<QPointF> points) {
    return QPolygonF(points);
}

void usePen(QPainter& p, const QColor& color, qreal width) {
    QPen pen(color, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
}

void drawPage(QPainter& p, const QRectF& rect) {
    usePen(p, Dark, 1);
    p.setBrush(Paper);
    p.drawRect(rect);
}

void drawArrowRight(QPainter& p, qreal x0, qreal x1, qreal y) {
    usePen(p, Green, 2);
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(x0, y), QPointF(x1, y));
    p.drawPolyline(polygon({{x1 - 2.5, y - 2.5}, {x1, y}, {x1 - 2.5, y + 2.5}}));
}

// One glyph in a 16 x 16 box.
void drawGlyph(QPainter& p, int index) {
    p.setRenderHint(QPainter::Antialiasing);
    switch (index) {
    case 0: // check: accept
        usePen(p, Green, 2.5);
        p.drawPolyline(polygon({{2.5, 8.5}, {6, 12}, {13.5, 3.5}}));
        break;
    case 1: // cross: cancel
        usePen(p, Red, 2.5);
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
        break;
    case 2: // plus: new
        usePen(p, Green, 2.5);
        p.drawLine(QPointF(8, 2.5), QPointF(8, 13.5));
        p.drawLine(QPointF(2.5, 8), QPointF(13.5, 8));
        break;
    case 3: // minus: remove
        usePen(p, Red, 2.5);
        p.drawLine(QPointF(2.5, 8), QPointF(13.5, 8));
        break;
    case 4: // folder: open
        usePen(p, Brown, 1);
        p.setBrush(Yellow);
        p.drawPolygon(
            polygon({{1.5, 3.5}, {6, 3.5}, {7.5, 5.5}, {14.5, 5.5}, {14.5, 13.5}, {1.5, 13.5}}));
        break;
    case 5: // magnifier: search
        usePen(p, Dark, 1.5);
        p.setBrush(QColor(190, 225, 255));
        p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
        usePen(p, Brown, 2.5);
        p.drawLine(QPointF(10.2, 10.2), QPointF(14, 14));
        break;
    case 6: // printer: print
        usePen(p, Dark, 1);
        p.setBrush(Paper);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(Grey);
        p.drawRect(QRectF(1.5, 6.5, 13, 6));
        p.setBrush(Paper);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        p.setPen(Qt::NoPen);
        p.setBrush(Green);
        p.drawRect(QRectF(12, 8, 1.5, 1.5));
        break;
    case 7: // page and magnifier: preview
        drawPage(p, QRectF(1.5, 1.5, 9, 12));
        usePen(p, Grey, 1);
        for (qreal y : {4.5, 6.5, 8.5})
            p.drawLine(QPointF(3.5, y), QPointF(8.5, y));
        usePen(p, Dark, 1.2);
        p.setBrush(QColor(190, 225, 255));
        p.drawEllipse(QPointF(10, 10), 3, 3);
        usePen(p, Brown, 2);
        p.drawLine(QPointF(12.2, 12.2), QPointF(14.5, 14.5));
        break;
    case 8: { // question mark: help
        p.setPen(Qt::NoPen);
        p.setBrush(Blue);
        p.drawEllipse(QRectF(1, 1, 14, 14));
        usePen(p, Paper, 2);
        p.setBrush(Qt::NoBrush);
        QPainterPath mark;
        mark.moveTo(5.5, 6);
        mark.cubicTo(5.5, 3, 10.5, 3, 10.5, 6);
        mark.cubicTo(10.5, 8, 8, 8, 8, 10);
        p.drawPath(mark);
        p.drawPoint(QPointF(8, 12.5));
        break;
    }
    case 9: // bin: delete, clear
        usePen(p, Dark, 1);
        p.setBrush(Grey);
        p.drawRect(QRectF(3.5, 5.5, 9, 9));
        p.drawRect(QRectF(2.5, 3.5, 11, 2));
        p.drawRect(QRectF(6.5, 1.5, 3, 2));
        usePen(p, Paper, 1);
        for (qreal x : {6.0, 8.0, 10.0})
            p.drawLine(QPointF(x, 7.5), QPointF(x, 12.5));
        break;
    case 10: // door and arrow: exit
        usePen(p, Dark, 1);
        p.setBrush(Brown);
        p.drawRect(QRectF(1.5, 1.5, 7, 13));
        p.setBrush(Yellow);
        p.drawEllipse(QPointF(6.5, 8), 1, 1);
        drawArrowRight(p, 9, 14.5, 8);
        break;
    case 11: // disk: save
        usePen(p, Dark, 1);
        p.setBrush(Blue);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(Paper);
        p.drawRect(QRectF(3.5, 1.5, 9, 5));
        p.setBrush(Grey);
        p.drawRect(QRectF(4.5, 9.5, 7, 5));
        p.setPen(Qt::NoPen);
        p.setBrush(Dark);
        p.drawRect(QRectF(9, 10.5, 1.5, 3));
        break;
    case 12: // calendar
        usePen(p, Dark, 1);
        p.setBrush(Paper);
        p.drawRect(QRectF(1.5, 2.5, 13, 12));
        p.setBrush(Red);
        p.drawRect(QRectF(1.5, 2.5, 13, 3));
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 4; ++c)
                p.fillRect(QRectF(3 + c * 3, 7 + r * 2.4, 1.6, 1.6), Dark);
        break;
    case 13: // calculator
        usePen(p, Dark, 1);
        p.setBrush(Grey);
        p.drawRoundedRect(QRectF(2.5, 0.5, 11, 15), 1.5, 1.5);
        p.setBrush(QColor(200, 230, 200));
        p.drawRect(QRectF(4.5, 2.5, 7, 3));
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                p.fillRect(QRectF(4.5 + c * 2.5, 7.5 + r * 2.5, 1.6, 1.6), Dark);
        break;
    case 14: // key: password
        usePen(p, Ochre, 1.5);
        p.setBrush(Yellow);
        p.drawEllipse(QPointF(4.5, 8), 3, 3);
        p.drawLine(QPointF(7.5, 8), QPointF(14.5, 8));
        p.drawLine(QPointF(11.5, 8), QPointF(11.5, 11));
        p.drawLine(QPointF(14, 8), QPointF(14, 10.5));
        break;
    case 15: // person: user
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(225, 175, 125));
        p.drawEllipse(QPointF(8, 5), 3, 3);
        p.setBrush(Blue);
        p.drawPie(QRectF(2, 9, 12, 12), 0, 180 * 16);
        break;
    case 16: // padlock
        usePen(p, Dark, 2);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(4.5, 1.5, 7, 9), 0, 180 * 16);
        p.drawLine(QPointF(4.5, 6), QPointF(4.5, 8));
        p.drawLine(QPointF(11.5, 6), QPointF(11.5, 8));
        usePen(p, Ochre, 1);
        p.setBrush(Yellow);
        p.drawRect(QRectF(2.5, 7.5, 11, 7));
        p.setPen(Qt::NoPen);
        p.setBrush(Dark);
        p.drawEllipse(QPointF(8, 11), 1.2, 1.2);
        break;
    case 17: { // bell: notice
        QPainterPath bell;
        bell.moveTo(8, 2);
        bell.cubicTo(12, 2, 12, 6, 12, 9);
        bell.lineTo(14, 12);
        bell.lineTo(2, 12);
        bell.lineTo(4, 9);
        bell.cubicTo(4, 6, 4, 2, 8, 2);
        usePen(p, Ochre, 1);
        p.setBrush(Yellow);
        p.drawPath(bell);
        p.setPen(Qt::NoPen);
        p.setBrush(Dark);
        p.drawEllipse(QPointF(8, 13.5), 1.5, 1.5);
        break;
    }
    case 18: // clock: time
        usePen(p, Dark, 1);
        p.setBrush(Paper);
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        usePen(p, Dark, 1.5);
        p.drawLine(QPointF(8, 8), QPointF(8, 4));
        p.drawLine(QPointF(8, 8), QPointF(11, 9.5));
        break;
    case 19: // banknote: amounts
        usePen(p, QColor(0, 100, 0), 1);
        p.setBrush(QColor(150, 210, 150));
        p.drawRect(QRectF(0.5, 3.5, 15, 9));
        p.setBrush(Green);
        p.drawEllipse(QPointF(8, 8), 2.5, 2.5);
        break;
    case 20: { // document
        QPainterPath page;
        page.moveTo(3.5, 1.5);
        page.lineTo(10, 1.5);
        page.lineTo(12.5, 4);
        page.lineTo(12.5, 14.5);
        page.lineTo(3.5, 14.5);
        page.closeSubpath();
        usePen(p, Dark, 1);
        p.setBrush(Paper);
        p.drawPath(page);
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(polygon({{10, 1.5}, {10, 4}, {12.5, 4}}));
        usePen(p, Grey, 1);
        for (qreal y : {6.5, 8.5, 10.5, 12.5})
            p.drawLine(QPointF(5, y), QPointF(11, y));
        break;
    }
    case 21: { // gear: process
        QPolygonF gear;
        for (int t = 0; t < 8; ++t) {
            const qreal base = t * 45.0;
            for (auto [radius, offset] :
                 {std::pair{5.0, -14.0}, {7.3, -9.0}, {7.3, 9.0}, {5.0, 14.0}}) {
                const qreal a = qDegreesToRadians(base + offset);
                gear << QPointF(8 + radius * qCos(a), 8 + radius * qSin(a));
            }
        }
        usePen(p, Dark, 1);
        p.setBrush(Grey);
        p.drawPolygon(gear);
        p.setBrush(Paper);
        p.drawEllipse(QPointF(8, 8), 2, 2);
        break;
    }
    case 22: // circular arrow: restore
        usePen(p, Blue, 2);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(2.5, 3.5, 10, 10), 90 * 16, 270 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(Blue);
        p.drawPolygon(polygon({{12.5, 4.5}, {15.5, 9.5}, {9.5, 9.5}}));
        break;
    case 23: // arrow up
        p.setPen(Qt::NoPen);
        p.setBrush(Green);
        p.drawPolygon(polygon(
            {{8, 1.5}, {14.5, 8}, {10.5, 8}, {10.5, 14.5}, {5.5, 14.5}, {5.5, 8}, {1.5, 8}}));
        break;
    case 24: // arrow down
        p.setPen(Qt::NoPen);
        p.setBrush(Green);
        p.drawPolygon(polygon(
            {{8, 14.5}, {14.5, 8}, {10.5, 8}, {10.5, 1.5}, {5.5, 1.5}, {5.5, 8}, {1.5, 8}}));
        break;
    case 25: // first
        p.setPen(Qt::NoPen);
        p.setBrush(Blue);
        p.drawRect(QRectF(2.5, 3, 2, 10));
        p.drawPolygon(polygon({{13.5, 3}, {13.5, 13}, {5.5, 8}}));
        break;
    case 26: // last
        p.setPen(Qt::NoPen);
        p.setBrush(Blue);
        p.drawPolygon(polygon({{2.5, 3}, {2.5, 13}, {10.5, 8}}));
        p.drawRect(QRectF(11.5, 3, 2, 10));
        break;
    case 27: // two pages: copy
        drawPage(p, QRectF(1.5, 1.5, 8, 10));
        drawPage(p, QRectF(6.5, 4.5, 8, 10));
        break;
    case 28: // page and arrow: export
        drawPage(p, QRectF(1.5, 1.5, 8, 13));
        drawArrowRight(p, 6, 14.5, 8);
        break;
    case 29: // pencil: edit
        p.save();
        p.translate(8, 8);
        p.rotate(-45);
        usePen(p, Dark, 1);
        p.setBrush(Yellow);
        p.drawRect(QRectF(-5, -2, 9, 4));
        p.setBrush(QColor(230, 190, 150));
        p.drawPolygon(polygon({{4, -2}, {7.5, 0}, {4, 2}}));
        p.setBrush(QColor(230, 120, 140));
        p.drawRect(QRectF(-7.5, -2, 2.5, 4));
        p.restore();
        break;
    case 30: // bars: report
        p.setPen(Qt::NoPen);
        p.fillRect(QRectF(2, 9, 3, 5), Red);
        p.fillRect(QRectF(6.5, 5, 3, 9), Blue);
        p.fillRect(QRectF(11, 2, 3, 12), Green);
        usePen(p, Dark, 1);
        p.drawLine(QPointF(1, 14.5), QPointF(15, 14.5));
        break;
    case 31: // arrow left: back
        p.setPen(Qt::NoPen);
        p.setBrush(Green);
        p.drawPolygon(
            polygon({{1.5, 8}, {8, 2}, {8, 5.5}, {14.5, 5.5}, {14.5, 10.5}, {8, 10.5}, {8, 14}}));
        break;
    case 32: // arrow right: next
        p.setPen(Qt::NoPen);
        p.setBrush(Green);
        p.drawPolygon(
            polygon({{14.5, 8}, {8, 2}, {8, 5.5}, {1.5, 5.5}, {1.5, 10.5}, {8, 10.5}, {8, 14}}));
        break;
    case 33: // speaker: sound
        p.setPen(Qt::NoPen);
        p.setBrush(Dark);
        p.drawPolygon(
            polygon({{1.5, 5.5}, {4.5, 5.5}, {8.5, 2}, {8.5, 14}, {4.5, 10.5}, {1.5, 10.5}}));
        usePen(p, Blue, 1.2);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(6, 4, 6, 8), -60 * 16, 120 * 16);
        p.drawArc(QRectF(5, 1.5, 10, 13), -60 * 16, 120 * 16);
        break;
    default:
        break;
    }
}

// The glyph in one colour: its shape filled with `color`.
QImage silhouette(const QImage& glyph, const QColor& color) {
    QImage out = glyph;
    QPainter p(&out);
    p.setCompositionMode(QPainter::CompositionMode_SourceIn);
    p.fillRect(out.rect(), color);
    return out;
}

// Normal glyph at the left; at the right the disabled one, grey over a white
// shade one pixel down and to the right.
QPixmap buttonPicture(int index) {
    const int g = TMenuDataModule::GlyphSize;
    QImage glyph(g, g, QImage::Format_ARGB32_Premultiplied);
    glyph.fill(Qt::transparent);
    {
        QPainter p(&glyph);
        drawGlyph(p, index);
    }
    QImage picture(TMenuDataModule::ButtonPictureWidth, TMenuDataModule::ButtonPictureHeight,
                   QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.drawImage(0, 0, glyph);
    p.drawImage(g + 1, 1, silhouette(glyph, Qt::white));
    p.drawImage(g, 0, silhouette(glyph, QColor(128, 128, 128)));
    p.end();
    return QPixmap::fromImage(picture);
}

} // namespace

TMenuDataModule::TMenuDataModule(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("MenuDataModule"));
    m_imageBotones.reserve(ButtonPictureCount);
    for (int i = 0; i < ButtonPictureCount; ++i)
        m_imageBotones.append(buttonPicture(i));
    if (!g_instance)
        g_instance = this;
}

TMenuDataModule::~TMenuDataModule() {
    if (g_instance == this)
        g_instance = nullptr;
}

TMenuDataModule* TMenuDataModule::instance() {
    return g_instance;
}

QIcon TMenuDataModule::ButtonIcon(int index) const {
    if (index < 0 || index >= m_imageBotones.size())
        return QIcon();
    const QPixmap& picture = m_imageBotones.at(index);
    QIcon icon;
    icon.addPixmap(picture.copy(0, 0, GlyphSize, GlyphSize), QIcon::Normal);
    icon.addPixmap(picture.copy(GlyphSize, 0, GlyphSize, GlyphSize), QIcon::Disabled);
    return icon;
}

} // namespace shell

#include "reports/engine/Render.h"

#include <QPainter>
#include <QPen>
#include <cmath>

namespace reports::engine {

QFont toQFont(const FontSpec& font) {
    QFont f(font.family);
    f.setPixelSize(font.pixelSize);
    f.setBold(font.bold);
    return f;
}

namespace {

int qtAlignment(Align align) {
    switch (align) {
    case Align::Left:
        return Qt::AlignLeft;
    case Align::Right:
        return Qt::AlignRight;
    case Align::Center:
        return Qt::AlignHCenter;
    }
    return Qt::AlignLeft;
}

struct Painter {
    QPainter& painter;

    void operator()(const TextOp& op) const {
        painter.setFont(toQFont(op.font));
        painter.setPen(op.color);
        // A text wider than its box still prints whole, as the labels of the
        // designed pages do.
        painter.drawText(
            op.rect, qtAlignment(op.align) | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip,
            op.text);
    }
    void operator()(const LineOp& op) const {
        QPen pen(op.color);
        pen.setWidthF(op.width);
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        painter.drawLine(op.line);
    }
    void operator()(const RectOp& op) const { painter.fillRect(op.rect, op.fill); }
};

} // namespace

void paintPage(QPainter& painter, const StoredPage& page, qreal scale) {
    painter.save();
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const Painter paint{painter};
    for (const DrawOp& op : page.ops)
        std::visit(paint, op);
    painter.restore();
}

QImage pageImage(const PageStore& store, int index, qreal scale) {
    const QSize size(int(std::ceil(store.paperSize.width() * scale)),
                     int(std::ceil(store.paperSize.height() * scale)));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (index >= 0 && index < int(store.pages.size())) {
        QPainter painter(&image);
        paintPage(painter, store.pages[size_t(index)], scale);
    }
    return image;
}

} // namespace reports::engine

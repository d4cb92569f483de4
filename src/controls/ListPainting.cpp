#include "controls/ListPainting.h"

#include "controls/HeaderSections.h"
#include "controls/TNorvaList.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>

namespace controls {

namespace {

// Fills `clip` with the painter's brush and draws the text with its top left at
// (x, y), clipped to `clip`.
void textRect(QPainter& painter, const QRect& clip, int x, int y, const QString& text) {
    if (clip.isEmpty())
        return;
    painter.fillRect(clip, painter.brush());
    if (text.isEmpty())
        return;
    painter.save();
    painter.setClipRect(clip, Qt::IntersectClip);
    const QFontMetrics metrics(painter.font());
    painter.drawText(QPoint(x, y + metrics.ascent()), text);
    painter.restore();
}

// A black line on the last pixel column of every section but the last, from
// `top` to the bottom of the list's client area. The text colour is kept.
void drawColumnLines(QPainter& painter, const TNorvaList& list, const HeaderSections& header,
                     int top) {
    const QPen textPen = painter.pen();
    painter.setPen(QColor(GridText));
    const int bottom = list.ClientHeight() - 1;
    int x = -1;
    for (int k = 0; k + 1 < header.SectionCount(); ++k) {
        x += header.SectionWidth(k);
        if (top <= bottom)
            painter.drawLine(x, top, x, bottom);
    }
    painter.setPen(textPen);
}

// The painter's fill colour and text colour for a selected row.
void selectRowColours(QPainter& painter) {
    painter.setBrush(ActiveCaptionColor());
    painter.setPen(QColor(SelectedText));
}

} // namespace

QColor ActiveCaptionColor() {
    return QGuiApplication::palette().color(QPalette::Active, QPalette::Highlight);
}

QRect DrawListRow(QPainter& painter, const TNorvaList& list, int index, const QRect& rect,
                  bool selected, const HeaderSections& header, const QColor& textColor) {
    const int itemHeight = list.ItemHeight();
    const int visibleRows = list.ClientHeight() / itemHeight;
    for (int i = list.Count(); i < visibleRows; ++i) {
        const QRect filler(rect.left(), i * itemHeight, rect.width(), itemHeight);
        painter.fillRect(filler, QColor(i % 2 == 0 ? GridGrey : GridWhite));
    }
    if (selected) {
        selectRowColours(painter);
    } else {
        painter.setBrush(QColor(index % 2 == 0 ? GridGrey : GridWhite));
        painter.setPen(textColor);
    }
    painter.fillRect(rect, painter.brush());
    drawColumnLines(painter, list, header, rect.top());
    return rect;
}

void DrawListCell(QPainter& painter, const HeaderSections& header, const TNorvaList&, bool selected,
                  const QColor& background, bool paintBackground, bool rightAlign, int column,
                  const QString& text, QRect& rect) {
    if (selected)
        selectRowColours(painter);
    else if (paintBackground)
        painter.setBrush(background);
    // The cell's last pixel column is the section's column line: a cell is one
    // pixel narrower than its section, and the next cell starts after the line.
    if (column != 0)
        rect.moveLeft(rect.right() + 2);
    rect.setWidth(header.SectionWidth(column) - 1);
    const int y = rect.top() + 1;
    if (rightAlign) {
        const int width = QFontMetrics(painter.font()).horizontalAdvance(text);
        textRect(painter, rect, rect.left() + rect.width() - width - 4, y, text);
    } else {
        textRect(painter, rect, rect.left() + 2, y, text);
    }
}

QString ElideKeepingTail(const QFontMetrics& metrics, const QString& head, const QString& tail,
                         int width) {
    if (metrics.horizontalAdvance(head + tail) <= width)
        return head + tail;
    const int room = qMax(0, width - metrics.horizontalAdvance(tail));
    return metrics.elidedText(head, Qt::ElideRight, room) + tail;
}

void DrawNoticeCard(QPainter& painter, const QRect& rect, const QString& line1,
                    const QImage* picture, const TNorvaList&, const QString& line2) {
    painter.fillRect(rect, painter.brush());
    const QRect t1(rect.left(), rect.top(), qMax(0, rect.width() - NoticeCardPictureWidth),
                   rect.height());
    textRect(painter, t1, t1.left(), rect.top() + 2, line1);
    const QRect t2(rect.left(), rect.top() + 20, rect.width(), qMax(0, rect.height() - 20));
    textRect(painter, t2, t1.left(), rect.top() + 19, line2);
    if (picture && !picture->isNull()) {
        // The picture's bottom-left pixel colour is transparent.
        QImage masked = picture->convertToFormat(QImage::Format_ARGB32);
        const QRgb key = picture->pixel(0, picture->height() - 1) | 0xFF000000u;
        for (int y = 0; y < masked.height(); ++y) {
            QRgb* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
            for (int x = 0; x < masked.width(); ++x) {
                if ((line[x] | 0xFF000000u) == key)
                    line[x] = 0;
            }
        }
        const QRect target(rect.left() + rect.width() - 40, rect.top(), picture->width(),
                           rect.height());
        painter.drawImage(target, masked, QRect(0, 0, 40, 30));
    }
    const QPen textPen = painter.pen();
    painter.setPen(QColor(CardLine));
    painter.drawLine(0, rect.top() + 42, 249, rect.top() + 42);
    painter.setPen(textPen);
}

void DrawTwoLineRow(QPainter& painter, const TNorvaList& list, int index, const QRect& rect,
                    bool selected, const HeaderSections& header, const TwoLineTexts* texts) {
    const bool firstIsRecord = list.RecordAt(0) != nullptr;
    if (firstIsRecord) {
        QRect r1 = DrawListRow(painter, list, index, rect, selected, header, QColor(GridText));
        QRect r2 = r1;
        r2.setTop(r1.top() + 15);
        if (texts) {
            const QColor grey(GridGrey);
            const QColor white(GridWhite);
            DrawListCell(painter, header, list, selected, grey, true, false, 0, texts->dueDate, r1);
            DrawListCell(painter, header, list, selected, white, true, false, 0, texts->number, r2);
            DrawListCell(painter, header, list, selected, grey, true, false, 1, texts->party, r1);
            DrawListCell(painter, header, list, selected, white, true, false, 1, texts->typeName,
                         r2);
            DrawListCell(painter, header, list, selected, grey, true, true, 2, texts->amount, r1);
            DrawListCell(painter, header, list, selected, white, true, false, 2, QString(), r2);
        }
    }
    if (!firstIsRecord || list.Count() < 8) {
        const int itemHeight = list.ItemHeight();
        const int half = itemHeight / 2;
        const int visibleRows = list.ClientHeight() / itemHeight;
        for (int i = firstIsRecord ? list.Count() : 0; i < visibleRows; ++i) {
            const int top = i * itemHeight;
            painter.fillRect(QRect(rect.left(), top, rect.width(), half), QColor(GridGrey));
            painter.fillRect(QRect(rect.left(), top + half, rect.width(), half), QColor(GridWhite));
        }
        drawColumnLines(painter, list, header, rect.top() - 30);
    }
}

} // namespace controls

#pragma once

#include <QColor>
#include <QLineF>
#include <QMarginsF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <variant>
#include <vector>

namespace reports::engine {

// Every measure of a report is in pixels of the 96 pixels-per-inch design, the
// unit in which the report forms were drawn. The page setup is given in
// millimetres and turned into design pixels once.
constexpr qreal DesignDpi = 96.0;
constexpr qreal mmToPixels(qreal mm) {
    return mm * DesignDpi / 25.4;
}
constexpr qreal pixelsToMm(qreal px) {
    return px * 25.4 / DesignDpi;
}
// Letter paper, 8.5 by 11 inches.
constexpr QSizeF letterSize() {
    return QSizeF(8.5 * DesignDpi, 11.0 * DesignDpi);
}

// A label's font: the family ("Arial" maps to Liberation Sans, see
// controls::installFontSubstitutions), the character height in pixels, bold.
struct FontSpec {
    QString family = QStringLiteral("Arial");
    int pixelSize = 13;
    bool bold = false;
    bool operator==(const FontSpec&) const = default;
};

// The height of one line of text in a font: the ascent plus the descent of
// Arial, 1.15 times the character height, rounded up. Fixed by rule rather than
// measured, so a page lays out alike on every machine.
int lineHeight(const FontSpec& font);

enum class Align { Left, Right, Center };

// One line of a label's text in its box.
struct TextOp {
    QRectF rect;
    QString text;
    FontSpec font;
    QColor color = Qt::black;
    Align align = Align::Left;
    // The text is an amount in the program's format: the spreadsheet makes it a number.
    bool amount = false;
    bool operator==(const TextOp&) const = default;
};

struct LineOp {
    QLineF line;
    QColor color = Qt::black;
    qreal width = 1;
    bool operator==(const LineOp&) const = default;
};

// A filled box without border (the background of an opaque label).
struct RectOp {
    QRectF rect;
    QColor fill;
    bool operator==(const RectOp&) const = default;
};

using DrawOp = std::variant<TextOp, LineOp, RectOp>;

// One page: its drawing operations in painting order, in design pixels from the
// top left corner of the paper.
struct StoredPage {
    std::vector<DrawOp> ops;
    bool operator==(const StoredPage&) const = default;
};

// The pages a pass over a report laid out. The preview, the printer and every
// export render from it; a saved report is this store on disk.
struct PageStore {
    QString title;
    QSizeF paperSize = letterSize();
    QMarginsF margins; // design pixels
    std::vector<StoredPage> pages;

    bool operator==(const PageStore&) const = default;

    // The texts of a page in painting order, for the writers and for tests.
    static std::vector<const TextOp*> texts(const StoredPage& page);
};

} // namespace reports::engine

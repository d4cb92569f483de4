#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QFontMetrics;
class QImage;
class QPainter;

namespace controls {

class HeaderSections;
class TNorvaList;

// Colours of the module window's grids and of the notice cards.
inline constexpr QRgb GridGrey = 0x9C9C9C;  // even rows, upper band of two-line rows
inline constexpr QRgb GridWhite = 0xFFFFFF; // odd rows, lower band of two-line rows
inline constexpr QRgb GridText = 0x000000;  // normal row text, column lines
inline constexpr QRgb GridRed = 0xFF0000;   // row text under a list's red rule
inline constexpr QRgb SelectedText = 0xFFFFFF;
inline constexpr QRgb CardLine = 0x808080; // separator under each notice card

// The colour of a selected grid row: the system's colour of an active window
// caption, which on this platform is the application's highlight colour of the
// active group.
QColor ActiveCaptionColor();

// The painting routines work on the painter that the list hands to its owner's
// draw-item handler, as a canvas: the painter's brush is the fill colour and its
// pen colour the text colour; each routine leaves them as the next one expects.
// Rectangles are in the list's client area.

// Paints a grid row: the filler rows below the last item (when the list holds
// fewer items than it shows), the row background (grey for even rows, white for
// odd ones, the active caption colour when selected) and a black vertical line on
// the last pixel column of every header section but the last, from the row's top
// to the bottom of the list. Sets the text colour (white when selected) and
// returns the row rectangle, the starting cell rectangle for DrawListCell.
QRect DrawListRow(QPainter& painter, const TNorvaList& list, int index, const QRect& rect,
                  bool selected, const HeaderSections& header, const QColor& textColor);

// Paints one cell: `rect` is moved to the given column (the cell after the
// previous one, one pixel apart so that the column line stays) and is as wide as
// the header section less that pixel; the cell is filled and the text drawn 2
// pixels from its left or, right-aligned, 4 pixels from its right, 1 pixel below
// its top, clipped to the cell. Called once per column, left to right, on the same
// rectangle variable. With paintBackground the cell is filled with `background`
// instead of the row's colour; a selected row keeps its colours.
void DrawListCell(QPainter& painter, const HeaderSections& header, const TNorvaList& list,
                  bool selected, const QColor& background, bool paintBackground, bool rightAlign,
                  int column, const QString& text, QRect& rect);

// `head` + `tail` as it fits in `width` pixels: when it is too long, the head is
// cut with an ellipsis so the tail (an installment's " - Cuota #3") stays whole.
QString ElideKeepingTail(const QFontMetrics& metrics, const QString& head, const QString& tail,
                         int width);

// The room for a notice card's first line: the card less its picture.
inline constexpr int NoticeCardPictureWidth = 40;

// Paints a notice card: the row in the painter's brush, the first line at the top
// left (leaving 40 pixels at the right), the second line below it, the picture's
// area (0,0)-(40,30) at the right with the picture's bottom-left pixel colour
// transparent, and the grey separator line at the card's last pixel row. A null
// or empty picture paints no picture.
void DrawNoticeCard(QPainter& painter, const QRect& rect, const QString& line1,
                    const QImage* picture, const TNorvaList& list, const QString& line2);

// The six texts of a two-line document row: the upper band (grey) holds the due
// date, the party and the amount (right-aligned); the lower band (white) the
// document number and the long name of the document type; the third lower cell
// is empty.
struct TwoLineTexts {
    QString dueDate;
    QString number;
    QString party;
    QString typeName;
    QString amount;
};

// Paints a row of the two-line document list (rows of 30 pixels, columns from a
// hidden header). `texts` are the row's document texts, or null when the row's
// object is not a document (the placeholder). When item 0 holds a record the row
// is painted as a grid row with its six cells; then, when the list shows the
// placeholder or fewer than 8 items, every row below the documents (all rows, for
// the placeholder) is painted as a grey upper and a white lower half, and the
// column lines are drawn down to the bottom of the list.
void DrawTwoLineRow(QPainter& painter, const TNorvaList& list, int index, const QRect& rect,
                    bool selected, const HeaderSections& header, const TwoLineTexts* texts);

} // namespace controls

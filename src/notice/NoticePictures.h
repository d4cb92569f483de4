#pragma once

#include <QImage>
#include <QList>
#include <QPixmap>

// The notice window's pictures, drawn by the program.
namespace notice {

// The card pictures, 40 x 30 on white (white is the transparent colour of the
// cards): 0 cheque, 1 debit note, 2 receivable, 3 payable.
QList<QImage> CardPictures();
// The summary view's background, 121 x 101.
QPixmap SummaryPicture();
// The small picture at the left of the title bar, 12 x 12.
QPixmap TitlePicture();
// The close button's glyph, 16 x 16.
QPixmap CloseGlyph();

} // namespace notice

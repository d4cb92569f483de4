#pragma once

#include <QList>
#include <QRect>
#include <QString>

class QWidget;

namespace controls {

// The accessible names of a window's controls, so that a screen reader reads
// each field by its caption and test tools find the controls by name.
//
// The windows are laid out by coordinates and few captions are buddies of
// their fields, so the caption of a field is found by where it stands: the
// label it lies in (a number field laid over the blanks of its caption), else
// the nearest label on its left on the same row, else the nearest one just
// above it, in the same parent. A list is named by the captions just above it
// (its title bar, or labels that head its columns), else by the sections of
// the header above it. Buttons without a caption (picture buttons) take their
// tool tip, else a name made of their object name.
//
// The names follow their captions: when a caption label changes its text (the
// search line's "Banco" becomes "Desde:") or moves with its field to another
// page, the name is taken again when the label is next painted and whenever
// the field gets the focus, before the screen reader hears of the focus.
// Names the windows set themselves are left alone.

// A label's caption as a name: no mnemonic marks ("&&" is a plain "&"), blanks
// run together, no trailing ":" and no dot leaders ("Desactivar sonido......").
QString CaptionName(const QString& labelText);

// A name made of an object name: the type prefix of capitals, trailing digits
// and underscores dropped, words split at their capitals ("BBuscarSonido006"
// is "Buscar Sonido", "CBanco" is "Banco"); "" when nothing is left.
QString NameFromObjectName(const QString& objectName);

// Of `captions` (rectangles in the field's parent), the index of the caption
// that names a field at `field`: one the field lies in (its centre inside, the
// caption reaching past it at both sides);
// else the nearest on its left whose middle lies on the field's row; else the
// nearest just above it (at most 20 pixels above, overlapping it across);
// -1 when none.
int CaptionIndex(const QRect& field, const QList<QRect>& captions);

// The captions that head a list at `list`: those just above it (at most 20
// pixels above its top, overlapping it across), in reading order (top to
// bottom, then left to right).
QList<int> HeadingIndexes(const QRect& list, const QList<QRect>& captions);

// Names the controls of `window` (its own controls, not those of other
// windows) and keeps the names in step with their captions. Running it again
// takes every caption afresh.
void NameControls(QWidget* window);

// Takes every followed name again from its caption now.
void RefreshAccessibleNames(QWidget* window);

} // namespace controls

#pragma once

#include <QFont>

namespace controls {

// The windows and reports are laid out at fixed pixel positions for
// "MS Sans Serif" 8 pt and Arial. Both map to Liberation Sans, which has the
// metrics of Arial, so every text keeps its designed place on any machine.
// Called once at start, before any window exists.
void installFontSubstitutions();

// The font the windows are designed for: "MS Sans Serif" at 8 points.
QFont designFont();

} // namespace controls

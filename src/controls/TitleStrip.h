#pragma once

class QLabel;

namespace controls {

// The title strip of the panels: white bold text on black across the top.
void MakeTitleStrip(QLabel* label);

} // namespace controls

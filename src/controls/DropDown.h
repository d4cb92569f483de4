#pragma once

#include <QIcon>

class QWidget;

namespace controls {

// Shows a pop-up (the calculator, the calendar) just below `anchor`, or above
// it where the screen has no room below.
void showDropDown(QWidget* popup, QWidget* anchor);

// The small arrow of the button glued to an edit that drops a pop-up down.
QIcon dropDownIcon();

} // namespace controls

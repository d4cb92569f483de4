#pragma once

#include <QIcon>

class QAction;
class QComboBox;
class QLineEdit;

class QWidget;

namespace controls {

// Shows a pop-up (the calculator, the calendar) just below `anchor`, or above
// it where the screen has no room below.
void showDropDown(QWidget* popup, QWidget* anchor);

// The small arrow of the button glued to an edit that drops a pop-up down.
QIcon dropDownIcon();

// Glues the drop-down button to the end of an edit as narrow as the designs'
// buttons: Qt sizes an edit's side buttons by the style's small icon size,
// which would take a quarter of an 81-pixel date edit and scroll the first
// digits of "11/12/2026" out of sight.
QAction* addDropDownButton(QLineEdit* edit);

// The same for a small combo box: an arrow as narrow as the designs', so a
// 31-pixel "AM"/"PM" choice still shows its text.
void useNarrowArrow(QComboBox* combo);

} // namespace controls

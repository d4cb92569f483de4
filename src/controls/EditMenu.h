#pragma once

#include <functional>

class QLineEdit;
class QMenu;

namespace controls {

// The pop-up edit menu of the control set's line edits, in Spanish: undo, cut,
// copy, paste, delete and select all. Cut, paste and delete run the given
// operations, so that each control keeps its own rules for them. The caller
// owns the menu.
QMenu* createEditMenu(QLineEdit* edit, std::function<void()> cut, std::function<void()> paste,
                      std::function<void()> clear);

} // namespace controls

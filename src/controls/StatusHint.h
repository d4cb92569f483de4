#pragma once

#include <QString>

class QWidget;

namespace controls {

// A window with a status-line hint: the base form of the module's windows. The
// edit controls find it through their window and show their hint there when
// they receive the focus.
class StatusTextTarget {
public:
    virtual ~StatusTextTarget() = default;
    virtual void ShowStatusText(const QString& text) = 0;
};

// The hint of a control as the status line shows it: its tool tip, unless the
// control carries the dynamic property "ShowHint" set to false (then empty).
QString controlHint(const QWidget* control);

// Shows the hint of `control` in the status line of its window, when that
// window has one; does nothing otherwise.
void showHintInStatusLine(QWidget* control);

} // namespace controls

#include "controls/StatusHint.h"

#include <QVariant>
#include <QWidget>

namespace controls {

QString controlHint(const QWidget* control) {
    if (!control)
        return QString();
    const QVariant show = control->property("ShowHint");
    if (show.isValid() && !show.toBool())
        return QString();
    return control->toolTip();
}

void showHintInStatusLine(QWidget* control) {
    if (!control)
        return;
    if (auto* target = dynamic_cast<StatusTextTarget*>(control->window()))
        target->ShowStatusText(controlHint(control));
}

} // namespace controls

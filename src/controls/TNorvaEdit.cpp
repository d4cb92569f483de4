#include "controls/TNorvaEdit.h"

#include "controls/EditMenu.h"
#include "controls/StatusHint.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPointer>

namespace controls {

namespace {
// QLineEdit's maximum length when none was set.
constexpr int UnlimitedLength = 32767;

bool isPassingFocus(Qt::FocusReason reason) {
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}
} // namespace

QString fillCero(const QString& text, int maxLength) {
    if (text.isEmpty() || maxLength <= 0 || maxLength >= UnlimitedLength)
        return text;
    return text.rightJustified(maxLength, QLatin1Char('0'), false);
}

TNorvaEdit::TNorvaEdit(QWidget* parent) : QLineEdit(parent) {}

void TNorvaEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (isPassingFocus(event->reason()) && m_entered)
        return;
    m_entered = true;
    showHintInStatusLine(this);
    emit OnEnter();
}

void TNorvaEdit::focusOutEvent(QFocusEvent* event) {
    const bool leaving = !isPassingFocus(event->reason());
    QLineEdit::focusOutEvent(event);
    if (!leaving)
        return;
    m_entered = false;
    setCursorPosition(0);
    if (m_fillCero) {
        const QString filled = fillCero(text(), maxLength());
        if (filled != text()) {
            setText(filled);
            setCursorPosition(0);
        }
    }
    emit OnExit();
}

void TNorvaEdit::contextMenuEvent(QContextMenuEvent* event) {
    QPointer<QMenu> menu = createEditMenu(
        this, [this] { cut(); }, [this] { paste(); }, [this] { del(); });
    menu->exec(event->globalPos());
    delete menu;
}

} // namespace controls

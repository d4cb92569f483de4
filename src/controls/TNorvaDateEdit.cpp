#include "controls/TNorvaDateEdit.h"

#include "controls/DateRules.h"
#include "controls/DropDown.h"
#include "controls/EditMenu.h"
#include "controls/StatusHint.h"
#include "core/Formats.h"
#include "platform/Clock.h"

#include <QAction>
#include <QCalendarWidget>
#include <QContextMenuEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QPointer>
#include <QVBoxLayout>

namespace controls {

namespace {
bool isPassingFocus(Qt::FocusReason reason) {
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}
} // namespace

TNorvaDateEdit::TNorvaDateEdit(QWidget* parent) : QLineEdit(parent) {
    setAcceptDrops(false);
    m_buttonAction = addDropDownButton(this);
    m_buttonAction->setObjectName(QStringLiteral("calendarButton"));
    connect(m_buttonAction, &QAction::triggered, this, &TNorvaDateEdit::DropDown);
}

TNorvaDateEdit::~TNorvaDateEdit() = default;

void TNorvaDateEdit::SetShowButton(bool show) {
    m_showButton = show;
    m_buttonAction->setVisible(show);
}

QDate TNorvaDateEdit::today() const {
    return core::dt::toDate(platform::Clock::instance().today());
}

core::TDateTime TNorvaDateEdit::Date() const {
    const std::optional<QDate> date = daterules::readDate(text(), today());
    return date ? core::dt::fromDate(*date) : 0;
}

void TNorvaDateEdit::SetDate(core::TDateTime date) {
    if (core::dt::datePart(date) == 0)
        clear();
    else
        setText(core::formatShortDate(date));
}

void TNorvaDateEdit::NorvaDateEditOnEnter() {
    showHintInStatusLine(this);
    selectAll();
}

bool TNorvaDateEdit::NorvaDateEditKeyDown(QKeyEvent* event) {
    if (!(event->modifiers() & Qt::AltModifier))
        return false;
    if (!m_showButton)
        return true;
    if (event->key() == Qt::Key_Down) {
        DropDown();
        return true;
    }
    return false;
}

bool TNorvaDateEdit::NorvaDateEditKeyPress(QChar c) {
    const daterules::KeyAction action =
        daterules::typedKey(text(), cursorPosition(), hasSelectedText(), c);
    switch (action.kind) {
    case daterules::KeyAction::Drop:
        return false;
    case daterules::KeyAction::Replace:
        setText(action.text);
        end(false);
        return false;
    case daterules::KeyAction::Pass:
        break;
    }
    return true;
}

void TNorvaDateEdit::NorvaDateEditOnExit() {
    const QString shown = daterules::exitText(text(), m_limits, m_allowBlank);
    if (shown != text())
        setText(shown);
}

QCalendarWidget* TNorvaDateEdit::calendar() {
    if (!m_calendar) {
        m_popup = new QFrame(this, Qt::Popup);
        m_popup->setObjectName(QStringLiteral("CalendarPopup"));
        m_popup->setFrameShape(QFrame::Box);
        m_popup->installEventFilter(this);
        m_calendar = new QCalendarWidget(m_popup);
        m_calendar->setLocale(QLocale(QLocale::Spanish));
        m_calendar->setFirstDayOfWeek(Qt::Monday);
        m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        auto* layout = new QVBoxLayout(m_popup);
        layout->setContentsMargins(1, 1, 1, 1);
        layout->addWidget(m_calendar);
        connect(m_calendar, &QCalendarWidget::activated, this, &TNorvaDateEdit::pick);
        connect(m_calendar, &QCalendarWidget::clicked, this, &TNorvaDateEdit::pick);
    }
    return m_calendar;
}

void TNorvaDateEdit::DropDown() {
    if (!m_showButton || isReadOnly() || !isEnabled() || m_dropDownDate)
        return;
    QCalendarWidget* cal = calendar();
    const core::TDateTime current = Date();
    cal->setSelectedDate(current != 0 ? core::dt::toDate(current) : today());
    m_dropDownDate = true;
    showDropDown(m_popup, this);
    cal->setFocus(Qt::PopupFocusReason);
}

void TNorvaDateEdit::pick(const QDate& date) {
    SetDate(core::dt::fromDate(date));
    setModified(true);
    if (m_popup)
        m_popup->hide();
    setFocus(Qt::OtherFocusReason);
    deselect();
    end(false);
}

bool TNorvaDateEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_popup && event->type() == QEvent::Hide)
        m_dropDownDate = false;
    return QLineEdit::eventFilter(watched, event);
}

void TNorvaDateEdit::paste() {
    pasteFrom(QClipboard::Clipboard);
}

void TNorvaDateEdit::pasteFrom(QClipboard::Mode mode) {
    if (isReadOnly())
        return;
    const std::optional<QString> date =
        daterules::pastedDate(QGuiApplication::clipboard()->text(mode));
    if (!date)
        return;
    setText(*date);
    setModified(true);
}

void TNorvaDateEdit::typeCharacter(QChar c) {
    if (NorvaDateEditKeyPress(c))
        insert(QString(c));
}

void TNorvaDateEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (isPassingFocus(event->reason()) && m_entered)
        return;
    m_entered = true;
    NorvaDateEditOnEnter();
    emit OnEnter();
}

void TNorvaDateEdit::focusOutEvent(QFocusEvent* event) {
    const bool leaving = !isPassingFocus(event->reason());
    if (leaving) {
        m_entered = false;
        // The typed text first shows as a full date, whoever handles the exit.
        const QString shown = daterules::interpretedText(text(), today());
        if (shown != text())
            setText(shown);
        if (m_ownExit)
            NorvaDateEditOnExit();
    }
    QLineEdit::focusOutEvent(event);
    if (leaving)
        emit OnExit();
}

void TNorvaDateEdit::keyPressEvent(QKeyEvent* event) {
    if (NorvaDateEditKeyDown(event)) {
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        paste();
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (!typed.isEmpty() && !command && typed.at(0).isPrint()) {
        if (typed.size() == 1) {
            if (!NorvaDateEditKeyPress(typed.at(0))) {
                event->accept();
                return;
            }
        } else {
            for (QChar c : typed)
                typeCharacter(c);
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TNorvaDateEdit::inputMethodEvent(QInputMethodEvent* event) {
    for (QChar c : event->commitString())
        typeCharacter(c);
    event->accept();
}

void TNorvaDateEdit::contextMenuEvent(QContextMenuEvent* event) {
    QPointer<QMenu> menu = createEditMenu(
        this, [this] { cut(); }, [this] { paste(); }, [this] { del(); });
    menu->exec(event->globalPos());
    delete menu;
}

void TNorvaDateEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        pasteFrom(QClipboard::Selection);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

} // namespace controls

#pragma once

#include "controls/TNorvaDateObject.h"
#include "core/DateTime.h"

#include <QClipboard>
#include <QLineEdit>

class QCalendarWidget;
class QFrame;

namespace controls {

// The field in which dates are typed, shown and read as "dd/MM/yyyy" (the
// current separator of core::Formats). Typing puts the separators in by
// itself; a full field takes a digit only over a selection; leaving reads
// partial input (missing parts from today, two-digit years in 2000-2099) and
// empties anything that is not a date; optional limits apply on leaving. An
// empty field reads as the date zero. It never shows a message.
//
// Events, each emitted after the control's own handling: OnEnter, OnExit. A
// window that takes the exit over switches SetOwnExitHandler off (the typed
// text is still shown as a full date first) and may call NorvaDateEditOnExit
// itself. A window that handles keys of the field installs an event filter on
// it and may call NorvaDateEditKeyDown first.
class TNorvaDateEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TNorvaDateEdit(QWidget* parent = nullptr);
    ~TNorvaDateEdit() override;

    // The limits: MinFecha, MaxFecha, ActFecha.
    TNorvaDateObject& NorvaDateObject() { return m_limits; }
    const TNorvaDateObject& NorvaDateObject() const { return m_limits; }

    // True while the calendar is dropped down.
    bool DropDownDate() const { return m_dropDownDate; }

    // True: an empty field stays empty on leaving even with a minimum set.
    bool AllowBlank() const { return m_allowBlank; }
    void SetAllowBlank(bool allow) { m_allowBlank = allow; }

    // The calendar button (on by default); Alt+Down opens the calendar too.
    bool ShowButton() const { return m_showButton; }
    void SetShowButton(bool show);

    // The date of the text; the date zero for an empty text or one that is
    // not a date.
    core::TDateTime Date() const;
    // Shows the date in the short format; the date zero empties the field.
    void SetDate(core::TDateTime date);

    // The control's own handlers; each runs on this field.
    void NorvaDateEditOnEnter();
    // True when the key is dropped (Alt keys without the calendar button) or
    // used (Alt+Down opens the calendar).
    bool NorvaDateEditKeyDown(QKeyEvent* event);
    // True when the typed character goes into the text as usual; false when
    // it was refused or the handler put the new text in itself.
    bool NorvaDateEditKeyPress(QChar c);
    void NorvaDateEditOnExit();

    // On (default): leaving runs NorvaDateEditOnExit before OnExit is emitted.
    bool OwnExitHandler() const { return m_ownExit; }
    void SetOwnExitHandler(bool on) { m_ownExit = on; }

    // The drop-down calendar, created on first use.
    QCalendarWidget* calendar();
    void DropDown();

public slots:
    // The field's paste, whatever starts it: a whole date on the clipboard
    // replaces the text; anything else inserts nothing. The clipboard keeps
    // its content.
    void paste();

signals:
    void OnEnter();
    void OnExit();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QDate today() const;
    void pasteFrom(QClipboard::Mode mode);
    void typeCharacter(QChar c);
    void pick(const QDate& date);

    TNorvaDateObject m_limits;
    bool m_dropDownDate = false;
    bool m_allowBlank = false;
    bool m_showButton = true;
    bool m_ownExit = true;
    bool m_entered = false;
    QAction* m_buttonAction = nullptr;
    QFrame* m_popup = nullptr;
    QCalendarWidget* m_calendar = nullptr;
};

} // namespace controls

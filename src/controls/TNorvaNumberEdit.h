#pragma once

#include "controls/NumberRules.h"
#include "controls/TNorvaNumberObject.h"
#include "core/Currency.h"

#include <QClipboard>
#include <QLineEdit>

namespace controls {

class Calculator;

// The field in which amounts, counts, days, hours and minutes are typed. It
// keeps its limits in a TNorvaNumberObject, filters what is typed, keeps the
// maximum while typing and the minimum on leaving, shows the value with
// thousands separators while not being edited and never shows a message:
// what cannot be read is corrected silently. A paste replaces the whole value.
//
// Events, each emitted after the control's own handling: OnEnter, OnExit,
// OnChange (the text settled after a change), OnPaste (a paste or the
// calculator's result), OnCut, OnClear. A window that takes the exit over
// switches SetOwnExitHandler off and calls NorvaNumberEditExit itself where it
// wants it. A window that handles keys of the field installs an event filter
// on it and may call NorvaNumberEditKeyDown first.
class TNorvaNumberEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TNorvaNumberEdit(QWidget* parent = nullptr);
    ~TNorvaNumberEdit() override;

    // The limits: type, minimum, maximum, current value, decimals.
    TNorvaNumberObject& NorvaNumberObject() { return m_limits; }
    const TNorvaNumberObject& NorvaNumberObject() const { return m_limits; }

    // Numero (no "%"), Porcentaje (always "%"), Ambos (either).
    TPorcent Porcent() const { return m_porcent; }
    void SetPorcent(TPorcent porcent);

    // The value last written through SetInitText (not what was typed since).
    double InitText() const { return m_initText; }
    // Shows `value` formatted and keeps it.
    void SetInitText(double value);

    // True: the value is shown without thousands separators.
    bool HideSeparator() const { return m_hideSeparator; }
    void SetHideSeparator(bool hide) { m_hideSeparator = hide; }

    // The calculator button (off by default); Alt+Down opens it too.
    bool ShowButton() const { return m_showButton; }
    void SetShowButton(bool show);
    // Decimals of the calculator's results.
    int PopupDecimals() const { return m_popupDecimals; }
    void SetPopupDecimals(int decimals) { m_popupDecimals = decimals; }

    // The value of the text: everything but signs, digits and the decimal
    // separator dropped, the rest read; 0 when it does not read.
    double RealValue() const;
    // RealValue rounded to the nearest whole number.
    qint64 WholeValue() const;
    // RealValue as an amount, rounded to four decimals.
    core::Currency CurrencyValue() const;
    // Puts the digits of `value` into the text, without separators.
    void SetWholeValue(qint64 value);

    // The rules of the field as it stands.
    NumberField field() const;

    // The control's own handlers; each runs on this field.
    void NorvaNumberEditEnter();
    void NorvaNumberEditChange();
    // True when the key is dropped (Alt keys without the calculator button)
    // or used (Alt+Down opens the calculator).
    bool NorvaNumberEditKeyDown(QKeyEvent* event);
    // True when the typed character may go into the text.
    bool NorvaNumberEditKeyPress(QChar c) const;
    void NorvaNumberEditExit();

    // On (default): leaving runs NorvaNumberEditExit before OnExit is emitted.
    bool OwnExitHandler() const { return m_ownExit; }
    void SetOwnExitHandler(bool on) { m_ownExit = on; }

    // The calculator, created on first use.
    Calculator* calculator();
    bool isDroppedDown() const;
    void DropDown();

public slots:
    // The field's paste, whatever starts it: a number on the clipboard
    // replaces the whole value (within the limits); anything else inserts
    // nothing. The clipboard keeps its content.
    void paste();
    void cut();

signals:
    void OnEnter();
    void OnExit();
    void OnChange();
    void OnPaste();
    void OnCut();
    void OnClear();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void pasteFrom(QClipboard::Mode mode);
    void clearSelection();
    void calculatorResult(double value);

    TNorvaNumberObject m_limits;
    TPorcent m_porcent = TPorcent::Numero;
    double m_initText = 0;
    bool m_hideSeparator = false;
    bool m_showButton = false;
    int m_popupDecimals = 2;
    bool m_ownExit = true;
    bool m_changing = false;
    bool m_entered = false;
    QAction* m_buttonAction = nullptr;
    Calculator* m_calculator = nullptr;
};

} // namespace controls

#pragma once

#include <QObject>
#include <functional>

namespace controls {
class LookupCombo;
}

namespace shell {
class TEForm;
}

namespace bank {

// The selection state that the module window's three lookup selectors (the
// bank, the customer and the supplier selector) share, and the rules that
// decide, when a selector's list closes, whether the user chose a row:
// - opening a list (CBancoDropDown): LookupDropped, LookupKey 0;
// - a key in a selector (CBancoKeyDown), Alt not held: while a list is open it
//   is the LookupKey; LookupKeyPressed in any case;
// - the list closes (CloseUp): the choice is taken when it closed by Enter
//   after a key, or without a key while LookupMouseSelect is on; then
//   LookupMouseSelect becomes whether a key closed it and the selector's own
//   choice action runs. Otherwise, after another key or while LookupMouseSelect
//   is off, the list opens again at once with LookupMouseSelect on. Esc closes
//   the list without a choice, and only the list. A list the window closes
//   itself takes the row it accepted and runs no rule.
// While LookupDropped is set the window does not close on Esc.
class LookupSelection : public QObject {
    Q_OBJECT
public:
    explicit LookupSelection(shell::TEForm& form, QObject* parent = nullptr);

    int LookupKey = 0;
    bool LookupKeyPressed = false;
    bool LookupMouseSelect = false;
    bool LookupDropped = false;

    // Puts a selector under these rules: its choice is deferred to them, and
    // `choice` runs when a choice is taken. The bank selector clears
    // LookupKeyPressed at the end of each close (clearsKeyPressed).
    void Attach(controls::LookupCombo* selector, std::function<void()> choice,
                bool clearsKeyPressed);

    void CBancoDropDown();
    void CBancoKeyDown(int key, Qt::KeyboardModifiers modifiers);
    // `accepted`: the list closed on a row the user chose (a click on it, or Enter).
    void CloseUp(controls::LookupCombo* selector, const std::function<void()>& choice,
                 bool clearsKeyPressed, bool accepted = false);

private:
    void setDropped(bool dropped);

    shell::TEForm& m_form;
};

} // namespace bank

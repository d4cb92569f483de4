#include "bank/LookupSelection.h"

#include "controls/LookupCombo.h"
#include "shell/TEForm.h"

namespace bank {

LookupSelection::LookupSelection(shell::TEForm& form, QObject* parent)
    : QObject(parent), m_form(form) {}

void LookupSelection::setDropped(bool dropped) {
    LookupDropped = dropped;
    m_form.SetLookupOpen(dropped);
}

void LookupSelection::Attach(controls::LookupCombo* selector, std::function<void()> choice,
                             bool clearsKeyPressed) {
    selector->setDeferredChoice(true);
    connect(selector, &controls::LookupCombo::dropDown, this, &LookupSelection::CBancoDropDown);
    connect(selector, &controls::LookupCombo::keyDown, this, &LookupSelection::CBancoKeyDown);
    connect(selector, &controls::LookupCombo::closedUp, this,
            [this, selector, choice = std::move(choice), clearsKeyPressed](bool accepted) {
                CloseUp(selector, choice, clearsKeyPressed, accepted);
            });
}

void LookupSelection::CBancoDropDown() {
    setDropped(true);
    LookupKey = 0;
}

void LookupSelection::CBancoKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::AltModifier)
        return;
    if (LookupDropped)
        LookupKey = key;
    LookupKeyPressed = true;
}

void LookupSelection::CloseUp(controls::LookupCombo* selector, const std::function<void()>& choice,
                              bool clearsKeyPressed, bool accepted) {
    if (selector->closedByProgram()) {
        // Closed by the window (a page change, the window closing): the row it
        // accepted, if any, is taken; no rule runs.
        setDropped(false);
        LookupKey = 0;
        selector->takeChoice();
        if (clearsKeyPressed)
            LookupKeyPressed = false;
        return;
    }
    const int key = LookupKey;
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (key == Qt::Key_Escape) {
        setDropped(false);
        LookupKey = 0;
    } else if (accepted && key == 0) {
        // A row clicked with the mouse is always the choice. (The rule below
        // absorbed the second close-up of a selector that reported one click
        // twice; ours reports it once, so a choice is never lost to a reopen.)
        setDropped(false);
        LookupMouseSelect = true;
        selector->takeChoice();
        if (choice)
            choice();
    } else if ((enter && LookupKeyPressed) || (LookupKey == 0 && LookupMouseSelect)) {
        setDropped(false);
        LookupMouseSelect = LookupKey != 0;
        LookupKey = 0;
        selector->takeChoice();
        if (choice)
            choice();
    } else if (LookupKey != 0 || !LookupMouseSelect) {
        selector->showPopup();
        LookupMouseSelect = true;
        LookupKey = enter ? key : 0;
        setDropped(false);
    }
    if (clearsKeyPressed)
        LookupKeyPressed = false;
}

} // namespace bank

#pragma once

#include "shell/TEForm.h"

class QAbstractButton;
class QPushButton;

namespace controls {
class TNorvaList;
}

namespace shell {

// The notice window: created first, hidden, below the bottom edge of the
// screen, from where it rises when something falls due.
//
// Its three groups (the buttons "Pendientes", "CtasxCobrar" and "CtasxPagar"
// at the bottom, each showing its list) are set by the notice check and by the
// inclusion of receivables and payables of the configuration page.
class TAvisoTransaccionesPendientesForm : public TEForm {
    Q_OBJECT
public:
    explicit TAvisoTransaccionesPendientesForm(QWidget* parent = nullptr);
    // Whether the notice is on screen.
    bool isOnScreen() const { return isVisible(); }

    // The lists of announced installments, receivables and payables, and the
    // maturity list; they lie on top of one another, at most one visible.
    controls::TNorvaList* NorvaListAvisoPen;
    controls::TNorvaList* NorvaListAvisoCobrar;
    controls::TNorvaList* NorvaListAvisoPagar;
    controls::TNorvaList* NorvaListVencimiento;
    // The group buttons; at most one is down ("Pendientes" at start).
    QPushButton* fcButtonGroup1fcImageBtn1; // "Pendientes"
    QPushButton* fcButtonGroup1fcImageBtn2; // "CtasxCobrar"
    QPushButton* fcButtonGroup1fcImageBtn3; // "CtasxPagar"

    // Sets the visibility of the four lists, in this order.
    void ShowNoticeList(bool bank, bool receivables, bool payables, bool maturity);

    // Sets one group. Included: the button is enabled when the group has
    // items; a button that was down stays down with its list shown while the
    // group has items, else it is raised and its list hidden. Not included:
    // list hidden, button disabled and raised. Returns whether the group is
    // included and has items. It never presses a button.
    bool SetNoticeGroup(bool included, bool hasItems, bool previousDown, QWidget* list,
                        QAbstractButton* button);

    // A group button put down (the others raised) with its click behaviour run.
    void PressGroupButton(QAbstractButton* button);
    // A group button raised; nothing else changes.
    void RaiseGroupButton(QAbstractButton* button);
    bool IsDown(const QAbstractButton* button) const;

    // The file the media player plays when the notice rises.
    QString MediaPlayerFile() const { return m_mediaFile; }
    void SetMediaPlayerFile(const QString& file) { m_mediaFile = file; }

public slots:
    void fcButtonGroup1fcImageBtn1Click();
    void fcButtonGroup1fcImageBtn2Click();
    void fcButtonGroup1fcImageBtn3Click();

private:
    void groupButtonClicked(QPushButton* button);

    QString m_mediaFile;
};

} // namespace shell

#pragma once

// Driving the module window's bank pages as the user does.

#include "BankFixture.h"
#include "bank/InstallmentMaintenance.h"
#include "bank/LookupSelection.h"
#include "bank/PendingPage.h"
#include "controls/LookupCombo.h"
#include "controls/OutlookBar.h"
#include "controls/TNorvaList.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

namespace banktest {

using Form = shell::Tm3TransaccionesPendientesForm;

// The module window on screen and active.
inline void showModule(Program& p) {
    p.module.show();
    p.module.activateWindow();
    QCoreApplication::processEvents();
}

inline bank::PendingPage& openBankPage(Program& p) {
    showModule(p);
    p.module.OutlookBar->clickItem(Form::GroupPendientes, 0);
    return *p.module.Pending;
}

inline bank::PendingPage& openDatePage(Program& p) {
    showModule(p);
    p.module.OutlookBar->clickItem(Form::GroupPendientes, 1);
    return *p.module.Pending;
}

// Chooses a row of the bank selector's list with the keyboard.
inline void chooseBank(controls::LookupCombo* bank, int row) {
    bank->showPopup();
    bank->setHighlightedRow(row);
    QTest::keyClick(bank->listView(), Qt::Key_Return);
}

// The row of the list whose record is the installment with number `giro`.
inline int rowOfGiro(const controls::TNorvaList& list, int giro) {
    for (int i = 0; i < list.Count(); ++i)
        if (const auto* g = list.RecordAs<bank::TGirosReg>(i); g && g->Giro == giro)
            return i;
    return -1;
}

inline QStringList descriptions(const controls::TNorvaList& list) {
    QStringList out;
    for (int i = 0; i < list.Count(); ++i) {
        if (const auto* t = list.RecordAs<bank::TTransReg>(i))
            out << t->Descripcion;
        else if (const auto* g = list.RecordAs<bank::TGirosReg>(i))
            out << QStringLiteral("%1 #%2").arg(g->Descripcion).arg(g->Giro);
    }
    return out;
}

// Shows the installments of the transaction in row `row` of the bank list.
inline void viewTransaction(bank::PendingPage& page, int row) {
    page.NorvaListTransPendiente->SetItemIndex(row);
    page.BVer008->click();
}

inline bool menusEnabled(Program& p) {
    return p.module.MenuTransacciones->menuAction()->isEnabled() &&
           p.module.MenuSistema->menuAction()->isEnabled();
}

inline QString trimmed(const QLabel* label) {
    return label->text().trimmed();
}

} // namespace banktest

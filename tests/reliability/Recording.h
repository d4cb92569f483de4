#pragma once

// Recording a transaction on the new-transaction page as the user does:
// the bank chosen from the selector, the fields typed, "S&iguiente", then
// "&Guardar" answered Yes.

#include "bank/BankPages.h"
#include "bank/NewTransactionPage.h"
#include "controls/TNorvaDateEdit.h"
#include "controls/TNorvaEdit.h"
#include "controls/TNorvaNumberEdit.h"
#include "support/RecordingMessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace reliability {

struct Entry {
    QString beneficiary = QStringLiteral("Inmobiliaria Centro");
    QString description = QStringLiteral("Alquiler");
    double total = 300;
    int count = 3;
    core::TDateTime start = core::dt::encodeDate(2024, 6, 1);
};

inline bank::NewTransactionPage& openNewPage(banktest::Program& p) {
    banktest::showModule(p);
    p.module.OutlookBar->clickItem(banktest::Form::GroupTransaccion, 0);
    return *p.module.NewTransaction;
}

// The messages the save showed ("Desea guardar la nueva transacción?" first).
inline QStringList record(banktest::Program& p, RecordingMessageBox& boxes, const Entry& e) {
    bank::NewTransactionPage& page = openNewPage(p);
    banktest::chooseBank(p.module.CBanco, 1);
    page.CBeneficiarios->setText(e.beneficiary);
    page.EDescripcion->setText(e.description);
    page.EMonto->SetInitText(e.total);
    page.EFechaInicio->SetDate(e.start);
    page.CheckBoxFijo->setChecked(false);
    page.EGiros->SetInitText(e.count);
    page.CBPeriodos->setCurrentIndex(2);
    page.MaskEHora->setText(QStringLiteral("01:15"));
    page.CHoraampm->setCurrentIndex(1);
    page.BSiguiente0033->click();
    boxes.clear();
    boxes.answerYes();
    page.BGuardar0012->click();
    return boxes.texts();
}

inline const QString SaveQuestion = QStringLiteral("Desea guardar la nueva transacción?");
inline const QString Saved = QStringLiteral("Sus datos fueron guardados correctamente.");

} // namespace reliability

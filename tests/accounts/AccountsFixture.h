#pragma once

// The module window started on a demo company whose settings include
// receivables and payables, and the customer, supplier and date pages of the
// side bar's "Cuentas" driven as the user drives them.

#include "accounts/AccountPages.h"
#include "bank/LookupSelection.h"
#include "controls/HeaderSections.h"
#include "controls/LookupCombo.h"
#include "controls/OutlookBar.h"
#include "controls/TNorvaDateEdit.h"
#include "controls/TNorvaList.h"
#include "core/Formats.h"
#include "platform/AccessMarker.h"
#include "platform/Paths.h"
#include "platform/SystemInfo.h"
#include "shell/Application.h"
#include "shell/TAvisoTransaccionesPendientesForm.h"
#include "shell/TMenuDataModule.h"
#include "shell/Tm3TransaccionesPendientesForm.h"
#include "shell/Tm3TrayIconTransaccionesPenForm.h"
#include "support/CompanyFixture.h"
#include "support/SetClock.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QStatusBar>
#include <QTest>
#include <QTreeView>

namespace accountstest {

using Form = shell::Tm3TransaccionesPendientesForm;

// Today in every test: 10 May 2026.
inline const core::TDateTime Today = core::dt::encodeDate(2026, 5, 10);

// Commas for decimals and dots for thousands, slashes in dates.
inline void useSpanishFormats() {
    core::Formats f;
    f.dateSeparator = QLatin1Char('/');
    f.decimalSeparator = QLatin1Char(',');
    f.thousandSeparator = QLatin1Char('.');
    core::Formats::setCurrent(f);
}

enum Kind { Receivables, Payables };

// The demo company (its settings include receivables and payables) on a
// computer allowed before, and the program's four objects started on it.
struct Program {
    SetClock clock{Today};
    CompanyFixture company{CompanyFixture::Kind::Demo, Today};
    shell::TMenuDataModule menus;
    shell::TAvisoTransaccionesPendientesForm notice;
    shell::Tm3TrayIconTransaccionesPenForm tray;
    std::unique_ptr<Form> module;
    accounts::AccountPages* pages = nullptr;

    Program() {
        shell::application::resetTerminate();
        platform::accessmarker::create(platform::paths::accessMarker(platform::computerName()));
        module = std::make_unique<Form>(&notice, &tray);
        module->FormCreate();
        pages = module->Accounts;
        module->show();
        module->activateWindow();
        QCoreApplication::processEvents();
    }
    ~Program() { module.reset(); }

    // A party and its documents, written as the suite writes them.
    void party(Kind kind, const QString& code, const QString& name) const {
        const QString table =
            kind == Receivables ? QStringLiteral("Sclientes") : QStringLiteral("SProveedor");
        const QString p = kind == Receivables ? QStringLiteral("FC") : QStringLiteral("FP");
        company.exec(
            table + QStringLiteral(".dat"),
            QStringLiteral("INSERT INTO %1 (%2_CODIGO, %2_DESCRIPCION) VALUES ('%3', '%4')")
                .arg(table, p, code, name));
    }
    // dueOffset in days from today.
    void document(Kind kind, const QString& code, const QString& number, int type, double balance,
                  int dueOffset) const {
        const QString table = kind == Receivables ? QStringLiteral("SCuentasxCobrar")
                                                  : QStringLiteral("SCuentasxPagar");
        const QString d = kind == Receivables ? QStringLiteral("FCC") : QStringLiteral("FCP");
        company.exec(table + QStringLiteral(".dat"),
                     QStringLiteral("INSERT INTO %1 (%2_CODIGO, %2_NUMERO, %2_SALDODOCUMENTO, "
                                    "%2_FECHAVENCIMIENTO, %2_TIPOTRANSACCION) "
                                    "VALUES ('%3', '%4', %5, %6, %7)")
                         .arg(table, d, code, number)
                         .arg(qRound64(balance * 10000))
                         .arg(Today + dueOffset, 0, 'f', 1)
                         .arg(type));
    }
    bool removeTable(Kind kind) const {
        return QFile::remove(company.dataFolder() + (kind == Receivables
                                                         ? QStringLiteral("SCuentasxCobrar.dat")
                                                         : QStringLiteral("SCuentasxPagar.dat")));
    }

    // The item of the side bar's "Cuentas" with the caption, clicked.
    void clickCuentas(const QString& caption) {
        controls::OutlookBar* bar = module->OutlookBar;
        for (int item = 0; item < bar->itemCount(Form::GroupCuentas); ++item)
            if (bar->itemCaption(Form::GroupCuentas, item) == caption) {
                bar->setActiveGroup(Form::GroupCuentas);
                bar->clickItem(Form::GroupCuentas, item);
                return;
            }
        QFAIL("no such item");
    }
    void openPage(Kind kind) {
        clickCuentas(kind == Receivables ? QStringLiteral("Por Cobrar")
                                         : QStringLiteral("Por Pagar"));
    }
    void openDatePage() { clickCuentas(QStringLiteral("Fecha")); }

    controls::LookupCombo* selector(Kind kind) const {
        return kind == Receivables ? module->CClientes : module->CProveedores;
    }
    controls::TNorvaList* list(Kind kind) const {
        return kind == Receivables ? pages->NorvaListCtasxCobrar : pages->NorvaListCtasxPagar;
    }
    QString recordCount() const { return module->StatusPanels[3]->text(); }
};

// Chooses the first row of the selector's list that shows the name, with the
// keyboard (the list opened, the row highlighted, Enter).
inline bool chooseParty(controls::LookupCombo* selector, const QString& name) {
    selector->showPopup();
    for (int row = 0; row < selector->rowCount(); ++row)
        if (selector->rowText(row, 0) == name) {
            selector->setHighlightedRow(row);
            QTest::keyClick(selector->listView(), Qt::Key_Return);
            return !selector->isDroppedDown();
        }
    selector->closeUp(false);
    return false;
}

// Puts a date into a date edit (the date zero empties it) and leaves it.
inline void setDateAndLeave(controls::TNorvaDateEdit* edit, core::TDateTime date) {
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(edit, &in);
    edit->SetDate(date);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(edit, &out);
}

// The rows of a document list as "party|number", or "number" alone.
inline QStringList numbers(const controls::TNorvaList* list, bool withParty = false) {
    QStringList out;
    for (int i = 0; i < list->Count(); ++i)
        if (const auto* c = list->RecordAs<accounts::TCuentas>(i))
            out << (withParty ? c->Descripcion + QLatin1Char('|') + c->Numero : c->Numero);
    return out;
}

inline QString trimmed(const QLabel* label) {
    return label->text().trimmed();
}

// The three figures of a page as "debit/credit/balance".
inline QString figures(const QLabel* debit, const QLabel* credit, const QLabel* balance) {
    return trimmed(debit) + QLatin1Char('/') + trimmed(credit) + QLatin1Char('/') +
           trimmed(balance);
}

} // namespace accountstest

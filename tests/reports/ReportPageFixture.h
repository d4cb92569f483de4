#pragma once

#include "bank/BankPages.h"
#include "controls/OutlookBar.h"
#include "reports/ReportPage.h"
#include "reports/engine/PreviewDialog.h"
#include "shell/SettingsPage.h"
#include "support/SetClock.h"

#include <QCheckBox>
#include <functional>

namespace banktest {

// Two bank accounts with their balances and transactions of 10 May 2024:
// "Alquiler" (Banco Dos, three installments), "Seguro" (Banco Uno) and
// "Teléfono" (Banco Dos, two); one customer with an invoice.
struct ReportCompany {
    SetClock clock{2024, 5, 10, 9, 0};
    double today = clock.today();
    CompanyFixture company{CompanyFixture::Kind::Empty};
    qint64 rent = 0, other = 0, phone = 0;

    ReportCompany() {
        addBanks(company);
        company.exec(QStringLiteral("SFixed.dat"),
                     QStringLiteral("INSERT INTO SFixed VALUES ('0102-001', 10000000);"
                                    "INSERT INTO SFixed VALUES ('0134-002', 20000000);"));
        rent = addTransaction(company, QStringLiteral("0134-002"), QStringLiteral("Banco Dos"),
                              QStringLiteral("Alquiler"), 600, 3, QStringLiteral("Inmobiliaria"));
        other = addTransaction(company, QStringLiteral("0102-001"), QStringLiteral("Banco Uno"),
                               QStringLiteral("Seguro"), 50, 1);
        phone = addTransaction(company, QStringLiteral("0134-002"), QStringLiteral("Banco Dos"),
                               QStringLiteral("Teléfono"), 60, 2);
        addInstallment(company, rent, {1, today - 20, 100, true});
        addInstallment(company, rent, {2, today - 1, 200, false});
        addInstallment(company, rent, {3, today + 1, 300, false});
        addInstallment(company, other, {1, today + 2, 50, false});
        addInstallment(company, phone, {1, today - 5, 30, false});
        addInstallment(company, phone, {2, today + 25, 30, false});
        company.exec(QStringLiteral("Sclientes.dat"),
                     QStringLiteral("INSERT INTO Sclientes VALUES ('C01', 'Cliente Uno', '555', "
                                    "'Calle 1', 1)"));
        company.exec(QStringLiteral("SCuentasxCobrar.dat"),
                     QStringLiteral("INSERT INTO SCuentasxCobrar VALUES ('C01', 'F-1', 4000000, "
                                    "%1, %2, 1, 'Factura uno')")
                         .arg(today - 30)
                         .arg(today + 5));
    }
};

// The module window started on the company and shown, with receivables
// included, and a preview that records what it was given instead of waiting.
struct Page {
    Program program;
    shell::Tm3TransaccionesPendientesForm& module = program.module;
    reports::ReportPage& page = *program.module.Reports;
    QList<reports::engine::PageStore> previews;
    QList<bool> enabledDuringPreview;
    std::function<void(reports::engine::PreviewDialog&)> onPreview;

    Page() {
        module.PanelConfig->CIncCuentasxCobrar->setChecked(true);
        showModule(program);
        page.SetPreviewRunner([this](reports::engine::PreviewDialog& dialog) {
            previews << dialog.store();
            enabledDuringPreview << (module.isEnabled() || module.noticeWindow()->isEnabled());
            if (onPreview)
                onPreview(dialog);
        });
        module.OutlookBar->clickItem(Form::GroupPendientes, 3);
    }
};

} // namespace banktest

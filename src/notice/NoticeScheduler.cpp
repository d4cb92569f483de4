#include "notice/NoticeScheduler.h"

#include "accounts/OpenDocuments.h"
#include "bank/InstallmentMaintenance.h"
#include "controls/TNorvaList.h"
#include "notice/DueRules.h"
#include "platform/Clock.h"
#include "platform/MessageBoxService.h"
#include "shell/Settings.h"
#include "shell/SettingsPage.h"
#include "shell/TAvisoTransaccionesPendientesForm.h"
#include "shell/Tm3TransaccionesPendientesForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <exception>

namespace notice {

NoticeScheduler::NoticeScheduler(shell::Tm3TransaccionesPendientesForm& module)
    : m_module(module) {}

void NoticeScheduler::Reload() {
    m_runner.run(SerialRunner::Job::Reload, [this] { reload(); });
}

void NoticeScheduler::Check() {
    m_runner.run(SerialRunner::Job::Check, [this] { check(); });
}

void NoticeScheduler::FreeRecordList(bank::TGirosList& list) {
    list.clear();
}

void NoticeScheduler::FreeRecordList(accounts::TCuentasList& list) {
    list.clear();
}

void NoticeScheduler::reload() {
    try {
        shell::Tm3TransaccionesPendientesForm& m = m_module;
        FreeRecordList(m.DueInstallments);
        FreeRecordList(m.OpenReceivables);
        FreeRecordList(m.OpenPayables);
        shell::TAvisoTransaccionesPendientesForm* notice = m.noticeWindow();
        if (notice) {
            notice->NorvaListAvisoPen->Clear();
            notice->NorvaListAvisoCobrar->Clear();
            notice->NorvaListAvisoPagar->Clear();
        }
        m.LoadDueInstallments(m.DueInstallments);
        m.BankTotal = m.ReceivableTotal = m.PayableTotal = core::Currency();
        // Loaded whether or not they are included: the check decides.
        accounts::LoadOpenReceivables(m.QueryCtas, &m, m.NoticeHorizonDays(), m.OpenReceivables);
        accounts::LoadOpenPayables(m.QueryCtas, &m, m.NoticeHorizonDays(), m.OpenPayables);
        // A notice on screen takes its items back at once (the check runs as
        // soon as this reload has ended).
        if (notice && notice->isOnScreen())
            Check();
    } catch (const std::exception& e) {
        platform::showException(&m_module, QString::fromLocal8Bit(e.what()));
    }
}

void NoticeScheduler::check() {
    QTimer* timer = m_module.TimerEspera;
    timer->stop();
    try {
        checkSteps();
        return;
    } catch (const std::exception&) {
    } catch (...) {
    }
    // Stopped until the notice is dismissed or the settings are saved.
    timer->stop();
    platform::showError(&m_module, NoticeCheckError);
}

void NoticeScheduler::checkSteps() {
    shell::Tm3TransaccionesPendientesForm& m = m_module;
    shell::TAvisoTransaccionesPendientesForm* notice = m.noticeWindow();
    const shell::SettingsPage& page = *m.PanelConfig;
    if (!notice) {
        m.TimerEspera->setInterval(CheckIntervalMs);
        m.TimerEspera->start();
        return;
    }

    // Installments: each renewed once if it carries a period code, and handed
    // over when its time of day has come (or at once after the start day).
    std::size_t pos = 0;
    while (pos < m.DueInstallments.size()) {
        const bank::TGirosRegPtr r = m.DueInstallments[pos];
        if (r->PeriodoFijo != 0) {
            m.Maintenance->RenewFixedInstallment(*r);
            r->PeriodoFijo = 0;
            // The renewal's messages ran an event loop: look again if the list changed.
            if (pos >= m.DueInstallments.size() || m.DueInstallments[pos] != r)
                continue;
        }
        if (installmentDueNow(r->HoraGiro, platform::Clock::instance().now(), m.StartDate)) {
            m.BankTotal += r->MontoGiro;
            notice->NorvaListAvisoPen->AddRecord(r);
            m.DueInstallments.erase(m.DueInstallments.begin() + std::ptrdiff_t(pos));
        } else {
            ++pos;
        }
    }

    // Documents: only while the configuration page is not being edited.
    const bool receivables = page.CIncCuentasxCobrar->isChecked();
    const bool payables = page.CIncCuentasxPagar->isChecked();
    if (receivables && !page.IsEditing())
        MoveDueDocuments(m.OpenReceivables, notice->NorvaListAvisoCobrar);
    if (payables && !page.IsEditing())
        MoveDueDocuments(m.OpenPayables, notice->NorvaListAvisoPagar);

    if (notice->NorvaListAvisoPen->Count() > 0 || notice->NorvaListAvisoCobrar->Count() > 0 ||
        notice->NorvaListAvisoPagar->Count() > 0) {
        // The groups, each from the button's state before the call.
        notice->SetNoticeGroup(payables, notice->NorvaListAvisoPagar->Count() > 0,
                               notice->IsDown(notice->fcButtonGroup1fcImageBtn3),
                               notice->NorvaListAvisoPagar, notice->fcButtonGroup1fcImageBtn3);
        notice->SetNoticeGroup(receivables, notice->NorvaListAvisoCobrar->Count() > 0,
                               notice->IsDown(notice->fcButtonGroup1fcImageBtn2),
                               notice->NorvaListAvisoCobrar, notice->fcButtonGroup1fcImageBtn2);
        notice->SetNoticeGroup(true, notice->NorvaListAvisoPen->Count() > 0,
                               notice->IsDown(notice->fcButtonGroup1fcImageBtn1),
                               notice->NorvaListAvisoPen, notice->fcButtonGroup1fcImageBtn1);
        if (notice->NorvaListAvisoPen->Count() == 0 &&
            !notice->IsDown(notice->fcButtonGroup1fcImageBtn2) &&
            !notice->IsDown(notice->fcButtonGroup1fcImageBtn3))
            notice->LTitulo->setText(shell::TAvisoTransaccionesPendientesForm::PendingTitle);
        // Raised once: a notice on screen stays where it is, without a second sound.
        if (!notice->isOnScreen() && (notice->fcButtonGroup1fcImageBtn1->isEnabled() ||
                                      notice->fcButtonGroup1fcImageBtn2->isEnabled() ||
                                      notice->fcButtonGroup1fcImageBtn3->isEnabled())) {
            notice->SetMediaPlayerFile(page.EPathSonido->text());
            notice->Timer2->start();
            notice->show();
        }
        notice->SetBankSummary();
    }

    m.TimerEspera->setInterval(CheckIntervalMs);
    m.TimerEspera->start();
}

void NoticeScheduler::MoveDueDocuments(accounts::TCuentasList& documents,
                                       controls::TNorvaList* noticeList) {
    shell::Tm3TransaccionesPendientesForm& m = m_module;
    shell::SettingsPage& page = *m.PanelConfig;
    const bool toReceivables =
        m.noticeWindow() && noticeList == m.noticeWindow()->NorvaListAvisoCobrar;
    std::size_t pos = 0;
    while (pos < documents.size()) {
        const int half = page.CAMPM->currentIndex();
        std::optional<core::TDateTime> reminder = reminderTime(page.MEHoraText(), half);
        if (!reminder) {
            // Corrected without a message; the same document against 12:00.
            page.SetMEHoraText(shell::DefaultReminderTime);
            reminder = reminderTime(shell::DefaultReminderTime, half);
            if (!reminder)
                return;
        }
        if (!documentsDueNow(*reminder, platform::Clock::instance().now())) {
            ++pos;
            continue;
        }
        const accounts::TCuentasPtr d = documents[pos];
        (toReceivables ? m.ReceivableTotal : m.PayableTotal) += d->SaldoDocumento;
        noticeList->AddRecord(d);
        documents.erase(documents.begin() + std::ptrdiff_t(pos));
    }
}

void NoticeScheduler::RequestNotice() {
    if (m_module.PanelConfig->CDesactivarVentana->isChecked()) {
        platform::showInformation(&m_module, NoticeOffMessage);
        return;
    }
    m_module.TimerEspera->setInterval(1);
}

} // namespace notice

#include "notice/NoticeScheduler.h"

#include <unordered_set>
#include <utility>

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
    // Those handed over leave the due list in one pass at the end, so a check
    // of many records costs no more than a walk over them.
    // Held, not just pointed at: a record freed by a reload cannot be taken for
    // a new one at the same address.
    std::unordered_set<bank::TGirosRegPtr> handed;
    std::vector<controls::ListRecordPtr> batch;
    const auto handOver = [&] {
        if (!batch.empty())
            notice->NorvaListAvisoPen->AddRecords(std::exchange(batch, {}));
    };
    std::size_t pos = 0;
    while (pos < m.DueInstallments.size()) {
        const bank::TGirosRegPtr r = m.DueInstallments[pos];
        if (handed.count(r)) {
            ++pos;
            continue;
        }
        if (r->PeriodoFijo != 0) {
            // The renewal's messages run an event loop, in which a reload may
            // empty the notice: what was handed over is in the notice first.
            handOver();
            m.Maintenance->RenewFixedInstallment(*r);
            r->PeriodoFijo = 0;
            // Look again if the list changed meanwhile.
            if (pos >= m.DueInstallments.size() || m.DueInstallments[pos] != r)
                continue;
        }
        if (installmentDueNow(r->HoraGiro, platform::Clock::instance().now(), m.StartDate)) {
            m.BankTotal += r->MontoGiro;
            batch.push_back(r);
            handed.insert(r);
        }
        ++pos;
    }
    handOver();
    if (!handed.empty())
        std::erase_if(m.DueInstallments,
                      [&](const bank::TGirosRegPtr& r) { return handed.count(r) > 0; });

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
    if (documents.empty())
        return;
    // The reminder time is the same for every document of one check.
    const int half = page.CAMPM->currentIndex();
    std::optional<core::TDateTime> reminder = reminderTime(page.MEHoraText(), half);
    if (!reminder) {
        // Corrected without a message; the documents against 12:00.
        page.SetMEHoraText(shell::DefaultReminderTime);
        reminder = reminderTime(shell::DefaultReminderTime, half);
        if (!reminder)
            return;
    }
    if (!documentsDueNow(*reminder, platform::Clock::instance().now()))
        return;
    // All of them are due at the reminder time: handed over in their order.
    std::vector<controls::ListRecordPtr> batch;
    batch.reserve(documents.size());
    for (const accounts::TCuentasPtr& d : documents) {
        (toReceivables ? m.ReceivableTotal : m.PayableTotal) += d->SaldoDocumento;
        batch.push_back(d);
    }
    documents.clear();
    noticeList->AddRecords(std::move(batch));
}

void NoticeScheduler::RequestNotice() {
    if (m_module.PanelConfig->CDesactivarVentana->isChecked()) {
        platform::showInformation(&m_module, NoticeOffMessage);
        return;
    }
    m_module.TimerEspera->setInterval(1);
}

} // namespace notice

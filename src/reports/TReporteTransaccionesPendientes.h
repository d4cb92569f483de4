#pragma once

#include "reports/TransactionsReportForm.h"

namespace reports {

// The pending transactions report ("ReporteTransaccionesPendientes"): the
// installments of the bank transactions grouped by transaction, the totals of
// the bank section by kind and status, the balance and amount to pay of every
// bank account involved, then the open receivables by customer and the open
// payables by supplier. Letter, portrait, margins of 10 mm.
class TReporteTransaccionesPendientes : public TransactionsReportForm {
public:
    explicit TReporteTransaccionesPendientes(const ReportContext& context);
    ~TReporteTransaccionesPendientes() override;

    // The total of the current accounts section.
    core::Currency SectionTotal;

protected:
    void QuickRepBeforePrint() override;
    void InstallmentRowBeforePrint() override;
    void TransactionSubtotalBeforePrint() override;
    void TransactionSubtotalAfterPrint() override;
    void TotalsBeforePrint() override;
    void DocumentRowBeforePrint() override;
    void PartySubtotalBeforePrint() override;
    void SectionTotalBeforePrint() override;
    DateRangeLayout TitleLayout() const override;

private:
    void layOut();
};

} // namespace reports

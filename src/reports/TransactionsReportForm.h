#pragma once

#include "data/Query.h"
#include "data/Table.h"
#include "reports/ReportFillers.h"
#include "reports/ReportQueries.h"
#include "reports/engine/Report.h"

#include <QList>

namespace reports {

// What the pending transactions report and the due-date report have in
// common: the page layout of bands in the same order, the query every
// statement of a run is opened on, the company table, the run's state and the
// events that the band fillers serve. Each report lays out its own bands and
// labels (with the same names in both) and fills its own rows and totals.
//
// A report object lives for one run: the entry point creates it, builds its
// first statement (BuildBankReportQuery or BuildAccountsReportQuery), makes a
// pass for the preview or the printer (Prepare) and frees it. Every further
// pass prints what the first printed.
class TransactionsReportForm {
public:
    virtual ~TransactionsReportForm();
    TransactionsReportForm(const TransactionsReportForm&) = delete;
    TransactionsReportForm& operator=(const TransactionsReportForm&) = delete;

    // The name of the design: "ReporteTransaccionesPendientes" or
    // "ReporteTransVencimiento".
    const QString& DesignName() const { return m_designName; }
    engine::Report& report() { return m_report; }
    ReportRun& run() { return Run; }

    // The first statement of the run, its condition lines going to LFiltro.
    bool BuildBankReportQuery(int status, int kind, const QString& account, core::TDateTime from,
                              core::TDateTime to, const QString& beneficiary, bool filters,
                              const QString& transactionKey);
    bool BuildAccountsReportQuery(int partyStatus, bool invoices, bool drafts, core::TDateTime from,
                                  core::TDateTime to, bool debitNotes, bool creditNotes,
                                  bool pendingNotes, const QString& head, const QString& docPrefix,
                                  const QString& partyPrefix, const QString& pendingCode,
                                  const QString& partyName);

    // One pass into the store: false when it was cancelled (by the user on the
    // progress form, or by a failure already reported). Nothing the events
    // throw comes out of it but the engine's own faults.
    bool Prepare(engine::PageStore& store);

    // The state of the run and the report's components.
    ReportRun Run;
    data::Query Query2;
    data::Table TableDatos;

    engine::Band* PageHeaderBand1 = nullptr;
    engine::Band* TitleBand1 = nullptr;
    engine::Band* ChildBandTituloTransP = nullptr;
    engine::Band* QRSubDetailCabeceraTransP = nullptr;
    engine::Band* QRSubDetailDatosTransP = nullptr;
    engine::Band* QRSubDetailTotalTransP = nullptr;
    engine::Band* TotalsBand = nullptr; // QRSubDetailTotal, or QRSubDetail4 of the due-date report
    engine::Band* QRSubDetailSaldoB = nullptr;
    engine::Band* QRSubDTituloCts = nullptr;
    engine::Band* QRSubDCabeceraCts = nullptr;
    engine::Band* QRSubDDatosCts = nullptr;
    engine::Band* QRSubDSubtotalCts = nullptr;
    engine::Band* QRSubDtotalCts = nullptr;
    engine::Band* QRBand1 = nullptr;

    // The label with that name; a report without it is a fault of its design.
    ReportLabel& Label(const QString& name) const;

protected:
    TransactionsReportForm(const ReportContext& context, const QString& designName);

    // Label makers: a text in Arial of the given height, an amount (right
    // aligned, marked for the spreadsheet), a silver column heading restyled
    // at print time by "Encabezados resaltados".
    ReportLabel& AddText(engine::Band& band, const QString& name, const QString& text, qreal x,
                         qreal top, qreal width = 0, int size = 11, bool bold = false);
    ReportLabel& AddAmount(engine::Band& band, const QString& name, qreal x, qreal top, qreal width,
                           int size = 11, bool lineAbove = false);
    ReportLabel& AddHeading(engine::Band& band, const QString& name, const QString& text, qreal x,
                            qreal top, qreal width, int size = 11,
                            engine::Align align = engine::Align::Left);

    // The company's name, R.I.F., N.I.T. and address from `left`, and the
    // date, time and page number at `systemX`, on the title band.
    void AddCompanyTitleLabels(engine::Band& title, qreal left, qreal systemX);
    // The bank section's totals by kind and status, from `top` down, with the
    // headings of the balance rows; and a balance row's labels.
    void AddBankTotalsLabels(engine::Band& totals, qreal top);
    void AddBalanceRowLabels(engine::Band& row);

    // Once the bands and labels are laid out: the events of both reports.
    void WireEvents();

    // Start of every pass: what both reports reset and show.
    void StartPass();

    // The report's own parts.
    virtual void QuickRepBeforePrint() = 0;
    virtual void InstallmentRowBeforePrint() = 0;
    virtual void TransactionSubtotalBeforePrint() = 0;
    virtual void TransactionSubtotalAfterPrint() {}
    virtual void TotalsBeforePrint() = 0;
    virtual void DocumentRowBeforePrint() = 0;
    virtual void PartySubtotalBeforePrint() = 0;
    virtual void SectionTotalBeforePrint() = 0;
    virtual DateRangeLayout TitleLayout() const = 0;
    // The messages of the row events.
    virtual QString InstallmentRowError() const { return RowsErrorText; }
    virtual QString DocumentRowError() const { return RowsErrorText; }

    // Row events, shared: the end of the group by the query's next row, and
    // the progress form (its cancel stops the pass).
    void EndInstallmentGroup();
    void EndDocumentGroup();
    bool StepProgress();
    // The kind and status table of the bank totals.
    void FillKindTable();
    void OpenBankBalances();
    // The section headings stem of both reports.
    static const QString Stem;

    engine::Report m_report;

private:
    void guarded(const QString& message, const std::function<void()>& work);

    QString m_designName;
    // The date and time in the title: those of the first pass, on every pass.
    core::TDateTime m_printedAt = 0;
};

} // namespace reports

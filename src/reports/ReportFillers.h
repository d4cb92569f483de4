#pragma once

#include "reports/ReportQueries.h"

#include <QList>
#include <array>

namespace data {
class Table;
}

namespace reports {

using engine::ReportLabel;

// The band fillers that both reports share: the company header, the date
// range and conditions of the bank title, a transaction's header and its
// installment rows, the bank balance rows, and the title, party header and
// document rows of the accounts sections. Those that read the database guard
// their work: a failure shows their message, frees the progress form and
// cancels the pass (ReportRun::Fail), and they answer false.

// The company's name and R.I.F. and N.I.T. lines of the run, and the address
// of the first row of the company table "sempresas.Dat" (in the work folder).
bool FillCompanyHeader(ReportRun& run, data::Table& table, ReportLabel& name, ReportLabel& address,
                       ReportLabel& rif, ReportLabel& nit);

// The designed places of the bank title band's date lines, conditions and
// column headings, and its designed height.
struct DateRangeLayout {
    qreal fromTop = 53;
    qreal toTop = 71;
    qreal conditionTop = 87;
    qreal headingsTop = 107;
    qreal bandHeight = 104;
};

// The date lines of the bank title: a date of 0 is not printed and the lines
// below it move up 17 pixels, the headings and the band's height with them;
// the headings sit lower by the run's condition lines. Worked out from the
// designed places on every pass.
void FillDateRange(const ReportRun& run, ReportLabel& fromDate, ReportLabel& fromCaption,
                   ReportLabel& toDate, ReportLabel& toCaption, ReportLabel& condition,
                   const QList<ReportLabel*>& headings, engine::Band& band,
                   const DateRangeLayout& design);

// A transaction's header from the query's row; past the last row, no more
// transactions follow.
bool FillTransactionHeader(ReportRun& run, data::Query& query, ReportLabel& account,
                           ReportLabel& description, ReportLabel& bank, ReportLabel& beneficiary);

// One installment row from the query's row, which then moves on: the totals
// grow by its amount; the amount label shows the transaction's total so far
// (runningTotal) or the installment's amount. Engine errors go on to the caller.
void FillInstallmentRow(ReportRun& run, data::Query& query, ReportLabel& date, ReportLabel& amount,
                        bool runningTotal, ReportLabel& installment, ReportLabel& status,
                        ReportLabel& kind);

// One bank balance row (the query holds the grouped balance statement): the
// account's bank, number, balance and unpaid total; the rows of the same
// account are passed over. After the last one the first accounts section is
// opened, or the five accounts bands are switched off.
bool FillBankBalanceRow(ReportRun& run, data::Query& query, ReportLabel& bank, ReportLabel& account,
                        const QString& stem, engine::Report& report,
                        const std::array<engine::Band*, 5>& accountsBands, ReportLabel& toPay,
                        ReportLabel& balance);

// The accounts section's title and dates (a date of 0 is not printed).
void FillAccountsTitle(const ReportRun& run, ReportLabel& title, ReportLabel& fromDate,
                       ReportLabel& fromCaption, ReportLabel& toCaption, ReportLabel& toDate);

// A party's header from the query's row; past the last row, no more parties
// follow.
bool FillPartyHeader(ReportRun& run, data::Query& query, ReportLabel& code, ReportLabel& name,
                     ReportLabel& address, ReportLabel& telephone);

// A document's kind, dates and description from the query's row. `sign`
// becomes -1 for the documents that lower what is owed (credit notes of
// customers, debit notes of suppliers, pending notes), else stays as given.
bool FillDocumentRow(ReportRun& run, data::Query& query, ReportLabel& kind, ReportLabel& issue,
                     int& sign, ReportLabel& description, ReportLabel& due);

// After a section total: the payables section when the receivables section
// ended and payables are included, else the end of the accounts sections.
void StartPayablesSection(ReportRun& run, data::Query& query, const QString& stem,
                          engine::Report& report);

// The print-time look of a column heading: with "Encabezados resaltados" opaque
// silver with navy text and no line, without it transparent with black text
// and a line along its bottom.
void ApplyHeadingStyle(const ReportRun& run, ReportLabel& label);

} // namespace reports

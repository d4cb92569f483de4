#pragma once

#include "core/Currency.h"
#include "core/DateTime.h"

#include <QString>
#include <memory>

class QWidget;

namespace data {
class Query;
}

namespace reports {

namespace engine {
class Band;
class Report;
struct ReportLabel;
} // namespace engine

class TNorvaReportesProgressForm;

// The statements of the two printed reports (the pending transactions report
// and the due-date report) and the state of one report run, shared by both.
//
// A run has up to three sections, in this order: the bank section (the
// installments of the pending bank transactions, grouped by transaction, then
// the totals by kind and status and one balance row per bank account), the
// receivables grouped by customer and the payables grouped by supplier. One
// query of the report serves all of them in turn.

// The fragments of the bank statements.
inline const QString FixedTable = QStringLiteral("SFixed");
inline const QString BankSelect = QStringLiteral(
    "SELECT FX_SALDO, FGP_FECHAGIRO, FGP_GIRO, FGP_MONTOGIRO, FGP_STATUS, FGP_HORAGIRO, "
    "FGP_KEYTRANSACCION, FGP_TIPOTRANS, FTP_AUTOINCKEY, FTP_DESCRIPCION, FTP_BENEFICIARIO, "
    "FTP_NROCUENTA, FTP_NROGIROS, FTP_BANCO ");
inline const QString BankFrom = QStringLiteral("FROM m3GirosPendientes, m3TransPendientes ");
inline const QString BankWhere =
    QStringLiteral("WHERE (FTP_AUTOINCKEY = FGP_KEYTRANSACCION) AND (FX_CODIGO = FTP_NROCUENTA) ");
inline const QString BankDetailOrder =
    QStringLiteral(" ORDER BY FTP_DESCRIPCION, FGP_KEYTRANSACCION, FGP_FECHAGIRO, "
                   "FGP_KEYTRANSACCION, FGP_GIRO");
// The balance rows: one group per account and status. The engine gives the
// groups in no promised order, so the statement asks for the order the rows
// are read in: by account, the unpaid group before the paid one.
inline const QString BankBalanceGrouping =
    QStringLiteral(" GROUP BY FTP_NROCUENTA, FGP_STATUS ORDER BY FTP_NROCUENTA, FGP_STATUS");

// The heads of the receivables and payables statements: the document
// columns with the party's name, telephone and address, of the documents
// with an open balance.
QString ReceivablesReportHead();
QString PayablesReportHead();

// The document and party prefixes of the two accounts sections, their codes
// of a pending note and their titles.
inline const QString ReceivablesPrefix = QStringLiteral("FCC");
inline const QString CustomerPrefix = QStringLiteral("FC");
inline const QString PayablesPrefix = QStringLiteral("FCP");
inline const QString SupplierPrefix = QStringLiteral("FP");
inline const QString ReceivablesTitle = QStringLiteral("Cuentas por Cobrar");
inline const QString PayablesTitle = QStringLiteral("Cuentas por Pagar");

// The messages of the run.
inline const QString QueryErrorText =
    QStringLiteral("Error de Consulta al obtener datos de la Tabla.");
inline const QString CompanyErrorText =
    QStringLiteral("Error de ejecución al obtener datos de la empresa.");
inline const QString TablesErrorText =
    QStringLiteral("Error de ejecución al obtener datos de las tablas.");
inline const QString RowsErrorText =
    QStringLiteral("Error de ejecución al obtener datos de las tablas");
inline const QString BalancesErrorText =
    QStringLiteral("Error de ejecución al obtener Saldos de los Bancos.");

// A text chosen by the user as an SQL string: in single quotes, every single
// quote inside doubled (O'Brien gives 'O''Brien').
QString QuotedSql(const QString& text);

// The choices of one accounts section on the report page.
struct AccountsChoices {
    int partyStatus = 2; // 0 active parties only, 1 inactive only, other: all
    bool invoices = true;
    bool drafts = true;
    bool debitNotes = true;
    bool creditNotes = true;
    bool pendingNotes = true;
};

// What a run is made of, as the entry points set the report page's boxes
// before building its first statement. The controls cannot change while a run
// lasts (the windows are disabled), so the run keeps them as they were.
struct ReportChoices {
    bool CheckBTransP = true;      // "Transacciones Bancarias"
    bool CheckBCtsxCobrar = false; // "Cuentas por Cobrar"
    bool CheckBCtsxPagar = false;  // "Cuentas por Pagar"
    // The report page's dates, with which the report builds the accounts
    // sections it opens itself (0: no limit).
    core::TDateTime dateFrom = 0;
    core::TDateTime dateTo = 0;
    AccountsChoices receivables;
    AccountsChoices payables;
};

// Where a run reads its data and shows its messages.
struct ReportContext {
    QWidget* parent = nullptr; // messages and the progress form
    QString workFolder;        // where the company table "sempresas.dat" lies
    QString dataFolder;        // the company's tables; ends in the separator
    QString companyName = QStringLiteral("EMPRESA S.A");
    QString companyLine3; // R.I.F.
    QString companyLine4; // N.I.T.
    // "Encabezados resaltados" of the settings.
    bool highlightHeadings = false;
    ReportChoices choices;
};

// The state of one report run.
struct ReportRun {
    ReportRun();
    ~ReportRun();
    ReportRun(const ReportRun&) = delete;
    ReportRun& operator=(const ReportRun&) = delete;

    ReportContext Context;
    // The report being run: failures cancel its pass.
    engine::Report* Report = nullptr;
    // The module window's flag: the first statements built have rows.
    bool ReportHasData = false;

    QString ConditionText; // the condition lines of the bank title, each ending in CR LF
    QString AccountsSql;   // the current accounts section, without ordering
    QString BankDetailSql; // the installment rows, with their ordering
    QString BankSumSql;    // the balance rows, without their grouping
    QString DocPrefix;     // "FCC" or "FCP"
    QString PartyPrefix;   // "FC" or "FP"
    QString AccountsTitle;
    QString GroupKey;
    QString CurrentAccount;
    core::TDateTime DateFrom = 0; // 0: no limit
    core::TDateTime DateTo = 0;

    bool MoreRows = true;
    bool MoreTransactions = true;
    bool MoreParties = true;
    bool MoreAccountsSections = true;
    bool MoreBalances = true;
    bool HighlightHeadings = false;
    bool BankQueryBuilt = false;
    bool RerunBankQuery = false;
    bool RerunAccountsQuery = false;

    core::Currency GroupTotal;
    core::Currency GrandTotal;
    core::Currency ChequeTotal;
    core::Currency DebitNoteTotal;
    core::Currency ChequePaid;
    core::Currency ChequeUnpaid;
    core::Currency DebitNotePaid;
    core::Currency DebitNoteUnpaid;
    core::Currency RowAmount;
    int GroupCount = 0;
    bool AccountChanged = false;

    // The progress form of the pass, or none.
    std::unique_ptr<TNorvaReportesProgressForm> ProgressForm;

    // How far the column headings of the bank title move down to make room
    // for the condition lines (15 pixels a line).
    int TitleShift = 0;

    // The first statement of the run, which every pass starts from: the
    // bank's dates, or the accounts section the run began with.
    core::TDateTime BankDateFrom = 0;
    core::TDateTime BankDateTo = 0;
    struct FirstSection {
        bool valid = false;
        QString sql; // without ordering
        QString docPrefix;
        QString partyPrefix;
        core::TDateTime dateFrom = 0;
        core::TDateTime dateTo = 0;
    } FirstAccounts;

    // Shows the message (error, OK), frees the progress form and cancels the
    // report's pass when one runs.
    void Fail(const QString& message);
    // Frees the progress form.
    void FreeProgress();
    // Starts (creating it when there is none) the progress form at 0 of the
    // rows of the open query, with "Leyendo...".
    void RestartProgress(data::Query& query);
    // One row read: false when the user has cancelled on the progress form.
    bool StepProgress();
};

// The condition on a date column by the run's dates: none when both are 0,
// from the date on when only the first is set, else between the two.
QString DateCondition(const ReportRun& run, const QString& column);
// The parameters the date condition names, from the run's dates.
void BindDates(const ReportRun& run, data::Query& query);
// The rows of the open query (by a count of its own statement).
int RecordCount(const ReportRun& run, const data::Query& query);

// One condition line other than "Condiciones": the bank title's column
// headings move down 15 pixels.
void ShiftTitleHeadings(ReportRun& run);

// Builds the bank statements and opens the installment rows on the query.
// Status: 1 paid, 2 unpaid, other both. Kind: 1 cheques, 2 debit notes,
// other both. Empty texts mean no condition; the account, the beneficiary and
// the kind count only with the filters on. The condition label receives the
// condition lines. True when the statement has rows.
bool BuildBankReportQuery(ReportRun& run, int status, int kind, const QString& account,
                          core::TDateTime from, core::TDateTime to, const QString& beneficiary,
                          bool filters, const QString& transactionKey,
                          engine::ReportLabel* conditionLabel, data::Query& query);

// Builds the statement of an accounts section. It opens it only when the run
// has no bank section with rows and the section's box is ticked; true when it
// was opened and has rows. Party status: 0 active, 1 inactive, other all.
bool BuildAccountsReportQuery(ReportRun& run, int partyStatus, bool invoices, bool drafts,
                              core::TDateTime from, core::TDateTime to, bool debitNotes,
                              bool creditNotes, bool pendingNotes, const QString& head,
                              const QString& docPrefix, const QString& partyPrefix,
                              const QString& pendingCode, const QString& partyName,
                              data::Query& query);
// The same with the report page's choices of the run: receivables ("FCC",
// "FC", "7") or payables ("FCP", "FP", "8").
bool BuildReceivablesReportQuery(ReportRun& run, data::Query& query);
bool BuildPayablesReportQuery(ReportRun& run, data::Query& query);

// Runs one statement with the run's dates. False, after the failure has been
// handled (ReportRun::Fail), when it could not be opened.
bool OpenReportQuery(ReportRun& run, data::Query& query, const QString& statement);

// The column headings of the page header: those of the bank section (stem +
// "1".."4" + "TransP") printed exactly when `bank`, those of the accounts
// sections (stem + "1".."4" + "Cts") exactly when `accounts`.
void ShowSectionHeadings(engine::Report& report, const QString& stem, bool bank, bool accounts);

// The start of every pass: the first statement opened again when a pass ran
// before, the sections the run does not have switched off, the progress form.
void PrepareReportRun(ReportRun& run, data::Query& query, engine::Band* titleChild,
                      engine::Band* transactionHeader, const QString& stem, engine::Report& report,
                      engine::Band* totals, engine::Band* transactionSubtotal,
                      engine::Band* installmentRows);

} // namespace reports

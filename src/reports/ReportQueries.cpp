#include "reports/ReportQueries.h"

#include "accounts/OpenDocuments.h"
#include "data/EngineError.h"
#include "data/Query.h"
#include "platform/MessageBoxService.h"
#include "reports/TNorvaReportesProgressForm.h"
#include "reports/engine/Report.h"

namespace reports {

namespace {

const QString LineEnd = QStringLiteral("\r\n");
const QString ProgressCaption = QStringLiteral("Leyendo...");
constexpr int ProgressWidth = 150;

void addConditionLine(ReportRun& run, const QString& line) {
    run.ConditionText += line + LineEnd;
}

QString orderedBy(const QString& docPrefix) {
    return QStringLiteral(" ORDER BY ") + docPrefix + QStringLiteral("_CODIGO");
}

QString titleOf(const QString& docPrefix) {
    return docPrefix == PayablesPrefix ? PayablesTitle : ReceivablesTitle;
}

bool running(const ReportRun& run) {
    return run.Report && run.Report->isRunning();
}

} // namespace

QString ReceivablesReportHead() {
    return accounts::ReceivablesSelect + accounts::ReceivablesFrom;
}

QString PayablesReportHead() {
    return accounts::PayablesSelect + accounts::PayablesFrom;
}

QString QuotedSql(const QString& text) {
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

// ---- ReportRun

ReportRun::ReportRun() = default;

ReportRun::~ReportRun() = default;

void ReportRun::FreeProgress() {
    ProgressForm.reset();
}

void ReportRun::Fail(const QString& message) {
    FreeProgress();
    platform::showError(Context.parent, message);
    if (Report && Report->isRunning())
        Report->cancel();
}

void ReportRun::RestartProgress(data::Query& query) {
    const bool created = !ProgressForm;
    if (created) {
        ProgressForm = std::make_unique<TNorvaReportesProgressForm>(Context.parent);
        ProgressForm->SetSingleBar(true);
        ProgressForm->resize(ProgressWidth, ProgressForm->height());
    }
    ProgressForm->StartProgress(0, RecordCount(*this, query), false, ProgressCaption, QString(), 1);
    if (created)
        ProgressForm->show();
}

bool ReportRun::StepProgress() {
    return !ProgressForm || ProgressForm->StepProgress(1);
}

// ---- statements

QString DateCondition(const ReportRun& run, const QString& column) {
    if (run.DateFrom != 0 && run.DateTo == 0)
        return QStringLiteral(" AND (") + column + QStringLiteral(" >= :FechaDesde)");
    if (run.DateFrom != 0 || run.DateTo != 0)
        return QStringLiteral(" AND (") + column +
               QStringLiteral(" BETWEEN :FechaDesde and :FechaHasta) ");
    return QString();
}

void BindDates(const ReportRun& run, data::Query& query) {
    // The same two tests as DateCondition, so statement and parameters agree.
    if (run.DateFrom != 0 && run.DateTo == 0) {
        query.setParamDate(QStringLiteral(":FechaDesde"), run.DateFrom);
    } else if (run.DateFrom != 0 || run.DateTo != 0) {
        query.setParamDate(QStringLiteral(":FechaDesde"), run.DateFrom);
        query.setParamDate(QStringLiteral(":FechaHasta"), run.DateTo);
    }
}

int RecordCount(const ReportRun& run, const data::Query& query) {
    if (!query.isOpen())
        return 0;
    try {
        data::Query count;
        count.setDatabaseName(query.databaseName());
        count.addSql(QStringLiteral("SELECT COUNT(*) AS RecordCount FROM (") + query.sql() +
                     QStringLiteral(")"));
        BindDates(run, count);
        count.open();
        const int rows = count.eof() ? 0 : int(count.field(0).asInteger());
        count.close();
        return rows;
    } catch (const std::exception&) {
        return 0;
    }
}

void ShiftTitleHeadings(ReportRun& run) {
    run.TitleShift += 15;
}

bool BuildBankReportQuery(ReportRun& run, int status, int kind, const QString& account,
                          core::TDateTime from, core::TDateTime to, const QString& beneficiary,
                          bool filters, const QString& transactionKey,
                          engine::ReportLabel* conditionLabel, data::Query& query) {
    run.RerunBankQuery = false;
    run.DateFrom = from;
    run.DateTo = to;
    run.BankDateFrom = from;
    run.BankDateTo = to;
    run.ConditionText.clear();
    run.BankSumSql.clear();
    run.BankDetailSql.clear();
    run.TitleShift = 0;
    QString where = BankWhere;

    where += DateCondition(run, QStringLiteral("FGP_FECHAGIRO"));

    if (status == 1) {
        where += QStringLiteral(" AND (FGP_STATUS)");
        addConditionLine(run, QStringLiteral("Condiciones: Pagadas"));
    } else if (status == 2) {
        where += QStringLiteral(" AND NOT(FGP_STATUS)");
        addConditionLine(run, QStringLiteral("Condiciones: Por Pagar"));
    } else {
        addConditionLine(run, QStringLiteral("Condiciones: Por Pagar/Pagadas"));
    }

    if (filters) {
        if (!account.isEmpty()) {
            where +=
                QStringLiteral(" AND (FTP_NROCUENTA = ") + QuotedSql(account) + QStringLiteral(")");
            addConditionLine(run, QStringLiteral("Nro de Cuenta: ") + account);
            ShiftTitleHeadings(run);
        }
        if (!beneficiary.isEmpty()) {
            where += QStringLiteral(" AND (FTP_BENEFICIARIO = ") + QuotedSql(beneficiary) +
                     QStringLiteral(")");
            addConditionLine(run, QStringLiteral("Beneficiario: ") + beneficiary);
            ShiftTitleHeadings(run);
        }
        if (kind == 1) {
            where += QStringLiteral(" AND (FGP_TIPOTRANS = 0)");
            addConditionLine(run, QStringLiteral("Tipo: Cheques"));
        } else if (kind == 2) {
            where += QStringLiteral(" AND (FGP_TIPOTRANS = 1)");
            addConditionLine(run, QStringLiteral("Tipo: Notas de Débito"));
        } else {
            addConditionLine(run, QStringLiteral("Tipo: Cheques/ND"));
        }
        ShiftTitleHeadings(run);
    }

    if (!transactionKey.isEmpty()) {
        // The key is the program's own number; anything else is compared as text.
        bool isNumber = false;
        const qint64 key = transactionKey.trimmed().toLongLong(&isNumber);
        where += QStringLiteral(" AND (FTP_AUTOINCKEY = ") +
                 (isNumber ? QString::number(key) : QuotedSql(transactionKey)) +
                 QStringLiteral(")");
    }

    QString folder = run.Context.dataFolder;
    folder.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    run.BankSumSql = BankSelect + QStringLiteral(", SUM(FGP_MONTOGIRO) AS FGP_MONTOGIRO ") +
                     BankFrom + QStringLiteral(", \"") + folder + FixedTable +
                     QStringLiteral("\"  ") + where;
    run.BankDetailSql = BankSelect + BankFrom + QStringLiteral(", \"") + FixedTable +
                        QStringLiteral("\"  ") + where + BankDetailOrder;

    if (conditionLabel)
        conditionLabel->text = run.ConditionText;
    run.BankQueryBuilt = true;

    query.close();
    query.setDatabaseName(run.Context.dataFolder);
    OpenReportQuery(run, query, run.BankDetailSql);
    return query.isOpen() && !query.eof();
}

bool BuildAccountsReportQuery(ReportRun& run, int partyStatus, bool invoices, bool drafts,
                              core::TDateTime from, core::TDateTime to, bool debitNotes,
                              bool creditNotes, bool pendingNotes, const QString& head,
                              const QString& docPrefix, const QString& partyPrefix,
                              const QString& pendingCode, const QString& partyName,
                              data::Query& query) {
    run.ConditionText.clear();
    run.AccountsSql.clear();
    run.DocPrefix = docPrefix;
    run.PartyPrefix = partyPrefix;
    run.DateFrom = from;
    run.DateTo = to;
    QString sql = head;

    if (!partyName.isEmpty())
        sql += QStringLiteral(" AND (") + partyPrefix + QStringLiteral("_DESCRIPCION = ") +
               QuotedSql(partyName) + QStringLiteral(") ");

    sql += DateCondition(run, docPrefix + QStringLiteral("_FECHAVENCIMIENTO"));

    if (partyStatus == 0)
        sql += QStringLiteral(" AND ") + partyPrefix + QStringLiteral("_STATUS");
    else if (partyStatus == 1)
        sql += QStringLiteral(" AND NOT(") + partyPrefix + QStringLiteral("_STATUS)");

    const bool none = !invoices && !drafts && !debitNotes && !creditNotes && !pendingNotes;
    const bool all = invoices && drafts && debitNotes && creditNotes && pendingNotes;
    const QString typeColumn = docPrefix + QStringLiteral("_TIPOTRANSACCION IN (");
    if (none || all) {
        sql += QStringLiteral(" AND ") + typeColumn + QStringLiteral("1 , 2 , 3 , 5 , ") +
               pendingCode + QStringLiteral(")");
    } else {
        sql += QStringLiteral(" AND ") + typeColumn;
        if (invoices)
            sql += QStringLiteral("1 , ");
        if (drafts)
            sql += QStringLiteral("3 , ");
        if (debitNotes)
            sql += QStringLiteral("2 , ");
        if (creditNotes)
            sql += QStringLiteral("5 , ");
        if (pendingNotes)
            sql += pendingCode + QStringLiteral(" , ");
        // -1 matches no document: it only closes the list.
        sql += QStringLiteral(" -1)");
    }

    run.AccountsSql = sql;

    // A run with a bank section opens its accounts sections itself, after the
    // balance rows.
    const ReportChoices& choices = run.Context.choices;
    if (choices.CheckBTransP && run.ReportHasData)
        return false;

    run.BankQueryBuilt = false;
    query.close();
    query.setDatabaseName(run.Context.dataFolder);
    bool opened = false;
    if (choices.CheckBCtsxCobrar && docPrefix == ReceivablesPrefix)
        opened = OpenReportQuery(run, query, sql + orderedBy(ReceivablesPrefix));
    else if (choices.CheckBCtsxPagar && docPrefix == PayablesPrefix)
        opened = OpenReportQuery(run, query, sql + orderedBy(PayablesPrefix));

    // The statement a run begins with is the one every further pass reopens.
    if (opened && !running(run)) {
        run.FirstAccounts.valid = true;
        run.FirstAccounts.sql = sql;
        run.FirstAccounts.docPrefix = docPrefix;
        run.FirstAccounts.partyPrefix = partyPrefix;
        run.FirstAccounts.dateFrom = from;
        run.FirstAccounts.dateTo = to;
    }
    return query.isOpen() && !query.eof();
}

bool BuildReceivablesReportQuery(ReportRun& run, data::Query& query) {
    const ReportChoices& c = run.Context.choices;
    const AccountsChoices& a = c.receivables;
    return BuildAccountsReportQuery(run, a.partyStatus, a.invoices, a.drafts, c.dateFrom, c.dateTo,
                                    a.debitNotes, a.creditNotes, a.pendingNotes,
                                    ReceivablesReportHead(), ReceivablesPrefix, CustomerPrefix,
                                    accounts::ReceivablesOwnType, QString(), query);
}

bool BuildPayablesReportQuery(ReportRun& run, data::Query& query) {
    const ReportChoices& c = run.Context.choices;
    const AccountsChoices& a = c.payables;
    return BuildAccountsReportQuery(run, a.partyStatus, a.invoices, a.drafts, c.dateFrom, c.dateTo,
                                    a.debitNotes, a.creditNotes, a.pendingNotes,
                                    PayablesReportHead(), PayablesPrefix, SupplierPrefix,
                                    accounts::PayablesOwnType, QString(), query);
}

bool OpenReportQuery(ReportRun& run, data::Query& query, const QString& statement) {
    try {
        query.close();
        query.clearSql();
        query.addSql(statement);
        BindDates(run, query);
        query.open();
        return true;
    } catch (const std::exception&) {
        query.close();
        run.Fail(QueryErrorText);
        return false;
    }
}

void ShowSectionHeadings(engine::Report& report, const QString& stem, bool bank, bool accounts) {
    for (int i = 1; i <= 4; ++i) {
        if (engine::ReportLabel* l =
                report.findLabel(stem + QString::number(i) + QStringLiteral("TransP")))
            l->visible = bank;
        if (engine::ReportLabel* l =
                report.findLabel(stem + QString::number(i) + QStringLiteral("Cts")))
            l->visible = accounts;
    }
}

void PrepareReportRun(ReportRun& run, data::Query& query, engine::Band* titleChild,
                      engine::Band* transactionHeader, const QString& stem, engine::Report& report,
                      engine::Band* totals, engine::Band* transactionSubtotal,
                      engine::Band* installmentRows) {
    const ReportChoices& choices = run.Context.choices;
    if (choices.CheckBTransP && run.BankQueryBuilt) {
        // The accounts sections of an earlier pass changed the dates.
        run.DateFrom = run.BankDateFrom;
        run.DateTo = run.BankDateTo;
        if (run.RerunBankQuery) {
            query.close();
            query.setDatabaseName(run.Context.dataFolder);
            OpenReportQuery(run, query, run.BankDetailSql);
        }
        ShowSectionHeadings(report, stem, true, false);
        run.MoreParties = false;
        run.MoreAccountsSections = false;
    } else {
        const ReportRun::FirstSection& first = run.FirstAccounts;
        if (first.valid) {
            // The section the run began with, with its own ordering and title,
            // whatever section an earlier pass ended in.
            run.MoreBalances = false;
            run.DocPrefix = first.docPrefix;
            run.PartyPrefix = first.partyPrefix;
            run.AccountsSql = first.sql;
            run.DateFrom = first.dateFrom;
            run.DateTo = first.dateTo;
            if (run.RerunAccountsQuery) {
                query.close();
                query.setDatabaseName(run.Context.dataFolder);
                OpenReportQuery(run, query, first.sql + orderedBy(first.docPrefix));
            }
            run.AccountsTitle = titleOf(first.docPrefix);
        } else if (choices.CheckBCtsxCobrar) {
            run.MoreBalances = false;
            if (run.RerunAccountsQuery)
                OpenReportQuery(run, query, run.AccountsSql + orderedBy(ReceivablesPrefix));
            run.AccountsTitle = ReceivablesTitle;
        } else if (choices.CheckBCtsxPagar) {
            run.MoreBalances = false;
            if (run.RerunAccountsQuery)
                OpenReportQuery(run, query, run.AccountsSql + orderedBy(PayablesPrefix));
            run.AccountsTitle = PayablesTitle;
        }
        run.MoreTransactions = false;
        for (engine::Band* band :
             {titleChild, transactionHeader, installmentRows, transactionSubtotal, totals})
            if (band)
                band->enabled = false;
        ShowSectionHeadings(report, stem, false, true);
    }
    if (report.isCancelled())
        return;
    run.FreeProgress();
    run.RestartProgress(query);
    run.CurrentAccount.clear();
}

} // namespace reports

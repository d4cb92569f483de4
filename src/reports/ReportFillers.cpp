#include "reports/ReportFillers.h"

#include "core/Formats.h"
#include "data/Query.h"
#include "data/Table.h"
#include "reports/engine/Report.h"

namespace reports {

namespace {

constexpr qreal DateLineStep = 17;

QString field(data::Query& query, const QString& name) {
    return query.fieldByName(name).asString();
}

QString zeroAmount() {
    return core::format15(core::Currency()).trimmed();
}

} // namespace

bool FillCompanyHeader(ReportRun& run, data::Table& table, ReportLabel& name, ReportLabel& address,
                       ReportLabel& rif, ReportLabel& nit) {
    try {
        table.close();
        table.setDatabaseName(run.Context.workFolder);
        table.setTableName(QStringLiteral("sempresas.Dat"));
        table.open();
        table.first();
        name.text = run.Context.companyName;
        address.text =
            table.eof() ? QString() : table.fieldByName(QStringLiteral("FE_DIRECCION1")).asString();
        rif.text = run.Context.companyLine3;
        nit.text = run.Context.companyLine4;
        table.close();
        return true;
    } catch (const std::exception&) {
        table.close();
        run.Fail(CompanyErrorText);
        return false;
    }
}

void FillDateRange(const ReportRun& run, ReportLabel& fromDate, ReportLabel& fromCaption,
                   ReportLabel& toDate, ReportLabel& toCaption, ReportLabel& condition,
                   const QList<ReportLabel*>& headings, engine::Band& band,
                   const DateRangeLayout& design) {
    qreal toTop = design.toTop;
    qreal conditionTop = design.conditionTop;
    qreal headingsTop = design.headingsTop + run.TitleShift;
    qreal height = design.bandHeight;

    fromCaption.top = fromDate.top = design.fromTop;
    const bool from = run.DateFrom != 0;
    fromCaption.visible = fromDate.visible = from;
    if (from) {
        fromDate.text = core::formatShortDate(run.DateFrom);
    } else {
        toTop = design.fromTop;
        conditionTop = design.toTop;
        headingsTop -= DateLineStep;
        height -= DateLineStep;
    }

    toCaption.top = toDate.top = toTop;
    const bool to = run.DateTo != 0;
    toCaption.visible = toDate.visible = to;
    if (to) {
        toDate.text = core::formatShortDate(run.DateTo);
    } else {
        // The conditions take the place of the last date line printed.
        conditionTop = from ? design.toTop : design.fromTop;
        headingsTop -= DateLineStep;
        height -= DateLineStep;
    }

    condition.top = conditionTop;
    condition.visible = true;
    for (ReportLabel* heading : headings)
        heading->top = headingsTop;
    band.height = height;
}

bool FillTransactionHeader(ReportRun& run, data::Query& query, ReportLabel& account,
                           ReportLabel& description, ReportLabel& bank, ReportLabel& beneficiary) {
    try {
        if (!query.eof()) {
            run.GroupKey = field(query, QStringLiteral("FTP_AUTOINCKEY"));
            account.text = field(query, QStringLiteral("FTP_NROCUENTA"));
            description.text = field(query, QStringLiteral("FTP_DESCRIPCION"));
            beneficiary.text = field(query, QStringLiteral("FTP_BENEFICIARIO"));
            bank.text = field(query, QStringLiteral("FTP_BANCO"));
            run.MoreRows = true;
            run.GroupTotal = core::Currency();
        } else {
            run.MoreTransactions = false;
        }
        return true;
    } catch (const std::exception&) {
        run.Fail(TablesErrorText);
        return false;
    }
}

void FillInstallmentRow(ReportRun& run, data::Query& query, ReportLabel& date, ReportLabel& amount,
                        bool runningTotal, ReportLabel& installment, ReportLabel& status,
                        ReportLabel& kind) {
    date.text =
        core::formatShortDate(query.fieldByName(QStringLiteral("FGP_FECHAGIRO")).asDateTime());
    run.RowAmount = query.fieldByName(QStringLiteral("FGP_MONTOGIRO")).asCurrency();
    run.GrandTotal += run.RowAmount;
    run.GroupTotal += run.RowAmount;
    amount.text = core::format15(runningTotal ? run.GroupTotal : run.RowAmount);

    const bool paid = query.fieldByName(QStringLiteral("FGP_STATUS")).asBoolean();
    const qint64 type = query.fieldByName(QStringLiteral("FGP_TIPOTRANS")).asInteger();
    if (type == 0) {
        kind.text = QStringLiteral("Cheque");
        run.ChequeTotal += run.RowAmount;
        (paid ? run.ChequePaid : run.ChequeUnpaid) += run.RowAmount;
    } else if (type == 1) {
        kind.text = QStringLiteral("Nota de Débito");
        run.DebitNoteTotal += run.RowAmount;
        (paid ? run.DebitNotePaid : run.DebitNoteUnpaid) += run.RowAmount;
    } else {
        kind.text.clear();
    }
    if (type == 0 || type == 1)
        status.text = paid ? QStringLiteral("Pagado") : QStringLiteral("Por Pagar");
    else
        status.text.clear();

    installment.text = field(query, QStringLiteral("FGP_GIRO")) + QStringLiteral(" - ") +
                       field(query, QStringLiteral("FTP_NROGIROS"));
    ++run.GroupCount;
    query.next();
}

bool FillBankBalanceRow(ReportRun& run, data::Query& query, ReportLabel& bank, ReportLabel& account,
                        const QString& stem, engine::Report& report,
                        const std::array<engine::Band*, 5>& accountsBands, ReportLabel& toPay,
                        ReportLabel& balance) {
    try {
        run.AccountChanged = false;
        bank.text = QStringLiteral("-");
        account.text = QStringLiteral("-");
        balance.text = zeroAmount();
        toPay.text = zeroAmount();
        if (!query.eof()) {
            bank.text = field(query, QStringLiteral("FTP_BANCO"));
            account.text = field(query, QStringLiteral("FTP_NROCUENTA"));
            balance.text =
                core::format15(query.fieldByName(QStringLiteral("FX_SALDO")).asCurrency());
            // The unpaid group of an account comes before its paid group.
            toPay.text = query.fieldByName(QStringLiteral("FGP_STATUS")).asBoolean()
                             ? zeroAmount()
                             : core::format15(
                                   query.fieldByName(QStringLiteral("FGP_MONTOGIRO")).asCurrency());
            run.CurrentAccount = account.text;
            query.next();
            while (!query.eof()) {
                if (field(query, QStringLiteral("FTP_NROCUENTA")) != run.CurrentAccount) {
                    run.AccountChanged = true;
                    break;
                }
                query.next();
            }
        }
        if (!query.eof())
            return true;

        // The bank section ends here.
        run.MoreBalances = false;
        query.close();
        query.setDatabaseName(run.Context.dataFolder);
        const ReportChoices& choices = run.Context.choices;
        if (choices.CheckBCtsxCobrar || choices.CheckBCtsxPagar) {
            const bool receivables = choices.CheckBCtsxCobrar;
            run.MoreParties = true;
            run.MoreAccountsSections = true;
            if (receivables)
                BuildReceivablesReportQuery(run, query);
            else
                BuildPayablesReportQuery(run, query);
            const QString prefix = receivables ? ReceivablesPrefix : PayablesPrefix;
            if (!OpenReportQuery(run, query,
                                 run.AccountsSql + QStringLiteral(" ORDER BY ") + prefix +
                                     QStringLiteral("_CODIGO")))
                return false;
            run.RestartProgress(query);
            ShowSectionHeadings(report, stem, false, false);
            run.AccountsTitle = receivables ? ReceivablesTitle : PayablesTitle;
        } else {
            for (engine::Band* band : accountsBands)
                if (band)
                    band->enabled = false;
            run.FreeProgress();
        }
        return true;
    } catch (const std::exception&) {
        run.Fail(BalancesErrorText);
        return false;
    }
}

void FillAccountsTitle(const ReportRun& run, ReportLabel& title, ReportLabel& fromDate,
                       ReportLabel& fromCaption, ReportLabel& toCaption, ReportLabel& toDate) {
    title.text = run.AccountsTitle;
    fromCaption.visible = fromDate.visible = run.DateFrom != 0;
    if (run.DateFrom != 0)
        fromDate.text = core::formatShortDate(run.DateFrom);
    toCaption.visible = toDate.visible = run.DateTo != 0;
    if (run.DateTo != 0)
        toDate.text = core::formatShortDate(run.DateTo);
}

bool FillPartyHeader(ReportRun& run, data::Query& query, ReportLabel& code, ReportLabel& name,
                     ReportLabel& address, ReportLabel& telephone) {
    try {
        if (!query.eof()) {
            run.GroupKey = field(query, run.DocPrefix + QStringLiteral("_CODIGO"));
            code.text = run.GroupKey;
            name.text = field(query, run.PartyPrefix + QStringLiteral("_DESCRIPCION"));
            telephone.text = field(query, run.PartyPrefix + QStringLiteral("_TELEFONO"));
            address.text = field(query, run.PartyPrefix + QStringLiteral("_DIRECCION1"));
            run.MoreRows = true;
            run.GroupTotal = core::Currency();
        } else {
            run.MoreParties = false;
        }
        return true;
    } catch (const std::exception&) {
        run.Fail(TablesErrorText);
        return false;
    }
}

bool FillDocumentRow(ReportRun& run, data::Query& query, ReportLabel& kind, ReportLabel& issue,
                     int& sign, ReportLabel& description, ReportLabel& due) {
    try {
        const bool payables = run.DocPrefix == PayablesPrefix;
        switch (query.fieldByName(run.DocPrefix + QStringLiteral("_TIPOTRANSACCION")).asInteger()) {
        case 1:
            kind.text = QStringLiteral("Factura");
            break;
        case 2:
            kind.text = QStringLiteral("Nota de Débito");
            if (payables)
                sign = -1;
            break;
        case 3:
            kind.text = QStringLiteral("Giro");
            break;
        case 5:
            kind.text = QStringLiteral("Nota de Crédito");
            if (!payables)
                sign = -1;
            break;
        case 7:
        case 8:
            kind.text = QStringLiteral("Nota Pendiente");
            sign = -1;
            break;
        default:
            kind.text.clear();
            break;
        }
        issue.text = field(query, run.DocPrefix + QStringLiteral("_FECHAEMISION"));
        due.text = field(query, run.DocPrefix + QStringLiteral("_FECHAVENCIMIENTO"));
        description.text = field(query, run.DocPrefix + QStringLiteral("_DESCRIPCIONMOV"));
        return true;
    } catch (const std::exception&) {
        run.Fail(RowsErrorText);
        return false;
    }
}

void StartPayablesSection(ReportRun& run, data::Query& query, const QString& stem,
                          engine::Report& report) {
    const ReportChoices& choices = run.Context.choices;
    if (!choices.CheckBCtsxCobrar || !choices.CheckBCtsxPagar || run.DocPrefix == PayablesPrefix) {
        run.MoreAccountsSections = false;
        run.FreeProgress();
        return;
    }
    run.MoreAccountsSections = true;
    run.MoreParties = true;
    BuildPayablesReportQuery(run, query);
    if (report.isCancelled())
        return;
    // The builder opens the statement itself when the run has no bank section;
    // it runs once.
    const QString statement = run.AccountsSql + QStringLiteral(" ORDER BY FCP_CODIGO");
    if (!(query.isOpen() && query.sql() == statement) && !OpenReportQuery(run, query, statement))
        return;
    run.RestartProgress(query);
    ShowSectionHeadings(report, stem, false, true);
    run.AccountsTitle = PayablesTitle;
}

void ApplyHeadingStyle(const ReportRun& run, ReportLabel& label) {
    if (run.HighlightHeadings) {
        label.transparent = false;
        label.frame &= ~ReportLabel::Bottom;
        label.color = QColor(0x00, 0x00, 0x80);
    } else {
        label.transparent = true;
        label.frame |= ReportLabel::Bottom;
        label.color = Qt::black;
    }
}

} // namespace reports

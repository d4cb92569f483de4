#include "reports/TransactionsReportForm.h"

#include "core/Formats.h"
#include "platform/Clock.h"

#include <stdexcept>

namespace reports {

const QString TransactionsReportForm::Stem = QStringLiteral("QRLCabecera");

namespace {

const QColor Silver(0xC0, 0xC0, 0xC0);
const QColor Navy(0x00, 0x00, 0x80);
// Where the position of the paper below which a band starts a new page (mm).
constexpr qreal PageBreakMm = 218.0;

} // namespace

TransactionsReportForm::TransactionsReportForm(const ReportContext& context,
                                               const QString& designName)
    : m_report(QStringLiteral("Transacciones Pendientes")), m_designName(designName) {
    Run.Context = context;
    Run.Report = &m_report;
    m_report.printFirstPageHeader = false;
    m_report.printLastPageFooter = false;
}

TransactionsReportForm::~TransactionsReportForm() {
    Run.FreeProgress();
    Query2.close();
    TableDatos.close();
}

ReportLabel& TransactionsReportForm::Label(const QString& name) const {
    ReportLabel* label = m_report.findLabel(name);
    if (!label)
        throw std::logic_error(("report without the label " + name).toStdString());
    return *label;
}

ReportLabel& TransactionsReportForm::AddText(engine::Band& band, const QString& name,
                                             const QString& text, qreal x, qreal top, qreal width,
                                             int size, bool bold) {
    ReportLabel& label = band.addLabel(name, text, x, top, width);
    label.font.pixelSize = size;
    label.font.bold = bold;
    return label;
}

ReportLabel& TransactionsReportForm::AddAmount(engine::Band& band, const QString& name, qreal x,
                                               qreal top, qreal width, int size, bool lineAbove) {
    ReportLabel& label = AddText(band, name, QString(), x, top, width, size);
    label.align = engine::Align::Right;
    label.amount = true;
    if (lineAbove)
        label.frame = ReportLabel::Top;
    return label;
}

ReportLabel& TransactionsReportForm::AddHeading(engine::Band& band, const QString& name,
                                                const QString& text, qreal x, qreal top,
                                                qreal width, int size, engine::Align align) {
    ReportLabel& label = AddText(band, name, text, x, top, width, size);
    label.align = align;
    label.transparent = false;
    label.background = Silver;
    label.color = Navy;
    label.beforePrint = [this](ReportLabel& l) { ApplyHeadingStyle(Run, l); };
    return label;
}

void TransactionsReportForm::guarded(const QString& message, const std::function<void()>& work) {
    try {
        work();
    } catch (const std::exception&) {
        Run.Fail(message);
    } catch (...) {
        Run.Fail(message);
    }
}

bool TransactionsReportForm::BuildBankReportQuery(int status, int kind, const QString& account,
                                                  core::TDateTime from, core::TDateTime to,
                                                  const QString& beneficiary, bool filters,
                                                  const QString& transactionKey) {
    return reports::BuildBankReportQuery(Run, status, kind, account, from, to, beneficiary, filters,
                                         transactionKey, &Label(QStringLiteral("LFiltro")), Query2);
}

bool TransactionsReportForm::BuildAccountsReportQuery(
    int partyStatus, bool invoices, bool drafts, core::TDateTime from, core::TDateTime to,
    bool debitNotes, bool creditNotes, bool pendingNotes, const QString& head,
    const QString& docPrefix, const QString& partyPrefix, const QString& pendingCode,
    const QString& partyName) {
    return reports::BuildAccountsReportQuery(Run, partyStatus, invoices, drafts, from, to,
                                             debitNotes, creditNotes, pendingNotes, head, docPrefix,
                                             partyPrefix, pendingCode, partyName, Query2);
}

void TransactionsReportForm::AddCompanyTitleLabels(engine::Band& title, qreal left, qreal systemX) {
    AddText(title, QStringLiteral("LNombreEmpresa"), QString(), left, 16, 560, 16, true);
    AddText(title, QStringLiteral("QRLabelRIF"), QStringLiteral("R.I.F:"), left, 44);
    AddText(title, QStringLiteral("LRIFEmpresa"), QString(), left + 42, 44, 90);
    AddText(title, QStringLiteral("QRLabelNIT"), QStringLiteral("N.I.T:"), left + 137, 44);
    AddText(title, QStringLiteral("LNITEmpresa"), QString(), left + 179, 44, 150);
    AddText(title, QStringLiteral("LDireccion"), QString(), left, 69, 560, 12);
    AddText(title, QStringLiteral("QRSysData1"), QString(), systemX, 16);
    AddText(title, QStringLiteral("QRSysData2"), QString(), systemX, 40);
    AddText(title, QStringLiteral("QRSysData3"), QString(), systemX, 64);
}

void TransactionsReportForm::AddBankTotalsLabels(engine::Band& totals, qreal top) {
    AddHeading(totals, QStringLiteral("QRLabelTotales"), QStringLiteral(" Totales"), 303, top, 139,
               12);
    AddHeading(totals, QStringLiteral("QRLabelPagados"), QStringLiteral(" Pagados"), 443, top, 139,
               12);
    AddHeading(totals, QStringLiteral("QRLabelPorPagar"), QStringLiteral(" Por Pagar"), 583, top,
               138, 12);
    AddText(totals, QStringLiteral("QRLabelTotalCheques"), QStringLiteral("Total Cheques:"), 60,
            top + 24);
    AddText(totals, QStringLiteral("QRLabelTotalND"), QStringLiteral("Total Notas de Débito:"), 60,
            top + 48);
    AddText(totals, QStringLiteral("QRLabelTotalTrans"), QStringLiteral("Total Transacciones"), 60,
            top + 72);
    AddAmount(totals, QStringLiteral("QELTotalCheques"), 303, top + 24, 137);
    AddAmount(totals, QStringLiteral("QRLTotalChPagados"), 444, top + 24, 138);
    AddAmount(totals, QStringLiteral("QRLTotalChPagar"), 585, top + 24, 137);
    AddAmount(totals, QStringLiteral("QRLTotalND"), 303, top + 48, 137);
    AddAmount(totals, QStringLiteral("QRLTotalNDPagados"), 444, top + 48, 138);
    AddAmount(totals, QStringLiteral("QRLTotalNDPagar"), 585, top + 48, 137);
    AddAmount(totals, QStringLiteral("QRLTotal2"), 303, top + 72, 137, 11, true);
    AddAmount(totals, QStringLiteral("QRLTotalPagados"), 444, top + 72, 138, 11, true);
    AddAmount(totals, QStringLiteral("QRLTotalPorPagar"), 585, top + 72, 137, 11, true);
    AddHeading(totals, QStringLiteral("QRLabelBancoSaldo"), QStringLiteral(" Banco"), 58, top + 108,
               193, 12);
    AddHeading(totals, QStringLiteral("QRLabelCuentaSaldo"), QStringLiteral(" Numero de Cuenta"),
               252, top + 108, 220, 12);
    AddHeading(totals, QStringLiteral("QRLabelSaldo"), QStringLiteral(" Saldo"), 473, top + 108,
               125, 12);
    AddHeading(totals, QStringLiteral("QRLabelPagarSaldo"), QStringLiteral(" Por Pagar"), 599,
               top + 108, 125, 12);
}

void TransactionsReportForm::AddBalanceRowLabels(engine::Band& row) {
    AddText(row, QStringLiteral("QRLBanco2"), QString(), 58, 3, 193);
    AddText(row, QStringLiteral("QRLNroCuenta2"), QString(), 252, 3, 220);
    AddAmount(row, QStringLiteral("QRLSaldo"), 473, 3, 125);
    AddAmount(row, QStringLiteral("QRLPagarBanco"), 599, 3, 125);
}

bool TransactionsReportForm::Prepare(engine::PageStore& store) {
    Run.Report = &m_report;
    bool done = false;
    try {
        done = m_report.run(store);
    } catch (...) {
        Run.FreeProgress();
        throw;
    }
    Run.FreeProgress();
    return done;
}

void TransactionsReportForm::StartPass() {
    ReportRun& r = Run;
    r.HighlightHeadings = r.Context.highlightHeadings;
    TableDatos.close();
    TableDatos.setTableName(QStringLiteral("sempresas.Dat"));
    Label(QStringLiteral("QRLDesde")).text = QStringLiteral("Desde:");
    Label(QStringLiteral("QRLHasta")).text = QStringLiteral("Hasta:");
    for (const char* name : {"QRLFecha", "QRLTipo", "QRLCuota", "QRLBanco", "QRLDescripcion",
                             "QRLBeneficiario", "QRLStatus", "QRLNroCuenta"})
        Label(QString::fromLatin1(name)).text.clear();
    Label(QStringLiteral("QRLMonto")).text = core::format15(core::Currency()).trimmed();
    r.GroupTotal = r.GrandTotal = r.RowAmount = core::Currency();
    r.ChequeTotal = r.DebitNoteTotal = core::Currency();
    r.ChequePaid = r.DebitNotePaid = r.ChequeUnpaid = r.DebitNoteUnpaid = core::Currency();
    r.GroupCount = 0;
    r.GroupKey.clear();
    for (const char* name : {"QRLDesde", "LFechaIni", "QRLHasta", "LFechaFin", "LFiltro"})
        Label(QString::fromLatin1(name)).visible = true;
    r.MoreRows = r.MoreTransactions = r.MoreParties = r.MoreAccountsSections = r.MoreBalances =
        true;
    // The page breaks are decided again as the pass goes.
    TotalsBand->forceNewPage = false;
    QRSubDTituloCts->forceNewPage = false;
}

void TransactionsReportForm::EndInstallmentGroup() {
    if (Query2.eof() ||
        Query2.fieldByName(QStringLiteral("FTP_AUTOINCKEY")).asString() != Run.GroupKey)
        Run.MoreRows = false;
    if (Query2.eof())
        Run.MoreTransactions = false;
}

void TransactionsReportForm::EndDocumentGroup() {
    if (Query2.eof() ||
        Query2.fieldByName(Run.DocPrefix + QStringLiteral("_CODIGO")).asString() != Run.GroupKey)
        Run.MoreRows = false;
    if (Query2.eof())
        Run.MoreParties = false;
}

bool TransactionsReportForm::StepProgress() {
    if (Run.StepProgress())
        return true;
    m_report.cancel();
    return false;
}

void TransactionsReportForm::FillKindTable() {
    const ReportRun& r = Run;
    const auto set = [this](const char* name, core::Currency value) {
        Label(QString::fromLatin1(name)).text = core::format15(value);
    };
    set("QRLTotal2", r.GrandTotal);
    set("QELTotalCheques", r.ChequeTotal);
    set("QRLTotalND", r.DebitNoteTotal);
    set("QRLTotalChPagados", r.ChequePaid);
    set("QRLTotalChPagar", r.ChequeUnpaid);
    set("QRLTotalNDPagados", r.DebitNotePaid);
    set("QRLTotalNDPagar", r.DebitNoteUnpaid);
    set("QRLTotalPagados", r.ChequePaid + r.DebitNotePaid);
    set("QRLTotalPorPagar", r.ChequeUnpaid + r.DebitNoteUnpaid);
}

void TransactionsReportForm::OpenBankBalances() {
    if (!OpenReportQuery(Run, Query2, Run.BankSumSql + BankBalanceGrouping))
        return;
    // Pages that begin inside the balance rows carry no column headings.
    ShowSectionHeadings(m_report, Stem, false, false);
}

void TransactionsReportForm::WireEvents() {
    m_report.beforePrint = [this](engine::Report&) {
        guarded(TablesErrorText, [this] { QuickRepBeforePrint(); });
    };
    m_report.endPage = [this](engine::Report&) {
        Run.RerunBankQuery = true;
        Run.RerunAccountsQuery = true;
    };

    PageHeaderBand1->beforePrint = [this](engine::Band&) {
        Label(QStringLiteral("QRSysData4")).text =
            QStringLiteral("Pág.     ") + QString::number(m_report.pageNumber());
    };

    TitleBand1->beforePrint = [this](engine::Band&) {
        if (m_printedAt == 0)
            m_printedAt = platform::Clock::instance().now();
        Label(QStringLiteral("QRSysData1")).text =
            QStringLiteral("Fecha: ") + core::formatShortDate(m_printedAt);
        Label(QStringLiteral("QRSysData2")).text =
            QStringLiteral("Hora:    ") + core::formatShortTime(m_printedAt);
        Label(QStringLiteral("QRSysData3")).text =
            QStringLiteral("Pág.     ") + QString::number(m_report.pageNumber());
        FillCompanyHeader(Run, TableDatos, Label(QStringLiteral("LNombreEmpresa")),
                          Label(QStringLiteral("LDireccion")), Label(QStringLiteral("LRIFEmpresa")),
                          Label(QStringLiteral("LNITEmpresa")));
    };

    ChildBandTituloTransP->beforePrint = [this](engine::Band& band) {
        FillDateRange(Run, Label(QStringLiteral("LFechaIni")), Label(QStringLiteral("QRLDesde")),
                      Label(QStringLiteral("LFechaFin")), Label(QStringLiteral("QRLHasta")),
                      Label(QStringLiteral("LFiltro")),
                      {&Label(QStringLiteral("QRLCabDescrip")),
                       &Label(QStringLiteral("QRLCabBanco")), &Label(QStringLiteral("QRLCabNroC")),
                       &Label(QStringLiteral("QRLCabBen"))},
                      band, TitleLayout());
    };

    QRSubDetailCabeceraTransP->needData = [this] { return Run.MoreTransactions; };
    QRSubDetailCabeceraTransP->beforePrint = [this](engine::Band&) {
        FillTransactionHeader(Run, Query2, Label(QStringLiteral("QRLNroCuenta")),
                              Label(QStringLiteral("QRLDescripcion")),
                              Label(QStringLiteral("QRLBanco")),
                              Label(QStringLiteral("QRLBeneficiario")));
    };

    QRSubDetailDatosTransP->needData = [this] { return Run.MoreRows; };
    QRSubDetailDatosTransP->beforePrint = [this](engine::Band&) {
        guarded(InstallmentRowError(), [this] { InstallmentRowBeforePrint(); });
    };

    QRSubDetailTotalTransP->beforePrint = [this](engine::Band&) {
        guarded(TablesErrorText, [this] { TransactionSubtotalBeforePrint(); });
    };
    QRSubDetailTotalTransP->afterPrint = [this](engine::Band&) { TransactionSubtotalAfterPrint(); };

    TotalsBand->beforePrint = [this](engine::Band&) {
        guarded(TablesErrorText, [this] { TotalsBeforePrint(); });
    };

    QRSubDetailSaldoB->needData = [this] { return Run.MoreBalances; };
    QRSubDetailSaldoB->beforePrint = [this](engine::Band&) {
        FillBankBalanceRow(
            Run, Query2, Label(QStringLiteral("QRLBanco2")), Label(QStringLiteral("QRLNroCuenta2")),
            Stem, m_report,
            {QRSubDTituloCts, QRSubDCabeceraCts, QRSubDDatosCts, QRSubDSubtotalCts, QRSubDtotalCts},
            Label(QStringLiteral("QRLPagarBanco")), Label(QStringLiteral("QRLSaldo")));
    };
    QRSubDetailSaldoB->afterPrint = [this](engine::Band&) {
        QRSubDTituloCts->forceNewPage = m_report.printPositionMm() > PageBreakMm;
    };

    QRSubDTituloCts->needData = [this] { return Run.MoreAccountsSections; };
    QRSubDTituloCts->beforePrint = [this](engine::Band&) {
        FillAccountsTitle(Run, Label(QStringLiteral("QRLTitulosCts")),
                          Label(QStringLiteral("LFechaIni1")), Label(QStringLiteral("QRLDesde1")),
                          Label(QStringLiteral("QRLHasta1")), Label(QStringLiteral("LFechaFin1")));
    };

    QRSubDCabeceraCts->needData = [this] { return Run.MoreParties; };
    QRSubDCabeceraCts->beforePrint = [this](engine::Band&) {
        FillPartyHeader(Run, Query2, Label(QStringLiteral("QRLCodigo")),
                        Label(QStringLiteral("QRLDescripcion2")),
                        Label(QStringLiteral("QRLDireccion")),
                        Label(QStringLiteral("QRLTelefono")));
    };

    QRSubDDatosCts->needData = [this] { return Run.MoreRows; };
    QRSubDDatosCts->beforePrint = [this](engine::Band&) {
        guarded(DocumentRowError(), [this] { DocumentRowBeforePrint(); });
    };

    QRSubDSubtotalCts->beforePrint = [this](engine::Band&) {
        guarded(TablesErrorText, [this] { PartySubtotalBeforePrint(); });
    };

    QRSubDtotalCts->beforePrint = [this](engine::Band&) {
        guarded(TablesErrorText, [this] { SectionTotalBeforePrint(); });
    };
}

} // namespace reports

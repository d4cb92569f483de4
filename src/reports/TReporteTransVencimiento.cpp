#include "reports/TReporteTransVencimiento.h"

#include "core/Formats.h"
#include "platform/Clock.h"

#include <cmath>

namespace reports {

namespace {

// The aging columns: x of the bank column and of the accounts column.
constexpr qreal BankColumnX[TReporteTransVencimiento::ColumnCount] = {249, 334, 419, 504, 589};
constexpr qreal AccountsColumnX[TReporteTransVencimiento::ColumnCount] = {255, 340, 425, 510, 595};
constexpr qreal ColumnWidth = 84;
constexpr int DataSize = 9;

const QString BankRowPrefix = QStringLiteral("QRLVencidoB");
const QString BankRowOther = QStringLiteral("QRLxVencerB");
const QString AccountsRowPrefix = QStringLiteral("QRLVencidoCts");
const QString AccountsRowOther = QStringLiteral("QRLxVencerCts");

} // namespace

TReporteTransVencimiento::TReporteTransVencimiento(const ReportContext& context,
                                                   std::function<AgingSetup()> aging)
    : TransactionsReportForm(context, QStringLiteral("ReporteTransVencimiento")),
      m_agingSource(std::move(aging)) {
    m_report.marginsMm = QMarginsF(5, 10, 4, 10);
    m_report.font.pixelSize = 13;
    layOut();
    WireEvents();
}

TReporteTransVencimiento::~TReporteTransVencimiento() = default;

void TReporteTransVencimiento::agingLabels(engine::Band& band, const QString& other,
                                           const QString& prefix, qreal top, bool accounts,
                                           bool lineAbove) {
    const qreal* xs = accounts ? AccountsColumnX : BankColumnX;
    AddAmount(band, other, xs[0], top, ColumnWidth, DataSize, lineAbove);
    for (int i = 1; i < ColumnCount; ++i)
        AddAmount(band, prefix + QString::number(i), xs[i], top, ColumnWidth, DataSize, lineAbove);
}

void TReporteTransVencimiento::layOut() {
    using engine::Align;
    engine::Report& r = m_report;

    PageHeaderBand1 = &r.addPageHeader(QStringLiteral("PageHeaderBand1"), 67);
    AddText(*PageHeaderBand1, QStringLiteral("QRLabelTituloPagina"),
            QStringLiteral("Transacciones Pendientes"), 15, 10, 0, 16, true);
    AddText(*PageHeaderBand1, QStringLiteral("QRSysData4"), QString(), 660, 10);
    AddHeading(*PageHeaderBand1, QStringLiteral("QRLCabecera1TransP"),
               QStringLiteral(" Descripción"), 3, 50, 189);
    AddHeading(*PageHeaderBand1, QStringLiteral("QRLCabecera2TransP"), QStringLiteral(" Banco"),
               193, 50, 201);
    AddHeading(*PageHeaderBand1, QStringLiteral("QRLCabecera3TransP"),
               QStringLiteral(" Nro. de Cuenta"), 395, 50, 167);
    AddHeading(*PageHeaderBand1, QStringLiteral("QRLCabecera4TransP"),
               QStringLiteral(" Beneficiario"), 563, 50, 204);
    AddHeading(*PageHeaderBand1, QStringLiteral("QRLCabecera1Cts"), QStringLiteral(" Código"), 3,
               50, 59);
    AddHeading(*PageHeaderBand1, QStringLiteral("QRLCabecera2Cts"), QStringLiteral(" Descripción"),
               63, 50, 189);
    AddHeading(*PageHeaderBand1, QStringLiteral("QRLCabecera3Cts"), QStringLiteral("Teléfono"), 253,
               50, 138);
    AddHeading(*PageHeaderBand1, QStringLiteral("QRLCabecera4Cts"), QStringLiteral(" Dirección"),
               392, 50, 375);

    TitleBand1 = &r.addTitle(QStringLiteral("TitleBand1"), 87);
    AddCompanyTitleLabels(*TitleBand1, 3, 644);

    ChildBandTituloTransP = &r.addChild(*TitleBand1, QStringLiteral("ChildBandTituloTransP"), 105);
    engine::Band& child = *ChildBandTituloTransP;
    AddText(child, QStringLiteral("QRLabelTituloTransP"),
            QStringLiteral("Transacciones Pendientes"), 3, 8, 0, 16, true);
    AddText(child, QStringLiteral("QRLabelBanco"), QStringLiteral("Banco"), 3, 32, 0, 16, true);
    AddText(child, QStringLiteral("QRLDesde"), QStringLiteral("Desde:"), 3, 53, 0, 13);
    AddText(child, QStringLiteral("LFechaIni"), QString(), 56, 53, 0, 13);
    AddText(child, QStringLiteral("QRLHasta"), QStringLiteral("Hasta:"), 3, 71, 0, 13);
    AddText(child, QStringLiteral("LFechaFin"), QString(), 56, 71, 0, 13);
    AddText(child, QStringLiteral("LFiltro"), QString(), 3, 87, 500, 13);
    AddHeading(child, QStringLiteral("QRLCabDescrip"), QStringLiteral(" Descripción"), 3, 106, 189);
    AddHeading(child, QStringLiteral("QRLCabBanco"), QStringLiteral(" Banco"), 193, 106, 201);
    AddHeading(child, QStringLiteral("QRLCabNroC"), QStringLiteral(" Nro. de Cuenta"), 395, 106,
               167);
    AddHeading(child, QStringLiteral("QRLCabBen"), QStringLiteral(" Beneficiario"), 563, 106, 199);

    QRSubDetailCabeceraTransP = &r.addSubDetail(QStringLiteral("QRSubDetailCabeceraTransP"), 35);
    engine::Band& header = *QRSubDetailCabeceraTransP;
    AddText(header, QStringLiteral("QRLDescripcion"), QString(), 3, 2, 189);
    AddText(header, QStringLiteral("QRLBanco"), QString(), 193, 2, 201);
    AddText(header, QStringLiteral("QRLNroCuenta"), QString(), 395, 2, 167);
    AddText(header, QStringLiteral("QRLBeneficiario"), QString(), 563, 2, 198);
    AddHeading(header, QStringLiteral("QRLabelTipo"), QStringLiteral(" Tipo"), 3, 18, 64, DataSize);
    AddHeading(header, QStringLiteral("QRLabelFecha"), QStringLiteral(" Fecha"), 68, 18, 59,
               DataSize);
    AddHeading(header, QStringLiteral("QRLabelCuota"), QStringLiteral(" Cuota"), 128, 18, 54,
               DataSize);
    AddHeading(header, QStringLiteral("QRLabelStatus"), QStringLiteral("Status"), 183, 18, 65,
               DataSize, Align::Center);
    AddHeading(header, QStringLiteral("QRLabel13"), QStringLiteral(" Por Vencer"), BankColumnX[0],
               18, ColumnWidth, DataSize, Align::Right);
    const char* designed[] = {" Vencido 1..30", " Vencido 31..60", " Vencido 61..90", " Mas de 91"};
    for (int i = 1; i < ColumnCount; ++i)
        AddHeading(header, QStringLiteral("QRLVencidB%1").arg(i),
                   QString::fromLatin1(designed[i - 1]), BankColumnX[i], 18, ColumnWidth, DataSize,
                   Align::Right);
    AddHeading(header, QStringLiteral("QRLabelTotal"), QStringLiteral(" Total"), 674, 18, 84,
               DataSize, Align::Right);

    QRSubDetailDatosTransP =
        &r.addSubDetail(QStringLiteral("QRSubDetailDatosTransP"), 19, QRSubDetailCabeceraTransP);
    engine::Band& rows = *QRSubDetailDatosTransP;
    AddText(rows, QStringLiteral("QRLTipo"), QString(), 3, 3, 64, DataSize);
    AddText(rows, QStringLiteral("QRLFecha"), QString(), 69, 3, 58, DataSize);
    AddText(rows, QStringLiteral("QRLCuota"), QString(), 128, 3, 53, DataSize);
    AddText(rows, QStringLiteral("QRLStatus"), QString(), 183, 3, 65, DataSize).align =
        Align::Center;
    agingLabels(rows, BankRowOther, BankRowPrefix, 3, false, false);
    AddAmount(rows, QStringLiteral("QRLMonto"), 673, 3, 83, DataSize);

    QRSubDetailTotalTransP =
        &r.addSubDetail(QStringLiteral("QRSubDetailTotalTransP"), 34, QRSubDetailCabeceraTransP);
    AddText(*QRSubDetailTotalTransP, QStringLiteral("QRLRegistros"), QString(), 19, 8, 220);
    agingLabels(*QRSubDetailTotalTransP, QStringLiteral("QRLSTxVencerB"),
                QStringLiteral("QRLSTVencidoB"), 8, false, true);
    AddAmount(*QRSubDetailTotalTransP, QStringLiteral("QRLSubTotalB"), 673, 8, 84, DataSize, true);

    // The totals band: the aging totals of the bank section at the top, the
    // kind and status table and the balance headings 36 pixels lower than in
    // the pending transactions report.
    TotalsBand = &r.addSubDetail(QStringLiteral("QRSubDetail4"), 181);
    engine::Band& totals = *TotalsBand;
    agingLabels(totals, QStringLiteral("QRLTxVencerB"), QStringLiteral("QRLTVencidoB"), 4, false,
                true);
    AddAmount(totals, QStringLiteral("QRLTotalB"), 674, 4, 84, DataSize, true);
    AddBankTotalsLabels(totals, 55);

    QRSubDetailSaldoB = &r.addSubDetail(QStringLiteral("QRSubDetailSaldoB"), 20, TotalsBand);
    AddBalanceRowLabels(*QRSubDetailSaldoB);

    QRSubDTituloCts = &r.addSubDetail(QStringLiteral("QRSubDTituloCts"), 94);
    engine::Band& title = *QRSubDTituloCts;
    AddText(title, QStringLiteral("QRLTitulosCts"), QString(), 4, 15, 0, 16, true);
    AddText(title, QStringLiteral("QRLDesde1"), QStringLiteral("Desde:"), 4, 38, 0, 13);
    AddText(title, QStringLiteral("LFechaIni1"), QString(), 57, 38, 0, 13);
    AddText(title, QStringLiteral("QRLHasta1"), QStringLiteral("Hasta:"), 4, 56, 0, 13);
    AddText(title, QStringLiteral("LFechaFin1"), QString(), 57, 56, 0, 13);
    AddHeading(title, QStringLiteral("QRLabelCodigoCts"), QStringLiteral(" Código"), 3, 78, 59);
    AddHeading(title, QStringLiteral("QRLabelDescripCts"), QStringLiteral(" Descripción"), 63, 78,
               189);
    AddHeading(title, QStringLiteral("QRLabelTelefonoCts"), QStringLiteral("Teléfono"), 253, 78,
               138);
    AddHeading(title, QStringLiteral("QRLabelDireccionCts"), QStringLiteral(" Dirección"), 392, 78,
               375);

    QRSubDCabeceraCts = &r.addSubDetail(QStringLiteral("QRSubDCabeceraCts"), 34, QRSubDTituloCts);
    engine::Band& party = *QRSubDCabeceraCts;
    AddText(party, QStringLiteral("QRLCodigo"), QString(), 3, 1, 59);
    AddText(party, QStringLiteral("QRLDescripcion2"), QString(), 63, 1, 188);
    AddText(party, QStringLiteral("QRLTelefono"), QString(), 253, 1, 138);
    AddText(party, QStringLiteral("QRLDireccion"), QString(), 392, 1, 375);
    AddHeading(party, QStringLiteral("QRLabelOperacion"), QStringLiteral(" Operación"), 3, 18, 59,
               DataSize);
    AddHeading(party, QStringLiteral("QRLabelEmision"), QStringLiteral(" Emisión"), 63, 18, 60,
               DataSize);
    AddHeading(party, QStringLiteral("QRLabelVencimiento"), QStringLiteral(" Vencimiento"), 124, 18,
               61, DataSize);
    AddHeading(party, QStringLiteral("QRLabelDescripcion3"), QStringLiteral(" Descripción"), 186,
               18, 68, DataSize);
    AddHeading(party, QStringLiteral("QRLabel17"), QStringLiteral(" Por Vencer"),
               AccountsColumnX[0], 18, ColumnWidth, DataSize, Align::Right);
    for (int i = 1; i < ColumnCount; ++i)
        AddHeading(party, QStringLiteral("QRLVencidCts%1").arg(i),
                   QString::fromLatin1(designed[i - 1]), AccountsColumnX[i], 18, ColumnWidth,
                   DataSize, Align::Right);
    AddHeading(party, QStringLiteral("QRLabelMonto2"), QStringLiteral(" Monto"), 680, 18, 84,
               DataSize, Align::Right);

    QRSubDDatosCts = &r.addSubDetail(QStringLiteral("QRSubDDatosCts"), 19, QRSubDCabeceraCts);
    engine::Band& docs = *QRSubDDatosCts;
    AddText(docs, QStringLiteral("QRLOperacion"), QString(), 3, 3, 60, DataSize);
    AddText(docs, QStringLiteral("QRLEmision"), QString(), 63, 3, 60, DataSize);
    AddText(docs, QStringLiteral("QRLVencimiento"), QString(), 124, 3, 61, DataSize);
    AddText(docs, QStringLiteral("QRLDescripcion3"), QString(), 186, 3, 68, DataSize);
    agingLabels(docs, AccountsRowOther, AccountsRowPrefix, 3, true, false);
    AddAmount(docs, QStringLiteral("QRLMonto2"), 680, 3, 84, DataSize);

    QRSubDSubtotalCts = &r.addSubDetail(QStringLiteral("QRSubDSubtotalCts"), 29, QRSubDCabeceraCts);
    AddText(*QRSubDSubtotalCts, QStringLiteral("QRLRegistros2"), QString(), 19, 6, 220);
    agingLabels(*QRSubDSubtotalCts, QStringLiteral("QRLSTxVencerCts"),
                QStringLiteral("QRLSTVencidoCts"), 6, true, true);
    AddAmount(*QRSubDSubtotalCts, QStringLiteral("QRLSubTotalCts"), 679, 6, 84, DataSize, true);

    QRSubDtotalCts = &r.addSubDetail(QStringLiteral("QRSubDtotalCts"), 46, QRSubDTituloCts);
    AddText(*QRSubDtotalCts, QStringLiteral("QRLabelTotalCts"), QStringLiteral("Total"), 150, 17,
            100)
        .align = Align::Right;
    agingLabels(*QRSubDtotalCts, QStringLiteral("QRLTxVencerCts"), QStringLiteral("QRLTVencidoCts"),
                17, true, true);
    AddAmount(*QRSubDtotalCts, QStringLiteral("QRLTotalCts"), 680, 17, 84, DataSize, true);

    QRBand1 = &r.addPageFooter(QStringLiteral("QRBand1"), 36);
}

DateRangeLayout TReporteTransVencimiento::TitleLayout() const {
    return DateRangeLayout{53, 71, 87, 106, 105};
}

QString TReporteTransVencimiento::InstallmentRowError() const {
    return RowsErrorText + QStringLiteral(".3");
}

QString TReporteTransVencimiento::DocumentRowError() const {
    return RowsErrorText + QStringLiteral(".7");
}

void TReporteTransVencimiento::SetAgingDates(core::TDateTime itemDate, core::TDateTime today) {
    if (m_aging.analysis == accounts::DueAnalysis::PorVencer) {
        LaterDate = itemDate;
        EarlierDate = today;
    } else {
        LaterDate = today;
        EarlierDate = itemDate;
    }
}

int TReporteTransVencimiento::dayCountOf(core::TDateTime itemDate) {
    SetAgingDates(itemDate, platform::Clock::instance().today());
    DayCount = int(std::trunc(LaterDate - EarlierDate));
    return DayCount;
}

int TReporteTransVencimiento::AgingColumn(int d) const {
    const accounts::DueRangeBounds& b = m_aging.bounds;
    if (b.EVencen1 <= d && d <= b.EVencen2)
        return 1;
    if (b.EVencen3 <= d && d <= b.EVencen4)
        return 2;
    if (b.EVencen5 <= d && d <= b.EVencen6)
        return 3;
    if (d < b.EVencen7)
        return 0;
    return 4;
}

void TReporteTransVencimiento::PlaceInAgingColumn(int dayCount, const QString& rowPrefix,
                                                  core::Currency amount, const QString& otherName) {
    const int column = AgingColumn(dayCount);
    Label(column == 0 ? otherName : rowPrefix + QString::number(column)).text =
        core::format15(amount);
    AgingSubtotals[column] += amount;
}

void TReporteTransVencimiento::ShowAgingAmount(const QString& prefix, const QString& suffix,
                                               core::Currency amount) {
    Label(prefix + suffix).text = amount.isZero() ? QString() : core::format15(amount);
}

void TReporteTransVencimiento::showAgingSet(
    const QString& other, const QString& prefix,
    const std::array<core::Currency, ColumnCount>& amounts) {
    ShowAgingAmount(other, QString(), amounts[0]);
    for (int i = 1; i < ColumnCount; ++i)
        ShowAgingAmount(prefix, QString::number(i), amounts[i]);
}

void TReporteTransVencimiento::clearRow(const QString& other, const QString& prefix) {
    Label(other).text.clear();
    for (int i = 1; i < ColumnCount; ++i)
        Label(prefix + QString::number(i)).text.clear();
}

void TReporteTransVencimiento::QuickRepBeforePrint() {
    StartPass();
    RowBalance = SectionTotal = core::Currency();
    AgingSubtotals.fill(core::Currency());
    AgingTotals.fill(core::Currency());
    if (m_agingSource)
        m_aging = m_agingSource();

    // The column headings follow the analysis type and the bounds.
    const bool overdue = m_aging.analysis != accounts::DueAnalysis::PorVencer;
    RangeWord = overdue ? QStringLiteral(" Vencido ") : QStringLiteral(" Por Vencer ");
    OtherWord = overdue ? QStringLiteral(" Por Vencer ") : QStringLiteral(" Vencido ");
    Label(QStringLiteral("QRLabel13")).text = OtherWord;
    Label(QStringLiteral("QRLabel17")).text = OtherWord;
    const QStringList& t = m_aging.texts;
    const QString range[] = {RangeWord + t.value(0) + QStringLiteral("..") + t.value(1),
                             RangeWord + t.value(2) + QStringLiteral("..") + t.value(3),
                             RangeWord + t.value(4) + QStringLiteral("..") + t.value(5),
                             QStringLiteral(" Mas de ") + t.value(6)};
    for (int i = 1; i < ColumnCount; ++i) {
        Label(QStringLiteral("QRLVencidB%1").arg(i)).text = range[i - 1];
        Label(QStringLiteral("QRLVencidCts%1").arg(i)).text = range[i - 1];
    }

    PrepareReportRun(Run, Query2, ChildBandTituloTransP, QRSubDetailCabeceraTransP, Stem, m_report,
                     TotalsBand, QRSubDetailTotalTransP, QRSubDetailDatosTransP);
}

void TReporteTransVencimiento::InstallmentRowBeforePrint() {
    clearRow(BankRowOther, BankRowPrefix);
    if (!Query2.eof()) {
        const int days =
            dayCountOf(Query2.fieldByName(QStringLiteral("FGP_FECHAGIRO")).asDateTime());
        FillInstallmentRow(Run, Query2, Label(QStringLiteral("QRLFecha")),
                           Label(QStringLiteral("QRLMonto")), true,
                           Label(QStringLiteral("QRLCuota")), Label(QStringLiteral("QRLStatus")),
                           Label(QStringLiteral("QRLTipo")));
        PlaceInAgingColumn(days, BankRowPrefix, Run.RowAmount, BankRowOther);
    }
    if (!StepProgress())
        return;
    EndInstallmentGroup();
}

void TReporteTransVencimiento::TransactionSubtotalBeforePrint() {
    showAgingSet(QStringLiteral("QRLSTxVencerB"), QStringLiteral("QRLSTVencidoB"), AgingSubtotals);
    Label(QStringLiteral("QRLSubTotalB")).text = core::format15(Run.GroupTotal);
    Label(QStringLiteral("QRLRegistros")).text =
        QStringLiteral("Total Transacciones : ") + QString::number(Run.GroupCount);
    Run.GroupCount = 0;
    for (int i = 0; i < ColumnCount; ++i)
        AgingTotals[i] += AgingSubtotals[i];
    AgingSubtotals.fill(core::Currency());
}

void TReporteTransVencimiento::TotalsBeforePrint() {
    Label(QStringLiteral("QRLBanco2")).text.clear();
    Label(QStringLiteral("QRLNroCuenta2")).text.clear();
    Label(QStringLiteral("QRLSaldo")).text.clear();
    Label(QStringLiteral("QRLPagarBanco")).text.clear();
    FillKindTable();
    Label(QStringLiteral("QRLTotalB")).text = core::format15(Run.GrandTotal);
    showAgingSet(QStringLiteral("QRLTxVencerB"), QStringLiteral("QRLTVencidoB"), AgingTotals);
    AgingTotals.fill(core::Currency());
    OpenBankBalances();
}

void TReporteTransVencimiento::DocumentRowBeforePrint() {
    clearRow(AccountsRowOther, AccountsRowPrefix);
    int sign = 1;
    ShowSectionHeadings(m_report, Stem, false, true);
    if (!Query2.eof()) {
        const int days = dayCountOf(
            Query2.fieldByName(Run.DocPrefix + QStringLiteral("_FECHAVENCIMIENTO")).asDateTime());
        if (!FillDocumentRow(Run, Query2, Label(QStringLiteral("QRLOperacion")),
                             Label(QStringLiteral("QRLEmision")), sign,
                             Label(QStringLiteral("QRLDescripcion3")),
                             Label(QStringLiteral("QRLVencimiento"))))
            return;
        RowBalance =
            Query2.fieldByName(Run.DocPrefix + QStringLiteral("_SALDODOCUMENTO")).asCurrency();
        if (sign < 0)
            RowBalance = -RowBalance;
        Run.GroupTotal += RowBalance;
        Label(QStringLiteral("QRLMonto2")).text = core::format15(Run.GroupTotal);
        PlaceInAgingColumn(days, AccountsRowPrefix, RowBalance, AccountsRowOther);
        ++Run.GroupCount;
        Query2.next();
    }
    if (!StepProgress())
        return;
    EndDocumentGroup();
}

void TReporteTransVencimiento::PartySubtotalBeforePrint() {
    showAgingSet(QStringLiteral("QRLSTxVencerCts"), QStringLiteral("QRLSTVencidoCts"),
                 AgingSubtotals);
    Label(QStringLiteral("QRLSubTotalCts")).text = core::format15(Run.GroupTotal);
    Label(QStringLiteral("QRLRegistros2")).text =
        QStringLiteral("Total Transacciones : ") + QString::number(Run.GroupCount);
    SectionTotal += Run.GroupTotal;
    Run.GroupCount = 0;
    for (int i = 0; i < ColumnCount; ++i)
        AgingTotals[i] += AgingSubtotals[i];
    AgingSubtotals.fill(core::Currency());
}

void TReporteTransVencimiento::SectionTotalBeforePrint() {
    showAgingSet(QStringLiteral("QRLTxVencerCts"), QStringLiteral("QRLTVencidoCts"), AgingTotals);
    AgingTotals.fill(core::Currency());
    Label(QStringLiteral("QRLTotalCts")).text = core::format15(SectionTotal);
    SectionTotal = core::Currency();
    StartPayablesSection(Run, Query2, Stem, m_report);
}

} // namespace reports

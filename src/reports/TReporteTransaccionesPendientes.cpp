#include "reports/TReporteTransaccionesPendientes.h"

#include "core/Formats.h"

namespace reports {

namespace {

constexpr qreal PageBreakMm = 218.0;

} // namespace

TReporteTransaccionesPendientes::TReporteTransaccionesPendientes(const ReportContext& context)
    : TransactionsReportForm(context, QStringLiteral("ReporteTransaccionesPendientes")) {
    m_report.marginsMm = QMarginsF(10, 10, 10, 10);
    m_report.font.pixelSize = 13;
    layOut();
    WireEvents();
}

TReporteTransaccionesPendientes::~TReporteTransaccionesPendientes() = default;

void TReporteTransaccionesPendientes::layOut() {
    using engine::Align;
    engine::Report& r = m_report;

    // Top of every page but the first.
    PageHeaderBand1 = &r.addPageHeader(QStringLiteral("PageHeaderBand1"), 68);
    AddText(*PageHeaderBand1, QStringLiteral("QRLabelTituloPagina"),
            QStringLiteral("Transacciones Pendientes"), 15, 10, 0, 16, true);
    AddText(*PageHeaderBand1, QStringLiteral("QRSysData4"), QString(), 633, 10);
    AddHeading(*PageHeaderBand1, QStringLiteral("QRLCabecera1TransP"),
               QStringLiteral(" Descripción"), 16, 50, 153);
    AddHeading(*PageHeaderBand1, QStringLiteral("QRLCabecera2TransP"), QStringLiteral(" Banco"),
               171, 50, 174);
    AddHeading(*PageHeaderBand1, QStringLiteral("QRLCabecera3TransP"),
               QStringLiteral(" Nro. de Cuenta"), 347, 50, 166);
    AddHeading(*PageHeaderBand1, QStringLiteral("QRLCabecera4TransP"),
               QStringLiteral(" Beneficiario"), 515, 50, 206);
    AddHeading(*PageHeaderBand1, QStringLiteral("QRLCabecera1Cts"), QStringLiteral(" Código"), 16,
               50, 57);
    AddHeading(*PageHeaderBand1, QStringLiteral("QRLCabecera2Cts"), QStringLiteral(" Descripción"),
               74, 50, 189);
    AddHeading(*PageHeaderBand1, QStringLiteral("QRLCabecera3Cts"), QStringLiteral("Teléfono"), 264,
               50, 138);
    AddHeading(*PageHeaderBand1, QStringLiteral("QRLCabecera4Cts"), QStringLiteral(" Dirección"),
               403, 50, 318);

    // Once, at the top of the first page.
    TitleBand1 = &r.addTitle(QStringLiteral("TitleBand1"), 87);
    AddCompanyTitleLabels(*TitleBand1, 15, 583);

    // The bank section's title, after the title band.
    ChildBandTituloTransP = &r.addChild(*TitleBand1, QStringLiteral("ChildBandTituloTransP"), 104);
    engine::Band& child = *ChildBandTituloTransP;
    AddText(child, QStringLiteral("QRLabelTituloTransP"),
            QStringLiteral("Transacciones Pendientes"), 15, 8, 0, 16, true);
    AddText(child, QStringLiteral("QRLabelBanco"), QStringLiteral("Banco"), 15, 32, 0, 16, true);
    AddText(child, QStringLiteral("QRLDesde"), QStringLiteral("Desde:"), 15, 53, 0, 13);
    AddText(child, QStringLiteral("LFechaIni"), QString(), 68, 53, 0, 13);
    AddText(child, QStringLiteral("QRLHasta"), QStringLiteral("Hasta:"), 15, 71, 0, 13);
    AddText(child, QStringLiteral("LFechaFin"), QString(), 68, 71, 0, 13);
    AddText(child, QStringLiteral("LFiltro"), QString(), 15, 87, 500, 13);
    AddHeading(child, QStringLiteral("QRLCabDescrip"), QStringLiteral(" Descripción"), 17, 107,
               153);
    AddHeading(child, QStringLiteral("QRLCabBanco"), QStringLiteral(" Banco"), 171, 107, 175);
    AddHeading(child, QStringLiteral("QRLCabNroC"), QStringLiteral(" Nro. de Cuenta"), 347, 107,
               167);
    AddHeading(child, QStringLiteral("QRLCabBen"), QStringLiteral(" Beneficiario"), 515, 107, 206);

    // A transaction: its header, its installments and its subtotal.
    QRSubDetailCabeceraTransP = &r.addSubDetail(QStringLiteral("QRSubDetailCabeceraTransP"), 35);
    engine::Band& header = *QRSubDetailCabeceraTransP;
    AddText(header, QStringLiteral("QRLDescripcion"), QString(), 18, 2, 151);
    AddText(header, QStringLiteral("QRLBanco"), QString(), 171, 2, 173);
    AddText(header, QStringLiteral("QRLNroCuenta"), QString(), 346, 2, 167);
    AddText(header, QStringLiteral("QRLBeneficiario"), QString(), 514, 2, 206);
    AddHeading(header, QStringLiteral("QRLabelTipo"), QStringLiteral(" Tipo"), 17, 18, 117);
    AddHeading(header, QStringLiteral("QRLabelFecha"), QStringLiteral(" Fecha"), 135, 18, 117);
    AddHeading(header, QStringLiteral("QRLabelCuota"), QStringLiteral(" Cuota"), 253, 18, 120);
    AddHeading(header, QStringLiteral("QRLabelStatus"), QStringLiteral("Status"), 374, 18, 127, 11,
               Align::Center);
    AddHeading(header, QStringLiteral("QRLabelMonto"), QStringLiteral(" Monto"), 502, 18, 219);

    QRSubDetailDatosTransP =
        &r.addSubDetail(QStringLiteral("QRSubDetailDatosTransP"), 19, QRSubDetailCabeceraTransP);
    engine::Band& rows = *QRSubDetailDatosTransP;
    AddText(rows, QStringLiteral("QRLTipo"), QString(), 19, 3, 113);
    AddText(rows, QStringLiteral("QRLFecha"), QString(), 137, 3, 109);
    AddText(rows, QStringLiteral("QRLCuota"), QString(), 258, 3, 110);
    AddText(rows, QStringLiteral("QRLStatus"), QString(), 373, 3, 122).align = Align::Center;
    AddAmount(rows, QStringLiteral("QRLMonto"), 500, 3, 222);

    QRSubDetailTotalTransP =
        &r.addSubDetail(QStringLiteral("QRSubDetailTotalTransP"), 34, QRSubDetailCabeceraTransP);
    AddText(*QRSubDetailTotalTransP, QStringLiteral("QRLRegistros"), QString(), 19, 8, 250);
    AddAmount(*QRSubDetailTotalTransP, QStringLiteral("QRLSubTotal"), 541, 8, 182, 11, true);

    // The totals of the bank section, once, and the balance rows.
    TotalsBand = &r.addSubDetail(QStringLiteral("QRSubDetailTotal"), 144);
    engine::Band& totals = *TotalsBand;
    AddBankTotalsLabels(totals, 19);

    QRSubDetailSaldoB = &r.addSubDetail(QStringLiteral("QRSubDetailSaldoB"), 19, TotalsBand);
    AddBalanceRowLabels(*QRSubDetailSaldoB);

    // An accounts section: its title, each party with its documents and
    // subtotal, and the section's total.
    QRSubDTituloCts = &r.addSubDetail(QStringLiteral("QRSubDTituloCts"), 94);
    engine::Band& title = *QRSubDTituloCts;
    AddText(title, QStringLiteral("QRLTitulosCts"), QString(), 15, 15, 0, 16, true);
    AddText(title, QStringLiteral("QRLDesde1"), QStringLiteral("Desde:"), 15, 38, 0, 13);
    AddText(title, QStringLiteral("LFechaIni1"), QString(), 68, 38, 0, 13);
    AddText(title, QStringLiteral("QRLHasta1"), QStringLiteral("Hasta:"), 15, 56, 0, 13);
    AddText(title, QStringLiteral("LFechaFin1"), QString(), 68, 56, 0, 13);
    AddHeading(title, QStringLiteral("QRLabelCodigoCts"), QStringLiteral(" Código"), 16, 78, 57);
    AddHeading(title, QStringLiteral("QRLabelDescripCts"), QStringLiteral(" Descripción"), 74, 78,
               189);
    AddHeading(title, QStringLiteral("QRLabelTelefonoCts"), QStringLiteral("Teléfono"), 264, 78,
               138);
    AddHeading(title, QStringLiteral("QRLabelDireccionCts"), QStringLiteral(" Dirección"), 403, 78,
               318);

    QRSubDCabeceraCts = &r.addSubDetail(QStringLiteral("QRSubDCabeceraCts"), 34, QRSubDTituloCts);
    engine::Band& party = *QRSubDCabeceraCts;
    AddText(party, QStringLiteral("QRLCodigo"), QString(), 16, 1, 57);
    AddText(party, QStringLiteral("QRLDescripcion2"), QString(), 75, 1, 188);
    AddText(party, QStringLiteral("QRLTelefono"), QString(), 264, 1, 138);
    AddText(party, QStringLiteral("QRLDireccion"), QString(), 403, 1, 318);
    AddHeading(party, QStringLiteral("QRLabelOperacion"), QStringLiteral(" Operación"), 16, 17,
               114);
    AddHeading(party, QStringLiteral("QRLabelEmision"), QStringLiteral(" Emisión"), 131, 17, 95);
    AddHeading(party, QStringLiteral("QRLabelVencimiento"), QStringLiteral(" Vencimiento"), 227, 17,
               95);
    AddHeading(party, QStringLiteral("QRLabelDescripcion3"), QStringLiteral(" Descripción"), 323,
               17, 255);
    AddHeading(party, QStringLiteral("QRLabelMonto2"), QStringLiteral(" Monto"), 579, 17, 142);

    QRSubDDatosCts = &r.addSubDetail(QStringLiteral("QRSubDDatosCts"), 19, QRSubDCabeceraCts);
    engine::Band& docs = *QRSubDDatosCts;
    AddText(docs, QStringLiteral("QRLOperacion"), QString(), 19, 3, 108);
    AddText(docs, QStringLiteral("QRLEmision"), QString(), 132, 3, 92);
    AddText(docs, QStringLiteral("QRLVencimiento"), QString(), 227, 3, 92);
    AddText(docs, QStringLiteral("QRLDescripcion3"), QString(), 322, 3, 254);
    AddAmount(docs, QStringLiteral("QRLMonto2"), 579, 3, 142);

    QRSubDSubtotalCts = &r.addSubDetail(QStringLiteral("QRSubDSubtotalCts"), 29, QRSubDCabeceraCts);
    AddText(*QRSubDSubtotalCts, QStringLiteral("QRLRegistros2"), QString(), 19, 6, 250);
    AddAmount(*QRSubDSubtotalCts, QStringLiteral("QRLSubTotal2"), 583, 6, 138, 11, true);

    QRSubDtotalCts = &r.addSubDetail(QStringLiteral("QRSubDtotalCts"), 40, QRSubDTituloCts);
    AddText(*QRSubDtotalCts, QStringLiteral("QRLabelTotalCts"), QStringLiteral("Total"), 469, 10,
            100)
        .align = Align::Right;
    AddAmount(*QRSubDtotalCts, QStringLiteral("QRLTotalCts"), 583, 10, 138, 11, true);

    // Bottom of every page but the last.
    QRBand1 = &r.addPageFooter(QStringLiteral("QRBand1"), 21);
}

DateRangeLayout TReporteTransaccionesPendientes::TitleLayout() const {
    return DateRangeLayout{53, 71, 87, 107, 104};
}

void TReporteTransaccionesPendientes::QuickRepBeforePrint() {
    StartPass();
    SectionTotal = core::Currency();
    PrepareReportRun(Run, Query2, ChildBandTituloTransP, QRSubDetailCabeceraTransP, Stem, m_report,
                     TotalsBand, QRSubDetailTotalTransP, QRSubDetailDatosTransP);
}

void TReporteTransaccionesPendientes::InstallmentRowBeforePrint() {
    if (!Query2.eof())
        FillInstallmentRow(Run, Query2, Label(QStringLiteral("QRLFecha")),
                           Label(QStringLiteral("QRLMonto")), false,
                           Label(QStringLiteral("QRLCuota")), Label(QStringLiteral("QRLStatus")),
                           Label(QStringLiteral("QRLTipo")));
    if (!StepProgress())
        return;
    EndInstallmentGroup();
}

void TReporteTransaccionesPendientes::TransactionSubtotalBeforePrint() {
    Label(QStringLiteral("QRLSubTotal")).text = core::format15(Run.GroupTotal);
    Label(QStringLiteral("QRLRegistros")).text =
        QStringLiteral("Total Transacciones : ") + QString::number(Run.GroupCount);
    Run.GroupCount = 0;
}

void TReporteTransaccionesPendientes::TransactionSubtotalAfterPrint() {
    // Below 218 mm from the top of the paper the totals start on a new page.
    TotalsBand->forceNewPage = m_report.printPositionMm() > PageBreakMm;
}

void TReporteTransaccionesPendientes::TotalsBeforePrint() {
    Label(QStringLiteral("QRLBanco2")).text.clear();
    Label(QStringLiteral("QRLNroCuenta2")).text.clear();
    Label(QStringLiteral("QRLSaldo")).text.clear();
    Label(QStringLiteral("QRLPagarBanco")).text = core::format15(core::Currency()).trimmed();
    FillKindTable();
    OpenBankBalances();
}

void TReporteTransaccionesPendientes::DocumentRowBeforePrint() {
    ShowSectionHeadings(m_report, Stem, false, true);
    if (!Query2.eof()) {
        int sign = 1;
        if (!FillDocumentRow(Run, Query2, Label(QStringLiteral("QRLOperacion")),
                             Label(QStringLiteral("QRLEmision")), sign,
                             Label(QStringLiteral("QRLDescripcion3")),
                             Label(QStringLiteral("QRLVencimiento"))))
            return;
        core::Currency amount =
            Query2.fieldByName(Run.DocPrefix + QStringLiteral("_SALDODOCUMENTO")).asCurrency();
        if (sign < 0)
            amount = -amount;
        Label(QStringLiteral("QRLMonto2")).text = core::format15(amount);
        Run.GroupTotal += amount;
        ++Run.GroupCount;
        Query2.next();
    }
    if (!StepProgress())
        return;
    EndDocumentGroup();
}

void TReporteTransaccionesPendientes::PartySubtotalBeforePrint() {
    Label(QStringLiteral("QRLSubTotal2")).text = core::format15(Run.GroupTotal);
    Label(QStringLiteral("QRLRegistros2")).text =
        QStringLiteral("Total Transacciones : ") + QString::number(Run.GroupCount);
    SectionTotal += Run.GroupTotal;
    Run.GroupCount = 0;
}

void TReporteTransaccionesPendientes::SectionTotalBeforePrint() {
    Label(QStringLiteral("QRLTotalCts")).text = core::format15(SectionTotal);
    SectionTotal = core::Currency();
    StartPayablesSection(Run, Query2, Stem, m_report);
}

} // namespace reports

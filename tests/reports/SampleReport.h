#pragma once

#include "core/Currency.h"
#include "core/Formats.h"
#include "reports/engine/Report.h"

#include <QList>
#include <QStringList>

// A two-page report with what the writers must carry: a bold title, texts
// with accents, quotes, markup and RTF specials, right-aligned amounts marked
// as such (one negative, one in millions), a total with a line above it, a page
// header from the second page on, an opaque heading and a band that starts a
// new page.
struct SampleReport {
    struct Row {
        QString description;
        qint64 raw;
    };
    const QList<Row> rows = {
        {QStringLiteral("Cheque O'Brien"), 10000000},
        {QStringLiteral("Nota de Débito <ND> & \"otra\""), -2000000},
        {QStringLiteral("Pago {llaves} \\ barra €"), 12345678900},
    };

    reports::engine::Report report{QStringLiteral("Transacciones Pendientes")};
    int row = 0;

    // The texts of every printed line, page by page, without their surrounding
    // blanks; amounts in the formats of the day.
    static QList<QList<QStringList>> expectedLines() {
        auto amount = [](qint64 raw) {
            return core::format15(core::Currency::fromRaw(raw)).trimmed();
        };
        return {{{"Compañía Demo, C.A.", "Fecha: 31/05/2024"},
                 {"Cheque O'Brien", amount(10000000)},
                 {"Nota de Débito <ND> & \"otra\"", amount(-2000000)},
                 {"Pago {llaves} \\ barra €", amount(12345678900)},
                 {"Total Transacciones : 3", amount(12353678900)}},
                {{"Pág.     2"}, {"Descripción", "Monto"}, {"Segunda página: fin"}}};
    }

    SampleReport() {
        using namespace reports::engine;
        report.printFirstPageHeader = false;
        report.beforePrint = [this](Report&) { row = 0; };

        Band& title = report.addTitle(QStringLiteral("TitleBand1"), 50);
        ReportLabel& name = title.addLabel(QStringLiteral("LNombreEmpresa"),
                                           QStringLiteral("Compañía Demo, C.A."), 15, 16, 560);
        name.font.pixelSize = 16;
        name.font.bold = true;
        title.addLabel(QStringLiteral("LFecha"), QStringLiteral("Fecha: 31/05/2024"), 583, 16, 140);

        Band& header = report.addPageHeader(QStringLiteral("PageHeaderBand1"), 30);
        ReportLabel& page = header.addLabel(QStringLiteral("LPagina"), QString(), 633, 2, 90);
        page.align = Align::Right;
        header.beforePrint = [this, &page](Band&) {
            page.text = QStringLiteral("Pág.     %1").arg(report.pageNumber());
        };

        Band& detail = report.addSubDetail(QStringLiteral("QRSubDetailDatosTransP"), 19);
        ReportLabel& description =
            detail.addLabel(QStringLiteral("QRLDescripcion"), QString(), 18, 0, 300);
        description.font.pixelSize = 11;
        ReportLabel& amount = detail.addLabel(QStringLiteral("QRLMonto"), QString(), 500, 0, 222);
        amount.font.pixelSize = 11;
        amount.align = Align::Right;
        amount.amount = true;
        detail.needData = [this] { return row < rows.size(); };
        detail.beforePrint = [this, &description, &amount](Band&) {
            description.text = rows[row].description;
            amount.text = core::format15(core::Currency::fromRaw(rows[row].raw));
            ++row;
        };

        Band& total = report.addSubDetail(QStringLiteral("QRSubDetailTotalTransP"), 34);
        total
            .addLabel(QStringLiteral("QRLRegistros"), QStringLiteral("Total Transacciones : 3"), 19,
                      4, 200)
            .font.pixelSize = 11;
        ReportLabel& sum = total.addLabel(QStringLiteral("QRLSubTotal"), QString(), 541, 4, 182);
        sum.font.pixelSize = 11;
        sum.align = Align::Right;
        sum.amount = true;
        sum.frame = ReportLabel::Top;
        total.beforePrint = [this, &sum](Band&) {
            core::Currency s;
            for (const Row& r : rows)
                s += core::Currency::fromRaw(r.raw);
            sum.text = core::format15(s);
        };

        Band& second = report.addSubDetail(QStringLiteral("QRSubDetailTotal"), 60);
        second.forceNewPage = true;
        for (const auto& [text, x, w] :
             {std::tuple{" Descripción", 16, 300}, {" Monto", 502, 219}}) {
            ReportLabel& heading = second.addLabel(QString(), QString::fromUtf8(text), x, 0, w);
            heading.font.pixelSize = 11;
            heading.transparent = false;
            heading.background = QColor(0xC0, 0xC0, 0xC0);
            heading.color = QColor(0, 0, 0x80);
        }
        second.addLabel(QStringLiteral("LNota"), QStringLiteral("Segunda página: fin"), 15, 30,
                        300);
    }
};

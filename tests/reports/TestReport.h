#pragma once

#include "core/Currency.h"
#include "core/Formats.h"
#include "reports/engine/Report.h"

#include <QStringList>

// A small report of every band kind: a title with a child, a page header and
// footer, a detail repeating over `rowCount` rows, then `groupCount` groups of
// `rowsPerGroup` rows each with a subtotal printed once per group, and a closing
// band printed once. The events keep a log of what they were asked.
struct TestReport {
    reports::engine::Report report{QStringLiteral("Prueba")};
    reports::engine::Band* title = nullptr;
    reports::engine::Band* child = nullptr;
    reports::engine::Band* header = nullptr;
    reports::engine::Band* footer = nullptr;
    reports::engine::Band* rows = nullptr;
    reports::engine::Band* groups = nullptr;
    reports::engine::Band* groupRows = nullptr;
    reports::engine::Band* groupTotal = nullptr;
    reports::engine::Band* closing = nullptr;

    int rowCount = 200;
    int groupCount = 3;
    int rowsPerGroup = 2;
    int passes = 0;
    // Per pass.
    int row = 0;
    int group = 0;
    int groupRow = 0;
    core::Currency groupSum;
    QStringList log;

    static core::Currency amountOf(int n) { return core::Currency::fromRaw(qint64(n) * 12345600); }

    TestReport() {
        using namespace reports::engine;
        report.printFirstPageHeader = false;
        report.printLastPageFooter = false;
        report.beforePrint = [this](Report&) {
            ++passes;
            row = group = groupRow = 0;
            groupSum = core::Currency();
            log << QStringLiteral("report");
        };
        report.endPage = [this](Report& r) {
            log << QStringLiteral("end page %1").arg(r.pageNumber());
        };

        title = &report.addTitle(QStringLiteral("TitleBand1"), 40);
        ReportLabel& name = title->addLabel(QStringLiteral("LNombre"),
                                            QStringLiteral("Compañía de Prueba"), 15, 8, 560);
        name.font.pixelSize = 16;
        name.font.bold = true;
        child = &report.addChild(*title, QStringLiteral("ChildBand"), 20);
        child->addLabel(QStringLiteral("LDesde"), QStringLiteral("Desde:"), 15, 2, 50);

        header = &report.addPageHeader(QStringLiteral("PageHeaderBand1"), 30);
        ReportLabel& page = header->addLabel(QStringLiteral("LPagina"), QString(), 633, 4, 90);
        page.align = Align::Right;
        ReportLabel& heading = header->addLabel(QStringLiteral("LCabecera"),
                                                QStringLiteral(" Descripción"), 16, 14, 153);
        heading.font.pixelSize = 11;
        heading.transparent = false;
        heading.background = QColor(0xC0, 0xC0, 0xC0);
        heading.color = QColor(0x00, 0x00, 0x80);
        heading.frame = ReportLabel::Bottom;
        header->beforePrint = [this](Band&) {
            report.findLabel(QStringLiteral("LPagina"))->text =
                QStringLiteral("Pág.     %1").arg(report.pageNumber());
        };

        footer = &report.addPageFooter(QStringLiteral("QRBand1"), 20);
        footer->addLabel(QStringLiteral("LPie"), QStringLiteral("Pie"), 15, 2, 40);

        rows = &report.addSubDetail(QStringLiteral("Rows"), 19);
        rows->addLabel(QStringLiteral("LFila"), QString(), 19, 0, 113).font.pixelSize = 11;
        ReportLabel& amount = rows->addLabel(QStringLiteral("LMonto"), QString(), 500, 0, 222);
        amount.font.pixelSize = 11;
        amount.align = Align::Right;
        amount.amount = true;
        rows->needData = [this] {
            log << QStringLiteral("need Rows");
            return row < rowCount;
        };
        rows->beforePrint = [this](Band& band) {
            ++row;
            log << QStringLiteral("before Rows %1").arg(row);
            band.findLabel(QStringLiteral("LFila"))->text = QStringLiteral("Fila %1").arg(row);
            band.findLabel(QStringLiteral("LMonto"))->text = core::format15(amountOf(row));
        };
        rows->afterPrint = [this](Band&) { log << QStringLiteral("after Rows %1").arg(row); };

        groups = &report.addSubDetail(QStringLiteral("Groups"), 25);
        groups->addLabel(QStringLiteral("LGrupo"), QString(), 16, 4, 200);
        groups->needData = [this] {
            log << QStringLiteral("need Groups");
            return group < groupCount;
        };
        groups->beforePrint = [this](Band& band) {
            ++group;
            groupRow = 0;
            groupSum = core::Currency();
            log << QStringLiteral("before Groups %1").arg(group);
            band.findLabel(QStringLiteral("LGrupo"))->text = QStringLiteral("Grupo %1").arg(group);
        };

        groupRows = &report.addSubDetail(QStringLiteral("GroupRows"), 19, groups);
        groupRows->addLabel(QStringLiteral("LDato"), QString(), 19, 0, 200);
        groupRows->needData = [this] {
            log << QStringLiteral("need GroupRows");
            return groupRow < rowsPerGroup;
        };
        groupRows->beforePrint = [this](Band& band) {
            ++groupRow;
            groupSum += amountOf(groupRow);
            log << QStringLiteral("before GroupRows %1.%2").arg(group).arg(groupRow);
            band.findLabel(QStringLiteral("LDato"))->text =
                QStringLiteral("Dato %1.%2").arg(group).arg(groupRow);
        };

        groupTotal = &report.addSubDetail(QStringLiteral("GroupTotal"), 34, groups);
        groupTotal->addLabel(QStringLiteral("LRegistros"), QString(), 19, 4, 200);
        ReportLabel& subtotal =
            groupTotal->addLabel(QStringLiteral("LSubTotal"), QString(), 541, 4, 182);
        subtotal.align = Align::Right;
        subtotal.frame = ReportLabel::Top;
        subtotal.amount = true;
        groupTotal->beforePrint = [this](Band& band) {
            log << QStringLiteral("before GroupTotal %1").arg(group);
            band.findLabel(QStringLiteral("LRegistros"))->text =
                QStringLiteral("Total Transacciones : %1").arg(groupRow);
            band.findLabel(QStringLiteral("LSubTotal"))->text = core::format15(groupSum);
        };

        closing = &report.addSubDetail(QStringLiteral("Closing"), 30);
        closing->addLabel(QStringLiteral("LFin"), QStringLiteral("Fin del reporte"), 15, 5, 200);
        closing->beforePrint = [this](Band&) { log << QStringLiteral("before Closing"); };
    }
};

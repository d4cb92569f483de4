#include "controls/Fonts.h"
#include "core/Formats.h"
#include "reports/TestReport.h"
#include "reports/engine/Report.h"

#include <QTest>
#include <stdexcept>

using namespace reports::engine;

namespace {

const qreal Margin = mmToPixels(10);
const qreal PaperHeight = letterSize().height();
// The footer's room is kept on every page.
const qreal BodyBottom = PaperHeight - Margin - 20;

QStringList textsOf(const StoredPage& page) {
    QStringList out;
    for (const TextOp* text : PageStore::texts(page))
        out << text->text;
    return out;
}

const TextOp* findText(const StoredPage& page, const QString& text) {
    for (const TextOp* op : PageStore::texts(page)) {
        if (op->text == text)
            return op;
    }
    return nullptr;
}

// The numbers of the detail rows ("Fila n") on a page.
QList<int> rowsOn(const StoredPage& page) {
    QList<int> out;
    for (const QString& text : textsOf(page)) {
        if (text.startsWith(QLatin1String("Fila ")))
            out << text.mid(5).toInt();
    }
    return out;
}

QList<int> range(int first, int last) {
    QList<int> out;
    for (int i = first; i <= last; ++i)
        out << i;
    return out;
}

// A report of `count` equal bands on a small paper without margins or footer.
struct StackReport {
    Report report;
    int printed = 0;
    int count = 0;
    StackReport(qreal paperHeight, qreal bandHeight, int count) : count(count) {
        report.paperSize = QSizeF(200, paperHeight);
        report.marginsMm = QMarginsF(0, 0, 0, 0);
        Band& band = report.addSubDetail(QStringLiteral("B"), bandHeight);
        band.addLabel(QStringLiteral("L"), QString(), 0, 0, 50);
        band.needData = [this] { return printed < this->count; };
        band.beforePrint = [this](Band& b) {
            b.findLabel(QStringLiteral("L"))->text = QString::number(++printed);
        };
    }
};

} // namespace

class TstEngine : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        controls::installFontSubstitutions();
        core::Formats::setCurrent(core::Formats());
    }

    void laysOutTextsAtTheirPlaces() {
        TestReport t;
        PageStore store;
        QVERIFY(t.report.run(store));
        QCOMPARE(store.title, QStringLiteral("Prueba"));
        QCOMPARE(store.paperSize, QSizeF(816, 1056));
        QCOMPARE(store.margins, QMarginsF(Margin, Margin, Margin, Margin));
        QCOMPARE(store.pages.size(), size_t(5));

        const StoredPage& first = store.pages[0];
        // The title band at the top of the body, its child right below it.
        const TextOp* name = findText(first, QStringLiteral("Compañía de Prueba"));
        QVERIFY(name);
        QCOMPARE(name->rect, QRectF(Margin + 15, Margin + 8, 560, 19));
        QVERIFY(name->font.bold);
        QCOMPARE(name->font.pixelSize, 16);
        QCOMPARE(name->font.family, QStringLiteral("Arial"));
        const TextOp* from = findText(first, QStringLiteral("Desde:"));
        QVERIFY(from);
        QCOMPARE(from->rect, QRectF(Margin + 15, Margin + 40 + 2, 50, 15));
        QVERIFY(!from->font.bold);

        // The detail right after the child; amounts right-aligned and marked.
        const TextOp* row1 = findText(first, QStringLiteral("Fila 1"));
        QVERIFY(row1);
        QCOMPARE(row1->rect, QRectF(Margin + 19, Margin + 60, 113, 13));
        const TextOp* amount1 = findText(first, core::format15(TestReport::amountOf(1)));
        QVERIFY(amount1);
        QCOMPARE(amount1->text, QStringLiteral("       1.234,56"));
        QCOMPARE(amount1->rect, QRectF(Margin + 500, Margin + 60, 222, 13));
        QCOMPARE(amount1->align, Align::Right);
        QVERIFY(amount1->amount);
        QVERIFY(!row1->amount);
        const TextOp* row2 = findText(first, QStringLiteral("Fila 2"));
        QVERIFY(row2);
        QCOMPARE(row2->rect.top(), Margin + 60 + 19);

        // No page header on the first page; one on the others, numbered.
        QVERIFY(!findText(first, QStringLiteral(" Descripción")));
        const StoredPage& second = store.pages[1];
        const TextOp* page2 = findText(second, QStringLiteral("Pág.     2"));
        QVERIFY(page2);
        QCOMPARE(page2->rect, QRectF(Margin + 633, Margin + 4, 90, 15));
        QVERIFY(findText(store.pages[4], QStringLiteral("Pág.     5")));

        // An opaque heading: its box filled, then the text, then its bottom line.
        const TextOp* heading = findText(second, QStringLiteral(" Descripción"));
        QVERIFY(heading);
        QCOMPARE(heading->color, QColor(0, 0, 0x80));
        const QRectF box(Margin + 16, Margin + 14, 153, 13);
        QCOMPARE(heading->rect, box);
        const auto at = std::find(second.ops.begin(), second.ops.end(), DrawOp(*heading));
        QVERIFY(at != second.ops.begin() && at + 1 != second.ops.end());
        QCOMPARE(*(at - 1), DrawOp(RectOp{box, QColor(0xC0, 0xC0, 0xC0)}));
        QCOMPARE(*(at + 1), DrawOp(LineOp{QLineF(box.bottomLeft(), box.bottomRight())}));

        // The first row of page 2 right below the header.
        const TextOp* row48 = findText(second, QStringLiteral("Fila 48"));
        QVERIFY(row48);
        QCOMPARE(row48->rect.top(), Margin + 30);

        // A line above the subtotal; the closing band after the groups.
        const StoredPage& last = store.pages[4];
        const TextOp* subtotal =
            findText(last, core::format15(TestReport::amountOf(1) + TestReport::amountOf(2)));
        QVERIFY(subtotal);
        QVERIFY(std::find(last.ops.begin(), last.ops.end(),
                          DrawOp(LineOp{QLineF(subtotal->rect.topLeft(),
                                               subtotal->rect.topRight())})) != last.ops.end());
        const TextOp* end = findText(last, QStringLiteral("Fin del reporte"));
        QVERIFY(end);
        // 9 rows, 3 groups of header (25), 2 rows and subtotal (34).
        QCOMPARE(end->rect.top(), Margin + 30 + 9 * 19 + 3 * (25 + 2 * 19 + 34) + 5);
    }

    void breaksPagesWhereABandDoesNotFit() {
        TestReport t;
        PageStore store;
        QVERIFY(t.report.run(store));
        // Page 1 has the title and child (60) above the rows: 47 rows of 19 fit
        // above the footer's room (893 + 60 <= 998.2 - 37.8), the 48th does not.
        // The other pages have the header (30): 48 rows.
        QCOMPARE(rowsOn(store.pages[0]), range(1, 47));
        QCOMPARE(rowsOn(store.pages[1]), range(48, 95));
        QCOMPARE(rowsOn(store.pages[2]), range(96, 143));
        QCOMPARE(rowsOn(store.pages[3]), range(144, 191));
        QCOMPARE(rowsOn(store.pages[4]), range(192, 200));
        for (size_t p = 0; p + 1 < store.pages.size(); ++p) {
            const QList<int> rows = rowsOn(store.pages[p]);
            const TextOp* lastRow =
                findText(store.pages[p], QStringLiteral("Fila %1").arg(rows.last()));
            const qreal bandBottom = lastRow->rect.top() + 19;
            QVERIFY(bandBottom <= BodyBottom);
            QVERIFY(bandBottom + 19 > BodyBottom);
            // The footer on every page but the last, in the room kept for it.
            const TextOp* foot = findText(store.pages[p], QStringLiteral("Pie"));
            QVERIFY(foot);
            QCOMPARE(foot->rect.top(), BodyBottom + 2);
        }
        QVERIFY(!findText(store.pages[4], QStringLiteral("Pie")));
    }

    void bandsFillThePageExactly_data() {
        QTest::addColumn<qreal>("paperHeight");
        QTest::addColumn<qreal>("bandHeight");
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("perPage");
        QTest::newRow("the last band ends at the bottom") << 100.0 << 25.0 << 5 << QList<int>{4, 1};
        QTest::newRow("one pixel too many") << 100.0 << 26.0 << 5 << QList<int>{3, 2};
        QTest::newRow("a band higher than the page prints alone")
            << 100.0 << 150.0 << 2 << QList<int>{1, 1};
        QTest::newRow("no band: one empty page") << 100.0 << 25.0 << 0 << QList<int>{0};
    }
    void bandsFillThePageExactly() {
        QFETCH(qreal, paperHeight);
        QFETCH(qreal, bandHeight);
        QFETCH(int, count);
        QFETCH(QList<int>, perPage);
        StackReport r(paperHeight, bandHeight, count);
        PageStore store;
        QVERIFY(r.report.run(store));
        QList<int> got;
        for (const StoredPage& page : store.pages)
            got << int(PageStore::texts(page).size());
        QCOMPARE(got, perPage);
    }

    void pageHeaderAndFooterOptions_data() {
        QTest::addColumn<bool>("firstPageHeader");
        QTest::addColumn<bool>("lastPageFooter");
        QTest::addColumn<int>("rowsOnFirstPage");
        QTest::newRow("neither") << false << false << 47;
        QTest::newRow("header on the first page") << true << false << 45;
        QTest::newRow("footer on the last page") << false << true << 47;
        QTest::newRow("both") << true << true << 45;
    }
    void pageHeaderAndFooterOptions() {
        QFETCH(bool, firstPageHeader);
        QFETCH(bool, lastPageFooter);
        QFETCH(int, rowsOnFirstPage);
        TestReport t;
        t.report.printFirstPageHeader = firstPageHeader;
        t.report.printLastPageFooter = lastPageFooter;
        PageStore store;
        QVERIFY(t.report.run(store));
        const StoredPage& first = store.pages.front();
        QCOMPARE(bool(findText(first, QStringLiteral("Pág.     1"))), firstPageHeader);
        QCOMPARE(rowsOn(first), range(1, rowsOnFirstPage));
        if (firstPageHeader) {
            // The header above the title.
            QCOMPARE(findText(first, QStringLiteral(" Descripción"))->rect.top(), Margin + 14);
            QCOMPARE(findText(first, QStringLiteral("Compañía de Prueba"))->rect.top(),
                     Margin + 30 + 8);
        }
        QCOMPARE(bool(findText(store.pages.back(), QStringLiteral("Pie"))), lastPageFooter);
        for (size_t p = 0; p + 1 < store.pages.size(); ++p)
            QVERIFY(findText(store.pages[p], QStringLiteral("Pie")));
        // The end of every page is told, the last one's too.
        QCOMPARE(t.log.filter(QStringLiteral("end page")).size(), qsizetype(store.pages.size()));
        QCOMPARE(t.log.last(), QStringLiteral("end page %1").arg(store.pages.size()));
    }

    void eventsComeInPrintingOrder() {
        TestReport t;
        t.rowCount = 2;
        t.groupCount = 2;
        t.rowsPerGroup = 2;
        PageStore store;
        QVERIFY(t.report.run(store));
        const QStringList expected = {
            "report",
            // the detail of the report prints all its rows before the groups
            "need Rows", "before Rows 1", "after Rows 1", "need Rows", "before Rows 2",
            "after Rows 2", "need Rows",
            // each group: its rows while they last, then its subtotal once
            "need Groups", "before Groups 1", "need GroupRows", "before GroupRows 1.1",
            "need GroupRows", "before GroupRows 1.2", "need GroupRows", "before GroupTotal 1",
            "need Groups", "before Groups 2", "need GroupRows", "before GroupRows 2.1",
            "need GroupRows", "before GroupRows 2.2", "need GroupRows", "before GroupTotal 2",
            "need Groups", "before Closing", "end page 1"};
        QCOMPARE(t.log, expected);
        QCOMPARE(textsOf(store.pages[0]),
                 QStringList({"Compañía de Prueba", "Desde:", "Fila 1", "       1.234,56", "Fila 2",
                              "       2.469,12", "Grupo 1", "Dato 1.1", "Dato 1.2",
                              "Total Transacciones : 2", "       3.703,68", "Grupo 2", "Dato 2.1",
                              "Dato 2.2", "Total Transacciones : 2", "       3.703,68",
                              "Fin del reporte"}));
    }

    void forcedNewPageFromAnEvent_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<bool>("newPage");
        // 218 mm are 823.9 px; after n rows the print position is 37.8 + 60 + 19 n:
        // 287.8 px after 10 rows, 838.8 px after 39.
        QTest::newRow("rows end above 218 mm") << 10 << false;
        QTest::newRow("rows end below 218 mm") << 39 << true;
    }
    void forcedNewPageFromAnEvent() {
        QFETCH(int, rows);
        QFETCH(bool, newPage);
        TestReport t;
        t.rowCount = rows;
        t.groupCount = 0;
        t.rows->afterPrint = [&t](Band&) {
            t.closing->forceNewPage = t.report.printPositionMm() > 218;
        };
        PageStore store;
        QVERIFY(t.report.run(store));
        QCOMPARE(store.pages.size(), size_t(newPage ? 2 : 1));
        const TextOp* end = findText(store.pages.back(), QStringLiteral("Fin del reporte"));
        QVERIFY(end);
        QCOMPARE(end->rect.top(), (newPage ? Margin + 30 : Margin + 60 + rows * 19) + 5);
    }

    void forcedNewPageOnAFreshPageAddsNoPage() {
        TestReport t;
        t.rowCount = 0;
        t.groupCount = 0;
        t.report.findBand(QStringLiteral("TitleBand1"))->enabled = false;
        t.child->enabled = false;
        t.closing->forceNewPage = true;
        PageStore store;
        QVERIFY(t.report.run(store));
        QCOMPARE(store.pages.size(), size_t(1));
        QCOMPARE(textsOf(store.pages[0]), QStringList{"Fin del reporte"});
    }

    void labelsChangedBeforeTheirBandPrints() {
        TestReport t;
        t.rowCount = 4;
        t.groupCount = 0;
        // Odd rows hide their amount; a label's own event restyles it.
        auto fill = t.rows->beforePrint;
        t.rows->beforePrint = [&t, fill](Band& band) {
            fill(band);
            band.findLabel(QStringLiteral("LMonto"))->visible = t.row % 2 == 0;
        };
        t.rows->findLabel(QStringLiteral("LFila"))->beforePrint = [&t](ReportLabel& label) {
            label.color = t.row == 3 ? QColor(Qt::red) : QColor(Qt::black);
            label.transparent = t.row != 3;
        };
        // A label of three lines makes its band taller.
        ReportLabel& note = t.closing->addLabel(
            QStringLiteral("LNota"), QStringLiteral("uno\r\ndos\r\ntres\r\n"), 300, 10, 100);
        note.font.pixelSize = 11;
        t.report.addSubDetail(QStringLiteral("After"), 10)
            .addLabel(QStringLiteral("LDespues"), QStringLiteral("Después"), 0, 0, 50);
        ReportLabel& hidden =
            t.closing->addLabel(QStringLiteral("LOculta"), QStringLiteral("no"), 0, 200, 50);
        hidden.visible = false;

        PageStore store;
        QVERIFY(t.report.run(store));
        const StoredPage& page = store.pages[0];
        const QStringList texts = textsOf(page);
        QVERIFY(!texts.contains(core::format15(TestReport::amountOf(1))));
        QVERIFY(texts.contains(core::format15(TestReport::amountOf(2))));
        QVERIFY(!texts.contains(core::format15(TestReport::amountOf(3))));
        QVERIFY(texts.contains(core::format15(TestReport::amountOf(4))));
        QVERIFY(!texts.contains(QStringLiteral("no")));
        QCOMPARE(findText(page, QStringLiteral("Fila 3"))->color, QColor(Qt::red));
        QCOMPARE(findText(page, QStringLiteral("Fila 4"))->color, QColor(Qt::black));
        const QRectF row3 = findText(page, QStringLiteral("Fila 3"))->rect;
        QVERIFY(std::find(page.ops.begin(), page.ops.end(), DrawOp(RectOp{row3, Qt::white})) !=
                page.ops.end());

        const qreal closingTop = Margin + 60 + 4 * 19;
        QCOMPARE(findText(page, QStringLiteral("uno"))->rect,
                 QRectF(Margin + 300, closingTop + 10, 100, 13));
        QCOMPARE(findText(page, QStringLiteral("dos"))->rect.top(), closingTop + 23);
        QCOMPARE(findText(page, QStringLiteral("tres"))->rect.top(), closingTop + 36);
        // 10 + 3 lines of 13 = 49, more than the band's 30; the hidden label takes no room.
        QCOMPARE(findText(page, QStringLiteral("Después"))->rect.top(), closingTop + 49);
    }

    void switchedOffBandsPrintNothing() {
        TestReport t;
        t.rowCount = 3;
        t.groups->enabled = false;
        t.child->enabled = false;
        PageStore store;
        QVERIFY(t.report.run(store));
        const QStringList texts = textsOf(store.pages[0]);
        QVERIFY(!texts.contains(QStringLiteral("Desde:")));
        QVERIFY(texts.filter(QStringLiteral("Grupo")).isEmpty());
        QVERIFY(texts.filter(QStringLiteral("Dato")).isEmpty());
        QVERIFY(!t.log.contains(QStringLiteral("need Groups")));
        QVERIFY(!t.log.contains(QStringLiteral("need GroupRows")));
        QVERIFY(texts.contains(QStringLiteral("Fin del reporte")));

        // Switched off by an event, a repeating band stops at once.
        TestReport u;
        u.rowCount = 10;
        u.rows->afterPrint = [&u](Band& band) { band.enabled = u.row < 4; };
        QVERIFY(u.report.run(store));
        QCOMPARE(rowsOn(store.pages[0]), range(1, 4));
        QVERIFY(textsOf(store.pages[0]).contains(QStringLiteral("Grupo 1")));
    }

    void cancelStopsThePass_data() {
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("atRow");
        QTest::addColumn<QList<int>>("rowsPerPage");
        QTest::newRow("first row") << "before" << 1 << QList<int>{0};
        QTest::newRow("on page 2") << "before" << 57 << QList<int>{47, 9};
        QTest::newRow("last row") << "before" << 200 << QList<int>{47, 48, 48, 48, 8};
        QTest::newRow("need-data") << "need" << 60 << QList<int>{47, 13};
        QTest::newRow("after-print") << "after" << 48 << QList<int>{47, 1};
        // The page begun for row 48 stays, empty.
        QTest::newRow("page header") << "header" << 48 << QList<int>{47, 0};
    }
    void cancelStopsThePass() {
        QFETCH(QString, where);
        QFETCH(int, atRow);
        QFETCH(QList<int>, rowsPerPage);
        TestReport t;
        const auto fill = t.rows->beforePrint;
        const auto more = t.rows->needData;
        const auto after = t.rows->afterPrint;
        const auto header = t.header->beforePrint;
        if (where == QLatin1String("before")) {
            t.rows->beforePrint = [&t, fill, atRow](Band& band) {
                fill(band);
                if (t.row == atRow)
                    t.report.cancel();
            };
        } else if (where == QLatin1String("need")) {
            t.rows->needData = [&t, more, atRow] {
                if (t.row == atRow)
                    t.report.cancel();
                return more();
            };
        } else if (where == QLatin1String("after")) {
            t.rows->afterPrint = [&t, atRow](Band&) {
                if (t.row == atRow)
                    t.report.cancel();
            };
        } else {
            t.header->beforePrint = [&t](Band&) { t.report.cancel(); };
        }
        PageStore store;
        QVERIFY(!t.report.run(store));
        QVERIFY(t.report.isCancelled());
        QVERIFY(!t.report.isRunning());
        QList<int> got;
        for (const StoredPage& page : store.pages)
            got << int(rowsOn(page).size());
        QCOMPARE(got, rowsPerPage);
        // Nothing printed or asked after the cancel.
        QVERIFY(!t.log.contains(QStringLiteral("need Groups")));
        QVERIFY(!t.log.contains(QStringLiteral("before Closing")));
        QCOMPARE(t.log.filter(QStringLiteral("before Rows")).size(), qsizetype(atRow));

        // The next pass starts afresh and runs to the end.
        TestReport fresh;
        PageStore full;
        QVERIFY(fresh.report.run(full));
        t.rows->beforePrint = fill;
        t.rows->needData = more;
        t.rows->afterPrint = after;
        t.header->beforePrint = header;
        PageStore again;
        QVERIFY(t.report.run(again));
        QVERIFY(!t.report.isCancelled());
        QCOMPARE(again, full);
    }

    void twoPassesGiveEqualStores() {
        TestReport t;
        PageStore first, second;
        QVERIFY(t.report.run(first));
        QVERIFY(t.report.run(second));
        QCOMPARE(t.passes, 2);
        QVERIFY(first == second);
        // The comparison sees a change of a single text.
        t.rowCount = 199;
        PageStore third;
        QVERIFY(t.report.run(third));
        QVERIFY(!(third == first));
        std::get<TextOp>(second.pages[2].ops[5]).text += QLatin1Char('x');
        QVERIFY(!(second == first));
    }

    void anExceptionFromAnEventEndsThePass() {
        TestReport t;
        auto fill = t.rows->beforePrint;
        bool fail = true;
        t.rows->beforePrint = [&t, &fail, fill](Band& band) {
            fill(band);
            if (fail && t.row == 10)
                throw std::runtime_error("tabla perdida");
        };
        PageStore store;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, t.report.run(store));
        QVERIFY(!t.report.isRunning());
        QCOMPARE(rowsOn(store.pages[0]), range(1, 9));
        fail = false;
        QVERIFY(t.report.run(store));
        QCOMPARE(rowsOn(store.pages[4]), range(192, 200));
    }

    void declarationMistakesAreRefused() {
        Report report;
        Band& title = report.addTitle(QStringLiteral("T"), 10);
        QVERIFY_THROWS_EXCEPTION(std::logic_error, report.addTitle(QStringLiteral("T2"), 10));
        Band& header = report.addPageHeader(QStringLiteral("H"), 10);
        QVERIFY_THROWS_EXCEPTION(std::logic_error, report.addChild(header, QStringLiteral("C"), 5));
        report.addChild(title, QStringLiteral("C"), 5);
        QVERIFY_THROWS_EXCEPTION(std::logic_error, report.addChild(title, QStringLiteral("C2"), 5));
        QVERIFY_THROWS_EXCEPTION(std::logic_error,
                                 report.addSubDetail(QStringLiteral("S"), 5, &title));
        Report other;
        Band& foreign = other.addSubDetail(QStringLiteral("F"), 5);
        QVERIFY_THROWS_EXCEPTION(std::logic_error,
                                 report.addSubDetail(QStringLiteral("S"), 5, &foreign));
        // A pass started from inside a pass.
        Band& band = report.addSubDetail(QStringLiteral("S"), 5);
        bool refused = false;
        band.beforePrint = [&](Band&) {
            PageStore inner;
            try {
                report.run(inner);
            } catch (const std::logic_error&) {
                refused = true;
            }
        };
        PageStore store;
        QVERIFY(report.run(store));
        QVERIFY(refused);
        QCOMPARE(report.findBand(QStringLiteral("C"))->kind(), BandKind::Child);
        QCOMPARE(title.child(), report.findBand(QStringLiteral("C")));
        QVERIFY(!report.findLabel(QStringLiteral("none")));
    }
};

QTEST_MAIN(TstEngine)
#include "tst_engine.moc"

#include "controls/Fonts.h"
#include "core/Formats.h"
#include "reports/ExportReaders.h"
#include "reports/ScriptedPrintDialog.h"
#include "reports/TestReport.h"
#include "reports/engine/PreviewDialog.h"
#include "reports/engine/Print.h"
#include "reports/engine/Render.h"
#include "reports/export/SavedReport.h"
#include "support/RecordingMessageBox.h"

#include <QComboBox>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <stdexcept>

using namespace reports::engine;

using exportreaders::pdfText;

namespace {

PageStore testStore() {
    TestReport t;
    PageStore store;
    if (!t.report.run(store))
        qFatal("the test report did not run");
    return store;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

// The pages of a PDF that Qt wrote, counted by their page objects.
int pdfPages(const QByteArray& pdf) {
    return int(QString::fromLatin1(pdf).count(
        QRegularExpression(QStringLiteral("/Type\\s*/Page\\b(?!s)"))));
}

bool hasInk(const QImage& image, const QRectF& rect) {
    const QRect r = rect.toAlignedRect().intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                return true;
        }
    }
    return false;
}

} // namespace

class TstPreview : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        controls::installFontSubstitutions();
        core::Formats::setCurrent(core::Formats());
    }

    void goesThroughThePages() {
        PreviewDialog dialog(testStore());
        QVERIFY(dialog.isModal());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Vista preliminar - Prueba"));
        QCOMPARE(dialog.pageCount(), 5);
        QCOMPARE(dialog.pageText(), QStringLiteral("Página 1 de 5"));
        QVERIFY(!dialog.firstButton()->isEnabled());
        QVERIFY(!dialog.previousButton()->isEnabled());
        QVERIFY(dialog.nextButton()->isEnabled());
        QCOMPARE(dialog.firstButton()->text(), QStringLiteral("Primera"));
        QCOMPARE(dialog.previousButton()->text(), QStringLiteral("Anterior"));
        QCOMPARE(dialog.nextButton()->text(), QStringLiteral("Siguiente"));
        QCOMPARE(dialog.lastButton()->text(), QStringLiteral("Última"));
        QCOMPARE(dialog.closeButton()->text(), QStringLiteral("Cerrar"));
        // No print handler, no "Imprimir".
        QVERIFY(dialog.printButton()->isHidden());

        dialog.nextButton()->click();
        QCOMPARE(dialog.pageText(), QStringLiteral("Página 2 de 5"));
        QCOMPARE(dialog.pageView()->page(), 1);
        dialog.lastButton()->click();
        QCOMPARE(dialog.pageIndex(), 4);
        QVERIFY(!dialog.nextButton()->isEnabled());
        QVERIFY(!dialog.lastButton()->isEnabled());
        QTest::keyClick(&dialog, Qt::Key_PageUp);
        QCOMPARE(dialog.pageIndex(), 3);
        QTest::keyClick(&dialog, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(dialog.pageIndex(), 0);
        QTest::keyClick(&dialog, Qt::Key_PageDown);
        QCOMPARE(dialog.pageIndex(), 1);
        dialog.showPage(99);
        QCOMPARE(dialog.pageIndex(), 4);
        dialog.previousButton()->click();
        dialog.firstButton()->click();
        QCOMPARE(dialog.pageText(), QStringLiteral("Página 1 de 5"));

        // Zoom: the page view grows with it.
        QCOMPARE(dialog.zoomBox()->currentText(), QStringLiteral("100 %"));
        const QSize at100 = dialog.pageView()->size();
        dialog.setZoom(2.0);
        QCOMPARE(dialog.zoomBox()->currentText(), QStringLiteral("200 %"));
        QCOMPARE(dialog.pageView()->size(), QSize(816 * 2 + 24, 1056 * 2 + 24));
        QCOMPARE(at100, QSize(816 + 24, 1056 + 24));
        dialog.setZoom(0.3); // not offered: no change
        QCOMPARE(dialog.zoom(), 2.0);

        PreviewDialog empty{PageStore()};
        QCOMPARE(empty.pageText(), QStringLiteral("Página 0 de 0"));
        QVERIFY(!empty.nextButton()->isEnabled());
        QCOMPARE(empty.windowTitle(), QStringLiteral("Vista preliminar"));
    }

    void showsThePagesOfTheStore() {
        const PageStore store = testStore();
        PreviewDialog dialog(store);
        dialog.showPage(1);
        const QImage shown =
            dialog.pageView()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage page = pageImage(store, 1, 1.0);
        QCOMPARE(shown.copy(12, 12, page.width(), page.height()), page);
        // Ink where the texts are, none below the last row.
        for (const TextOp* text : PageStore::texts(store.pages[1]))
            QVERIFY2(hasInk(page, text->rect), qPrintable(text->text));
        const QRectF lastRow = PageStore::texts(store.pages[1]).back()->rect;
        QVERIFY(!hasInk(page, QRectF(0, lastRow.bottom() + 2, 816, 30)));
    }

    void printsThroughItsHandler() {
        RecordingMessageBox boxes;
        int calls = 0;
        QWidget* parentSeen = nullptr;
        int mode = 0;
        PreviewDialog dialog(testStore(), [&](QWidget* parent) {
            ++calls;
            parentSeen = parent;
            if (mode == 1)
                throw std::runtime_error("Sin impresora");
            if (mode == 2)
                throw 3;
        });
        QVERIFY(!dialog.printButton()->isHidden());
        QCOMPARE(dialog.printButton()->text(), QStringLiteral("Imprimir"));
        dialog.printButton()->click();
        QCOMPARE(calls, 1);
        QCOMPARE(parentSeen, &dialog);
        QVERIFY(boxes.calls.isEmpty());
        // Nothing the handler throws leaves the window.
        mode = 1;
        dialog.printButton()->click();
        mode = 2;
        dialog.printButton()->click();
        QCOMPARE(calls, 3);
        QCOMPARE(boxes.texts(), QStringList({"Sin impresora", "El reporte no pudo imprimirse."}));
        QCOMPARE(boxes.calls[0].icon, platform::MessageBoxService::Icon::Error);
    }

    void printReportMakesAFurtherPass_data() {
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<int>("fromPage");
        QTest::addColumn<int>("toPage");
        QTest::addColumn<int>("cancelAtRow");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("passes");
        QTest::addColumn<int>("pages");
        QTest::newRow("dialog cancelled")
            << false << 0 << 0 << 0 << int(PrintResult::NotChosen) << 0 << 0;
        QTest::newRow("all pages") << true << 0 << 0 << 0 << int(PrintResult::Printed) << 1 << 5;
        QTest::newRow("pages 2 to 3") << true << 2 << 3 << 0 << int(PrintResult::Printed) << 1 << 2;
        QTest::newRow("range past the end")
            << true << 4 << 9 << 0 << int(PrintResult::Printed) << 1 << 2;
        QTest::newRow("pass cancelled")
            << true << 0 << 0 << 100 << int(PrintResult::Cancelled) << 1 << 0;
    }
    void printReportMakesAFurtherPass() {
        QFETCH(bool, confirm);
        QFETCH(int, fromPage);
        QFETCH(int, toPage);
        QFETCH(int, cancelAtRow);
        QFETCH(int, result);
        QFETCH(int, passes);
        QFETCH(int, pages);
        QTemporaryDir dir;
        ScriptedPrintDialog printDialog;
        printDialog.confirm = confirm;
        printDialog.outputFile = dir.filePath(QStringLiteral("impreso.pdf"));
        printDialog.fromPage = fromPage;
        printDialog.toPage = toPage;
        TestReport t;
        if (cancelAtRow > 0) {
            auto fill = t.rows->beforePrint;
            t.rows->beforePrint = [&t, fill, cancelAtRow](Band& band) {
                fill(band);
                if (t.row == cancelAtRow)
                    t.report.cancel();
            };
        }
        QString error;
        QCOMPARE(int(printReport(t.report, 5, nullptr, &error)), result);
        QCOMPARE(printDialog.shownWith, QList<int>{5});
        QCOMPARE(t.passes, passes);
        const QByteArray pdf = readAll(printDialog.outputFile);
        if (pages == 0) {
            QVERIFY(!QFile::exists(printDialog.outputFile));
            return;
        }
        QVERIFY(pdf.startsWith("%PDF-"));
        QCOMPARE(pdfPages(pdf), pages);
        // Letter paper, 612 by 792 points.
        QVERIFY(QString::fromLatin1(pdf).contains(
            QRegularExpression(QStringLiteral("/MediaBox \\[0 0 612(\\.0+)? 792(\\.0+)?\\]"))));
        const QString text = pdfText(printDialog.outputFile);
        if (text.isEmpty())
            return; // no pdftotext here
        auto printed = [&](int page) {
            return fromPage == 0 || (page >= fromPage && page <= toPage);
        };
        QCOMPARE(text.contains(QStringLiteral("Compañía de Prueba")), printed(1));
        QCOMPARE(text.contains(QStringLiteral("Fila 48 ")), printed(2));
        QCOMPARE(text.contains(QStringLiteral("Fila 96 ")), printed(3));
        QCOMPARE(text.contains(core::format15(TestReport::amountOf(144)).trimmed()), printed(4));
        QCOMPARE(text.contains(QStringLiteral("Fila 200 ")), printed(5));
    }

    void printsTheCopiesAsked() {
        QTemporaryDir dir;
        ScriptedPrintDialog printDialog;
        printDialog.outputFile = dir.filePath(QStringLiteral("copias.pdf"));
        printDialog.copies = 2;
        printDialog.fromPage = 2;
        printDialog.toPage = 3;
        QCOMPARE(printWithDialog(testStore(), nullptr), PrintResult::Printed);
        const QString text = pdfText(printDialog.outputFile);
        QCOMPARE(pdfPages(readAll(printDialog.outputFile)), 4);
        if (text.isEmpty())
            return; // no pdftotext here
        // Collated: pages 2 and 3, then 2 and 3 again.
        const QStringList pages = text.split(QLatin1Char('\f'));
        QCOMPARE(pages.size(), 5);
        for (int i : {0, 2})
            QVERIFY(pages[i].contains(QStringLiteral("Fila 48 ")));
        for (int i : {1, 3})
            QVERIFY(pages[i].contains(QStringLiteral("Fila 96 ")));
    }

    void printsAFixedStore() {
        QTemporaryDir dir;
        ScriptedPrintDialog printDialog;
        printDialog.outputFile = dir.filePath(QStringLiteral("guardado.pdf"));
        const PageStore store = testStore();
        QString error;
        QCOMPARE(printWithDialog(store, nullptr, &error), PrintResult::Printed);
        QCOMPARE(printDialog.shownWith, QList<int>{5});
        QCOMPARE(pdfPages(readAll(printDialog.outputFile)), 5);
        printDialog.confirm = false;
        QCOMPARE(printWithDialog(store, nullptr, &error), PrintResult::NotChosen);
    }

    void aPrinterThatCannotOpenFails() {
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString path = dir.filePath(QStringLiteral("falta/impreso.pdf"));
        printer.setOutputFileName(path);
        QString error;
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        QVERIFY(!printPages(testStore(), printer, &error));
        QCOMPARE(error, QStringLiteral("No se puede imprimir en \"%1\".").arg(path));
        // An empty store prints nothing and needs no printer.
        QVERIFY(printPages(PageStore(), printer, &error));
    }

    void theViewerOpensASavedReport() {
        RecordingMessageBox boxes;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Transacciones Pendientes.MTF"));
        const std::optional<PageStore> none = reports::exporting::openSavedReport(path, nullptr);
        QVERIFY(!none);
        QCOMPARE(boxes.calls.size(), 1);
        QCOMPARE(boxes.calls[0].icon, platform::MessageBoxService::Icon::Error);
        QVERIFY(boxes.calls[0].text.startsWith(
            QStringLiteral("No se puede leer el archivo \"%1\": ").arg(path)));

        boxes.clear();
        const PageStore store = testStore();
        QVERIFY(reports::exporting::SavedReport::save(store, path));
        const std::optional<PageStore> opened = reports::exporting::openSavedReport(path, nullptr);
        QVERIFY(opened);
        QVERIFY(*opened == store);
        QVERIFY(boxes.calls.isEmpty());
    }
};

QTEST_MAIN(TstPreview)
#include "tst_preview.moc"

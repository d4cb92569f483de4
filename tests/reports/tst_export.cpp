#include "controls/Fonts.h"
#include "core/Formats.h"
#include "platform/TextFile.h"
#include "reports/ExportReaders.h"
#include "reports/SampleReport.h"
#include "reports/engine/Render.h"
#include "reports/export/ExportFile.h"
#include "reports/export/ExportFormat.h"
#include "reports/export/HtmlWriter.h"
#include "reports/export/PdfWriter.h"
#include "reports/export/RtfWriter.h"
#include "reports/export/SavedReport.h"
#include "reports/export/SpreadsheetWriter.h"
#include "reports/export/TextWriter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>
#include <cctype>

using namespace reports::engine;
using namespace reports::exporting;
using namespace exportreaders;

Q_DECLARE_METATYPE(reports::exporting::ExportFormat)
Q_DECLARE_METATYPE(reports::engine::PageStore)

namespace {

PageStore sampleStore() {
    SampleReport sample;
    PageStore store;
    if (!sample.report.run(store))
        qFatal("the sample report did not run");
    return store;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

TextOp makeText(qreal x, qreal y, qreal w, const QString& s, Align align = Align::Left,
                int pixelSize = 11) {
    TextOp op;
    op.rect = QRectF(x, y, w, lineHeight(FontSpec{QStringLiteral("Arial"), pixelSize, false}));
    op.text = s;
    op.font.pixelSize = pixelSize;
    op.align = align;
    return op;
}

} // namespace

class TstExport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        controls::installFontSubstitutions();
        core::Formats::setCurrent(core::Formats());
    }
    void init() { core::Formats::setCurrent(core::Formats()); }

    void textFileBytes() {
        PageStore store;
        store.margins = QMarginsF(30, 30, 30, 30);
        StoredPage first;
        TextOp title = makeText(42, 30, 300, QStringLiteral("Compañía € Demo"), Align::Left, 16);
        title.font.bold = true;
        first.ops.push_back(title);
        first.ops.push_back(makeText(618, 31, 120, QStringLiteral("Fecha: 31/05/2024")));
        first.ops.push_back(RectOp{QRectF(30, 58, 700, 16), QColor(Qt::gray)});
        first.ops.push_back(
            makeText(530, 60, 222, QStringLiteral("       1.000,00"), Align::Right));
        first.ops.push_back(makeText(48, 60, 100, QStringLiteral("Cheque")));
        first.ops.push_back(makeText(300, 60, 60, QStringLiteral("Centro"), Align::Center));
        first.ops.push_back(LineOp{QLineF(30, 80, 700, 80)});
        first.ops.push_back(makeText(30, 120, 100, QStringLiteral("Colisión larga")));
        first.ops.push_back(makeText(60, 120, 20, QStringLiteral("X")));
        first.ops.push_back(makeText(400, 120, 20, QStringLiteral("   ")));
        StoredPage second;
        second.ops.push_back(makeText(36, 30, 100, QStringLiteral("Página 2")));
        store.pages = {first, second, StoredPage()};

        auto pad = [](int n) { return QByteArray(n, ' '); };
        // Columns of 6 pixels from the left margin: the title at 12 px is column 2,
        // the date at 588 px column 98; the amount ends at column 120 (722 px), the
        // centred text is centred on column 50; the second label of the collision
        // moves one blank after the first. 47 px between the lines: 2 blank lines.
        const QByteArray expected = "  Compa\xf1\xed"
                                    "a \x80 Demo" +
                                    pad(98 - 17) +
                                    "Fecha: 31/05/2024\r\n"
                                    "   Cheque" +
                                    pad(47 - 9) + "Centro" + pad(112 - 53) +
                                    "1.000,00\r\n"
                                    "\r\n"
                                    "\r\n"
                                    "Colisi\xf3n larga X\r\n"
                                    "\f"
                                    " P\xe1gina 2\r\n"
                                    "\f";
        QCOMPARE(TextWriter::bytes(store), expected);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Transacciones Pendientes.Txt"));
        QString error;
        QVERIFY(TextWriter::write(store, path, &error));
        QCOMPARE(readAll(path), expected);
    }

    void textFileOfAReport() {
        const PageStore store = sampleStore();
        const QString text = platform::textfile::decode1252(TextWriter::bytes(store));
        const QStringList pages = text.split(QLatin1Char('\f'));
        const auto expected = SampleReport::expectedLines();
        QCOMPARE(pages.size(), expected.size());
        for (int p = 0; p < pages.size(); ++p) {
            QVERIFY(pages[p].endsWith(QLatin1String("\r\n")));
            QStringList lines = pages[p].split(QStringLiteral("\r\n"));
            lines.removeLast();
            lines.removeAll(QString());
            QCOMPARE(lines.size(), expected[p].size());
            for (int l = 0; l < lines.size(); ++l) {
                qsizetype from = 0;
                for (const QString& piece : expected[p][l]) {
                    const qsizetype at = lines[l].indexOf(piece, from);
                    QVERIFY2(at >= 0, qPrintable(lines[l] + QLatin1String(" / ") + piece));
                    from = at + piece.size();
                }
            }
        }
        // The amounts of the rows end in one column.
        QStringList lines = pages[0].split(QStringLiteral("\r\n"));
        lines.removeAll(QString());
        QVERIFY(lines[1].endsWith(QLatin1String("1.000,00")));
        QCOMPARE(lines[2].size(), lines[1].size());
        QCOMPARE(lines[3].size(), lines[1].size());
    }

    void rtfDocument() {
        const PageStore store = sampleStore();
        const QByteArray rtf = RtfWriter::bytes(store);
        QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
        QVERIFY(rtf.trimmed().endsWith('}'));
        // Braces balance, the escaped ones aside.
        QCOMPARE(rtf.count('{') - rtf.count("\\{"), rtf.count('}') - rtf.count("\\}"));
        // Letter paper and margins of 10 mm in twips.
        QVERIFY(rtf.contains("\\paperw12240\\paperh15840\\margl567\\margr567\\margt567\\margb567"));
        int pageBreaks = 0;
        const QStringList paragraphs = rtfParagraphs(rtf, &pageBreaks);
        QCOMPARE(pageBreaks, 1);
        QList<QStringList> got;
        for (const QString& p : paragraphs)
            got << piecesOf(p);
        QList<QStringList> expected;
        for (const auto& page : SampleReport::expectedLines())
            expected += page;
        QCOMPARE(got, expected);
        // Each label after a tab at its place: the description at 18 px, the
        // amount right-aligned at its right edge, 722 px; the title bold.
        QVERIFY(rtf.contains(
            "\\tx270\\tqr\\tx10830\\tab{\\fs17 Cheque O'Brien}\\tab{\\fs17 1.000,00}"));
        QVERIFY(rtf.contains("{\\fs24\\b Compa\\u241?\\u237?a Demo, C.A.}"));
        QVERIFY(rtf.contains("Pago \\{llaves\\} \\\\ barra \\u8364?"));
    }

    void spreadsheetCells_data() {
        QTest::addColumn<QChar>("decimal");
        QTest::addColumn<QChar>("thousands");
        QTest::newRow("comma decimals") << QChar(',') << QChar('.');
        QTest::newRow("point decimals") << QChar('.') << QChar(',');
    }
    void spreadsheetCells() {
        QFETCH(QChar, decimal);
        QFETCH(QChar, thousands);
        core::Formats formats;
        formats.decimalSeparator = decimal;
        formats.thousandSeparator = thousands;
        core::Formats::setCurrent(formats);
        const PageStore store = sampleStore();
        QString error;
        bool officePi = false;
        const auto rows = sheetRows(SpreadsheetWriter::bytes(store), &error, &officePi);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(officePi);

        // Numbers as "#" and their value; the texts as printed, without blanks round them.
        const QList<QStringList> expected = {{"Compañía Demo, C.A.", "Fecha: 31/05/2024"},
                                             {"Cheque O'Brien", "#1000.00"},
                                             {"Nota de Débito <ND> & \"otra\"", "#-200.00"},
                                             {"Pago {llaves} \\ barra €", "#1234567.89"},
                                             {"Total Transacciones : 3", "#1235367.89"},
                                             {"Pág.     2"},
                                             {"Descripción", "Monto"},
                                             {"Segunda página: fin"}};
        QList<QStringList> got;
        QList<int> amountColumns;
        for (const QList<SheetCell>& row : rows) {
            QStringList texts;
            for (const SheetCell& cell : row) {
                if (cell.type == QLatin1String("Number")) {
                    texts << QLatin1Char('#') + cell.value;
                    amountColumns << cell.column;
                } else {
                    QCOMPARE(cell.type, QStringLiteral("String"));
                    texts << cell.value;
                }
            }
            got << texts;
        }
        QCOMPARE(got, expected);
        // The amounts of the rows and their total are one column, to add up.
        QCOMPARE(amountColumns.size(), 4);
        QVERIFY(std::all_of(amountColumns.begin(), amountColumns.end(),
                            [&](int c) { return c == amountColumns.first(); }));
    }

    void plainNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("number");
        QTest::newRow("padded") << "       1.234,56"
                                << "1234.56";
        QTest::newRow("negative millions") << "-1.234.567,00"
                                           << "-1234567.00";
        QTest::newRow("zero") << "0,00"
                              << "0.00";
        QTest::newRow("no groups") << "1234,5"
                                   << "1234.5";
        QTest::newRow("whole") << "12"
                               << "12";
        QTest::newRow("bad group") << "12.34,00"
                                   << "";
        QTest::newRow("first group too long") << "1234.567,00"
                                              << "";
        QTest::newRow("words") << "Total: 3"
                               << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("decimal separator only") << "12,"
                                                << "";
        QTest::newRow("the other separators") << "1,234.56"
                                              << "";
    }
    void plainNumbers() {
        QFETCH(QString, text);
        QFETCH(QString, number);
        const std::optional<QString> got = plainNumber(text);
        QCOMPARE(got.value_or(QString()), number);
    }

    void htmlPage() {
        const PageStore store = sampleStore();
        const QByteArray html = HtmlWriter::bytes(store);
        QVERIFY(html.startsWith("<!DOCTYPE html>"));
        // UTF-8 on disk, markup escaped.
        QVERIFY(html.contains("Compa\xc3\xb1\xc3\xad"
                              "a Demo"));
        QVERIFY(html.contains("&lt;ND&gt; &amp; "));
        QString error, charset;
        const QList<QStringList> pages = htmlTexts(html, &error, &charset);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(charset, QStringLiteral("utf-8"));
        QCOMPARE(pages.size(), qsizetype(store.pages.size()));
        for (int p = 0; p < pages.size(); ++p)
            QCOMPARE(pages[p], storeTexts(store.pages[size_t(p)]));
        // Laid out as the preview: the first amount right-aligned against its
        // right edge (722 px of the band, 37.8 px of margin, of 816).
        QVERIFY(html.contains("right:56.20px"));
        QVERIFY(html.contains("background:#c0c0c0"));
        QCOMPARE(html.count("<div class=\"page\""), 2);
        // No element is written "<div/>", which an HTML reader takes for an open one.
        QVERIFY(!QRegularExpression(QStringLiteral("<div[^>]*/>"))
                     .match(QString::fromUtf8(html))
                     .hasMatch());
    }

    void savedReportRoundTrip_data() {
        QTest::addColumn<PageStore>("store");
        QTest::newRow("sample report") << sampleStore();
        QTest::newRow("no page") << PageStore();
        PageStore odd;
        odd.title = QStringLiteral("Ñandú \u4e2d\U0001F600");
        odd.paperSize = QSizeF(1056, 816);
        odd.margins = QMarginsF(0.1, 0.2, 0.3, 0.4);
        StoredPage page;
        TextOp t = makeText(1.0 / 3, 2.0 / 7, 0, QString(), Align::Center, 9);
        t.color = QColor::fromRgbF(0.1f, 0.2f, 0.3f, 0.5f);
        t.amount = true;
        t.font.family = QStringLiteral("Liberation Mono");
        page.ops.push_back(t);
        page.ops.push_back(LineOp{QLineF(1e-9, 3, 5e9, -4), QColor(), 0.25});
        page.ops.push_back(RectOp{QRectF(-1, -2, 3, 4), QColor(Qt::transparent)});
        odd.pages = {page, StoredPage(), page};
        QTest::newRow("odd values") << odd;
    }
    void savedReportRoundTrip() {
        QFETCH(PageStore, store);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Transacciones Pendientes.MTF"));
        QString error;
        QVERIFY2(SavedReport::save(store, path, &error), qPrintable(error));
        const QByteArray bytes = readAll(path);
        QVERIFY(bytes.startsWith(SavedReport::magic()));
        QCOMPARE(bytes.mid(8, 2), QByteArray("\x00\x01", 2));
        const std::optional<PageStore> loaded = SavedReport::load(path, &error);
        QVERIFY2(loaded, qPrintable(error));
        QVERIFY(*loaded == store);
        QCOMPARE(loaded->pages.size(), store.pages.size());
        // Exactly, not only within the comparison's tolerance.
        QCOMPARE(SavedReport::bytes(*loaded), bytes);
    }

    void savedReportRefusesWhatItCannotRead_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QByteArray good = SavedReport::bytes(sampleStore());
        const QString damaged = QStringLiteral("El archivo \"%1\" está dañado o incompleto.");
        QTest::newRow("no saved report")
            << QByteArray("Transacciones\r\n")
            << QStringLiteral("El archivo \"%1\" no es un reporte guardado.");
        QTest::newRow("empty") << QByteArray()
                               << QStringLiteral("El archivo \"%1\" no es un reporte guardado.");
        QByteArray later = good;
        later[9] = 2;
        QTest::newRow("later version")
            << later
            << QStringLiteral("El archivo \"%1\" fue grabado por una versión más reciente del "
                              "programa (formato 2).");
        QByteArray zero = good;
        zero[9] = 0;
        QTest::newRow("version 0") << zero << damaged;
        for (qsizetype cut :
             {qsizetype(9), qsizetype(10), qsizetype(40), good.size() / 2, good.size() - 1})
            QTest::addRow("cut at %d", int(cut)) << good.left(cut) << damaged;
        QTest::newRow("data after the end") << good + QByteArray("x") << damaged;
        // A store of one page with one box: after the magic (8), the version (2),
        // the null title (4), the paper (16), the margins (32) and the two counts
        // (8) comes the kind of the operation.
        PageStore box;
        box.pages.push_back(StoredPage{{RectOp{QRectF(1, 2, 3, 4), QColor(Qt::red)}}});
        QByteArray kind = SavedReport::bytes(box);
        QCOMPARE(int(kind[70]), 2);
        kind[70] = 7;
        QTest::newRow("unknown operation") << kind << damaged;
    }
    void savedReportRefusesWhatItCannotRead() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("x.MTF"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        QString error;
        QVERIFY(!SavedReport::load(path, &error));
        QCOMPARE(error, message.arg(path));
    }

    void savedReportOfAMissingFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("falta.MTF"));
        QString error;
        QVERIFY(!SavedReport::load(path, &error));
        QVERIFY(error.startsWith(QStringLiteral("No se puede leer el archivo \"%1\": ").arg(path)));
        QVERIFY(error.size() > path.size() + 33);
    }

    void pdfFile() {
        const PageStore store = sampleStore();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Transacciones Pendientes.Pdf"));
        QString error;
        QVERIFY2(PdfWriter::write(store, path, &error), qPrintable(error));
        const QByteArray pdf = readAll(path);
        QVERIFY(pdf.startsWith("%PDF-"));
        // Letter paper, 612 by 792 points.
        QVERIFY(QString::fromLatin1(pdf).contains(
            QRegularExpression(QStringLiteral("/MediaBox \\[0 0 612(\\.0+)? 792(\\.0+)?\\]"))));
        const QString text = pdfText(path);
        if (text.isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed: the texts are not read back");
        const QString flat = text.simplified();
        for (const auto& page : SampleReport::expectedLines()) {
            for (const QStringList& line : page) {
                for (const QString& piece : line)
                    QVERIFY2(flat.contains(piece.simplified()),
                             qPrintable(piece + QLatin1String(" in ") + flat));
            }
        }
        // One page of text per page of the report.
        QCOMPARE(text.count(QLatin1Char('\f')), 2);
    }

    void everyFormatReportsFailure_data() {
        QTest::addColumn<ExportFormat>("format");
        QTest::addColumn<QByteArray>("signature");
        QTest::newRow("Ascii") << ExportFormat::Ascii
                               << QByteArray("Compa\xf1\xed"
                                             "a Demo");
        QTest::newRow("Documento") << ExportFormat::Documento << QByteArray("{\\rtf1");
        QTest::newRow("Excel") << ExportFormat::Excel << QByteArray("<?xml");
        QTest::newRow("Html") << ExportFormat::Html << QByteArray("<!DOCTYPE html>");
        QTest::newRow("Pravix") << ExportFormat::Pravix << SavedReport::magic();
        QTest::newRow("Pdf") << ExportFormat::Pdf << QByteArray("%PDF-");
    }
    void everyFormatReportsFailure() {
        QFETCH(ExportFormat, format);
        QFETCH(QByteArray, signature);
        const PageStore store = sampleStore();
        QTemporaryDir dir;
        const QString name = QStringLiteral("Transacciones Pendientes") + extensionOf(format);

        // A missing folder: a clear error with the system's reason, and no file.
        const QString missing = dir.filePath(QStringLiteral("Reports/") + name);
        QString error;
        QVERIFY(!exportStore(format, store, missing, &error));
        const QString head = QStringLiteral("No se puede grabar el archivo \"%1\": ").arg(missing);
        QVERIFY2(error.startsWith(head), qPrintable(error));
        QVERIFY(error.size() > head.size());
        QVERIFY(!QFile::exists(missing));

        // A folder in the file's place.
        const QString folder = dir.filePath(name);
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(!exportStore(format, store, folder, &error));
        QVERIFY(QDir(folder).isEmpty());
        QVERIFY(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
        QVERIFY(QDir().rmdir(folder));

        // A file of the same name is replaced.
        const QString path = dir.filePath(name);
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old contents");
        old.close();
        QVERIFY2(exportStore(format, store, path, &error), qPrintable(error));
        const QByteArray bytes = readAll(path);
        QVERIFY2(bytes.startsWith(signature) ||
                     (format == ExportFormat::Ascii && bytes.contains(signature)),
                 bytes.left(20).constData());
        QVERIFY(!bytes.contains("old contents"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{name});
    }

    void anAbandonedWriteLeavesTheOldFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Transacciones Pendientes.Txt"));
        QVERIFY(saveFile(path, QByteArray("old"), nullptr));
        QString error;
        QVERIFY(!saveFile(
            path,
            [](QIODevice& device, QString* reason) {
                device.write("half of the new");
                *reason = QStringLiteral("disco lleno");
                return false;
            },
            &error));
        QCOMPARE(error,
                 QStringLiteral("No se puede grabar el archivo \"%1\": disco lleno").arg(path));
        QCOMPARE(readAll(path), QByteArray("old"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("Transacciones Pendientes.Txt")});
    }

    // For the checks by real programs (check-with-office.sh): the sample report
    // in every format into the folder MONVELA_EXPORT_SAMPLES names.
    void writesSamplesWhenAsked() {
        const QString folder = qEnvironmentVariable("MONVELA_EXPORT_SAMPLES");
        if (folder.isEmpty())
            QSKIP("MONVELA_EXPORT_SAMPLES is not set");
        const PageStore store = sampleStore();
        for (int i = 0; i < ExportFormatCount; ++i) {
            const auto format = ExportFormat(i);
            QString error;
            QVERIFY2(exportStore(format, store,
                                 QDir(folder).filePath(QStringLiteral("Transacciones Pendientes") +
                                                       extensionOf(format)),
                                 &error),
                     qPrintable(error));
        }
        // The pages as the preview paints them.
        for (size_t p = 0; p < store.pages.size(); ++p)
            QVERIFY(pageImage(store, int(p), 1.0)
                        .save(QDir(folder).filePath(QStringLiteral("Pagina%1.png").arg(p + 1))));
    }

    void formatsKeepTheirIndexes() {
        QStringList captions, extensions;
        for (int i = 0; i < ExportFormatCount; ++i) {
            captions << captionOf(ExportFormat(i));
            extensions << extensionOf(ExportFormat(i));
        }
        QCOMPARE(captions, QStringList({"Ascii", "Documento", "Excel", "Html", "Pravix", "Pdf"}));
        QCOMPARE(extensions, QStringList({".Txt", ".Doc", ".Xls", ".Html", ".MTF", ".Pdf"}));
    }
};

QTEST_MAIN(TstExport)
#include "tst_export.moc"

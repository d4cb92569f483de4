#include "controls/Fonts.h"
#include "controls/OutlookBar.h"
#include "controls/TNorvaDateEdit.h"
#include "controls/TNorvaEdit.h"
#include "platform/TextFile.h"
#include "reports/ExportPanel.h"
#include "reports/ExportReaders.h"
#include "reports/ReportPageFixture.h"
#include "reports/export/ExportFile.h"
#include "reports/export/SavedReport.h"
#include "shell/TAvisoTransaccionesPendientesForm.h"
#include "support/RecordingMessageBox.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

using namespace banktest;
using namespace exportreaders;
using reports::ExportPanel;
using reports::exporting::ExportFormat;
using Icon = platform::MessageBoxService::Icon;

namespace {

const QString DefaultName = QStringLiteral("Transacciones Pendientes");
const QString CannotSave = QStringLiteral("El archivo no puede ser grabado.");

QString createdIn(const shell::Tm3TransaccionesPendientesForm& module, const QString& name) {
    return QStringLiteral("El archivo ha sido creado en el directorio \"") + module.ReportsFolder +
           name + QLatin1Char('"');
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a reader of the file sees of its texts, blanks collapsed, and of the
// spreadsheet's number cells, as numbers.
struct FileTexts {
    QString text;
    QList<double> numbers;
};

FileTexts readBack(ExportFormat format, const QString& path) {
    const QByteArray bytes = readAll(path);
    FileTexts out;
    QString error, charset;
    bool officePi = false;
    switch (format) {
    case ExportFormat::Ascii:
        out.text = platform::textfile::decode1252(bytes);
        break;
    case ExportFormat::Documento: {
        int breaks = 0;
        out.text = rtfParagraphs(bytes, &breaks).join(QLatin1Char('\n'));
        break;
    }
    case ExportFormat::Excel:
        for (const auto& row : sheetRows(bytes, &error, &officePi))
            for (const SheetCell& cell : row) {
                if (cell.type == QLatin1String("Number"))
                    out.numbers << cell.value.toDouble();
                else
                    out.text += cell.value + QLatin1Char('\n');
            }
        break;
    case ExportFormat::Html:
        for (const QStringList& page : htmlTexts(bytes, &error, &charset))
            out.text += page.join(QLatin1Char('\n')) + QLatin1Char('\n');
        break;
    case ExportFormat::Pdf:
        out.text = pdfText(path);
        break;
    case ExportFormat::Pravix:
        break;
    }
    out.text = out.text.simplified();
    return out;
}

QString withoutBlanks(QString text) {
    return text.remove(QLatin1Char(' '));
}

// The module window with the report page open, and the report of the
// company as its preview shows it.
struct Export {
    ReportCompany c;
    Page p;
    ExportPanel& panel = *p.page.PanelExportar;
    shell::Tm3TransaccionesPendientesForm& module = p.module;

    Export() {
        p.page.SetRadioGroupReporteIndex(0);
        module.NorvaDateFinal->SetDate(c.today + 30);
    }
    bool layerIsModal() const {
        return panel.isVisible() && !module.MenuTransacciones->menuAction()->isEnabled() &&
               !module.MenuSistema->menuAction()->isEnabled() &&
               !module.PanelReporte->isEnabled() && !module.OutlookBar->isEnabled() &&
               !module.noticeWindow()->isEnabled();
    }
    bool windowsRestored() const {
        return !panel.isVisible() && module.MenuTransacciones->menuAction()->isEnabled() &&
               module.MenuSistema->menuAction()->isEnabled() && module.PanelReporte->isEnabled() &&
               module.OutlookBar->isEnabled() && module.noticeWindow()->isEnabled();
    }
    void exportAs(int index, const QString& name = DefaultName) {
        p.page.BExportar019->click();
        panel.SetRGExportarIndex(index);
        panel.SENombreReporte->setText(name);
        panel.BBAceptar3001->click();
    }
};

} // namespace

class TstExportPanel : public QObject {
    Q_OBJECT

    RecordingMessageBox* boxes = nullptr;

private slots:
    void initTestCase() {
        useSpanishFormats();
        controls::installFontSubstitutions();
    }
    void init() { boxes = new RecordingMessageBox; }
    void cleanup() {
        delete boxes;
        boxes = nullptr;
    }

    // The panel's controls and defaults; opened it holds the window as a
    // modal layer, and "&Cancelar" gives it back without writing anything.
    void panelAndCancel() {
        Export e;
        ExportPanel& panel = e.panel;
        QVERIFY(!panel.isVisible());
        QCOMPARE(panel.objectName(), QStringLiteral("PanelExportar"));
        QCOMPARE(panel.geometry(), QRect(90, 112, 294, 145));
        QCOMPARE(panel.Label38->text(), QStringLiteral(" Exportación"));
        QCOMPARE(panel.Label39->text(), QStringLiteral("Nombre del archivo destino :"));
        QCOMPARE(panel.RGExportar->title(), QStringLiteral("Tipo"));
        QStringList items;
        for (auto* item : panel.RGExportar->findChildren<QRadioButton*>())
            items << item->text();
        QCOMPARE(items, (QStringList{"Ascii", "Documento", "Excel", "Html", "Pravix", "Pdf"}));
        QCOMPARE(panel.RGExportarIndex(), 0);
        QCOMPARE(panel.SENombreReporte->text(), DefaultName);
        QCOMPARE(panel.BBAceptar3001->text(), QStringLiteral("&Aceptar"));
        QCOMPARE(panel.BBCancelar3002->text(), QStringLiteral("&Cancelar"));
        QCOMPARE(panel.FilePath(), e.module.ReportsFolder + DefaultName + QStringLiteral(".Txt"));

        e.p.page.BExportar019->click();
        QVERIFY(e.layerIsModal());
        panel.SetRGExportarIndex(3);
        panel.BBCancelar3002->click();
        QVERIFY(e.windowsRestored());
        QVERIFY(QDir(e.module.ReportsFolder).isEmpty());
        QVERIFY(boxes->calls.isEmpty());
        // The choices stay for the next export.
        QCOMPARE(panel.RGExportarIndex(), 3);
    }

    // Each format writes the report the preview shows, under the default name
    // and the format's extension in the company's report folder, and names
    // that place.
    void everyFormat_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("extension");
        QTest::newRow("Ascii") << 0 << ".Txt";
        QTest::newRow("Documento") << 1 << ".Doc";
        QTest::newRow("Excel") << 2 << ".Xls";
        QTest::newRow("Html") << 3 << ".Html";
        QTest::newRow("Pravix") << 4 << ".MTF";
        QTest::newRow("Pdf") << 5 << ".Pdf";
    }
    void everyFormat() {
        QFETCH(int, index);
        QFETCH(QString, extension);
        Export e;
        e.p.page.BPreliminar003->click();
        QCOMPARE(e.p.previews.size(), 1);
        const PageStore& preview = e.p.previews.first();

        e.exportAs(index);
        const QString path = e.module.ReportsFolder + DefaultName + extension;
        QVERIFY2(QFile::exists(path), qPrintable(path));
        QCOMPARE(boxes->texts(), QStringList{createdIn(e.module, DefaultName)});
        QCOMPARE(boxes->calls.first().icon, Icon::Information);
        QVERIFY(e.windowsRestored());
        QVERIFY(!e.p.page.ReporteTransaccionesPendientes);
        QCOMPARE(e.p.previews.size(), 1); // no preview of its own

        const auto format = ExportFormat(index);
        if (format == ExportFormat::Pravix) {
            const auto loaded = reports::exporting::SavedReport::load(path);
            QVERIFY(loaded);
            QCOMPARE(loaded->pages.size(), preview.pages.size());
            QVERIFY(loaded->pages == preview.pages);
            return;
        }
        if (format == ExportFormat::Pdf && pdfText(path).isEmpty())
            QSKIP("pdftotext is not installed");
        const FileTexts got = readBack(format, path);
        int amounts = 0;
        for (const auto& page : preview.pages)
            for (const TextOp* t : PageStore::texts(page)) {
                const QString shown = t->text.simplified();
                if (shown.isEmpty())
                    continue;
                const auto number = reports::exporting::plainNumber(shown);
                if (format == ExportFormat::Excel && number) {
                    ++amounts;
                    QVERIFY2(got.numbers.contains(number->toDouble()), qPrintable(shown));
                } else {
                    // A PDF reader puts the blanks between words by their distance.
                    if (format == ExportFormat::Pdf)
                        QVERIFY2(withoutBlanks(got.text).contains(withoutBlanks(shown)),
                                 qPrintable(shown));
                    else
                        QVERIFY2(got.text.contains(shown), qPrintable(shown));
                }
            }
        if (format == ExportFormat::Excel)
            QVERIFY(amounts >= 5);
    }

    // A file of the same name is replaced whole; a name with a backslash
    // names a file in a folder below the report folder.
    void replacesAndFollowsFolders() {
        Export e;
        const QString old = e.module.ReportsFolder + DefaultName + QStringLiteral(".Html");
        {
            QFile file(old);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(100000, 'x'));
        }
        e.exportAs(3);
        const QByteArray html = readAll(old);
        QVERIFY(!html.contains("xxxx"));
        QVERIFY(html.contains("Alquiler"));

        boxes->clear();
        QVERIFY(QDir(e.module.ReportsFolder).mkdir(QStringLiteral("Mayo")));
        e.exportAs(0, QStringLiteral("Mayo\\Lista"));
        QVERIFY(QFile::exists(e.module.ReportsFolder + QStringLiteral("Mayo/Lista.Txt")));
        QCOMPARE(boxes->texts(), QStringList{createdIn(e.module, QStringLiteral("Mayo\\Lista"))});
    }

    // A missing report folder: the saved report says it could not be written
    // and closes; the other formats show the reason and keep the panel open
    // until "&Cancelar". Never a success message.
    void missingReportFolder_data() {
        QTest::addColumn<int>("index");
        QTest::newRow("Pravix") << 4;
        QTest::newRow("Ascii") << 0;
        QTest::newRow("Documento") << 1;
        QTest::newRow("Excel") << 2;
        QTest::newRow("Html") << 3;
        QTest::newRow("Pdf") << 5;
    }
    void missingReportFolder() {
        QFETCH(int, index);
        Export e;
        QVERIFY(QDir(e.module.ReportsFolder).removeRecursively());
        e.exportAs(index);
        QCOMPARE(boxes->calls.size(), 1);
        if (index == 4) {
            QCOMPARE(boxes->calls.first().icon, Icon::Warning);
            QCOMPARE(boxes->calls.first().text, CannotSave);
            QVERIFY(e.windowsRestored());
        } else {
            QCOMPARE(boxes->calls.first().icon, Icon::Error);
            QVERIFY2(boxes->calls.first().text.contains(DefaultName),
                     qPrintable(boxes->texts()[0]));
            QVERIFY(e.layerIsModal());
            e.panel.BBCancelar3002->click();
            QVERIFY(e.windowsRestored());
        }
        QVERIFY(!QDir(e.module.ReportsFolder).exists());
        // The program goes on: the preview still runs.
        e.p.page.BPreliminar003->click();
        QCOMPARE(e.p.previews.size(), 1);
    }

    // The export asks for no section and needs no rows: with nothing ticked
    // the report is written as the engine lays out an empty one; with
    // "Días de Vencimientos" ticked it is the due-date report.
    void noSectionAndDueDateReport() {
        Export e;
        e.p.page.CheckBTransP->setChecked(false);
        e.module.CheckBCtsxCobrar->setChecked(false);
        e.module.CheckBCtsxPagar->setChecked(false);
        e.exportAs(0, QStringLiteral("vacio"));
        QCOMPARE(boxes->texts(), QStringList{createdIn(e.module, QStringLiteral("vacio"))});
        const QString empty = platform::textfile::decode1252(
            readAll(e.module.ReportsFolder + QStringLiteral("vacio.Txt")));
        QVERIFY(!empty.contains(QStringLiteral("Alquiler")));
        QVERIFY(!empty.contains(QStringLiteral("Por Vencer")));

        boxes->clear();
        e.p.page.CheckBTransP->setChecked(true);
        e.p.page.CBActivarVencimiento->click();
        e.exportAs(0, QStringLiteral("vencimientos"));
        QCOMPARE(boxes->texts(), QStringList{createdIn(e.module, QStringLiteral("vencimientos"))});
        const QString aging = platform::textfile::decode1252(
            readAll(e.module.ReportsFolder + QStringLiteral("vencimientos.Txt")));
        QVERIFY(aging.contains(QStringLiteral("Alquiler")));
        QVERIFY(aging.contains(QStringLiteral("Por Vencer")));
        QVERIFY(!e.p.page.ReporteTransVencimiento);
    }
};

QTEST_MAIN(TstExportPanel)
#include "tst_exportpanel.moc"

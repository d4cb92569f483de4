#include "accounts/DueRangesPanel.h"
#include "bank/BankPages.h"
#include "bank/NewTransactionPage.h"
#include "controls/Fonts.h"
#include "controls/Shape.h"
#include "controls/TNorvaDateEdit.h"
#include "controls/TNorvaEdit.h"
#include "reports/ReportPage.h"
#include "reports/ReportPageFixture.h"
#include "reports/ScriptedPrintDialog.h"
#include "reports/TNorvaReportesProgressForm.h"
#include "reports/TReporteTransaccionesPendientes.h"
#include "reports/engine/PreviewDialog.h"
#include "shell/SettingsPage.h"
#include "support/RecordingMessageBox.h"
#include "support/SetClock.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>

using namespace banktest;
using reports::ReportPage;
using reports::engine::PageStore;

namespace {

const QString NoSection = QStringLiteral("Seleccione una operación a incluir en el reporte!");
const QString NoData = QStringLiteral("Archivo sin información.");
const QString NoSelection = QStringLiteral("Seleccione un ítem antes de imprimir!");

QStringList texts(const PageStore& store) {
    QStringList out;
    for (const auto& page : store.pages)
        for (const auto* t : PageStore::texts(page))
            out << t->text.trimmed();
    return out;
}

} // namespace

class TstReportPage : public QObject {
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

    // The page's controls, places and defaults; the placeholders of the
    // module window are the ones laid out.
    void controlsAndDefaults() {
        ReportCompany c;
        Page p;
        ReportPage& r = p.page;
        QWidget* panel = p.module.PanelReporte;
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->geometry(), QRect(66, 0, 344, 394));
        QCOMPARE(r.LTituloReporte->text(), QStringLiteral(" Informes"));
        QCOMPARE(r.LTituloReporte->geometry(), QRect(0, 0, 344, 20));
        QVERIFY(r.LTituloReporte->font().bold());
        QCOMPARE(r.LFechaInicial->text(), QStringLiteral("Fecha Desde:"));
        QCOMPARE(r.LFechaInicial->pos(), QPoint(8, 32));
        QCOMPARE(r.LFechaFinal->text(), QStringLiteral("Fecha Hasta:"));
        QCOMPARE(r.LFechaFinal->pos(), QPoint(8, 66));
        QCOMPARE(p.module.NorvaDateInicial->parentWidget(), panel);
        QCOMPARE(p.module.NorvaDateInicial->geometry().topLeft(), QPoint(80, 29));
        QCOMPARE(p.module.NorvaDateInicial->width(), 81);
        QVERIFY(p.module.NorvaDateInicial->isVisible());
        QCOMPARE(p.module.NorvaDateFinal->geometry().topLeft(), QPoint(80, 63));
        // Shown: no lower date, today as the upper one.
        QCOMPARE(p.module.NorvaDateInicial->Date(), 0.0);
        QCOMPARE(p.module.NorvaDateFinal->Date(), c.today);

        QCOMPARE(r.RadioGroupReporte->title(), QStringLiteral("Condiciones"));
        QCOMPARE(r.RadioGroupReporte->geometry(), QRect(185, 23, 150, 62));
        QCOMPARE(r.RBAmbas->text(), QStringLiteral("Ambas"));
        QCOMPARE(r.RBPagadas->text(), QStringLiteral("Pagadas"));
        QCOMPARE(r.RBPorPagar->text(), QStringLiteral("Por Pagar"));
        QCOMPARE(r.RadioGroupReporteIndex(), 2);

        QCOMPARE(r.GBIncluir->title(), QStringLiteral("Incluir"));
        QCOMPARE(r.GBIncluir->geometry(), QRect(8, 91, 329, 66));
        QCOMPARE(r.CheckBTransP->text(), QStringLiteral("Transacciones Bancarias"));
        QCOMPARE(r.CheckBTransP->pos(), QPoint(9, 15));
        QVERIFY(r.CheckBTransP->isChecked());
        QCOMPARE(p.module.CheckBCtsxCobrar->parentWidget(), r.GBIncluir);
        QCOMPARE(p.module.CheckBCtsxCobrar->pos(), QPoint(172, 15));
        QCOMPARE(p.module.CheckBCtsxCobrar->text(), QStringLiteral("Cuentas por Cobrar"));
        QVERIFY(p.module.CheckBCtsxCobrar->isVisible());
        QVERIFY(p.module.CheckBCtsxCobrar->isEnabled()); // receivables included
        QCOMPARE(p.module.CheckBCtsxPagar->pos(), QPoint(9, 41));
        QVERIFY(!p.module.CheckBCtsxPagar->isEnabled()); // payables not included
        QCOMPARE(r.CBActivarVencimiento->text(), QStringLiteral("Días de Vencimientos"));
        QCOMPARE(r.CBActivarVencimiento->pos(), QPoint(171, 41));
        QVERIFY(!r.CBActivarVencimiento->isChecked());

        QTabWidget* tabs = p.module.PageControlReporte;
        QCOMPARE(tabs->geometry(), QRect(8, 163, 326, 185));
        QCOMPARE(tabs->currentWidget(), p.module.TabFiltros);
        QCOMPARE(tabs->tabText(0), QStringLiteral("Transacciones Bancarias  "));
        QStringList kinds;
        for (int i = 0; i < r.ComboBoxTipo->count(); ++i)
            kinds << r.ComboBoxTipo->itemText(i);
        QCOMPARE(kinds, (QStringList{"Cheques/ND", "Cheques", "Notas Débtio"}));
        QCOMPARE(r.ComboBoxTipo->currentIndex(), 0);
        QCOMPARE(r.CheckBoxActivarfiltros->text(), QStringLiteral("Activar Filtros"));
        QCOMPARE(r.CheckBoxActivarfiltros->pos(), QPoint(165, 117));
        QVERIFY(!r.CheckBoxActivarfiltros->isChecked());
        // The bank selector and the beneficiary edit sit on their shadows.
        QCOMPARE(p.module.CBanco->parentWidget(), p.module.TabFiltros);
        QCOMPARE(p.module.CBanco->pos(), r.SSombraBanco2->pos() - QPoint(4, 3));
        QWidget* beneficiary = p.module.NewTransaction->CBeneficiarios;
        QCOMPARE(beneficiary->parentWidget(), p.module.TabFiltros);
        QCOMPARE(beneficiary->pos(), r.SSombraBene->pos() - QPoint(4, 3));
        QCOMPARE(beneficiary->width(), 285);

        for (QGroupBox* g : {r.RGActivoxCobrar, r.RGActivoxPagar})
            QCOMPARE(g->title(), QStringLiteral("Activo"));
        QCOMPARE(r.RGActivoxCobrarIndex(), 2);
        QCOMPARE(r.RGActivoxPagarIndex(), 2);
        QCOMPARE(r.CheckBCobrarND->text(), QStringLiteral("Notas de Débitos"));
        QCOMPARE(r.CheckBPagarNP->text(), QStringLiteral("Notas Pendientes"));
        for (QCheckBox* b : {r.CheckBCobrarFact, r.CheckBCobrarGiro, r.CheckBCobrarND,
                             r.CheckBCobrarNC, r.CheckBCobrarNP, r.CheckBPagarFact,
                             r.CheckBPagarGiro, r.CheckBPagarND, r.CheckBPagarNC, r.CheckBPagarNP})
            QVERIFY(b->isChecked());

        const QList<std::pair<QPushButton*, QString>> buttons{{r.BExportar019, "&Exportar"},
                                                              {r.BAvanzado025, "&Avanzado"},
                                                              {r.BImpresora004, "&Impresora"},
                                                              {r.BPreliminar003, "&Preliminar"}};
        const int xs[] = {9, 93, 177, 260};
        for (int i = 0; i < buttons.size(); ++i) {
            QCOMPARE(buttons[i].first->text(), buttons[i].second);
            QCOMPARE(buttons[i].first->pos(), QPoint(xs[i], 359));
        }
        QVERIFY(boxes->calls.isEmpty());
    }

    void nothingToRun_data() {
        QTest::addColumn<bool>("bank");
        QTest::addColumn<bool>("receivables");
        QTest::addColumn<double>("from"); // days from today
        QTest::addColumn<QString>("message");
        QTest::newRow("no section") << false << false << -100.0 << NoSection;
        QTest::newRow("no installment in the dates") << true << false << 100.0 << NoData;
    }
    void nothingToRun() {
        QFETCH(bool, bank);
        QFETCH(bool, receivables);
        QFETCH(double, from);
        QFETCH(QString, message);
        ReportCompany c;
        Page p;
        p.page.CheckBTransP->setChecked(bank);
        p.module.CheckBCtsxCobrar->setChecked(receivables);
        p.module.NorvaDateInicial->SetDate(c.today + from);
        p.module.NorvaDateFinal->SetDate(c.today + from + 10);
        ScriptedPrintDialog printer;
        p.page.BPreliminar003->click();
        p.page.BImpresora004->click();
        QCOMPARE(boxes->texts(), QStringList(2, message));
        QCOMPARE(boxes->calls.first().icon, platform::MessageBoxService::Icon::Information);
        QVERIFY(p.previews.isEmpty());
        QVERIFY(printer.shownWith.isEmpty());
        QVERIFY(p.module.isEnabled());
        QVERIFY(p.module.noticeWindow()->isEnabled());
        QVERIFY(!p.page.ReporteTransaccionesPendientes);
    }

    // "&Preliminar": the modal preview of the run, the windows disabled for
    // as long as it lasts; printing from it makes a further pass.
    void previewAndPrint() {
        ReportCompany c;
        Page p;
        p.page.SetRadioGroupReporteIndex(0);
        p.module.NorvaDateFinal->SetDate(c.today + 30);
        p.module.PanelConfig->CEmcabezado->setChecked(true); // "Encabezados resaltados"
        QTemporaryDir dir;
        ScriptedPrintDialog printer;
        printer.outputFile = dir.filePath(QStringLiteral("preview.pdf"));
        p.onPreview = [&](reports::engine::PreviewDialog& dialog) {
            QVERIFY(p.page.ReporteTransaccionesPendientes);
            QVERIFY(dialog.printButton());
            dialog.printButton()->click();
        };
        p.page.BPreliminar003->click();
        QCOMPARE(p.previews.size(), 1);
        QCOMPARE(p.enabledDuringPreview, QList<bool>{false});
        const QStringList shown = texts(p.previews.first());
        for (const char* text : {"Alquiler", "Seguro", "Teléfono", "Condiciones: Por Pagar/Pagadas",
                                 "Total Transacciones : 3", "Banco Dos"})
            QVERIFY2(shown.contains(QString::fromUtf8(text)), text);
        bool navy = false;
        for (const auto* t : PageStore::texts(p.previews.first().pages.at(0)))
            if (t->text == QStringLiteral(" Beneficiario"))
                navy = t->color == QColor(0, 0, 0x80);
        QVERIFY(navy);
        // Receivables not ticked: no accounts section.
        QVERIFY(!shown.contains(QStringLiteral("Cuentas por Cobrar")));
        QCOMPARE(printer.shownWith, QList<int>{int(p.previews.first().pages.size())});
        QVERIFY(QFile::exists(printer.outputFile));
        QVERIFY(p.module.isEnabled());
        QVERIFY(p.module.noticeWindow()->isEnabled());
        QVERIFY(!p.page.ReporteTransaccionesPendientes);
        QVERIFY(boxes->calls.isEmpty());
    }

    // "&Impresora": the printer dialog; cancelled, nothing is printed.
    void printer_data() {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("confirmed") << true;
        QTest::newRow("cancelled") << false;
    }
    void printer() {
        QFETCH(bool, confirm);
        ReportCompany c;
        Page p;
        QTemporaryDir dir;
        ScriptedPrintDialog printer;
        printer.confirm = confirm;
        printer.outputFile = dir.filePath(QStringLiteral("printer.pdf"));
        p.page.BImpresora004->click();
        QCOMPARE(printer.shownWith, QList<int>{0});
        QCOMPARE(QFile::exists(printer.outputFile), confirm);
        QVERIFY(p.previews.isEmpty());
        QVERIFY(!p.page.ReporteTransaccionesPendientes);
        QVERIFY(p.module.isEnabled());
        QVERIFY(boxes->calls.isEmpty());
    }

    // Bank and receivables ticked, no installment in the dates: the report
    // starts with the receivables.
    void startsWithReceivables() {
        ReportCompany c;
        Page p;
        p.module.CheckBCtsxCobrar->setChecked(true);
        p.module.NorvaDateInicial->SetDate(c.today + 3);
        p.module.NorvaDateFinal->SetDate(c.today + 10);
        p.page.BPreliminar003->click();
        QCOMPARE(p.previews.size(), 1);
        const QStringList shown = texts(p.previews.first());
        QVERIFY(shown.contains(QStringLiteral("Cuentas por Cobrar")));
        QVERIFY(shown.contains(QStringLiteral("Factura uno")));
        QVERIFY(!shown.contains(QStringLiteral("Banco")));
        QVERIFY(!shown.contains(QStringLiteral("Totales")));
        QVERIFY(boxes->calls.isEmpty());
    }

    // "Días de Vencimientos": "Condiciones" keeps "Por Pagar", and the run is
    // the due-date report with the day ranges of "&Avanzado".
    void dueDateReport() {
        ReportCompany c;
        Page p;
        ReportPage& r = p.page;
        r.SetRadioGroupReporteIndex(0);
        r.CBActivarVencimiento->click();
        QVERIFY(r.CBActivarVencimiento->isChecked());
        QCOMPARE(r.RadioGroupReporteIndex(), 2);
        r.RBAmbas->click();
        QCOMPARE(r.RadioGroupReporteIndex(), 2);
        r.CBActivarVencimiento->click(); // unticking sets it too
        r.RBAmbas->click();
        QCOMPARE(r.RadioGroupReporteIndex(), 0);
        r.CBActivarVencimiento->click();
        QCOMPARE(r.RadioGroupReporteIndex(), 2);

        r.BAvanzado025->click();
        accounts::DueRangesPanel& ranges = *p.module.PanelTiempoVencimiento;
        QVERIFY(ranges.isVisible());
        QVERIFY(!p.module.PanelReporte->isEnabled());
        ranges.SetItemIndex(1); // "Cuentas por Vencer"
        ranges.BAceptar2001->click();
        QVERIFY(p.module.PanelReporte->isEnabled());

        r.BPreliminar003->click();
        QCOMPARE(p.previews.size(), 1);
        const QStringList shown = texts(p.previews.first());
        QVERIFY(shown.contains(QStringLiteral("Por Vencer 1..30")));
        QVERIFY(shown.contains(QStringLiteral("Condiciones: Por Pagar")));
        QVERIFY(!shown.contains(QStringLiteral("Pagado"))); // unpaid installments only
        QVERIFY(!r.ReporteTransVencimiento);
        QVERIFY(boxes->calls.isEmpty());
    }

    // The pop-up menu of the installments of one transaction prints that
    // transaction only, between its first and last installments, with the
    // condition lines of its account, beneficiary and both kinds.
    void printOneTransaction() {
        ReportCompany c;
        Page p;
        bank::PendingPage& pending = openBankPage(p.program);
        chooseBank(p.module.CBanco, 1); // Banco Dos
        viewTransaction(pending, 0);    // Alquiler
        controls::TNorvaList* list = pending.NorvaListPendientesBanco;
        QCOMPARE(list->Count(), 3);
        p.module.Maintenance->PreparePopup(list);
        list->SetItemIndex(-1);
        p.module.Maintenance->Imprimir1->trigger();
        QCOMPARE(boxes->texts(), QStringList{NoSelection});
        QVERIFY(p.previews.isEmpty());

        boxes->clear();
        list->SetItemIndex(1);
        p.module.Maintenance->Imprimir1->trigger();
        QCOMPARE(p.previews.size(), 1);
        const QStringList shown = texts(p.previews.first());
        QVERIFY(shown.contains(QStringLiteral("Alquiler")));
        QVERIFY(!shown.contains(QStringLiteral("Teléfono")));
        QVERIFY(!shown.contains(QStringLiteral("Seguro")));
        for (const QString& line :
             {QStringLiteral("Condiciones: Por Pagar/Pagadas"),
              QStringLiteral("Nro de Cuenta: 0134-002"),
              QStringLiteral("Beneficiario: Inmobiliaria"), QStringLiteral("Tipo: Cheques/ND"),
              QStringLiteral("Total Transacciones : 3"), core::formatShortDate(c.today - 20),
              core::formatShortDate(c.today + 1)})
            QVERIFY2(shown.contains(line), qPrintable(line));
        QVERIFY(p.page.CheckBTransP->isChecked());
        QVERIFY(!p.module.CheckBCtsxCobrar->isChecked());
        QVERIFY(p.module.isEnabled());
        QVERIFY(!p.page.ReporteTransaccionesPendientes);
        QVERIFY(boxes->calls.isEmpty());

        // The transaction list's own "Imprimir": the same transaction, no dates.
        pending.BTAnterior0032->click();
        pending.NorvaListTransPendiente->SetItemIndex(0);
        pending.PopupBanco->actions().first()->trigger();
        QCOMPARE(p.previews.size(), 2);
        const QStringList again = texts(p.previews.last());
        QVERIFY(again.contains(QStringLiteral("Beneficiario: Inmobiliaria")));
        QVERIFY(!again.contains(QStringLiteral("Desde:")));
        QVERIFY(!again.contains(QStringLiteral("Teléfono")));
    }

    // The installments by date print the browse's dates and status.
    void printInstallmentsByDate() {
        ReportCompany c;
        Page p;
        bank::PendingPage& pending = openDatePage(p.program);
        p.module.EFechaDesde->SetDate(c.today - 6);
        p.module.EFechaHasta->SetDate(c.today + 30);
        pending.CBStatus->setCurrentIndex(2); // "Por Pagar"
        pending.BBuscar006->click();
        controls::TNorvaList* list = pending.NorvaListFecha;
        QVERIFY(list->Count() > 0);
        list->SetItemIndex(0);
        p.module.Maintenance->PreparePopup(list);
        p.module.Maintenance->Imprimir1->trigger();
        QCOMPARE(p.previews.size(), 1);
        const QStringList shown = texts(p.previews.first());
        QVERIFY(shown.contains(QStringLiteral("Condiciones: Por Pagar")));
        QVERIFY(shown.contains(core::formatShortDate(c.today - 6)));
        QVERIFY(shown.contains(QStringLiteral("Seguro")));
        QVERIFY(!shown.contains(core::formatShortDate(c.today - 20))); // before the dates
        QVERIFY(boxes->calls.isEmpty());
    }

    // The progress form: its caption, its size, its cancel by a click.
    void progressForm() {
        reports::TNorvaReportesProgressForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Espere procesando ...."));
        QVERIFY(form.windowFlags() & Qt::WindowStaysOnTopHint);
        form.SetSingleBar(true);
        form.resize(150, form.height());
        form.show();
        QCOMPARE(form.size(), QSize(457, 47));
        QVERIFY(!form.ProgressBar2->isVisible());
        form.SetSingleBar(false);
        QCOMPARE(form.height(), 100);
        QVERIFY(form.ProgressBar2->isVisible());

        form.StartProgress(0, 37, false, QStringLiteral("Leyendo..."), QString(), 1);
        QCOMPARE(form.LabelCaption->text(), QStringLiteral("Leyendo... 0/37"));
        QCOMPARE(form.CancelQuestion(), QStringLiteral("Cancelar la impresión ?"));
        QVERIFY(form.StepProgress(1));
        QVERIFY(form.StepProgress(1));
        QCOMPARE(form.LabelCaption->text(), QStringLiteral("Leyendo... 2/37"));
        QCOMPARE(form.ProgressBar1->value(), 2);

        form.StartProgress(0, 200, true, QStringLiteral("Un texto de más de treinta caracteres"),
                           QStringLiteral("Parar ?"), 1);
        QCOMPARE(form.ProgressText(), QStringLiteral("Un texto de más de treinta car"));
        QCOMPARE(form.LabelCaption->text(), QStringLiteral("Un texto de más de treinta car 0%"));

        // A click asks; "No" shows the form again and goes on.
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(20, 10),
                          form.mapToGlobal(QPointF(20, 10)), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(form.LabelCaption, &press);
        boxes->answerNo();
        QVERIFY(form.StepProgress(1));
        QVERIFY(form.isVisible());
        QCOMPARE(boxes->texts(), QStringList{"Parar ?"});
        QCOMPARE(form.LabelCaption->text(), QStringLiteral("Un texto de más de treinta car 1%"));
        // Other keys are taken and dropped; Escape asks; "Sí" cancels.
        QTest::keyClick(&form, Qt::Key_A);
        QVERIFY(form.StepProgress(1));
        QCOMPARE(boxes->calls.size(), 1);
        QTest::keyClick(&form, Qt::Key_Escape);
        boxes->answerYes();
        QVERIFY(!form.StepProgress(1));
        QVERIFY(form.Cancelled());
        QVERIFY(!form.isVisible());
        QVERIFY(!form.StepProgress(1));

        // The user cannot close it.
        form.StartProgress(0, 1, false, QString(), QString(), 1);
        QVERIFY(!form.LabelCaption->isVisible());
        form.show();
        form.close();
        QVERIFY(form.isVisible());
    }
};

QTEST_MAIN(TstReportPage)
#include "tst_reportpage.moc"

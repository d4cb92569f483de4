#include "AccountsFixture.h"
#include "controls/ListPainting.h"
#include "shell/SettingsPage.h"
#include "support/RecordingMessageBox.h"

#include <QGroupBox>
#include <QProgressBar>
#include <QPushButton>
#include <climits>

using namespace accountstest;
using Icon = platform::MessageBoxService::Icon;

namespace {

// A day of a date edit: INT_MIN an empty edit, otherwise days from today.
constexpr int Empty = INT_MIN;
core::TDateTime day(int offset) {
    return offset == Empty ? 0.0 : Today + offset;
}

// Sets the range of the page (leaving a date edit of this page searches nothing).
void setRange(Program& p, int from, int to) {
    setDateAndLeave(p.module->EFechaDesdeCts, day(from));
    setDateAndLeave(p.module->EFechaHastaCts, day(to));
}

// Searches the page for the kind: "&Buscar" for the kind ticked, or a click
// on the other kind's box.
void searchPage(Program& p, Kind kind) {
    QCheckBox* box = kind == Receivables ? p.pages->CheckCobrar : p.pages->CheckPagar;
    if (box->isChecked())
        p.pages->BBuscarCts006->click();
    else
        box->click();
}

QString pageFigures(const Program& p) {
    const accounts::AccountPages& a = *p.pages;
    return figures(a.LFechaDebitoCts, a.LFechaCreditoCts, a.LSaldoCts);
}

QStringList listed(const Program& p) {
    return numbers(p.pages->NorvaListFechaCtas, true);
}

const QString AllReceivablesFigures = QStringLiteral("14.552,05/360,00/14.192,05");
const QStringList AllReceivables{
    "Abastos El Llanero|000101",        "Abastos El Llanero|000102",
    "Comercial Los Andes, C.A.|000120", "Comercial Los Andes, C.A.|000121",
    "Comercial Los Andes, C.A.|000122", "Distribuidora Zulia|000144",
    "Ferretería La Esquina|000115",     "Ferretería La Esquina|000116",
    "Panadería San José|000130"};
const QStringList AllPayables{
    "Alimentos Polar Comercial|A-55120",     "Alimentos Polar Comercial|A-55180",
    "Papelera Guaicaipuro|PG-1020",          "Papelera Guaicaipuro|PG-1033",
    "Suministros Industriales Lara|SIL-305", "Transporte Rápido Oriente|TRO-889",
    "Transporte Rápido Oriente|TRO-890"};

} // namespace

class TstAccountsByDate : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { useSpanishFormats(); }

    // The page as it first opens: receivables ticked, today's range, an
    // empty list; opening it searches nothing.
    void opening() {
        Program p;
        Form& m = *p.module;
        accounts::AccountPages& a = *p.pages;
        p.openDatePage();
        for (QWidget* panel : {m.PanelNuevo, m.PanelConfigurar, m.PanelPendiente, m.PanelReporte,
                               m.PanelCuentas, m.PanelAviso})
            QVERIFY(!panel->isVisible());
        QVERIFY(m.PanelFechaCtas->isVisible());
        QCOMPARE(a.LHeaderFechaCts->text(), QStringLiteral(" Pendientes por Cobrar"));
        QCOMPARE(a.GBCuentaConsultar->title(), QStringLiteral("Cuenta a consultar"));
        QCOMPARE(a.CheckCobrar->text(), QStringLiteral("x Cobrar"));
        QCOMPARE(a.CheckPagar->text(), QStringLiteral("x Pagar"));
        QVERIFY(a.CheckCobrar->isChecked() && a.CheckCobrar->isEnabled());
        QVERIFY(!a.CheckPagar->isChecked() && a.CheckPagar->isEnabled());
        QCOMPARE(a.BBuscarCts006->text(), QStringLiteral("&Buscar"));
        QVERIFY(m.EFechaDesdeCts->text().isEmpty());
        QCOMPARE(m.EFechaHastaCts->Date(), Today);
        QVERIFY(a.NorvaListFechaCtas->IsPlaceholder() && !a.NorvaListFechaCtas->isEnabled());
        QCOMPARE(a.NorvaListFechaCtas->ItemHeight(), 30);
        QVERIFY(a.CabeceraFechaCtas->isHidden());
        QCOMPARE(a.CabeceraFechaCtas->SectionWidth(0), 67);
        QCOMPARE(a.CabeceraFechaCtas->SectionWidth(1), 168);
        QCOMPARE(a.CabeceraFechaCtas->SectionWidth(2), 80);
        QCOMPARE(pageFigures(p), QStringLiteral("0,00/0,00/0,00"));
        QCOMPARE(p.recordCount(), QStringLiteral("Registros: 0"));
        QVERIFY(m.ViewMemory.at(16).isEmpty());
    }

    // Every party's open documents of the admitted types in the range, by
    // party name and then due date, with the figures of the kind.
    void search_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("figures");
        QTest::newRow("receivables, no range")
            << int(Receivables) << Empty << Empty << AllReceivables << AllReceivablesFigures;
        QTest::newRow("receivables up to today")
            << int(Receivables) << Empty << 0
            << QStringList{"Abastos El Llanero|000101", "Abastos El Llanero|000102",
                           "Comercial Los Andes, C.A.|000120", "Comercial Los Andes, C.A.|000121"}
            << "6.355,65/0,00/6.355,65";
        QTest::newRow("receivables from a date on")
            << int(Receivables) << 5 << Empty
            << QStringList{"Comercial Los Andes, C.A.|000122", "Distribuidora Zulia|000144",
                           "Ferretería La Esquina|000116", "Panadería San José|000130"}
            << "5.320,80/360,00/4.960,80";
        QTest::newRow("payables, no range")
            << int(Payables) << Empty << Empty << AllPayables << "135,50/11.010,95/10.875,45";
        QTest::newRow("payables between two dates")
            << int(Payables) << -7 << 7
            << QStringList{"Alimentos Polar Comercial|A-55180", "Papelera Guaicaipuro|PG-1020",
                           "Papelera Guaicaipuro|PG-1033", "Transporte Rápido Oriente|TRO-889"}
            << "60,00/2.065,75/2.005,75";
        QTest::newRow("payables, nothing in the range")
            << int(Payables) << 22 << 40 << QStringList{} << "0,00/0,00/0,00";
    }
    void search() {
        QFETCH(int, kind);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QStringList, rows);
        QFETCH(QString, figures);
        Program p;
        RecordingMessageBox boxes;
        p.openDatePage();
        setRange(p, from, to);
        QVERIFY(p.pages->NorvaListFechaCtas->IsPlaceholder()); // leaving the dates searched nothing
        searchPage(p, Kind(kind));
        QCOMPARE(listed(p), rows);
        QCOMPARE(pageFigures(p), figures);
        QCOMPARE(p.pages->LHeaderFechaCts->text(), kind == Receivables
                                                       ? QStringLiteral(" Pendientes por Cobrar")
                                                       : QStringLiteral(" Pendientes por Pagar"));
        QCOMPARE(p.recordCount(), QStringLiteral("Registros: %1").arg(rows.size()));
        QCOMPARE(p.pages->NorvaListFechaCtas->isEnabled(), !rows.isEmpty());
        QCOMPARE(p.pages->NorvaListFechaCtas->IsPlaceholder(), rows.isEmpty());
        QVERIFY(boxes.calls.isEmpty());
    }

    // A document's row is two bands, grey above and white below, and so is
    // every row under the documents.
    void twoLineRows() {
        Program p;
        p.openDatePage();
        setRange(p, 14, 14);
        searchPage(p, Receivables);
        QCOMPARE(listed(p), QStringList{"Distribuidora Zulia|000144"});
        controls::TNorvaList* list = p.pages->NorvaListFechaCtas;
        const QImage rows = list->grab(QRect(0, 0, list->ClientWidth(), 60)).toImage();
        for (const int y : {2, 32})
            QCOMPARE(QColor(rows.pixel(1, y)), QColor(controls::GridGrey));
        for (const int y : {20, 50})
            QCOMPARE(QColor(rows.pixel(1, y)), QColor(controls::GridWhite));
    }

    // Exactly one box is ticked after any click, and every click searches.
    void pairOfBoxes() {
        Program p;
        accounts::AccountPages& a = *p.pages;
        p.openDatePage();
        setRange(p, Empty, Empty);
        a.CheckPagar->click();
        QVERIFY(a.CheckPagar->isChecked() && !a.CheckCobrar->isChecked());
        QCOMPARE(listed(p), AllPayables);

        // Clicking the box already ticked keeps it and searches again.
        p.document(Payables, QStringLiteral("P0002"), QStringLiteral("PG-2000"), 1, 10.00, 30);
        a.CheckPagar->click();
        QVERIFY(a.CheckPagar->isChecked() && !a.CheckCobrar->isChecked());
        QCOMPARE(listed(p).size(), AllPayables.size() + 1);
        QVERIFY(listed(p).contains(QStringLiteral("Papelera Guaicaipuro|PG-2000")));

        a.CheckCobrar->click();
        QVERIFY(a.CheckCobrar->isChecked() && !a.CheckPagar->isChecked());
        QCOMPARE(a.LHeaderFechaCts->text(), QStringLiteral(" Pendientes por Cobrar"));
        QCOMPARE(listed(p), AllReceivables);
        a.CheckCobrar->click();
        QVERIFY(a.CheckCobrar->isChecked() && !a.CheckPagar->isChecked());
        QCOMPARE(listed(p), AllReceivables);
    }

    // The page has no type filter of its own: it reads the entry of the
    // customer and supplier page by its place, the fourth being the kind's
    // own code.
    void typeFilterOfThePartyPage_data() {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("Facturas, receivables")
            << 1 << int(Receivables)
            << QStringList{"Abastos El Llanero|000101", "Comercial Los Andes, C.A.|000120",
                           "Comercial Los Andes, C.A.|000122", "Distribuidora Zulia|000144",
                           "Ferretería La Esquina|000115"};
        QTest::newRow("N/CP, payables")
            << 4 << int(Payables) << QStringList{"Transporte Rápido Oriente|TRO-890"};
        QTest::newRow("N/CP, receivables")
            << 4 << int(Receivables) << QStringList{"Panadería San José|000130"};
        QTest::newRow("Giros, payables")
            << 5 << int(Payables) << QStringList{"Alimentos Polar Comercial|A-55180"};
    }
    void typeFilterOfThePartyPage() {
        QFETCH(int, entry);
        QFETCH(int, kind);
        QFETCH(QStringList, rows);
        Program p;
        p.openPage(Receivables);
        QVERIFY(chooseParty(p.module->CClientes, QStringLiteral("Abastos El Llanero")));
        p.pages->CTipoTrans->setCurrentIndex(entry);
        p.openDatePage();
        setRange(p, Empty, Empty);
        searchPage(p, Kind(kind));
        QCOMPARE(listed(p), rows);
        QCOMPARE(p.module->ViewMemory.at(16), QString::number(entry));
    }

    // Coming back shows the type entry, the dates and the figures of the
    // page's last search, by the kind of that search, without searching again.
    void savedStateComesBack() {
        Program p;
        Form& m = *p.module;
        accounts::AccountPages& a = *p.pages;
        p.openDatePage();
        setRange(p, -7, 7);
        searchPage(p, Payables);
        QCOMPARE(pageFigures(p), QStringLiteral("60,00/2.065,75/2.005,75"));
        QCOMPARE(m.ViewMemory.mid(16, 6),
                 (QStringList{"0", "2065,75", "60", "2005,75", "03/05/2026", "17/05/2026"}));

        // The customer page changes the type entry and its own range.
        p.openPage(Receivables);
        a.CTipoTrans->setCurrentIndex(5);
        QCOMPARE(a.CTipoTrans->currentIndex(), 5);
        p.document(Payables, QStringLiteral("P0002"), QStringLiteral("PG-2000"), 1, 10.00, 1);

        p.openDatePage();
        QCOMPARE(a.CTipoTrans->currentIndex(), 0);
        QCOMPARE(m.EFechaDesdeCts->Date(), Today - 7);
        QCOMPARE(m.EFechaHastaCts->Date(), Today + 7);
        QCOMPARE(pageFigures(p), QStringLiteral("60,00/2.065,75/2.005,75"));
        QCOMPARE(a.LHeaderFechaCts->text(), QStringLiteral(" Pendientes por Pagar"));
        QCOMPARE(listed(p).size(), 4);
        QCOMPARE(p.recordCount(), QStringLiteral("Registros: 4"));
        // The customer page's own state is its own.
        QCOMPARE(m.ViewMemory.at(4), QStringLiteral("5"));
    }

    // Leaving receivables out ticks "x Pagar" without a search: the figures
    // of the receivables search still come back where that search put them.
    void figuresComeBackByTheKindSearched() {
        Program p;
        Form& m = *p.module;
        accounts::AccountPages& a = *p.pages;
        p.openDatePage();
        searchPage(p, Receivables);
        QCOMPARE(pageFigures(p), QStringLiteral("6.355,65/0,00/6.355,65"));

        RecordingMessageBox boxes;
        m.MenuConfigurar->trigger();
        m.PanelConfig->BEditar030->click();
        m.PanelConfig->CIncCuentasxCobrar->click();
        m.PanelConfig->BGuardar012->click();
        QCOMPARE(boxes.texts(), QStringList{"Los datos fueron guardados correctamente."});
        QVERIFY(a.CheckPagar->isChecked() && !a.CheckCobrar->isChecked());
        QVERIFY(!a.CheckCobrar->isEnabled());

        p.openDatePage();
        QCOMPARE(a.LHeaderFechaCts->text(), QStringLiteral(" Pendientes por Pagar"));
        QCOMPARE(pageFigures(p), QStringLiteral("6.355,65/0,00/6.355,65"));
        QCOMPARE(listed(p).size(), 4);
        QCOMPARE(p.recordCount(), QStringLiteral("Registros: 4"));
        // The next search is of the kind ticked.
        setRange(p, Empty, Empty);
        a.BBuscarCts006->click();
        QCOMPARE(listed(p), AllPayables);
    }

    // A search that finds nothing empties what the one before showed.
    void nothingFoundAfterRows() {
        Program p;
        p.openDatePage();
        searchPage(p, Receivables);
        QCOMPARE(listed(p).size(), 4);
        setRange(p, 30, 40);
        searchPage(p, Receivables);
        controls::TNorvaList* list = p.pages->NorvaListFechaCtas;
        QVERIFY(list->IsPlaceholder() && !list->isEnabled());
        QCOMPARE(list->ItemText(0), QStringLiteral("$"));
        QCOMPARE(p.recordCount(), QStringLiteral("Registros: 0"));
        QCOMPARE(pageFigures(p), QStringLiteral("0,00/0,00/0,00"));
        QCOMPARE(p.module->ViewMemory.mid(16, 4), (QStringList{"0", "0", "0", "0"}));
    }

    // A missing table says so, by the kind searched; the page still shows
    // what it read, and stays usable for the other kind.
    void missingTable_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("receivables")
            << int(Receivables)
            << "Error de Consulta al obtener datos de la Tabla SCuentasxCobrar.";
        QTest::newRow("payables")
            << int(Payables) << "Error de Consulta al obtener datos de la Tabla SCuentasxPagar.";
    }
    void missingTable() {
        QFETCH(int, kind);
        QFETCH(QString, message);
        Program p;
        p.openDatePage();
        setRange(p, Empty, Empty);
        searchPage(p, kind == Receivables ? Payables : Receivables);
        QVERIFY(!listed(p).isEmpty());
        QVERIFY(p.removeTable(Kind(kind)));
        RecordingMessageBox boxes;
        searchPage(p, Kind(kind));
        QCOMPARE(boxes.texts(), QStringList{message});
        QCOMPARE(boxes.calls.first().icon, Icon::Error);
        controls::TNorvaList* list = p.pages->NorvaListFechaCtas;
        QVERIFY(list->IsPlaceholder() && !list->isEnabled());
        QCOMPARE(p.recordCount(), QStringLiteral("Registros: 0"));
        QCOMPARE(pageFigures(p), QStringLiteral("0,00/0,00/0,00"));
        QCOMPARE(p.module->ViewMemory.mid(16, 4), (QStringList{"0", "0", "0", "0"}));
        QVERIFY(!p.module->OvcMeterRegistros->isVisible());

        boxes.clear();
        searchPage(p, kind == Receivables ? Payables : Receivables);
        QVERIFY(boxes.calls.isEmpty());
        QCOMPARE(listed(p), kind == Receivables ? AllPayables : AllReceivables);
    }
};

QTEST_MAIN(TstAccountsByDate)
#include "tst_accountsbydate.moc"

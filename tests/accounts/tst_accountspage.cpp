#include "AccountsFixture.h"
#include "support/RecordingMessageBox.h"

#include <QAction>
#include <QMenu>
#include <QProgressBar>
#include <QStackedWidget>

using namespace accountstest;
using Icon = platform::MessageBoxService::Icon;

namespace {

// One document of a test party: number, type code, balance, due in days from today.
struct Doc {
    QString number;
    int type;
    double balance;
    int due;
};

// A party of its own with the documents, beside the demo's parties.
void addParty(Program& p, Kind kind, const QString& name, const QList<Doc>& docs) {
    const QString code = kind == Receivables ? QStringLiteral("C0900") : QStringLiteral("P0900");
    p.party(kind, code, name);
    for (const Doc& d : docs)
        p.document(kind, code, d.number, d.type, d.balance, d.due);
}

// Every document type with a balance, each due on its own day.
const QList<Doc> EveryType{
    {QStringLiteral("F1"), 1, 100.00, -10}, {QStringLiteral("ND2"), 2, 20.00, -5},
    {QStringLiteral("G3"), 3, 40.00, -1},   {QStringLiteral("O4"), 4, 7.00, 0},
    {QStringLiteral("NC5"), 5, 30.00, 2},   {QStringLiteral("O6"), 6, 6.00, 3},
    {QStringLiteral("CP7"), 7, 15.00, 4},   {QStringLiteral("DP8"), 8, 9.00, 5}};

const QString Name = QStringLiteral("Cuenta de Prueba");

} // namespace

Q_DECLARE_METATYPE(Doc)

namespace {} // namespace

class TstAccountsPage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { useSpanishFormats(); }

    // Opening a page that was never searched: its captions, its selector, its
    // type entries, empty figures and the range up to today.
    void openingAPage_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("customers")
            << int(Receivables) << " Cuentas por Cobrar"
            << "Clientes:" << QStringList{"Todas", "Facturas", "N/D", "N/C", "N/CP", "Giros"};
        QTest::newRow("suppliers")
            << int(Payables) << " Cuentas por Pagar"
            << "Proveedores:" << QStringList{"Todas", "Facturas", "N/D", "N/C", "N/DP", "Giros"};
    }
    void openingAPage() {
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(QString, caption);
        QFETCH(QStringList, entries);
        Program p;
        accounts::AccountPages& a = *p.pages;
        // The other page is opened first: nothing of it stays.
        p.openPage(kind == Receivables ? Payables : Receivables);
        p.openPage(Kind(kind));

        Form& m = *p.module;
        for (QWidget* panel : {m.PanelNuevo, m.PanelConfigurar, m.PanelPendiente, m.PanelReporte,
                               m.PanelAviso, m.PanelFechaCtas})
            QVERIFY(!panel->isVisible());
        QVERIFY(m.PanelCuentas->isVisible());
        QCOMPARE(a.LTopCuentas->text(), title);
        QCOMPARE(a.LCuentas->text(), caption);
        QCOMPARE(m.CClientes->isVisible(), kind == Receivables);
        QCOMPARE(m.CProveedores->isVisible(), kind == Payables);
        QCOMPARE(a.PControlCuentas->currentWidget(),
                 kind == Receivables ? a.TabSCobrar : a.TabSPagar);
        QStringList shown;
        for (int i = 0; i < a.CTipoTrans->count(); ++i)
            shown << a.CTipoTrans->itemText(i);
        QCOMPARE(shown, entries);
        QCOMPARE(a.CTipoTrans->currentIndex(), 0);
        QVERIFY(m.EDesdeCtas->text().isEmpty());
        QCOMPARE(m.EHastaCtas->Date(), Today);
        QCOMPARE(figures(a.LMontoDebito, a.LMontoCredito, a.LSaldo), "0,00/0,00/0,00");
        QCOMPARE(p.recordCount(), QStringLiteral("Registros: 0"));
        QVERIFY(p.list(Kind(kind))->IsPlaceholder() && !p.list(Kind(kind))->isEnabled());
        // A drop-down closed without a key is not yet a choice on this page.
        QVERIFY(!m.Lookup->LookupMouseSelect);
        const controls::HeaderSections* header =
            kind == Receivables ? a.CabeceraCtasxCobrar : a.CabeceraCtasxPagar;
        QCOMPARE(header->SectionCount(), 5);
        QCOMPARE(header->SectionCaption(0), QStringLiteral("Número"));
        QCOMPARE(header->SectionCaption(3), QStringLiteral("Monto"));
        QCOMPARE(header->SectionWidth(3), 115);
        QCOMPARE(p.list(Kind(kind))->ItemHeight(), 15);
    }

    // The debit, credit and balance figures by kind: what a receivable owes is
    // its debit, what a payable is owed its credit; codes the kind does not
    // have, other codes and spent balances count nowhere.
    void figuresByKind_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<Doc>>("docs");
        QTest::addColumn<QString>("figures");
        QTest::addColumn<QStringList>("listed");
        const QList<Doc> three{{"F", 1, 100.00, -3}, {"ND", 2, 20.00, -2}, {"NC", 5, 30.00, -1}};
        QTest::newRow("customer: invoice, debit note, credit note")
            << int(Receivables) << three << "120,00/30,00/90,00" << QStringList{"F", "ND", "NC"};
        QTest::newRow("supplier: invoice, debit note, credit note")
            << int(Payables) << three << "20,00/130,00/110,00" << QStringList{"F", "ND", "NC"};
        const QList<Doc> draft{{"G", 3, 50.00, -2}, {"CP", 7, 15.00, -1}, {"DP", 8, 4.00, 0}};
        QTest::newRow("customer: draft, pending credit note")
            << int(Receivables) << draft << "50,00/15,00/35,00" << QStringList{"G", "CP"};
        QTest::newRow("supplier: draft, pending debit note")
            << int(Payables) << draft << "4,00/50,00/46,00" << QStringList{"G", "DP"};
        const QList<Doc> never{{"F", 1, 1234.56, -9},
                               {"O4", 4, 500.00, -8},
                               {"O6", 6, 700.00, -7},
                               {"F0", 1, 0.00, -6},
                               {"FN", 1, -5.00, -5}};
        QTest::newRow("customer: other types and spent balances")
            << int(Receivables) << never << "1.234,56/0,00/1.234,56" << QStringList{"F"};
        QTest::newRow("supplier: other types and spent balances")
            << int(Payables) << never << "0,00/1.234,56/1.234,56" << QStringList{"F"};
        QTest::newRow("customer: more credit than debit")
            << int(Receivables) << QList<Doc>{{"F", 1, 10.00, -1}, {"NC", 5, 25.50, 0}}
            << "10,00/25,50/-15,50" << QStringList{"F", "NC"};
    }
    void figuresByKind() {
        QFETCH(int, kind);
        QFETCH(QList<Doc>, docs);
        QFETCH(QString, figures);
        QFETCH(QStringList, listed);
        Program p;
        addParty(p, Kind(kind), Name, docs);
        RecordingMessageBox boxes;
        p.openPage(Kind(kind));
        QVERIFY(chooseParty(p.selector(Kind(kind)), Name));
        accounts::AccountPages& a = *p.pages;
        QCOMPARE(::figures(a.LMontoDebito, a.LMontoCredito, a.LSaldo), figures);
        QCOMPARE(numbers(p.list(Kind(kind))), listed);
        QVERIFY(p.list(Kind(kind))->isEnabled());
        QCOMPARE(p.recordCount(), QStringLiteral("Registros: %1").arg(listed.size()));
        QVERIFY(boxes.calls.isEmpty());
    }

    // Each entry of the type filter lists its code alone; changing the entry
    // searches again for the party shown.
    void typeFilter_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("customer Todas")
            << int(Receivables) << 0 << QStringList{"F1", "ND2", "G3", "NC5", "CP7"};
        QTest::newRow("customer Facturas") << int(Receivables) << 1 << QStringList{"F1"};
        QTest::newRow("customer N/D") << int(Receivables) << 2 << QStringList{"ND2"};
        QTest::newRow("customer N/C") << int(Receivables) << 3 << QStringList{"NC5"};
        QTest::newRow("customer N/CP") << int(Receivables) << 4 << QStringList{"CP7"};
        QTest::newRow("customer Giros") << int(Receivables) << 5 << QStringList{"G3"};
        QTest::newRow("supplier Todas")
            << int(Payables) << 0 << QStringList{"F1", "ND2", "G3", "NC5", "DP8"};
        QTest::newRow("supplier Facturas") << int(Payables) << 1 << QStringList{"F1"};
        QTest::newRow("supplier N/D") << int(Payables) << 2 << QStringList{"ND2"};
        QTest::newRow("supplier N/C") << int(Payables) << 3 << QStringList{"NC5"};
        QTest::newRow("supplier N/DP") << int(Payables) << 4 << QStringList{"DP8"};
        QTest::newRow("supplier Giros") << int(Payables) << 5 << QStringList{"G3"};
    }
    void typeFilter() {
        QFETCH(int, kind);
        QFETCH(int, entry);
        QFETCH(QStringList, listed);
        Program p;
        addParty(p, Kind(kind), Name, EveryType);
        p.openPage(Kind(kind));
        setDateAndLeave(p.module->EHastaCtas, 0); // every due date
        QVERIFY(chooseParty(p.selector(Kind(kind)), Name));
        // Back to "Todas" first where the entry is another, so that the entry
        // chosen is a change.
        if (entry == 0)
            p.pages->CTipoTrans->setCurrentIndex(1);
        p.pages->CTipoTrans->setCurrentIndex(entry);
        QCOMPARE(numbers(p.list(Kind(kind))), listed);
        QCOMPARE(p.module->ViewMemory.at(kind == Receivables ? 4 : 10), QString::number(entry));
    }

    // The range of due dates, set in the date edits: leaving either searches.
    void dateRange_data() {
        QTest::addColumn<int>("from"); // days from today; 0 = empty
        QTest::addColumn<int>("to");
        QTest::addColumn<QStringList>("listed");
        const int none = 0;
        QTest::newRow("up to today, however old")
            << none << 1 << QStringList{"Y", "A", "T"}; // 1 = today, see below
        QTest::newRow("no range") << none << none << QStringList{"Y", "A", "T", "B", "C"};
        QTest::newRow("from a date on") << -10 << none << QStringList{"A", "T", "B", "C"};
        QTest::newRow("between, both days included") << -10 << 10 << QStringList{"A", "T", "B"};
        QTest::newRow("one day") << 10 << 10 << QStringList{"B"};
        QTest::newRow("nothing in it") << 11 << 29 << QStringList{};
    }
    void dateRange() {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QStringList, listed);
        Program p;
        addParty(p, Receivables, Name,
                 {{"Y", 1, 1.00, -400},
                  {"A", 1, 2.00, -10},
                  {"T", 1, 4.00, 0},
                  {"B", 1, 8.00, 10},
                  {"C", 1, 16.00, 30}});
        p.openPage(Receivables);
        QVERIFY(chooseParty(p.module->CClientes, Name));
        auto day = [](int offset) {
            return offset == 0 ? 0.0 : offset == 1 ? Today : Today + offset;
        };
        setDateAndLeave(p.module->EDesdeCtas, day(from));
        setDateAndLeave(p.module->EHastaCtas, day(to));
        QCOMPARE(numbers(p.module->Accounts->NorvaListCtasxCobrar), listed);
        double total = 0;
        for (const QString& n : listed)
            total += QMap<QString, double>{{"Y", 1}, {"A", 2}, {"T", 4}, {"B", 8}, {"C", 16}}[n];
        QCOMPARE(trimmed(p.pages->LSaldo),
                 core::format15(core::Currency::fromDouble(total)).trimmed());
    }

    // A search that finds nothing: the placeholder, a disabled list, no
    // record and zero figures, whatever the previous search showed.
    void nothingFound_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("party");
        QTest::newRow("customer with documents due later")
            << int(Receivables) << "Panadería San José";
        QTest::newRow("supplier with spent and other documents")
            << int(Payables) << "Suministros Industriales Lara";
    }
    void nothingFound() {
        QFETCH(int, kind);
        QFETCH(QString, party);
        Program p;
        RecordingMessageBox boxes;
        p.openPage(Kind(kind));
        const QString before = kind == Receivables ? QStringLiteral("Abastos El Llanero")
                                                   : QStringLiteral("Alimentos Polar Comercial");
        QVERIFY(chooseParty(p.selector(Kind(kind)), before));
        QCOMPARE(p.list(Kind(kind))->Count(), 2);
        p.pages->CTipoTrans->setCurrentIndex(1); // "Facturas"
        QCOMPARE(p.list(Kind(kind))->Count(), 1);

        QVERIFY(chooseParty(p.selector(Kind(kind)), party));
        controls::TNorvaList* list = p.list(Kind(kind));
        QVERIFY(list->IsPlaceholder());
        QCOMPARE(list->Count(), 1);
        QCOMPARE(list->ItemText(0), QStringLiteral("$"));
        QVERIFY(!list->isEnabled());
        QCOMPARE(p.recordCount(), QStringLiteral("Registros: 0"));
        accounts::AccountPages& a = *p.pages;
        QCOMPARE(figures(a.LMontoDebito, a.LMontoCredito, a.LSaldo), "0,00/0,00/0,00");
        QVERIFY(boxes.calls.isEmpty());
        const int slot = kind == Receivables ? 4 : 10;
        QCOMPARE(p.module->ViewMemory.mid(slot, 4), (QStringList{"1", "0", "0", "0"}));
    }

    // Two customers (or suppliers) of one name are listed together, by due date.
    void sameNameListedTogether_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("party");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("figures");
        QTest::newRow("customers")
            << int(Receivables) << "Comercial Los Andes, C.A."
            << QStringList{"000120", "000121", "000122"} << "6.175,40/0,00/6.175,40";
        QTest::newRow("suppliers") << int(Payables) << "Papelera Guaicaipuro"
                                   << QStringList{"PG-1020", "PG-1033"} << "60,00/845,75/785,75";
    }
    void sameNameListedTogether() {
        QFETCH(int, kind);
        QFETCH(QString, party);
        QFETCH(QStringList, listed);
        QFETCH(QString, figures);
        Program p;
        p.openPage(Kind(kind));
        setDateAndLeave(p.module->EHastaCtas, 0);
        QVERIFY(chooseParty(p.selector(Kind(kind)), party));
        QCOMPARE(numbers(p.list(Kind(kind))), listed);
        accounts::AccountPages& a = *p.pages;
        QCOMPARE(::figures(a.LMontoDebito, a.LMontoCredito, a.LSaldo), figures);
    }

    // The party searched is the one the selector shows: at first the first
    // customer by name, before any choice.
    void partyShownIsSearched() {
        Program p;
        p.openPage(Receivables);
        QCOMPARE(p.module->CClientes->displayText(), QStringLiteral("Abastos El Llanero"));
        p.pages->CTipoTrans->setCurrentIndex(1);
        QCOMPARE(numbers(p.pages->NorvaListCtasxCobrar), QStringList{"000101"});
        QCOMPARE(p.recordCount(), QStringLiteral("Registros: 1"));
        QCOMPARE(p.module->ViewMemory.at(4), QStringLiteral("1"));
    }

    // Coming back to a page shows the type entry, the dates and the figures
    // of its last search, in the same labels, without searching again; a page
    // never searched opens empty, whatever the other page holds.
    void savedStateComesBack() {
        Program p;
        Form& m = *p.module;
        accounts::AccountPages& a = *p.pages;
        p.openPage(Payables);
        setDateAndLeave(m.EDesdeCtas, Today - 30);
        setDateAndLeave(m.EHastaCtas, Today + 30);
        QVERIFY(chooseParty(m.CProveedores, QStringLiteral("Transporte Rápido Oriente")));
        a.CTipoTrans->setCurrentIndex(0);
        QCOMPARE(numbers(a.NorvaListCtasxPagar), (QStringList{"TRO-889", "TRO-890"}));
        QCOMPARE(figures(a.LMontoDebito, a.LMontoCredito, a.LSaldo), "75,50/120,00/44,50");
        QCOMPARE(m.ViewMemory.mid(10, 6),
                 (QStringList{"0", "120", "75,5", "44,5", "10/04/2026", "09/06/2026"}));

        // The customer page, never searched, opens empty and with today's range.
        p.openPage(Receivables);
        QCOMPARE(a.CTipoTrans->currentIndex(), 0);
        QVERIFY(m.EDesdeCtas->text().isEmpty());
        QCOMPARE(m.EHastaCtas->Date(), Today);
        QCOMPARE(figures(a.LMontoDebito, a.LMontoCredito, a.LSaldo), "0,00/0,00/0,00");
        QCOMPARE(p.recordCount(), QStringLiteral("Registros: 0"));
        QVERIFY(chooseParty(m.CClientes, QStringLiteral("Abastos El Llanero")));
        a.CTipoTrans->setCurrentIndex(5); // "Giros"
        QCOMPARE(numbers(a.NorvaListCtasxCobrar), QStringList{"000102"});
        QCOMPARE(figures(a.LMontoDebito, a.LMontoCredito, a.LSaldo), "640,25/0,00/640,25");

        // A document written meanwhile shows only when the page is searched again.
        p.document(Payables, QStringLiteral("P0003"), QStringLiteral("TRO-900"), 5, 1000.00, 1);
        p.openDatePage();
        p.openPage(Payables);
        QCOMPARE(a.CTipoTrans->currentIndex(), 0);
        QCOMPARE(a.CTipoTrans->itemText(4), QStringLiteral("N/DP"));
        QCOMPARE(m.EDesdeCtas->Date(), Today - 30);
        QCOMPARE(m.EHastaCtas->Date(), Today + 30);
        QCOMPARE(figures(a.LMontoDebito, a.LMontoCredito, a.LSaldo), "75,50/120,00/44,50");
        QCOMPARE(numbers(a.NorvaListCtasxPagar), (QStringList{"TRO-889", "TRO-890"}));
        QCOMPARE(p.recordCount(), QStringLiteral("Registros: 2"));
        QCOMPARE(m.CProveedores->displayText(), QStringLiteral("Transporte Rápido Oriente"));

        p.openPage(Receivables);
        QCOMPARE(a.CTipoTrans->currentIndex(), 5);
        QCOMPARE(a.CTipoTrans->itemText(4), QStringLiteral("N/CP"));
        QVERIFY(m.EDesdeCtas->text().isEmpty());
        QCOMPARE(figures(a.LMontoDebito, a.LMontoCredito, a.LSaldo), "640,25/0,00/640,25");
        QCOMPARE(p.recordCount(), QStringLiteral("Registros: 1"));

        // Searching again takes the new document in.
        p.openPage(Payables);
        a.CTipoTrans->setCurrentIndex(3); // "N/C"
        QCOMPARE(numbers(a.NorvaListCtasxPagar), (QStringList{"TRO-889", "TRO-900"}));
        QCOMPARE(figures(a.LMontoDebito, a.LMontoCredito, a.LSaldo), "0,00/1.120,00/1.120,00");
    }

    // A missing table: its message, and the page still shows what it read
    // (nothing) with its figures, record count and saved state.
    void missingTable_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("party");
        QTest::addColumn<QString>("message");
        QTest::newRow("receivables") << int(Receivables) << "Abastos El Llanero"
                                     << "Error de Consulta al obtener datos de la Tabla "
                                        "SCuentasxCobrar.";
        QTest::newRow("payables") << int(Payables) << "Alimentos Polar Comercial"
                                  << "Error de Consulta al obtener datos de la Tabla "
                                     "SCuentasxPagar.";
    }
    void missingTable() {
        QFETCH(int, kind);
        QFETCH(QString, party);
        QFETCH(QString, message);
        Program p;
        p.openPage(Kind(kind));
        QVERIFY(chooseParty(p.selector(Kind(kind)), party));
        QCOMPARE(p.list(Kind(kind))->Count(), 2);

        QVERIFY(p.removeTable(Kind(kind)));
        RecordingMessageBox boxes;
        p.pages->CTipoTrans->setCurrentIndex(1);
        QCOMPARE(boxes.texts(), QStringList{message});
        QCOMPARE(boxes.calls.first().icon, Icon::Error);
        QCOMPARE(boxes.calls.first().buttons, platform::MessageBoxService::Buttons::Ok);
        controls::TNorvaList* list = p.list(Kind(kind));
        QVERIFY(list->IsPlaceholder() && !list->isEnabled());
        QCOMPARE(p.recordCount(), QStringLiteral("Registros: 0"));
        accounts::AccountPages& a = *p.pages;
        QCOMPARE(figures(a.LMontoDebito, a.LMontoCredito, a.LSaldo), "0,00/0,00/0,00");
        const int slot = kind == Receivables ? 4 : 10;
        QCOMPARE(p.module->ViewMemory.mid(slot, 4), (QStringList{"1", "0", "0", "0"}));
        QVERIFY(!p.module->OvcMeterRegistros->isVisible());
        // The page stays usable: the next search says so again.
        p.pages->CTipoTrans->setCurrentIndex(0);
        QCOMPARE(boxes.calls.size(), 2);
    }

    // The selector opens its list when typing starts, on the first name that
    // begins so; Enter takes it.
    void selectorOpensOnTyping() {
        Program p;
        p.openPage(Receivables);
        controls::LookupCombo* customers = p.module->CClientes;
        customers->setFocus();
        QTest::keyClick(customers->lineEdit(), Qt::Key_F, Qt::NoModifier);
        QVERIFY(customers->isDroppedDown());
        QCOMPARE(customers->rowText(customers->highlightedRow(), 0),
                 QStringLiteral("Ferretería La Esquina"));
        QTest::keyClick(customers->listView(), Qt::Key_Return);
        QVERIFY(!customers->isDroppedDown());
        QCOMPARE(customers->displayText(), QStringLiteral("Ferretería La Esquina"));
        setDateAndLeave(p.module->EHastaCtas, 0);
        QCOMPARE(numbers(p.pages->NorvaListCtasxCobrar), (QStringList{"000115", "000116"}));
    }

    // A row clicked in the supplier selector's list is the choice, also right
    // after the page opened.
    void mouseChoice() {
        Program p;
        p.openPage(Payables);
        setDateAndLeave(p.module->EHastaCtas, 0);
        controls::LookupCombo* suppliers = p.module->CProveedores;
        suppliers->showPopup();
        int row = 0;
        while (row < suppliers->rowCount() &&
               suppliers->rowText(row, 0) != QStringLiteral("Papelera Guaicaipuro"))
            ++row;
        QTreeView* view = suppliers->listView();
        const QRect rect = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
        QVERIFY(!suppliers->isDroppedDown());
        QCOMPARE(suppliers->displayText(), QStringLiteral("Papelera Guaicaipuro"));
        QCOMPARE(numbers(p.pages->NorvaListCtasxPagar), (QStringList{"PG-1020", "PG-1033"}));
    }

    // The menu "&Cuentas" opens the pages as their side-bar items do.
    void menuItems_data() {
        QTest::addColumn<int>("action"); // 0 "Por &Cobrar", 1 "Por &Pagar", 2 "&Fecha"
        QTest::addColumn<QString>("item");
        QTest::newRow("Por Cobrar") << 0 << "Por Cobrar";
        QTest::newRow("Por Pagar") << 1 << "Por Pagar";
        QTest::newRow("Fecha") << 2 << "Fecha";
    }
    void menuItems() {
        QFETCH(int, action);
        QFETCH(QString, item);
        Program p;
        Form& m = *p.module;
        m.OutlookBar->clickItem(Form::GroupPendientes, 0);
        QAction* actions[] = {m.MenuCtasCobrar, m.MenuCtasPagar, m.MenuCtasFecha};
        QVERIFY(actions[action]->isEnabled());
        actions[action]->trigger();
        QCOMPARE(m.OutlookBar->activeGroup(), int(Form::GroupCuentas));
        const int selected = m.OutlookBar->selectedItem(Form::GroupCuentas);
        QCOMPARE(m.OutlookBar->itemCaption(Form::GroupCuentas, selected), item);
        QCOMPARE(m.OutlookBar->selectedItem(Form::GroupPendientes), -1);
        QCOMPARE(m.PanelCuentas->isVisible(), action < 2);
        QCOMPARE(m.PanelFechaCtas->isVisible(), action == 2);
        if (action < 2)
            QCOMPARE(p.pages->LTopCuentas->text(), action == 0
                                                       ? QStringLiteral(" Cuentas por Cobrar")
                                                       : QStringLiteral(" Cuentas por Pagar"));
    }
};

QTEST_MAIN(TstAccountsPage)
#include "tst_accountspage.moc"

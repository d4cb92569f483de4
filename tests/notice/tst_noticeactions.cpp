#include "NoticeFixture.h"
#include "accounts/AccountPages.h"
#include "accounts/DueRangesPanel.h"
#include "bank/BankPages.h"
#include "bank/InstallmentMaintenance.h"
#include "bank/NewTransactionPage.h"
#include "bank/PendingPage.h"
#include "controls/LookupCombo.h"
#include "controls/OutlookBar.h"
#include "controls/TNorvaDateEdit.h"
#include "controls/TNorvaEdit.h"
#include "controls/TNorvaList.h"
#include "controls/TNorvaNumberEdit.h"
#include "notice/Tm3AvisoTiempoForm.h"
#include "reports/ReportPage.h"
#include "reports/ScriptedPrintDialog.h"
#include "reports/engine/PageStore.h"
#include "reports/engine/PreviewDialog.h"
#include "support/FakeSound.h"
#include "support/RecordingMessageBox.h"
#include "support/SetClock.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace noticetest;
namespace dt = core::dt;
using Form = shell::Tm3TransaccionesPendientesForm;
using Icon = platform::MessageBoxService::Icon;
using controls::TNorvaList;

namespace {

const QString PayQuestion = QStringLiteral(
    "La aplicación no avisará más esta transacción. Desea continuar con la operación?");
const QString NothingInRange = QStringLiteral("No existen transacciones vencidas en ese período.");
const QString Saved = QStringLiteral("Sus datos fueron guardados correctamente.");
const QString SaveQuestion = QStringLiteral("Desea guardar la nueva transacción?");

// Kinds of the notice's lists.
enum Kind { Bank = 0, Receivables = 1, Payables = 2 };

// The company of a test, with the three banks, on 9 March 2026 at 09:00; the
// notice horizon is 3 days and receivables and payables are included.
struct Company {
    SetClock clock{2026, 3, 9, 9, 0};
    double today = clock.today();
    CompanyFixture company{CompanyFixture::Kind::Empty};

    explicit Company(int daysAhead = 3) {
        banktest::addBanks(company);
        shell::Settings s;
        s.includeReceivables = true;
        s.includePayables = true;
        s.daysAhead = daysAhead;
        writeSettings(company, s);
    }
    double horizon() const { return today + 3; }

    // One transaction with one unpaid installment per due day (due at once).
    void installments(const QString& description, const QList<int>& dueDays, double amount = 10,
                      int tipo = 0) {
        const qint64 t = addTransaction(company, description);
        int n = 0;
        for (int days : dueDays)
            addInstallment(company, t, {++n, today + days, 0, amount, 0, tipo});
    }
    // One party per due day, each with one open document of 100.
    void parties(Kind kind, const QList<int>& dueDays, const QString& stem) {
        int n = 0;
        for (int days : dueDays) {
            ++n;
            addDocument(company, kind == Receivables,
                        QStringLiteral("%1%2").arg(stem.left(1)).arg(n),
                        QStringLiteral("%1 %2").arg(stem).arg(n), 100, today, days);
        }
    }
};

// Another open document of a party written before.
void addDocumentOf(const CompanyFixture& company, bool receivable, const QString& code,
                   const QString& number, double today, int dueDays) {
    const QString doc = receivable ? QStringLiteral("FCC") : QStringLiteral("FCP");
    data::TableFileWriter docs(company.dataFolder(), receivable ? data::schema::CuentasxCobrar
                                                                : data::schema::CuentasxPagar);
    docs.insert({{doc + QStringLiteral("_CODIGO"), code},
                 {doc + QStringLiteral("_NUMERO"), number},
                 {doc + QStringLiteral("_SALDODOCUMENTO"), 50.0},
                 {doc + QStringLiteral("_FECHAEMISION"), today - 10},
                 {doc + QStringLiteral("_FECHAVENCIMIENTO"), today + dueDays},
                 {doc + QStringLiteral("_TIPOTRANSACCION"), 1}});
}

TNorvaList* listOf(Program& p, Kind kind) {
    return p.notice.KindList(kind);
}

// The notice check hands over what is due and the notice rises; the list of
// the kind is shown as its button shows it.
void announce(Program& p, Kind shown = Bank) {
    p.module.TimerEsperaTimer();
    p.notice.Timer2Timer();
    p.notice.PressGroupButton(p.notice.KindButton(shown));
}

// The pop-up menu opened over a list, as a right click opens it (and closed
// again: the test triggers the items itself).
void openMenu(Program& p, TNorvaList* list) {
    emit list->customContextMenuRequested(QPoint(5, 5));
    p.notice.PopupAviso->hide();
}

void groupByRange(Program& p, TNorvaList* list, int range) {
    openMenu(p, list);
    const QList<QAction*> items{p.notice.Vencido1, p.notice.Vencido2, p.notice.Vencido3,
                                p.notice.Vencido4};
    items.at(range - 1)->trigger();
}

// The rows of a list painted as the screen would (each row sets the title).
void paint(TNorvaList* list) {
    list->grab();
}

// A double-click on a row as the mouse gives it: the first click selects it.
void doubleClickRow(TNorvaList* list, int row) {
    const QPoint at = list->ItemRect(row).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(list->ItemIndex(), row);
}

QStringList names(const TNorvaList* list) {
    QStringList out;
    for (int i = 0; i < list->Count(); ++i) {
        if (const auto* g = list->RecordAs<bank::TGirosReg>(i))
            out << QStringLiteral("%1 #%2").arg(g->Descripcion).arg(g->Giro);
        else if (const auto* c = list->RecordAs<accounts::TCuentas>(i))
            out << c->Descripcion;
    }
    return out;
}

QStringList numbers(const TNorvaList* list) {
    QStringList out;
    for (int i = 0; i < list->Count(); ++i)
        if (const auto* c = list->RecordAs<accounts::TCuentas>(i))
            out << c->Numero;
    return out;
}

QString selectedCaption(const Form& m, int group) {
    return m.OutlookBar->itemCaption(group, m.OutlookBar->selectedItem(group));
}

QStringList texts(const reports::engine::PageStore& store) {
    QStringList out;
    for (const auto& page : store.pages)
        for (const auto* t : reports::engine::PageStore::texts(page))
            out << t->text.trimmed();
    return out;
}

bool samePicture(const QLabel* label, const QImage& picture) {
    return label->pixmap().toImage().convertToFormat(QImage::Format_RGB32) ==
           picture.convertToFormat(QImage::Format_RGB32);
}

// The new-transaction pages filled and saved: `count` monthly installments
// (or a fixed monthly series) of 100 at 10:00 A.M. on "Banco Uno", the first
// dated `start`.
void recordMonthly(Program& p, RecordingMessageBox& boxes, double start, bool fixed,
                   int count = 3) {
    p.module.show();
    p.module.OutlookBar->clickItem(Form::GroupTransaccion, 0);
    bank::NewTransactionPage& page = *p.module.NewTransaction;
    controls::LookupCombo* bank = p.module.CBanco;
    bank->showPopup();
    bank->setHighlightedRow(0);
    QTest::keyClick(bank->listView(), Qt::Key_Return);
    page.CBeneficiarios->setText(QStringLiteral("Inmobiliaria Centro"));
    page.EDescripcion->setText(QStringLiteral("Alquiler"));
    page.EMonto->SetInitText(fixed ? 100 : 100 * count);
    page.EFechaInicio->SetDate(start);
    page.CheckBoxFijo->setChecked(fixed);
    if (!fixed)
        page.EGiros->SetInitText(count);
    page.CBPeriodos->setCurrentIndex(2); // "Mensual"
    page.MaskEHora->setText(QStringLiteral("10:00"));
    page.CHoraampm->setCurrentIndex(0); // "A.M."
    page.BSiguiente0033->click();
    boxes.answerYes();
    page.BGuardar0012->click();
    QCOMPARE(boxes.texts(), QStringList({SaveQuestion, Saved}));
    boxes.clear();
    p.module.hide();
}

// Closing the notice answers the postpone question with its wait as it shows.
void postponeOnClose(Program& p, bool& asked) {
    asked = false;
    QTimer::singleShot(0, &p.notice, [&p, &asked] {
        notice::Tm3AvisoTiempoForm* d = p.notice.PostponeDialog();
        asked = d != nullptr;
        if (d)
            d->BAceptar2001->click();
    });
    p.notice.fcImageBtn1Click();
}

} // namespace

class TstNoticeActions : public QObject {
    Q_OBJECT

    RecordingMessageBox* boxes = nullptr;
    FakeSound* sound = nullptr;

private slots:
    void init() {
        useFormats();
        boxes = new RecordingMessageBox;
        sound = new FakeSound;
    }
    void cleanup() {
        delete sound;
        delete boxes;
        sound = nullptr;
        boxes = nullptr;
    }

    // The pop-up menu as it opens over each list: "&Pagado" over installments
    // only, the day ranges over the announced lists with their captions from
    // the edits, "&Regresar" over the maturity list.
    void menuOverEachList_data() {
        QTest::addColumn<QString>("over");
        QTest::addColumn<int>("analysis");
        QTest::addColumn<bool>("paid");
        QTest::addColumn<bool>("ranges");
        QTest::addColumn<QString>("title");
        const QString overdue = QStringLiteral("Ver V&encidos entre");
        QTest::newRow("installments") << "bank" << 0 << true << true << overdue;
        QTest::newRow("receivables") << "receivables" << 0 << false << true << overdue;
        QTest::newRow("payables, to fall due")
            << "payables" << 1 << false << true << QStringLiteral("Por V&encer entre");
        QTest::newRow("maturity list of installments")
            << "maturity bank" << 0 << true << false << overdue;
        QTest::newRow("maturity list of receivables")
            << "maturity receivables" << 0 << false << false << overdue;
    }
    void menuOverEachList() {
        QFETCH(QString, over);
        QFETCH(int, analysis);
        QFETCH(bool, paid);
        QFETCH(bool, ranges);
        QFETCH(QString, title);
        Company c;
        c.installments(QStringLiteral("Alquiler"), {-5});
        c.parties(Receivables, {-5}, QStringLiteral("Cliente"));
        c.parties(Payables, {-5}, QStringLiteral("Proveedor"));
        Program p;
        shell::TAvisoTransaccionesPendientesForm& n = p.notice;
        const Kind kind = over.endsWith(QLatin1String("receivables"))
                              ? Receivables
                              : (over == QLatin1String("payables") ? Payables : Bank);
        announce(p, kind);
        TNorvaList* list = listOf(p, kind);
        if (over.startsWith(QLatin1String("maturity"))) {
            groupByRange(p, list, 1);
            list = n.NorvaListVencimiento;
            QVERIFY(list->isVisible());
        }
        p.module.PanelTiempoVencimiento->SetItemIndex(analysis);
        openMenu(p, list);
        QCOMPARE(n.PopupList(), list);
        QCOMPARE(n.Visto1->isVisible(), paid);
        QCOMPARE(n.Titulo->menuAction()->isVisible(), ranges);
        QCOMPARE(n.Regresar1->isVisible(), !ranges);
        QCOMPARE(n.Titulo->title(), title);
        QCOMPARE(n.Vencido1->text(), QStringLiteral("1..30   días"));
        QCOMPARE(n.Vencido2->text(), QStringLiteral("31..60 días"));
        QCOMPARE(n.Vencido3->text(), QStringLiteral("61..90 días"));
        QCOMPARE(n.Vencido4->text(), QStringLiteral("Mas de 91 días"));
        for (QAction* always : {n.MenuIVer, n.MenuIVerTodos, n.Imprimir1, n.Actualizar, n.Cerrar1})
            QVERIFY(always->isVisible());
        QVERIFY(boxes->calls.isEmpty());
    }

    // The day-range grouping: the items of the menu's list whose day count
    // falls in the range clicked go to the maturity list, whose title counts
    // them against the list of their kind. A range without items says so and
    // leaves the lists as they were.
    void dayRanges_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("analysis");
        QTest::addColumn<QList<int>>("dueDays"); // from today; overdue ones negative
        QTest::addColumn<int>("daysAhead");
        QTest::addColumn<int>("upperBound"); // EVencen2 typed in, 0 = as it is
        QTest::addColumn<int>("range");
        QTest::addColumn<QList<int>>("listed"); // due days of the items listed
        QTest::addColumn<QString>("title");
        QTest::newRow("receivables 1..30, one of two")
            << 1 << 0 << QList<int>{-10, -45} << 3 << 0 << 1 << QList<int>{-10}
            << QStringLiteral("     Entre 1 y 30 días: 1 de 2");
        QTest::newRow("open range from 91: 91 listed, 90 not")
            << 1 << 0 << QList<int>{-90, -91} << 3 << 0 << 4 << QList<int>{-91}
            << QStringLiteral("     Con mas de 91 días: 1 de 2");
        QTest::newRow("installments 61..90")
            << 0 << 0 << QList<int>{-5, -70} << 3 << 0 << 3 << QList<int>{-70}
            << QStringLiteral("     Entre 61 y 90 días: 1 de 2");
        QTest::newRow("payables to fall due in 31..60")
            << 2 << 1 << QList<int>{2, 40} << 60 << 0 << 2 << QList<int>{40}
            << QStringLiteral("     Entre 31 y 60 días: 1 de 2");
        QTest::newRow("a bound as the edit shows it")
            << 1 << 0 << QList<int>{-10, -45} << 3 << 50 << 1 << QList<int>{-10, -45}
            << QStringLiteral("     Entre 1 y 50 días: 2 de 2");
        QTest::newRow("nothing in the range")
            << 1 << 0 << QList<int>{-10, -45} << 3 << 0 << 3 << QList<int>{} << QString();
    }
    void dayRanges() {
        QFETCH(int, kind);
        QFETCH(int, analysis);
        QFETCH(QList<int>, dueDays);
        QFETCH(int, daysAhead);
        QFETCH(int, upperBound);
        QFETCH(int, range);
        QFETCH(QList<int>, listed);
        QFETCH(QString, title);
        Company c(daysAhead);
        if (kind == Bank)
            c.installments(QStringLiteral("Alquiler"), dueDays);
        else
            c.parties(Kind(kind), dueDays, QStringLiteral("Parte"));
        Program p;
        shell::TAvisoTransaccionesPendientesForm& n = p.notice;
        accounts::DueRangesPanel& ranges = *p.module.PanelTiempoVencimiento;
        ranges.SetItemIndex(analysis);
        if (upperBound)
            ranges.EVencen2->SetInitText(upperBound);
        announce(p, Kind(kind));
        TNorvaList* list = listOf(p, Kind(kind));
        QCOMPARE(list->Count(), int(dueDays.size()));
        paint(list);
        const QString before = n.LTitulo->text();
        groupByRange(p, list, range);
        QCOMPARE(n.DueListKind, kind);
        if (upperBound)
            QCOMPARE(n.Vencido1->text(), QStringLiteral("1..%1   días").arg(upperBound));

        QList<int> shown;
        for (int i = 0; i < n.NorvaListVencimiento->Count(); ++i) {
            const controls::ListRecordPtr record = n.NorvaListVencimiento->SharedRecordAt(i);
            // The maturity list refers to the records of the list it was built from.
            bool fromList = false;
            for (int j = 0; j < list->Count(); ++j)
                fromList = fromList || list->SharedRecordAt(j) == record;
            QVERIFY(fromList);
            const auto* g = dynamic_cast<const bank::TGirosReg*>(record.get());
            const auto* d = dynamic_cast<const accounts::TCuentas*>(record.get());
            shown << qRound((g ? g->FechaGiro : d->FechaVencimiento) - c.today);
        }
        QCOMPARE(shown, listed);
        if (listed.isEmpty()) {
            QCOMPARE(boxes->texts(), QStringList{NothingInRange});
            QCOMPARE(boxes->calls.first().icon, Icon::Information);
            QVERIFY(list->isVisible());
            QVERIFY(!n.NorvaListVencimiento->isVisible());
            QCOMPARE(n.LTitulo->text(), before);
            return;
        }
        QVERIFY(boxes->calls.isEmpty());
        QVERIFY(n.NorvaListVencimiento->isVisible());
        QVERIFY(!list->isVisible());
        paint(n.NorvaListVencimiento);
        QCOMPARE(n.LTitulo->text(), title);
    }

    // "&Ver", "&Pagado" and "&Imprimir" ask for a row first; a double-click
    // without one does nothing.
    void noSelectedRow_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("message");
        QTest::newRow("ver") << "MenuIVer" << QStringLiteral("Seleccione un ítem para ver!");
        QTest::newRow("pagado") << "Visto1" << QStringLiteral("Seleccione un ítem a pagar!");
        QTest::newRow("imprimir") << "Imprimir1"
                                  << QStringLiteral("Seleccione un ítem antes de imprimir!");
        QTest::newRow("double-click") << QString() << QString();
    }
    void noSelectedRow() {
        QFETCH(QString, action);
        QFETCH(QString, message);
        Company c;
        c.installments(QStringLiteral("Alquiler"), {-1});
        Program p;
        announce(p);
        TNorvaList* list = p.notice.NorvaListAvisoPen;
        list->SetItemIndex(-1);
        openMenu(p, list);
        if (action.isEmpty())
            p.notice.NorvaListAvisoPenDblClick();
        else
            p.notice.PopupAviso->findChild<QAction*>(action)->trigger();
        QCOMPARE(boxes->texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty())
            QCOMPARE(boxes->calls.first().icon, Icon::Information);
        QVERIFY(!p.module.isVisible());
        QVERIFY(!p.module.Reports->ReporteTransaccionesPendientes);
        QCOMPARE(list->Count(), 1);
        QCOMPARE(banktest::installments(c.company).first().paid, false);
    }

    // A double-click on an installment (or "&Ver", or a row of the maturity
    // list of installments) opens the module window on its detail panel with
    // its picture and "&Pagado" enabled, after cancelling an edit of the
    // configuration page or leaving the installments of one transaction.
    void openInstallment_data() {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("before"); // what the module window was doing
        QTest::newRow("cheque, double-click") << 0 << "double-click"
                                              << "";
        QTest::newRow("debit note, ver") << 1 << "ver"
                                         << "";
        QTest::newRow("from the maturity list") << 0 << "maturity"
                                                << "";
        QTest::newRow("configuration being edited") << 0 << "double-click"
                                                    << "config";
        // The notice takes no input while the installments of one transaction
        // show, unless a report run from it gave it back: the handler alone.
        QTest::newRow("installments of one transaction") << 1 << "handler"
                                                         << "muestra";
    }
    void openInstallment() {
        QFETCH(int, tipo);
        QFETCH(QString, how);
        QFETCH(QString, before);
        Company c;
        const qint64 t = addTransaction(c.company, QStringLiteral("Alquiler"),
                                        QStringLiteral("Inmobiliaria Centro"));
        addInstallment(c.company, t, {1, c.today - 40, 0, 500, 0, tipo});
        const qint64 key = addInstallment(c.company, t, {2, c.today - 5, 0, 1234.5, 0, tipo});
        Program p;
        Form& m = p.module;
        bank::InstallmentMaintenance& d = *m.Maintenance;
        if (before == QLatin1String("config")) {
            m.show();
            m.MenuConfigurar->trigger();
            p.page.BEditar030->click();
            QVERIFY(p.page.BCancelar2002->isEnabled());
        } else if (before == QLatin1String("muestra")) {
            m.show();
            m.OutlookBar->clickItem(Form::GroupPendientes, 0);
            banktest::chooseBank(m.CBanco, 0);
            m.Pending->NorvaListTransPendiente->SetItemIndex(0);
            m.Pending->BVer008->click();
            QVERIFY(m.Pending->ShowsInstallments());
        }
        announce(p);
        TNorvaList* list = p.notice.NorvaListAvisoPen;
        if (how == QLatin1String("maturity")) {
            groupByRange(p, list, 1); // 1..30: installment 2 alone
            list = p.notice.NorvaListVencimiento;
            QCOMPARE(list->Count(), 1);
            doubleClickRow(list, 0);
        } else if (how == QLatin1String("handler")) {
            list->SetItemIndex(1);
            p.notice.NorvaListAvisoPenDblClick();
        } else if (how == QLatin1String("ver")) {
            list->SetItemIndex(1);
            openMenu(p, list);
            p.notice.MenuIVer->trigger();
        } else {
            doubleClickRow(list, 1);
        }

        QVERIFY(m.isVisible());
        QVERIFY(m.PanelAviso->isVisible());
        QCOMPARE(selectedCaption(m, Form::GroupPendientes), QStringLiteral("Detalle"));
        QCOMPARE(m.OutlookBar->activeGroup(), int(Form::GroupPendientes));
        QCOMPARE(d.LTipoTrans->text(),
                 tipo == 0 ? QStringLiteral("Cheque") : QStringLiteral("Nota Débito"));
        QVERIFY(samePicture(d.ImagenDetalle, p.notice.ImageListAviso.at(tipo)));
        QVERIFY(d.ImagenDetalle->isVisible());
        QCOMPARE(d.LDescrip->text(), QStringLiteral("Alquiler"));
        QCOMPARE(d.LBeneficiario->text(), QStringLiteral("Inmobiliaria Centro"));
        QCOMPARE(d.LBanco->text(), QStringLiteral("Banco Uno"));
        QCOMPARE(d.LFecha->text(), core::formatShortDate(c.today - 5));
        QCOMPARE(d.LDetalleMonto->text(), QStringLiteral("1.234,50"));
        QCOMPARE(d.LNroDoc->text(), QString::number(key));
        QCOMPARE(d.LCoutaDetalle->text(), QStringLiteral("2"));
        QVERIFY(d.BProcesar022->isEnabled());
        for (QLabel* caption : {d.LTMasDetalle, d.LTBanco, d.LTCouta, d.LTBenefi, d.LTNroDoc,
                                d.LTTipoTrans, d.LTDescrip, d.LTFecha, d.LTMonto, d.LTFechaPagado})
            QVERIFY(caption->isEnabled());
        // The edit was cancelled; the transaction's installments were left.
        QVERIFY(!p.page.BCancelar2002->isEnabled());
        QVERIFY(!m.Pending->ShowsInstallments());
        QVERIFY(m.MenuTransacciones->menuAction()->isEnabled());
        QVERIFY(boxes->calls.isEmpty());
    }

    // A double-click on a receivable of customer "X" (a payable of supplier
    // "X") opens the party's page with "X" in the selector, the to-date at the
    // notice horizon and the party's documents up to it listed; the focus
    // goes back to the notice list. A second party is opened on the same page.
    void openParty_data() {
        QTest::addColumn<bool>("receivable");
        QTest::newRow("receivable") << true;
        QTest::newRow("payable") << false;
    }
    void openParty() {
        QFETCH(bool, receivable);
        Company c;
        addDocument(c.company, receivable, QStringLiteral("P1"), QStringLiteral("X"), 100, c.today,
                    -3);
        addDocumentOf(c.company, receivable, QStringLiteral("P1"), QStringLiteral("P1-2"), c.today,
                      1);
        addDocumentOf(c.company, receivable, QStringLiteral("P1"), QStringLiteral("P1-3"), c.today,
                      10); // beyond the horizon
        addDocument(c.company, receivable, QStringLiteral("P2"), QStringLiteral("Y"), 70, c.today,
                    -1);
        Program p;
        Form& m = p.module;
        const Kind kind = receivable ? Receivables : Payables;
        announce(p, kind);
        TNorvaList* list = listOf(p, kind);
        QCOMPARE(names(list), QStringList({"X", "Y"}));
        doubleClickRow(list, 0);

        controls::LookupCombo* party = receivable ? m.CClientes : m.CProveedores;
        TNorvaList* documents =
            receivable ? m.Accounts->NorvaListCtasxCobrar : m.Accounts->NorvaListCtasxPagar;
        QVERIFY(m.isVisible());
        QVERIFY(m.PanelCuentas->isVisible());
        QCOMPARE(m.OutlookBar->activeGroup(), int(Form::GroupCuentas));
        QCOMPARE(selectedCaption(m, Form::GroupCuentas),
                 receivable ? QStringLiteral("Por Cobrar") : QStringLiteral("Por Pagar"));
        QCOMPARE(party->displayText(), QStringLiteral("X"));
        QCOMPARE(m.EHastaCtas->Date(), c.horizon());
        QCOMPARE(numbers(documents), QStringList({"P1-1", "P1-2"}));
        QVERIFY(documents->isVisible());
        // The notice active again, its list with the focus.
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::activeWindow(), &p.notice);
        QCOMPARE(QApplication::focusWidget(), list);

        doubleClickRow(list, 1);
        QCOMPARE(party->displayText(), QStringLiteral("Y"));
        QCOMPARE(numbers(documents), QStringList({"P2-1"}));
        QCOMPARE(m.EHastaCtas->Date(), c.horizon());
        QVERIFY(boxes->calls.isEmpty());
    }

    // "Ver T&odas": the pending items of the list's kind up to the notice
    // horizon, in the module window's search page of that kind.
    void seeAll_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("payables") << 2 << QStringList({"Proveedor 1", "Proveedor 2"});
        QTest::newRow("receivables") << 1 << QStringList({"Cliente 1", "Cliente 2"});
        QTest::newRow("installments") << 0 << QStringList({"Alquiler #1", "Alquiler #2"});
    }
    void seeAll() {
        QFETCH(int, kind);
        QFETCH(QStringList, listed);
        Company c;
        c.installments(QStringLiteral("Alquiler"), {-5, 2, 10});
        c.parties(Receivables, {-5, 2, 10}, QStringLiteral("Cliente"));
        c.parties(Payables, {-5, 2, 10}, QStringLiteral("Proveedor"));
        Program p;
        Form& m = p.module;
        // The other box of the pair ticked before.
        m.CheckCobrar->setChecked(kind != Receivables);
        m.CheckPagar->setChecked(kind == Receivables);
        announce(p, Kind(kind));
        TNorvaList* list = listOf(p, Kind(kind));
        QCOMPARE(list->Count(), 2); // the third is beyond the horizon
        openMenu(p, list);
        p.notice.MenuIVerTodos->trigger();

        QVERIFY(m.isVisible());
        if (kind == Bank) {
            QVERIFY(m.PanelPendiente->isVisible());
            QCOMPARE(m.OutlookBar->activeGroup(), int(Form::GroupPendientes));
            QCOMPARE(selectedCaption(m, Form::GroupPendientes), QStringLiteral("Fecha"));
            QCOMPARE(m.Pending->PageControlPendientes->currentWidget(), m.Pending->TabSheetFecha);
            QCOMPARE(m.EFechaHasta->Date(), c.horizon());
            QCOMPARE(banktest::descriptions(*m.Pending->NorvaListFecha), listed);
        } else {
            QVERIFY(m.PanelFechaCtas->isVisible());
            QCOMPARE(m.OutlookBar->activeGroup(), int(Form::GroupCuentas));
            QCOMPARE(selectedCaption(m, Form::GroupCuentas), QStringLiteral("Fecha"));
            QCOMPARE(m.EFechaHastaCts->Date(), c.horizon());
            QCOMPARE(m.CheckCobrar->isChecked(), kind == Receivables);
            QCOMPARE(m.CheckPagar->isChecked(), kind == Payables);
            QCOMPARE(names(m.Accounts->NorvaListFechaCtas), listed);
        }
        QVERIFY(boxes->calls.isEmpty());
    }

    // "&Imprimir" previews the whole report of the list's kind up to the
    // notice horizon, not only the selected item: the pending transactions
    // report from an announced list, the due-date report from the maturity
    // list. The windows take no input meanwhile; printing from the preview
    // goes to the printer chosen.
    void printing_data() {
        QTest::addColumn<QString>("over");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        QTest::newRow("receivables list")
            << "receivables" << QStringList({"Cliente 1", "Cliente 2", "Cuentas por Cobrar"})
            << QStringList({"Cliente 3", "Proveedor 1", "Alquiler"});
        QTest::newRow("installments list")
            << "bank" << QStringList({"Alquiler", "Condiciones: Por Pagar"})
            << QStringList({"Seguro", "Luz", "Cliente 1"});
        QTest::newRow("payables list")
            << "payables" << QStringList({"Proveedor 1", "Proveedor 2", "Cuentas por Pagar"})
            << QStringList({"Proveedor 3", "Cliente 1"});
        QTest::newRow("maturity list of receivables")
            << "maturity" << QStringList({"Cliente 1", "Cliente 2"})
            << QStringList({"Cliente 3", "Alquiler"});
    }
    void printing() {
        QFETCH(QString, over);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        Company c;
        c.company.exec(QStringLiteral("SFixed.dat"),
                       QStringLiteral("INSERT INTO SFixed VALUES ('0102-001', 10000000);"));
        c.installments(QStringLiteral("Alquiler"), {-2, 1});
        c.installments(QStringLiteral("Seguro"), {10}); // beyond the horizon
        const qint64 paid = addTransaction(c.company, QStringLiteral("Luz"));
        addInstallment(c.company, paid, {1, c.today - 1, 0, 30, 0, 0, true});
        c.parties(Receivables, {-5, 2, 10}, QStringLiteral("Cliente"));
        c.parties(Payables, {-5, 2, 10}, QStringLiteral("Proveedor"));
        Program p;
        Form& m = p.module;
        reports::ReportPage& reportPage = *m.Reports;
        QList<reports::engine::PageStore> previews;
        QList<bool> enabled;
        bool dueDateReport = false;
        QTemporaryDir dir;
        ScriptedPrintDialog printer;
        printer.outputFile = dir.filePath(QStringLiteral("notice.pdf"));
        reportPage.SetPreviewRunner([&](reports::engine::PreviewDialog& dialog) {
            previews << dialog.store();
            enabled << (m.isEnabled() || p.notice.isEnabled());
            dueDateReport = reportPage.ReporteTransVencimiento != nullptr;
            dialog.printButton()->click();
        });
        const bool maturity = over == QLatin1String("maturity");
        const Kind kind = maturity || over == QLatin1String("receivables")
                              ? Receivables
                              : (over == QLatin1String("payables") ? Payables : Bank);
        announce(p, kind);
        TNorvaList* list = listOf(p, kind);
        if (maturity) {
            groupByRange(p, list, 1); // 1..30 overdue: "Cliente 1" alone
            list = p.notice.NorvaListVencimiento;
            QCOMPARE(names(list), QStringList{"Cliente 1"});
        }
        list->SetItemIndex(0);
        openMenu(p, list);
        p.notice.Imprimir1->trigger();

        QCOMPARE(previews.size(), 1);
        QCOMPARE(enabled, QList<bool>{false});
        QCOMPARE(dueDateReport, maturity);
        const QStringList shown = texts(previews.first());
        for (const QString& text : present)
            QVERIFY2(shown.contains(text), qPrintable(text));
        for (const QString& text : absent)
            QVERIFY2(!shown.contains(text), qPrintable(text));
        QCOMPARE(printer.shownWith, QList<int>{int(previews.first().pages.size())});
        QVERIFY(QFile::exists(printer.outputFile));
        // The section boxes of the run as the kind asks.
        QCOMPARE(reportPage.CheckBTransP->isChecked(), kind == Bank);
        QCOMPARE(m.CheckBCtsxCobrar->isChecked(), kind == Receivables);
        QCOMPARE(m.CheckBCtsxPagar->isChecked(), kind == Payables);
        QCOMPARE(reportPage.CBActivarVencimiento->isChecked(), maturity);
        QVERIFY(m.isEnabled());
        QVERIFY(p.notice.isEnabled());
        QVERIFY(!reportPage.ReporteTransaccionesPendientes);
        QVERIFY(!reportPage.ReporteTransVencimiento);
        QVERIFY(boxes->calls.isEmpty());
    }

    // "&Pagado" on the bank list and on the maturity list of installments:
    // asked first; on Yes the installment is paid today and the bank lists are
    // emptied, to be filled again by the next check; on No nothing changes.
    void markPaid_data() {
        QTest::addColumn<bool>("fromMaturity");
        QTest::addColumn<bool>("yes");
        QTest::newRow("bank list, yes") << false << true;
        QTest::newRow("bank list, no") << false << false;
        QTest::newRow("maturity list, yes") << true << true;
    }
    void markPaid() {
        QFETCH(bool, fromMaturity);
        QFETCH(bool, yes);
        Company c;
        c.installments(QStringLiteral("Alquiler"), {-40, -5});
        Program p;
        shell::TAvisoTransaccionesPendientesForm& n = p.notice;
        announce(p);
        TNorvaList* list = n.NorvaListAvisoPen;
        int row = 1; // installment 2, 5 days overdue
        if (fromMaturity) {
            groupByRange(p, list, 1);
            list = n.NorvaListVencimiento;
            row = 0;
        }
        QCOMPARE(list->RecordAs<bank::TGirosReg>(row)->Giro, 2);
        list->SetItemIndex(row);
        openMenu(p, list);
        QVERIFY(n.Visto1->isVisible());
        if (yes)
            boxes->answerYes();
        n.Visto1->trigger();
        QCOMPARE(boxes->texts(), QStringList{PayQuestion});
        QCOMPARE(boxes->calls.first().icon, Icon::Confirmation);
        const QList<banktest::GiroRow> rows = banktest::installments(c.company);
        QCOMPARE(rows.at(0).paid, false);
        QCOMPARE(rows.at(1).paid, yes);
        if (!yes) {
            QCOMPARE(list->Count(), fromMaturity ? 1 : 2);
            QVERIFY(list->isVisible());
            return;
        }
        QCOMPARE(rows.at(1).paidDate, core::formatShortDate(c.today));
        for (TNorvaList* emptied : {n.NorvaListAvisoPen, n.NorvaListVencimiento}) {
            QCOMPARE(emptied->Count(), 0);
            QVERIFY(!emptied->isVisible());
        }
        QVERIFY(!n.fcButtonGroup1fcImageBtn1->isEnabled());
        QCOMPARE(p.module.TimerEspera->interval(), 1);
        // The next check: what is still unpaid comes back.
        p.module.TimerEsperaTimer();
        QCOMPARE(names(n.NorvaListAvisoPen), QStringList{"Alquiler #1"});
        QVERIFY(n.fcButtonGroup1fcImageBtn1->isEnabled());
        QVERIFY(n.NorvaListAvisoPen->isVisible());
    }

    // "&Actualizar Datos" reloads at once: with the notice on screen its
    // lists are emptied and filled again with what is still due.
    void reloadNow() {
        Company c;
        c.installments(QStringLiteral("Alquiler"), {-2, -1});
        Program p;
        announce(p);
        QCOMPARE(p.notice.NorvaListAvisoPen->Count(), 2);
        c.company.exec(QStringLiteral("m3GirosPendientes.dat"),
                       QStringLiteral("UPDATE m3GirosPendientes SET FGP_STATUS = 1 "
                                      "WHERE FGP_GIRO = 1"));
        openMenu(p, p.notice.NorvaListAvisoPen);
        p.notice.Actualizar->trigger();
        QCOMPARE(names(p.notice.NorvaListAvisoPen), QStringList{"Alquiler #2"});
        QCOMPARE(p.module.BankTotal, banktest::money(10));
        QVERIFY(p.notice.isVisible());
        QVERIFY(boxes->calls.isEmpty());
    }

    // The road of ordinary installments: three monthly ones recorded on the
    // new-transaction pages, the first a month ago; the two due are handed
    // over once their time of day has come; one opened in the detail panel and
    // paid from the card; the notice dismissed for its wait comes back with
    // the installment still unpaid.
    void roadOfInstallments() {
        Company c;
        SetClock& now = c.clock;
        const double today = c.today;
        Program p;
        Form& m = p.module;
        shell::TAvisoTransaccionesPendientesForm& n = p.notice;
        QVERIFY(m.DueInstallments.empty());
        recordMonthly(p, *boxes, dt::incMonth(today, -1), false);
        // Rebuilt: the two unpaid ones due up to the horizon.
        QCOMPARE(int(m.DueInstallments.size()), 2);
        QCOMPARE(m.DueInstallments[0]->Giro, 1);
        QCOMPARE(m.DueInstallments[1]->Giro, 2);

        // 09:00: nothing renewed, nothing handed over before 10:00.
        m.TimerEsperaTimer();
        QCOMPARE(banktest::installments(c.company).size(), 3);
        QVERIFY(!n.isVisible());
        QCOMPARE(int(m.DueInstallments.size()), 2);
        now.set(today + dt::encodeTime(10, 0));
        m.TimerEsperaTimer();
        QVERIFY(n.isVisible());
        QVERIFY(m.DueInstallments.empty());
        n.Timer2Timer();
        QCOMPARE(sound->played.size(), 1);
        QVERIFY(n.NorvaListAvisoPen->isVisible());
        QCOMPARE(names(n.NorvaListAvisoPen), QStringList({"Alquiler #1", "Alquiler #2"}));
        paint(n.NorvaListAvisoPen);
        QCOMPARE(n.LTitulo->text(), QStringLiteral("     Oper.: 2 - Total:     200,00"));

        // The first card opened in the module window's detail panel.
        doubleClickRow(n.NorvaListAvisoPen, 0);
        QVERIFY(m.isVisible() && m.PanelAviso->isVisible());
        QCOMPARE(m.Maintenance->LCoutaDetalle->text(), QStringLiteral("1"));
        QCOMPARE(m.Maintenance->LFecha->text(), core::formatShortDate(dt::incMonth(today, -1)));
        QVERIFY(m.Maintenance->BProcesar022->isEnabled());

        // Paid from the card's pop-up.
        openMenu(p, n.NorvaListAvisoPen);
        boxes->answerYes();
        n.Visto1->trigger();
        QCOMPARE(boxes->texts(), QStringList{PayQuestion});
        boxes->clear();
        const QList<banktest::GiroRow> rows = banktest::installments(c.company);
        QCOMPARE(rows.size(), 3);
        QVERIFY(rows[0].paid && !rows[1].paid && !rows[2].paid);
        QCOMPARE(rows[0].paidDate, core::formatShortDate(today));
        QCOMPARE(n.NorvaListAvisoPen->Count(), 0);
        QCOMPARE(m.TimerEspera->interval(), 1);
        m.TimerEsperaTimer();
        QCOMPARE(names(n.NorvaListAvisoPen), QStringList{"Alquiler #2"});
        paint(n.NorvaListAvisoPen);
        QCOMPARE(n.LTitulo->text(), QStringLiteral("     Oper.: 1 - Total:     100,00"));

        // Dismissed for the wait of the settings (5 minutes), it comes back
        // after it with what is still listed.
        bool asked = false;
        postponeOnClose(p, asked);
        QVERIFY(asked);
        QVERIFY(!n.isVisible());
        QCOMPARE(m.TimerEspera->interval(), 5 * 60000);
        now.advanceMinutes(5);
        m.TimerEsperaTimer();
        QVERIFY(n.isVisible());
        n.Timer2Timer();
        QCOMPARE(sound->played.size(), 2);
        QCOMPARE(names(n.NorvaListAvisoPen), QStringList{"Alquiler #2"});
        QCOMPARE(m.TimerEspera->interval(), 40000);
        QVERIFY(boxes->calls.isEmpty());
    }

    // The road of a fixed monthly transaction: recorded from a month ago, its
    // newest installment carries the period code; the first check renews it
    // once; paying the older one renews nothing; the notice comes back with
    // the one still unpaid, and a month later the renewed one is announced
    // and renewed in its turn.
    void roadOfFixedTransaction() {
        Company c;
        SetClock& now = c.clock;
        const double today = c.today;
        Program p;
        Form& m = p.module;
        shell::TAvisoTransaccionesPendientesForm& n = p.notice;
        recordMonthly(p, *boxes, dt::incMonth(today, -1), true);
        QList<banktest::GiroRow> rows = banktest::installments(c.company);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].periodo, 0);
        QCOMPARE(rows[1].periodo, 1);
        QCOMPARE(int(m.DueInstallments.size()), 2);

        // The first check renews the newest installment, once.
        m.TimerEsperaTimer();
        m.TimerEsperaTimer();
        rows = banktest::installments(c.company);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[1].periodo, 0);
        QCOMPARE(rows[2].giro, 3);
        QCOMPARE(rows[2].fecha, dt::incMonth(today, 1));
        QCOMPARE(rows[2].periodo, 1);
        QVERIFY(!rows[2].paid);
        QCOMPARE(banktest::transactions(c.company).at(0).count, 3);
        QVERIFY(!n.isVisible());

        now.set(today + dt::encodeTime(10, 0));
        m.TimerEsperaTimer();
        n.Timer2Timer();
        QCOMPARE(names(n.NorvaListAvisoPen), QStringList({"Alquiler #1", "Alquiler #2"}));
        paint(n.NorvaListAvisoPen);
        QCOMPARE(n.LTitulo->text(), QStringLiteral("     Oper.: 2 - Total:     200,00"));
        doubleClickRow(n.NorvaListAvisoPen, 1);
        QCOMPARE(m.Maintenance->LCoutaDetalle->text(), QStringLiteral("2"));
        QCOMPARE(m.Maintenance->LFecha->text(), core::formatShortDate(today));

        // The older one paid from the card: no renewal (it holds no code).
        n.NorvaListAvisoPen->SetItemIndex(0);
        openMenu(p, n.NorvaListAvisoPen);
        boxes->answerYes();
        n.Visto1->trigger();
        boxes->clear();
        rows = banktest::installments(c.company);
        QCOMPARE(rows.size(), 3);
        QVERIFY(rows[0].paid && !rows[1].paid);
        m.TimerEsperaTimer();
        QCOMPARE(names(n.NorvaListAvisoPen), QStringList{"Alquiler #2"});

        bool asked = false;
        postponeOnClose(p, asked);
        QVERIFY(asked);
        QVERIFY(!n.isVisible());
        now.advanceMinutes(5);
        m.TimerEsperaTimer();
        QVERIFY(n.isVisible());
        n.Timer2Timer();
        QCOMPARE(names(n.NorvaListAvisoPen), QStringList{"Alquiler #2"});
        QCOMPARE(banktest::installments(c.company).size(), 3);

        // A month later the reload brings the renewed installment, which the
        // next check renews in its turn and hands over.
        now.set(dt::incMonth(today, 1) + dt::encodeTime(9, 0));
        m.TimerBusquedaTimer();
        QCOMPARE(names(n.NorvaListAvisoPen), QStringList({"Alquiler #2", "Alquiler #3"}));
        rows = banktest::installments(c.company);
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows[2].periodo, 0);
        QCOMPARE(rows[3].giro, 4);
        QCOMPARE(rows[3].fecha, dt::incMonth(today, 2));
        QCOMPARE(rows[3].periodo, 1);
        QVERIFY(boxes->calls.isEmpty());
    }
};

QTEST_MAIN(TstNoticeActions)
#include "tst_noticeactions.moc"

#include "BankFixture.h"
#include "bank/NewTransactionPage.h"
#include "controls/LookupCombo.h"
#include "controls/OutlookBar.h"
#include "controls/TNorvaDateEdit.h"
#include "controls/TNorvaEdit.h"
#include "controls/TNorvaList.h"
#include "controls/TNorvaNumberEdit.h"
#include "support/RecordingMessageBox.h"
#include "support/SetClock.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>
#include <QTreeView>

using namespace banktest;
using bank::NewTransactionPage;
namespace dt = core::dt;

namespace {

const QString Saved = QStringLiteral("Sus datos fueron guardados correctamente.");
const QString SaveQuestion = QStringLiteral("Desea guardar la nueva transacción?");
const QString Missing = QStringLiteral("Faltan datos por llenar.");
const QString Wrong = QStringLiteral("Error, verifique los datos llenados.");

// The module window on screen, active, on the new-transaction page.
NewTransactionPage& openNewPage(Program& p) {
    p.module.show();
    p.module.activateWindow();
    QCoreApplication::processEvents();
    p.module.OutlookBar->clickItem(shell::Tm3TransaccionesPendientesForm::GroupTransaccion, 0);
    return *p.module.NewTransaction;
}

// Chooses a bank of the selector's list with the keyboard.
void chooseBank(controls::LookupCombo* bank, int row) {
    bank->showPopup();
    bank->setHighlightedRow(row);
    QTest::keyClick(bank->listView(), Qt::Key_Return);
}

struct Entry {
    int bank = 1; // "Banco Dos"
    QString beneficiary = QStringLiteral("Inmobiliaria Centro");
    QString description = QStringLiteral("Alquiler");
    double total = 300;
    double start = 0;
    int count = 3;
    int period = 2; // "Mensual"
    QString time = QStringLiteral("01:15");
    int half = 1; // "P.M."
    bool fixed = false;
};

void fill(Program& p, NewTransactionPage& page, const Entry& e) {
    if (e.bank >= 0)
        chooseBank(p.module.CBanco, e.bank);
    page.CBeneficiarios->setText(e.beneficiary);
    page.EDescripcion->setText(e.description);
    page.EMonto->SetInitText(e.total);
    page.EFechaInicio->SetDate(e.start);
    page.CheckBoxFijo->setChecked(e.fixed);
    if (!e.fixed)
        page.EGiros->SetInitText(e.count);
    page.CBPeriodos->setCurrentIndex(e.period);
    page.MaskEHora->setText(e.time);
    page.CHoraampm->setCurrentIndex(e.half);
}

bool menusEnabled(Program& p) {
    return p.module.MenuTransacciones->menuAction()->isEnabled() &&
           p.module.MenuSistema->menuAction()->isEnabled();
}

// The page as "S&iguiente" finds it: nothing of the frame taken away.
void verifyFirstPageState(Program& p, NewTransactionPage& page) {
    QCOMPARE(page.PageControlNuevo->currentWidget(), page.TabNuevaTrans1);
    QVERIFY(menusEnabled(p));
    QVERIFY(p.module.OutlookBar->isEnabled());
    QVERIFY(p.tray.VisualizarVentanadeAviso1->isEnabled());
    QVERIFY(p.notice.isEnabled());
    QVERIFY(page.BSiguiente0033->isEnabled());
    QVERIFY(!page.BGuardar0012->isVisibleTo(p.module.PanelNuevo));
    QVERIFY(!page.BVolver0032->isVisibleTo(p.module.PanelNuevo));
    QVERIFY(p.module.CBanco->isEnabled());
    QVERIFY(!page.Transaction);
}

} // namespace

class TstNewTransaction : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { useSpanishFormats(); }

    void pageControls() {
        CompanyFixture company(CompanyFixture::Kind::Empty);
        RecordingMessageBox boxes;
        Program p;
        NewTransactionPage& page = openNewPage(p);
        QVERIFY(p.module.PanelNuevo->isVisible());
        QVERIFY(!p.module.PanelPendiente->isVisible());
        QCOMPARE(page.LTitulo->text(), QStringLiteral(" Nueva Transacción"));
        QCOMPARE(p.module.CBanco->parentWidget(), p.module.PanelNuevo);
        QCOMPARE(p.module.CBanco->pos(), QPoint(50, 23));
        QCOMPARE(p.module.CBanco->displayText(), QString());
        QCOMPARE(page.CBeneficiarios->geometry(), QRect(77, 15, 245, 21));
        QStringList periods;
        for (int i = 0; i < page.CBPeriodos->count(); ++i)
            periods << page.CBPeriodos->itemText(i);
        QCOMPARE(periods, QStringList({QStringLiteral("Semanal"), QStringLiteral("Quincenal"),
                                       QStringLiteral("Mensual"), QStringLiteral("Trimestral"),
                                       QStringLiteral("Semestral"), QStringLiteral("Anual")}));
        QCOMPARE(page.CBPeriodos->currentIndex(), 0);
        QCOMPARE(page.MaskEHora->text(), QStringLiteral("12:00"));
        QCOMPARE(page.CHoraampm->currentText(), QStringLiteral("A.M."));
        QCOMPARE(page.EGiros->WholeValue(), qint64(1));
        QCOMPARE(page.EGiros->NorvaNumberObject().MaxValor(), 9999.0);
        QCOMPARE(page.EMonto->NorvaNumberObject().MaxValor(), 9999999999999.99);
        QVERIFY(!page.RadioGTipos->isVisibleTo(p.module.PanelNuevo));
        QVERIFY(page.RadioCheque->isChecked());
        QCOMPARE(page.EDescripcion->toolTip(), QStringLiteral("Indique descripción del documento"));
        QCOMPARE(page.EFechaInicio->toolTip(), QStringLiteral("Indique fecha de primer pago"));
        QCOMPARE(p.module.CBanco->toolTip(), QStringLiteral("Indique Banco"));
        QVERIFY(boxes.calls.isEmpty());
    }

    // Three monthly installments recorded through the page: one transaction
    // row, three installment rows, and the due ones loaded.
    void recordsThreeMonthlyInstallments() {
        SetClock clock(2024, 5, 10, 9, 0);
        const double today = clock.today();
        CompanyFixture company(CompanyFixture::Kind::Empty);
        addBanks(company);
        RecordingMessageBox boxes;
        Program p;
        NewTransactionPage& page = openNewPage(p);
        Entry e;
        e.start = dt::incMonth(today, -1);
        fill(p, page, e);
        QCOMPARE(p.module.CBanco->displayText(), QStringLiteral("Banco Dos"));
        QCOMPARE(p.module.CBanco->lookupValue(), QStringLiteral("0134-002"));
        page.BSiguiente0033->click();
        QVERIFY(boxes.calls.isEmpty());

        // The second page with the schedule; the frame is held until it ends.
        QCOMPARE(page.PageControlNuevo->currentWidget(), page.TabNuevaTrans2);
        QCOMPARE(page.NorvaListGiros->Count(), 3);
        QVERIFY(page.NorvaListGiros->isEnabled());
        QCOMPARE(p.module.StatusPanels[3]->text(), QStringLiteral("Registros: 3"));
        QVERIFY(!menusEnabled(p));
        QVERIFY(!p.module.OutlookBar->isEnabled());
        QVERIFY(!p.tray.VisualizarVentanadeAviso1->isEnabled());
        QVERIFY(!p.notice.isEnabled());
        QVERIFY(!p.module.CBanco->isEnabled());
        QVERIFY(!page.BSiguiente0033->isEnabled());
        QVERIFY(page.BGuardar0012->isVisibleTo(p.module.PanelNuevo));
        QVERIFY(page.BVolver0032->isVisibleTo(p.module.PanelNuevo));
        const auto* second = page.NorvaListGiros->RecordAs<bank::TGirosReg>(1);
        QVERIFY(second);
        QCOMPARE(second->Giro, 2);
        QCOMPARE(second->FechaGiro, today);
        QCOMPARE(second->MontoGiro, money(100));
        QCOMPARE(second->HoraGiro, dt::encodeTime(13, 15));

        boxes.answerYes();
        page.BGuardar0012->click();
        QCOMPARE(boxes.texts(), QStringList({SaveQuestion, Saved}));
        QCOMPARE(boxes.calls.at(0).icon, platform::MessageBoxService::Icon::Confirmation);
        QCOMPARE(boxes.calls.at(1).icon, platform::MessageBoxService::Icon::Information);

        const QList<TransRow> trans = transactions(company);
        QCOMPARE(trans.size(), 1);
        QCOMPARE(trans[0].account, QStringLiteral("0134-002"));
        QCOMPARE(trans[0].bank, QStringLiteral("Banco Dos"));
        QCOMPARE(trans[0].beneficiary, QStringLiteral("Inmobiliaria Centro"));
        QCOMPARE(trans[0].description, QStringLiteral("Alquiler"));
        QCOMPARE(trans[0].total, 300.0);
        QCOMPARE(trans[0].count, 3);
        const QList<GiroRow> rows = installments(company);
        QCOMPARE(rows.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(rows[i].transaction, trans[0].key);
            QCOMPARE(rows[i].giro, i + 1);
            QCOMPARE(rows[i].fecha, dt::incMonth(today, i - 1));
            QCOMPARE(rows[i].hora, dt::encodeTime(13, 15));
            QCOMPARE(rows[i].amount, money(100));
            QCOMPARE(rows[i].periodo, 0);
            QCOMPARE(rows[i].tipo, 0);
            QVERIFY(!rows[i].paid);
            QVERIFY(rows[i].paidDate.isEmpty());
        }
        // Due by the horizon: the overdue one and today's.
        QCOMPARE(int(p.module.DueInstallments.size()), 2);
        QCOMPARE(p.module.DueInstallments[0]->Giro, 1);
        QCOMPARE(p.module.DueInstallments[1]->Giro, 2);
        QCOMPARE(p.module.DueInstallments[1]->Descripcion, QStringLiteral("Alquiler"));

        // Back on an empty first page.
        verifyFirstPageState(p, page);
        QCOMPARE(p.module.CBanco->displayText(), QString());
        QCOMPARE(p.module.CBanco->lookupValue(), QString());
        QVERIFY(page.CBeneficiarios->text().isEmpty());
        QVERIFY(page.EDescripcion->text().isEmpty());
        QCOMPARE(page.EFechaInicio->Date(), today);
        QCOMPARE(page.EGiros->WholeValue(), qint64(1));
        QCOMPARE(page.CBPeriodos->currentIndex(), 0);
        QVERIFY(p.module.StatusPanels[3]->text().isEmpty());
    }

    void oneHundredInThree() {
        SetClock clock(2024, 5, 10, 9, 0);
        CompanyFixture company(CompanyFixture::Kind::Empty);
        addBanks(company);
        RecordingMessageBox boxes;
        Program p;
        NewTransactionPage& page = openNewPage(p);
        Entry e;
        e.total = 100;
        e.start = clock.today();
        fill(p, page, e);
        page.BSiguiente0033->click();
        boxes.answerYes();
        page.BGuardar0012->click();
        QCOMPARE(transactions(company).at(0).total, 100.0);
        for (const GiroRow& r : installments(company))
            QCOMPARE(r.amount.raw(), qint64(333333));
    }

    // A fixed transaction: every installment is one period's whole amount and
    // only the newest carries the period code; one that starts in the past
    // catches up to today.
    void fixedTransactions_data() {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QDate>("start");
        QTest::addColumn<int>("period");
        QTest::addColumn<QList<QDate>>("dates");
        QTest::addColumn<int>("code");
        QTest::newRow("monthly, start today")
            << QDate(2024, 5, 10) << QDate(2024, 5, 10) << 2 << QList<QDate>{{2024, 5, 10}} << 1;
        QTest::newRow("monthly, two months back to the day")
            << QDate(2024, 5, 10) << QDate(2024, 3, 10) << 2
            << QList<QDate>{{2024, 3, 10}, {2024, 4, 10}, {2024, 5, 10}} << 1;
        QTest::newRow("monthly from 31 January, today 29 April")
            << QDate(2023, 4, 29) << QDate(2023, 1, 31) << 2
            << QList<QDate>{{2023, 1, 31}, {2023, 2, 28}, {2023, 3, 31}, {2023, 4, 30}} << 1;
        QTest::newRow("weekly, start next week")
            << QDate(2024, 5, 10) << QDate(2024, 5, 17) << 0 << QList<QDate>{{2024, 5, 17}} << 7;
        QTest::newRow("fortnightly from the 15th")
            << QDate(2023, 2, 15) << QDate(2023, 1, 15) << 1
            << QList<QDate>{{2023, 1, 15}, {2023, 1, 31}, {2023, 2, 15}} << 2;
    }
    void fixedTransactions() {
        QFETCH(QDate, today);
        QFETCH(QDate, start);
        QFETCH(int, period);
        QFETCH(QList<QDate>, dates);
        QFETCH(int, code);
        SetClock clock(dt::fromDate(today) + dt::encodeTime(9, 0));
        CompanyFixture company(CompanyFixture::Kind::Empty);
        addBanks(company);
        RecordingMessageBox boxes;
        Program p;
        NewTransactionPage& page = openNewPage(p);
        Entry e;
        e.total = 250;
        e.start = dt::fromDate(start);
        e.period = period;
        e.fixed = true;
        fill(p, page, e);
        QVERIFY(!page.EGiros->isEnabled());
        QCOMPARE(page.EGiros->WholeValue(), qint64(1));
        page.BSiguiente0033->click();
        QCOMPARE(page.EGiros->WholeValue(), qint64(dates.size()));
        QCOMPARE(page.NorvaListGiros->Count(), int(dates.size()));
        boxes.answerYes();
        page.BGuardar0012->click();
        QCOMPARE(boxes.texts().last(), Saved);
        QCOMPARE(transactions(company).at(0).count, int(dates.size()));
        QCOMPARE(transactions(company).at(0).total, 250.0);
        const QList<GiroRow> rows = installments(company);
        QCOMPARE(rows.size(), dates.size());
        for (int i = 0; i < rows.size(); ++i) {
            QCOMPARE(dt::toDate(rows[i].fecha), dates[i]);
            QCOMPARE(rows[i].amount, money(250));
            QCOMPARE(rows[i].periodo, i == rows.size() - 1 ? code : 0);
        }
        // The page is left with "Fija" off and the count free again.
        QVERIFY(!page.CheckBoxFijo->isChecked());
        QVERIFY(page.EGiros->isEnabled());
    }

    void missingDataStopsTheSchedule_data() {
        QTest::addColumn<QString>("missing");
        QTest::newRow("bank") << QStringLiteral("bank");
        QTest::newRow("beneficiary") << QStringLiteral("beneficiary");
        QTest::newRow("description") << QStringLiteral("description");
        QTest::newRow("first date") << QStringLiteral("date");
        QTest::newRow("period") << QStringLiteral("period");
    }
    void missingDataStopsTheSchedule() {
        QFETCH(QString, missing);
        SetClock clock(2024, 5, 10, 9, 0);
        CompanyFixture company(CompanyFixture::Kind::Empty);
        addBanks(company);
        RecordingMessageBox boxes;
        Program p;
        NewTransactionPage& page = openNewPage(p);
        Entry e;
        e.start = clock.today();
        if (missing == QLatin1String("bank"))
            e.bank = -1;
        else if (missing == QLatin1String("beneficiary"))
            e.beneficiary.clear();
        else if (missing == QLatin1String("description"))
            e.description.clear();
        else if (missing == QLatin1String("period"))
            e.period = -1;
        fill(p, page, e);
        if (missing == QLatin1String("date"))
            page.EFechaInicio->clear();
        QVERIFY(!page.ValidateNewTransaction());
        page.BSiguiente0033->click();
        QCOMPARE(boxes.texts(), QStringList{Missing});
        QCOMPARE(boxes.calls.first().icon, platform::MessageBoxService::Icon::Information);
        verifyFirstPageState(p, page);
    }

    // The amount and the count take no part in the check: a zero total gives
    // installments of 0.
    void zeroAmountPasses() {
        SetClock clock(2024, 5, 10, 9, 0);
        CompanyFixture company(CompanyFixture::Kind::Empty);
        addBanks(company);
        RecordingMessageBox boxes;
        Program p;
        NewTransactionPage& page = openNewPage(p);
        Entry e;
        e.total = 0;
        e.start = clock.today();
        fill(p, page, e);
        page.BSiguiente0033->click();
        QVERIFY(boxes.calls.isEmpty());
        QCOMPARE(page.NorvaListGiros->Count(), 3);
        QCOMPARE(page.NorvaListGiros->RecordAs<bank::TGirosReg>(2)->MontoGiro, core::Currency());
    }

    // A schedule that cannot be built gives back everything "S&iguiente" took:
    // the menus, the side bar, the tray item and the notice window.
    void failedScheduleGivesTheFrameBack() {
        SetClock clock(2024, 5, 10, 9, 0);
        CompanyFixture company(CompanyFixture::Kind::Empty);
        addBanks(company);
        RecordingMessageBox boxes;
        Program p;
        NewTransactionPage& page = openNewPage(p);
        Entry e;
        e.start = clock.today();
        e.time = QStringLiteral("1 :30"); // not left through its exit
        fill(p, page, e);
        page.BSiguiente0033->click();
        QCOMPARE(boxes.texts(), QStringList{Wrong});
        QCOMPARE(boxes.calls.first().icon, platform::MessageBoxService::Icon::Information);
        verifyFirstPageState(p, page);
        QVERIFY(page.NorvaListGiros->IsPlaceholder());
        QVERIFY(transactions(company).isEmpty());
    }

    void leavingTheNoticeTimeChecksIt_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("empty") << QString() << QStringLiteral("12:00");
        QTest::newRow("half typed") << QStringLiteral("1") << QStringLiteral("12:00");
        QTest::newRow("too late") << QStringLiteral("1300") << QStringLiteral("12:00");
        QTest::newRow("good") << QStringLiteral("0945") << QStringLiteral("09:45");
    }
    void leavingTheNoticeTimeChecksIt() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        CompanyFixture company(CompanyFixture::Kind::Empty);
        RecordingMessageBox boxes;
        Program p;
        NewTransactionPage& page = openNewPage(p);
        page.MaskEHora->setFocus();
        page.MaskEHora->clear();
        QTest::keyClicks(page.MaskEHora, typed);
        page.EDescripcion->setFocus();
        QCOMPARE(page.MaskEHora->text(), kept);
    }

    // The editing row over the grid: its keys, its commit, and what "&Guardar"
    // then writes.
    void editingRowChangesAnInstallment() {
        SetClock clock(2024, 5, 10, 9, 0);
        const double today = clock.today();
        CompanyFixture company(CompanyFixture::Kind::Empty);
        addBanks(company);
        RecordingMessageBox boxes;
        Program p;
        NewTransactionPage& page = openNewPage(p);
        Entry e;
        e.start = today;
        e.time = QStringLiteral("12:00");
        e.half = 1; // noon
        fill(p, page, e);
        page.BSiguiente0033->click();
        controls::TNorvaList* grid = page.NorvaListGiros;
        grid->setFocus();
        QVERIFY(p.module.ArrowsOff());
        QVERIFY(p.module.EnterDefault());

        // Enter with no row selected does nothing.
        QTest::keyClick(grid, Qt::Key_Return);
        QVERIFY(!page.ItemsPanel->isVisible());

        grid->SetItemIndex(1);
        QTest::keyClick(grid, Qt::Key_Return);
        QVERIFY(page.ItemsPanel->isVisible());
        QCOMPARE(page.ItemsPanel->y(), grid->ItemRect(1).top());
        QCOMPARE(page.LCuota->text(), QStringLiteral("2"));
        QCOMPARE(page.EFecha->Date(), dt::incMonth(today, 1));
        QCOMPARE(page.EHora->text(), QStringLiteral("12:00"));
        QCOMPARE(page.cboAM->currentText(), QStringLiteral("PM"));
        QCOMPARE(page.EMontoCuota->RealValue(), 100.0);
        QVERIFY(page.EFecha->hasFocus());

        // Escape closes it without saving.
        page.EFecha->SetDate(today + 40);
        QTest::keyClick(page.EFecha, Qt::Key_Escape);
        QVERIFY(!page.ItemsPanel->isVisible());
        QVERIFY(grid->hasFocus());
        QCOMPARE(grid->RecordAs<bank::TGirosReg>(1)->FechaGiro, dt::incMonth(today, 1));

        // Up from the date closes it too.
        QTest::keyClick(grid, Qt::Key_Return);
        page.EFecha->SetDate(today + 40);
        QTest::keyClick(page.EFecha, Qt::Key_Up);
        QVERIFY(!page.ItemsPanel->isVisible());
        QCOMPARE(grid->RecordAs<bank::TGirosReg>(1)->FechaGiro, dt::incMonth(today, 1));

        // Down moves along, Up moves back, Enter in the amount commits.
        QTest::keyClick(grid, Qt::Key_Return);
        page.EFecha->SetDate(today + 40);
        QTest::keyClick(page.EFecha, Qt::Key_Down);
        QVERIFY(page.EHora->hasFocus());
        QTest::keyClick(page.EHora, Qt::Key_Up);
        QVERIFY(page.EFecha->hasFocus());
        QTest::keyClick(page.EFecha, Qt::Key_Return);
        QVERIFY(page.EHora->hasFocus());
        page.EHora->setText(QStringLiteral("03:30"));
        page.cboAM->setCurrentIndex(0);
        QTest::keyClick(page.EHora, Qt::Key_Down);
        QVERIFY(page.EMontoCuota->hasFocus());
        page.EMontoCuota->SetInitText(150.5);
        QTest::keyClick(page.EMontoCuota, Qt::Key_Return);
        QVERIFY(!page.ItemsPanel->isVisible());
        QVERIFY(grid->hasFocus());
        const auto* changed = grid->RecordAs<bank::TGirosReg>(1);
        QCOMPARE(changed->FechaGiro, today + 40);
        QCOMPARE(changed->HoraGiro, dt::encodeTime(3, 30));
        QCOMPARE(changed->MontoGiro, money(150.5));

        // Committing the noon installment unchanged keeps 12:00.
        grid->SetItemIndex(0);
        QTest::keyClick(grid, Qt::Key_Return);
        QTest::keyClick(page.EFecha, Qt::Key_Return);
        QTest::keyClick(page.EHora, Qt::Key_Return);
        QTest::keyClick(page.EMontoCuota, Qt::Key_Return);
        QCOMPARE(grid->RecordAs<bank::TGirosReg>(0)->HoraGiro, dt::encodeTime(12, 0));

        // Leaving the grid gives the window its Enter and arrows back.
        page.BGuardar0012->setFocus();
        QVERIFY(!p.module.ArrowsOff());
        QVERIFY(p.module.EnterMoves());

        boxes.answerYes();
        page.BGuardar0012->click();
        const QList<GiroRow> rows = installments(company);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[1].fecha, today + 40);
        QCOMPARE(rows[1].hora, dt::encodeTime(3, 30));
        QCOMPARE(rows[1].amount, money(150.5));
        QCOMPARE(rows[0].hora, dt::encodeTime(12, 0));
        QCOMPARE(transactions(company).at(0).total, 300.0); // the total is not recomputed
    }

    void volverDropsTheSchedule() {
        SetClock clock(2024, 5, 10, 9, 0);
        CompanyFixture company(CompanyFixture::Kind::Empty);
        addBanks(company);
        RecordingMessageBox boxes;
        Program p;
        NewTransactionPage& page = openNewPage(p);
        Entry e;
        e.start = dt::incMonth(clock.today(), -2);
        e.fixed = true;
        fill(p, page, e);
        page.BSiguiente0033->click();
        QCOMPARE(page.EGiros->WholeValue(), qint64(3));
        page.BVolver0032->click();
        verifyFirstPageState(p, page);
        QCOMPARE(page.EGiros->WholeValue(), qint64(1)); // "Fija" sets the count back
        QVERIFY(page.CheckBoxFijo->isChecked());
        QCOMPARE(page.EDescripcion->text(), QStringLiteral("Alquiler")); // the entries stay
        QVERIFY(boxes.calls.isEmpty());
        QVERIFY(transactions(company).isEmpty());
    }

    void cancelAsksFirst() {
        SetClock clock(2024, 5, 10, 9, 0);
        CompanyFixture company(CompanyFixture::Kind::Empty);
        addBanks(company);
        RecordingMessageBox boxes;
        Program p;
        NewTransactionPage& page = openNewPage(p);
        Entry e;
        e.start = clock.today() - 5;
        e.fixed = true;
        e.period = 3;
        fill(p, page, e);
        page.BSiguiente0033->click();
        boxes.answerNo();
        page.BCancelar002->click();
        QCOMPARE(page.PageControlNuevo->currentWidget(), page.TabNuevaTrans2); // nothing changed
        QVERIFY(page.Transaction);
        boxes.answerYes();
        page.BCancelar002->click();
        QCOMPARE(boxes.texts(), QStringList(2, QStringLiteral("Desea cancelar la operación?")));
        verifyFirstPageState(p, page);
        QVERIFY(!page.CheckBoxFijo->isChecked());
        QCOMPARE(page.CBPeriodos->currentIndex(), 0);
        QVERIFY(page.EDescripcion->text().isEmpty());
        QCOMPARE(page.EFechaInicio->Date(), clock.today());
        QCOMPARE(p.module.CBanco->displayText(), QString());
        QVERIFY(transactions(company).isEmpty());
    }

    void noToTheSaveQuestionWritesNothing() {
        SetClock clock(2024, 5, 10, 9, 0);
        CompanyFixture company(CompanyFixture::Kind::Empty);
        addBanks(company);
        RecordingMessageBox boxes;
        Program p;
        NewTransactionPage& page = openNewPage(p);
        Entry e;
        e.start = clock.today();
        fill(p, page, e);
        page.BSiguiente0033->click();
        boxes.answerNo();
        page.BGuardar0012->click();
        QCOMPARE(boxes.texts(), QStringList{SaveQuestion});
        QCOMPARE(page.PageControlNuevo->currentWidget(), page.TabNuevaTrans2);
        QVERIFY(transactions(company).isEmpty());
        QVERIFY(installments(company).isEmpty());
    }

    // A failed write shows its message and still leaves the page usable; the
    // rows written before the failure stay, and the transaction's count says
    // how many installments it has.
    void failedWrites_data() {
        QTest::addColumn<QString>("tableFile");
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("transRows");
        QTest::addColumn<int>("giroRows");
        QTest::newRow("transaction")
            << QStringLiteral("m3TransPendientes.dat")
            << QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON m3TransPendientes "
                              "BEGIN SELECT RAISE(ABORT, 'disk full'); END")
            << QStringLiteral("Error al introducir los datos en la tabla m3TransPendientes") << 0
            << 0;
        QTest::newRow("second installment")
            << QStringLiteral("m3GirosPendientes.dat")
            << QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON m3GirosPendientes "
                              "WHEN NEW.FGP_GIRO = 2 BEGIN SELECT RAISE(ABORT, 'disk full'); END")
            << QStringLiteral("Error al introducir los datos en la tabla m3GirosPendientes") << 1
            << 1;
    }
    void failedWrites() {
        QFETCH(QString, tableFile);
        QFETCH(QString, trigger);
        QFETCH(QString, message);
        QFETCH(int, transRows);
        QFETCH(int, giroRows);
        SetClock clock(2024, 5, 10, 9, 0);
        CompanyFixture company(CompanyFixture::Kind::Empty);
        addBanks(company);
        company.exec(tableFile, trigger);
        RecordingMessageBox boxes;
        Program p;
        NewTransactionPage& page = openNewPage(p);
        Entry e;
        e.start = clock.today();
        fill(p, page, e);
        page.BSiguiente0033->click();
        boxes.answerYes();
        page.BGuardar0012->click();
        QCOMPARE(boxes.texts(), QStringList({SaveQuestion, message}));
        QCOMPARE(boxes.calls.last().icon, platform::MessageBoxService::Icon::Error);
        QCOMPARE(transactions(company).size(), transRows);
        QCOMPARE(installments(company).size(), giroRows);
        if (transRows)
            QCOMPARE(transactions(company).at(0).count, giroRows);
        verifyFirstPageState(p, page);
        QVERIFY(!p.module.TablaTransPendientes.isOpen());
        QVERIFY(!p.module.TablaGirosPendientes.isOpen());
        QVERIFY(p.module.OvcMeterRegistros->isHidden());
    }

    // The bank selector takes only a bank of its list.
    void bankSelectorTakesOnlyItsBanks() {
        CompanyFixture company(CompanyFixture::Kind::Empty);
        addBanks(company);
        RecordingMessageBox boxes;
        Program p;
        NewTransactionPage& page = openNewPage(p);
        controls::LookupCombo* bank = p.module.CBanco;
        chooseBank(bank, 2);
        QCOMPARE(bank->displayText(), QStringLiteral("Banco Tres"));
        page.CBeneficiarios->setFocus();
        QCOMPARE(bank->displayText(), QStringLiteral("Banco Tres"));
        bank->setFocus();
        bank->setDisplayText(QStringLiteral("Banco Inventado"));
        page.CBeneficiarios->setFocus();
        QCOMPARE(bank->displayText(), QString());
        QCOMPARE(bank->lookupValue(), QString());
    }
};

QTEST_MAIN(TstNewTransaction)
#include "tst_newtransaction.moc"

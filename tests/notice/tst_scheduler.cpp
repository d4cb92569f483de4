#include "NoticeFixture.h"
#include "controls/TNorvaList.h"
#include "notice/NoticeScheduler.h"
#include "support/RecordingMessageBox.h"
#include "support/SetClock.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <stdexcept>

using namespace noticetest;
namespace dt = core::dt;
using Icon = platform::MessageBoxService::Icon;

namespace {

// A message box that lets a test act while the box is open (the nested event
// loop of a real box delivers timer events and menu requests meanwhile).
class HookedMessageBox : public RecordingMessageBox {
public:
    std::function<void(const QString&)> whileOpen;
    Answer show(QWidget* parent, Icon icon, const QString& text, Buttons buttons) override {
        const Answer a = RecordingMessageBox::show(parent, icon, text, buttons);
        if (whileOpen)
            whileOpen(text);
        return a;
    }
};

double at(double day, int hour, int minute) {
    return day + dt::encodeTime(hour, minute);
}

QStringList cards(const controls::TNorvaList* list) {
    QStringList out;
    for (int i = 0; i < list->Count(); ++i) {
        if (const auto* g = list->RecordAs<bank::TGirosReg>(i))
            out << QStringLiteral("%1 #%2").arg(g->Descripcion).arg(g->Giro);
        else if (const auto* c = list->RecordAs<accounts::TCuentas>(i))
            out << c->Descripcion;
    }
    return out;
}

core::Currency money(double v) {
    return core::Currency::fromDouble(v);
}

} // namespace

class TstScheduler : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { useFormats(); }

    // When an installment is handed to the notice: its time of day on the day
    // the program started (also for one whose date is past), at once on any
    // later day; one dated within the horizon is loaded and shown today.
    void installmentsComeAtTheirTime_data() {
        QTest::addColumn<int>("day");  // the installment's date, from the start day
        QTest::addColumn<int>("hour"); // its time of day
        QTest::addColumn<int>("daysAhead");
        QTest::addColumn<double>("notYet"); // a check that hands nothing over
        QTest::addColumn<double>("due");    // the first check that hands it over
        QTest::newRow("today 15:00") << 0 << 15 << 3 << at(0, 14, 59) << at(0, 15, 0);
        QTest::newRow("yesterday 18:00 waits for 18:00")
            << -1 << 18 << 3 << at(0, 17, 59) << at(0, 18, 0);
        QTest::newRow("yesterday 18:00, past midnight")
            << -1 << 18 << 3 << at(0, 17, 59) << at(1, 0, 0);
        QTest::newRow("tomorrow, horizon 1 day") << 1 << 10 << 1 << at(0, 9, 59) << at(0, 10, 0);
    }
    void installmentsComeAtTheirTime() {
        QFETCH(int, day);
        QFETCH(int, hour);
        QFETCH(int, daysAhead);
        QFETCH(double, notYet);
        QFETCH(double, due);
        SetClock clock(2026, 3, 9, 9, 0);
        const double start = clock.today();
        CompanyFixture company(CompanyFixture::Kind::Empty);
        shell::Settings s;
        s.daysAhead = daysAhead;
        writeSettings(company, s);
        const qint64 t = addTransaction(company, QStringLiteral("Alquiler"));
        addInstallment(company, t, {1, start + day, dt::encodeTime(hour, 0), 1234.56, 0, 0, false});
        RecordingMessageBox boxes;
        Program p;
        QCOMPARE(int(p.module.DueInstallments.size()), 1);

        clock.set(start + notYet);
        p.module.TimerEsperaTimer();
        QVERIFY(!p.noticeShown());
        QCOMPARE(p.notice.NorvaListAvisoPen->Count(), 0);
        QCOMPARE(int(p.module.DueInstallments.size()), 1);
        QCOMPARE(p.module.TimerEspera->interval(), 40000);
        QVERIFY(p.module.TimerEspera->isActive());

        clock.set(start + due);
        p.module.TimerEsperaTimer();
        QCOMPARE(cards(p.notice.NorvaListAvisoPen), QStringList{QStringLiteral("Alquiler #1")});
        QVERIFY(p.module.DueInstallments.empty());
        QCOMPARE(p.module.BankTotal, money(1234.56));
        QVERIFY(p.noticeShown());
        QVERIFY(p.notice.Timer2->isActive());
        QCOMPARE(p.notice.MediaPlayerFile(), p.page.EPathSonido->text());
        QCOMPARE(p.notice.LTransPend->text(), QStringLiteral("Transacciones Bancarias : 1"));
        // "Pendientes" was down from the start: its list is shown.
        QVERIFY(p.notice.fcButtonGroup1fcImageBtn1->isEnabled());
        QVERIFY(p.notice.fcButtonGroup1fcImageBtn1->isChecked());
        QVERIFY(p.notice.NorvaListAvisoPen->isVisible());
        QCOMPARE(p.module.TimerEspera->interval(), 40000);
        QVERIFY(boxes.calls.isEmpty());

        // Handed over once: the next check adds nothing, raises nothing again.
        p.notice.Timer2->stop();
        p.module.TimerEsperaTimer();
        QCOMPARE(p.notice.NorvaListAvisoPen->Count(), 1);
        QCOMPARE(p.module.BankTotal, money(1234.56));
        QVERIFY(!p.notice.Timer2->isActive());
    }

    // Receivables and payables wait for the daily reminder time, whatever
    // their due dates, and are handed over together once it has passed.
    void documentsWaitForTheReminderTime_data() {
        QTest::addColumn<QString>("reminder");
        QTest::addColumn<int>("half");
        QTest::addColumn<double>("notYet"); // -1: due from the start
        QTest::addColumn<double>("due");
        QTest::newRow("12:00 P.M.")
            << QStringLiteral("12:00") << 1 << at(0, 11, 59) << at(0, 12, 0);
        QTest::newRow("12:00 A.M.") << QStringLiteral("12:00") << 0 << -1.0 << at(0, 9, 0);
        QTest::newRow("04:30 P.M.")
            << QStringLiteral("04:30") << 1 << at(0, 16, 29) << at(0, 16, 30);
        // An unreadable time is 12:00 of the half chosen.
        QTest::newRow("unreadable, P.M.")
            << QStringLiteral("99:99") << 1 << at(0, 11, 59) << at(0, 12, 0);
    }
    void documentsWaitForTheReminderTime() {
        QFETCH(QString, reminder);
        QFETCH(int, half);
        QFETCH(double, notYet);
        QFETCH(double, due);
        SetClock clock(2026, 3, 9, 9, 0);
        const double today = clock.today();
        CompanyFixture company(CompanyFixture::Kind::Empty);
        shell::Settings s;
        s.includeReceivables = true;
        s.includePayables = true;
        s.reminderTime = reminder;
        s.reminderHalf = half;
        writeSettings(company, s);
        addDocument(company, true, QStringLiteral("C1"), QStringLiteral("Abastos"), 100, today,
                    -30);
        addDocument(company, true, QStringLiteral("C2"), QStringLiteral("Bodega"), 50.25, today, 2);
        addDocument(company, false, QStringLiteral("P1"), QStringLiteral("Papelera"), 70, today, 0);
        RecordingMessageBox boxes;
        Program p;
        QCOMPARE(int(p.module.OpenReceivables.size()), 2);
        if (notYet >= 0) {
            clock.set(today + notYet);
            p.module.TimerEsperaTimer();
            QCOMPARE(p.notice.NorvaListAvisoCobrar->Count(), 0);
            QCOMPARE(p.notice.NorvaListAvisoPagar->Count(), 0);
            QVERIFY(!p.noticeShown());
        }
        clock.set(today + due);
        p.module.TimerEsperaTimer();
        QCOMPARE(cards(p.notice.NorvaListAvisoCobrar),
                 QStringList({QStringLiteral("Abastos"), QStringLiteral("Bodega")}));
        QCOMPARE(cards(p.notice.NorvaListAvisoPagar), QStringList{QStringLiteral("Papelera")});
        QCOMPARE(p.module.ReceivableTotal, money(150.25));
        QCOMPARE(p.module.PayableTotal, money(70));
        QVERIFY(p.module.OpenReceivables.empty() && p.module.OpenPayables.empty());
        QVERIFY(p.noticeShown());
        QCOMPARE(p.page.MEHoraText(),
                 reminder == QLatin1String("99:99") ? QStringLiteral("12:00") : reminder);
        QVERIFY(boxes.calls.isEmpty());
    }

    // While the configuration page is being edited, installments still reach
    // the notice; documents wait for the end of the edit. Excluded documents
    // never come.
    void editModeHoldsTheDocuments() {
        SetClock clock(2026, 3, 9, 9, 0);
        const double today = clock.today();
        CompanyFixture company(CompanyFixture::Kind::Empty);
        shell::Settings s;
        s.includeReceivables = true;
        s.includePayables = false;
        writeSettings(company, s);
        addDocument(company, true, QStringLiteral("C1"), QStringLiteral("Abastos"), 100, today, 0);
        addDocument(company, false, QStringLiteral("P1"), QStringLiteral("Papelera"), 70, today, 0);
        const qint64 t = addTransaction(company, QStringLiteral("Luz"));
        addInstallment(company, t, {1, today, dt::encodeTime(8, 0), 20});
        RecordingMessageBox boxes;
        Program p;
        // Loaded whether or not included.
        QCOMPARE(int(p.module.OpenPayables.size()), 1);
        p.module.show();
        p.module.MenuConfigurar->trigger();
        p.page.BEditar030->click();
        QVERIFY(p.page.IsEditing());
        p.module.TimerEsperaTimer();
        QCOMPARE(p.notice.NorvaListAvisoPen->Count(), 1);
        QCOMPARE(p.notice.NorvaListAvisoCobrar->Count(), 0);
        QVERIFY(!p.notice.fcButtonGroup1fcImageBtn2->isEnabled());

        p.notice.hide();
        p.page.BCancelar2002->click();
        QVERIFY(!p.page.IsEditing());
        p.module.TimerEsperaTimer();
        QCOMPARE(cards(p.notice.NorvaListAvisoCobrar), QStringList{QStringLiteral("Abastos")});
        QCOMPARE(p.notice.NorvaListAvisoPagar->Count(), 0);
        QCOMPARE(int(p.module.OpenPayables.size()), 1);
        QVERIFY(p.notice.fcButtonGroup1fcImageBtn2->isEnabled());
        QVERIFY(!p.notice.fcButtonGroup1fcImageBtn3->isEnabled());
        QVERIFY(boxes.calls.isEmpty());
        p.module.hide();
    }

    // A fixed-period installment is renewed once when first checked, even
    // before it is due; neither a second check nor a reload renews it again.
    void fixedInstallmentRenewedOnce() {
        SetClock clock(2026, 3, 9, 9, 0);
        const double today = clock.today();
        CompanyFixture company(CompanyFixture::Kind::Empty);
        writeSettings(company, {});
        const qint64 t = addTransaction(company, QStringLiteral("Alquiler"));
        addInstallment(company, t, {1, today, dt::encodeTime(15, 0), 500, 1});
        RecordingMessageBox boxes;
        Program p;
        p.module.TimerEsperaTimer();
        QList<GiroRow> rows = installmentRows(company);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(0).periodo, 0);
        QCOMPARE(rows.at(1).giro, 2);
        QCOMPARE(rows.at(1).fecha, dt::encodeDate(2026, 4, 9));
        QCOMPARE(rows.at(1).periodo, 1);
        QCOMPARE(p.module.DueInstallments.front()->PeriodoFijo, 0);
        QVERIFY(!p.noticeShown());

        p.module.TimerEsperaTimer();
        p.module.TimerBusquedaTimer();
        p.module.TimerEsperaTimer();
        QCOMPARE(installmentRows(company).size(), 2);
        QVERIFY(boxes.calls.isEmpty());
    }

    // A renewal that fails says so itself; the check goes on.
    void failedRenewalDoesNotStopTheCheck() {
        SetClock clock(2026, 3, 9, 9, 0);
        CompanyFixture company(CompanyFixture::Kind::Empty);
        writeSettings(company, {});
        const qint64 t = addTransaction(company, QStringLiteral("Alquiler"));
        addInstallment(company, t, {1, clock.today(), dt::encodeTime(8, 0), 500, 1});
        RecordingMessageBox boxes;
        Program p;
        company.exec(QStringLiteral("m3TransPendientes.dat"),
                     QStringLiteral("DELETE FROM m3TransPendientes"));
        p.module.TimerEsperaTimer();
        QCOMPARE(boxes.calls.size(), 1);
        QVERIFY(boxes.calls.first().text != notice::NoticeCheckError);
        QCOMPARE(p.notice.NorvaListAvisoPen->Count(), 1);
        QVERIFY(p.noticeShown());
        QVERIFY(p.module.TimerEspera->isActive());
    }

    // Any failure inside the check stops it with its message; asking for the
    // notice then does nothing until something starts the timer again.
    void failedCheckStops() {
        SetClock clock(2026, 3, 9, 9, 0);
        CompanyFixture company(CompanyFixture::Kind::Empty);
        writeSettings(company, {});
        const qint64 t = addTransaction(company, QStringLiteral("Alquiler"));
        addInstallment(company, t, {1, clock.today(), dt::encodeTime(8, 0), 500, 1});
        HookedMessageBox boxes;
        Program p;
        company.exec(QStringLiteral("m3TransPendientes.dat"),
                     QStringLiteral("DELETE FROM m3TransPendientes"));
        bool thrown = false;
        boxes.whileOpen = [&](const QString&) {
            if (!thrown) {
                thrown = true;
                throw std::runtime_error("the box broke");
            }
        };
        p.module.TimerEsperaTimer();
        QCOMPARE(boxes.calls.size(), 2);
        QCOMPARE(boxes.calls.last().text, notice::NoticeCheckError);
        QCOMPARE(boxes.calls.last().icon, Icon::Error);
        QVERIFY(!p.module.TimerEspera->isActive());
        p.module.MenuVentanaAviso->trigger();
        QCOMPARE(p.module.TimerEspera->interval(), 1);
        QVERIFY(!p.module.TimerEspera->isActive());
    }

    // Nothing due: the check changes nothing on screen and says nothing, also
    // when the notice is asked for; the request only hurries the next check.
    void nothingDueShowsNothing() {
        SetClock clock(2026, 3, 9, 9, 0);
        CompanyFixture company(CompanyFixture::Kind::Empty);
        shell::Settings s;
        s.includeReceivables = s.includePayables = true;
        writeSettings(company, s);
        RecordingMessageBox boxes;
        Program p;
        QVERIFY(p.module.TimerEspera->isActive());
        p.module.MenuVentanaAviso->trigger();
        QCOMPARE(p.module.TimerEspera->interval(), 1);
        QVERIFY(p.module.TimerEspera->isActive());
        p.module.TimerEsperaTimer();
        QVERIFY(!p.noticeShown());
        QVERIFY(!p.notice.Timer2->isActive());
        QCOMPARE(p.notice.LTitulo->text(), QStringLiteral("     Transacciones Pendientes"));
        QCOMPARE(p.module.TimerEspera->interval(), 40000);
        QVERIFY(boxes.calls.isEmpty());
    }

    // Switched off: no timer runs on its own; "&Ventana de Aviso" only says
    // so; "Actualizar &Datos" still reloads.
    void switchedOff() {
        SetClock clock(2026, 3, 9, 9, 0);
        CompanyFixture company(CompanyFixture::Kind::Empty);
        shell::Settings s;
        s.noticeOff = true;
        writeSettings(company, s);
        RecordingMessageBox boxes;
        Program p;
        QVERIFY(!p.module.TimerEspera->isActive());
        QVERIFY(!p.module.TimerBusqueda->isActive());
        const int interval = p.module.TimerEspera->interval();
        p.module.MenuVentanaAviso->trigger();
        QCOMPARE(boxes.texts(),
                 QStringList{QStringLiteral(
                     "Active la ventana de aviso por configuración para poder visualizarla.")});
        QCOMPARE(boxes.calls.first().icon, Icon::Information);
        QCOMPARE(p.module.TimerEspera->interval(), interval);

        const qint64 t = addTransaction(company, QStringLiteral("Agua"));
        addInstallment(company, t, {1, clock.today(), 0, 10});
        QVERIFY(p.module.DueInstallments.empty());
        p.module.MenuActualizarDatos->trigger();
        QCOMPARE(int(p.module.DueInstallments.size()), 1);
        QVERIFY(!p.module.TimerEspera->isActive());
    }

    // Only receivables due, "Pendientes" down from before: the notice comes
    // with the summary view, "Pendientes" disabled and up, "CtasxCobrar"
    // enabled but not pressed.
    void onlyReceivablesShowTheSummary() {
        SetClock clock(2026, 3, 9, 9, 0);
        const double today = clock.today();
        CompanyFixture company(CompanyFixture::Kind::Empty);
        shell::Settings s;
        s.includeReceivables = true;
        writeSettings(company, s);
        addDocument(company, true, QStringLiteral("C1"), QStringLiteral("Abastos"), 100, today, 0);
        addDocument(company, true, QStringLiteral("C2"), QStringLiteral("Bodega"), 100, today, 0);
        RecordingMessageBox boxes;
        Program p;
        QVERIFY(p.notice.fcButtonGroup1fcImageBtn1->isChecked());
        p.notice.LTitulo->setText(QStringLiteral("something else"));
        p.module.TimerEsperaTimer();
        QVERIFY(p.noticeShown());
        QVERIFY(!p.notice.fcButtonGroup1fcImageBtn1->isEnabled());
        QVERIFY(!p.notice.fcButtonGroup1fcImageBtn1->isChecked());
        QVERIFY(p.notice.fcButtonGroup1fcImageBtn2->isEnabled());
        QVERIFY(!p.notice.fcButtonGroup1fcImageBtn2->isChecked());
        QVERIFY(!p.notice.fcButtonGroup1fcImageBtn3->isEnabled());
        for (controls::TNorvaList* l :
             {p.notice.NorvaListAvisoPen, p.notice.NorvaListAvisoCobrar,
              p.notice.NorvaListAvisoPagar, p.notice.NorvaListVencimiento})
            QVERIFY(!l->isVisible());
        QCOMPARE(p.notice.LTitulo->text(), QStringLiteral("     Transacciones Pendientes"));
        QCOMPARE(p.notice.LTransPend->text(), QStringLiteral("Transacciones Bancarias : 0"));
        QCOMPARE(p.notice.LCtsxCobrar->text(), QStringLiteral("Cuentas por Cobrar         : 2"));
        QCOMPARE(p.notice.LCtsxPagar->text(), QStringLiteral("Cuentas por Pagar          : 0"));
    }

    // The reload empties the notice's lists and the totals and reads the
    // items again; a notice on screen gets what is due back at once.
    void reloadRefillsAVisibleNotice() {
        SetClock clock(2026, 3, 9, 9, 0);
        CompanyFixture company(CompanyFixture::Kind::Empty);
        writeSettings(company, {});
        const qint64 t = addTransaction(company, QStringLiteral("Luz"));
        addInstallment(company, t, {1, clock.today(), dt::encodeTime(8, 0), 20});
        RecordingMessageBox boxes;
        Program p;
        p.module.TimerEsperaTimer();
        QVERIFY(p.noticeShown());
        const bank::TGirosReg* first = p.notice.NorvaListAvisoPen->RecordAs<bank::TGirosReg>(0);
        addInstallment(company, t, {2, clock.today(), dt::encodeTime(8, 30), 30});
        p.module.TimerBusquedaTimer();
        QCOMPARE(cards(p.notice.NorvaListAvisoPen),
                 QStringList({QStringLiteral("Luz #1"), QStringLiteral("Luz #2")}));
        QVERIFY(p.notice.NorvaListAvisoPen->RecordAs<bank::TGirosReg>(0) != first);
        QCOMPARE(p.module.BankTotal, money(50));
        QVERIFY(p.module.DueInstallments.empty());

        // Hidden: emptied, refilled at the next check.
        p.notice.hide();
        p.module.TimerBusquedaTimer();
        QCOMPARE(p.notice.NorvaListAvisoPen->Count(), 0);
        QCOMPARE(p.module.BankTotal, core::Currency());
        QCOMPARE(int(p.module.DueInstallments.size()), 2);
        p.module.TimerEsperaTimer();
        QCOMPARE(p.notice.NorvaListAvisoPen->Count(), 2);
        QVERIFY(boxes.calls.isEmpty());
    }

    // A reload asked for while a check shows a message (its nested event loop
    // delivers the timer) waits for the end of the check: the records the
    // check walks through stay alive and in place.
    void reloadNeverRunsInsideACheck() {
        SetClock clock(2026, 3, 9, 9, 0);
        CompanyFixture company(CompanyFixture::Kind::Empty);
        writeSettings(company, {});
        const qint64 t = addTransaction(company, QStringLiteral("Alquiler"));
        addInstallment(company, t, {1, clock.today(), dt::encodeTime(8, 0), 500, 1});
        addInstallment(company, t, {2, clock.today(), dt::encodeTime(8, 30), 500});
        HookedMessageBox boxes;
        Program p;
        const bank::TGirosList loaded = p.module.DueInstallments;
        company.exec(QStringLiteral("m3TransPendientes.dat"),
                     QStringLiteral("DELETE FROM m3TransPendientes"));
        bool inside = false;
        boxes.whileOpen = [&](const QString&) {
            inside = true;
            p.module.TimerBusquedaTimer();
            p.module.ActualizarDatos1Click();
            QVERIFY(p.module.Scheduler->runner().pending(notice::SerialRunner::Job::Reload));
            QVERIFY(p.module.DueInstallments == loaded);
        };
        p.module.TimerEsperaTimer();
        QVERIFY(inside);
        // The check handed both over; the reload that came after emptied the
        // notice (the transaction is gone: nothing comes back) and ran once.
        QCOMPARE(p.notice.NorvaListAvisoPen->Count(), 0);
        QVERIFY(p.module.DueInstallments.empty());
        QVERIFY(!p.module.Scheduler->runner().busy());
        QCOMPARE(boxes.calls.size(), 1);
    }
};

QTEST_MAIN(TstScheduler)
#include "tst_scheduler.moc"

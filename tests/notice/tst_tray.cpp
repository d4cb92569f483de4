#include "NoticeFixture.h"
#include "bank/NewTransactionPage.h"
#include "controls/OutlookBar.h"
#include "controls/TNorvaList.h"
#include "notice/Tm3AvisoTiempoForm.h"
#include "support/FakeSound.h"
#include "support/RecordingMessageBox.h"
#include "support/SetClock.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

using namespace noticetest;
namespace dt = core::dt;
using Button = shell::Tm3TrayIconTransaccionesPenForm::Button;
using Icon = platform::MessageBoxService::Icon;

namespace {

const QString NoticeOff =
    QStringLiteral("Active la ventana de aviso por configuración para poder visualizarla.");

// A company with one installment due at the start (or none).
struct Company {
    SetClock clock{2026, 3, 9, 9, 0};
    CompanyFixture company{CompanyFixture::Kind::Empty};
    explicit Company(bool somethingDue, shell::Settings s = {}) {
        writeSettings(company, s);
        if (!somethingDue)
            return;
        const qint64 t = addTransaction(company, QStringLiteral("Alquiler"));
        addInstallment(company, t, {1, clock.today(), dt::encodeTime(8, 0), 100});
    }
};

// The notice up with its sound playing.
void raiseWithSound(Program& p) {
    p.module.TimerEsperaTimer();
    p.notice.Timer2Timer();
}

} // namespace

class TstTray : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { useFormats(); }

    void iconAndMenu() {
        Company c(false);
        RecordingMessageBox boxes;
        Program p;
        QCOMPARE(p.tray.kbTrayIcon1->toolTip(), QStringLiteral("Monvela"));
        QVERIFY(!p.tray.kbTrayIcon1->icon().isNull());
        QCOMPARE(p.tray.kbTrayIcon1->contextMenu(), p.tray.PopupMenu1);
        QStringList items;
        for (QAction* a : p.tray.PopupMenu1->actions())
            items << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(items, QStringList({"&Abrir", "&Ver Ventana de Aviso", "-", "&Con&figurar",
                                     "Ac&erca de ...", "-", "&Cerrar"}));
    }

    // A click stops a playing sound. The left button asks for the notice:
    // with nothing up the next check comes at once (and shows only what is
    // due); a notice already up takes the focus. While installments are being
    // typed, nothing but the sound.
    void clickStopsTheSoundAndAsksForTheNotice_data() {
        QTest::addColumn<bool>("noticeUp");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("typingInstallments");
        QTest::addColumn<bool>("hurried"); // the next check at once
        QTest::addColumn<bool>("focused"); // the notice took the focus
        QTest::newRow("left, nothing due") << false << int(Button::Left) << false << true << false;
        QTest::newRow("left, notice up") << true << int(Button::Left) << false << false << true;
        QTest::newRow("right, notice up") << true << int(Button::Right) << false << false << false;
        QTest::newRow("left while typing installments")
            << true << int(Button::Left) << true << false << false;
    }
    void clickStopsTheSoundAndAsksForTheNotice() {
        QFETCH(bool, noticeUp);
        QFETCH(int, button);
        QFETCH(bool, typingInstallments);
        QFETCH(bool, hurried);
        QFETCH(bool, focused);
        Company c(noticeUp);
        FakeSound sound;
        RecordingMessageBox boxes;
        Program p;
        if (noticeUp) {
            raiseWithSound(p);
            QVERIFY(p.notice.SoundDeviceOpen());
        }
        p.module.show();
        if (typingInstallments) {
            p.module.OutlookBar->clickItem(0, 0);
            p.module.NewTransaction->PageControlNuevo->setCurrentWidget(
                p.module.NewTransaction->TabNuevaTrans2);
            QVERIFY(p.module.PanelNuevo->isVisible());
        }
        p.module.activateWindow();
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::activeWindow(), &p.module);
        const int interval = p.module.TimerEspera->interval();
        p.tray.kbTrayIcon1Click(Button(button));
        QCoreApplication::processEvents();
        QCOMPARE(sound.stops, noticeUp ? 1 : 0);
        QVERIFY(!p.notice.SoundDeviceOpen());
        QCOMPARE(p.module.TimerEspera->interval(), hurried ? 1 : interval);
        QCOMPARE(QApplication::activeWindow() == &p.notice, focused);
        if (!noticeUp) {
            p.module.TimerEsperaTimer();
            QVERIFY(!p.notice.isVisible());
        }
        QVERIFY(boxes.calls.isEmpty());
        p.module.hide();
    }

    // "&Ver Ventana de Aviso": with the notice switched off, only the
    // message (even with nothing due); with the notice up, it gets the focus
    // and the check keeps its rhythm.
    void showTheNotice() {
        {
            shell::Settings s;
            s.noticeOff = true;
            Company c(false, s);
            RecordingMessageBox boxes;
            Program p;
            const int interval = p.module.TimerEspera->interval();
            p.tray.VisualizarVentanadeAviso1->trigger();
            QCOMPARE(boxes.texts(), QStringList{NoticeOff});
            QCOMPARE(boxes.calls.first().icon, Icon::Information);
            QCOMPARE(p.module.TimerEspera->interval(), interval);
        }
        Company c(true);
        FakeSound sound;
        RecordingMessageBox boxes;
        Program p;
        raiseWithSound(p);
        p.tray.VisualizarVentanadeAviso1->trigger();
        QCOMPARE(p.module.TimerEspera->interval(), 40000);
        QVERIFY(p.notice.isVisible());
        QVERIFY(boxes.calls.isEmpty());
    }

    // "&Abrir" while the postpone dialog is open shows the module window and
    // gives the focus back to the dialog.
    void openKeepsThePostponeDialogInFront() {
        Company c(true);
        FakeSound sound;
        RecordingMessageBox boxes;
        Program p;
        raiseWithSound(p);
        bool checked = false;
        QTimer::singleShot(0, this, [&] {
            notice::Tm3AvisoTiempoForm* dialog = p.notice.PostponeDialog();
            QVERIFY(dialog);
            p.tray.Abrir1->trigger();
            QVERIFY(p.module.isVisible());
            QCoreApplication::processEvents();
            QCOMPARE(QApplication::activeWindow(), dialog);
            checked = true;
            dialog->BCancelar002->click();
        });
        p.notice.fcImageBtn1Click();
        QVERIFY(checked);
        QVERIFY(p.notice.isVisible());
        p.module.hide();
    }

    // "&Cerrar" asks; No leaves everything running, Yes ends the program.
    void closeAsks() {
        Company c(false);
        RecordingMessageBox boxes;
        Program p;
        boxes.answerNo();
        p.tray.Cerrar1->trigger();
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Desea cerrar Monvela?")});
        QVERIFY(!shell::application::terminateRequested());
        QVERIFY(p.module.TimerEspera->isActive());
        boxes.answerYes();
        p.tray.Cerrar1->trigger();
        QVERIFY(shell::application::terminateRequested());
        shell::application::resetTerminate();
    }
};

QTEST_MAIN(TstTray)
#include "tst_tray.moc"

#include "NoticeFixture.h"
#include "controls/TNorvaList.h"
#include "controls/TNorvaNumberEdit.h"
#include "notice/NoticeScheduler.h"
#include "notice/Tm3AvisoTiempoForm.h"
#include "support/FakeSound.h"
#include "support/RecordingMessageBox.h"
#include "support/SetClock.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace noticetest;
namespace dt = core::dt;
using Icon = platform::MessageBoxService::Icon;
using Buttons = platform::MessageBoxService::Buttons;

namespace {

const QString SoundError = QStringLiteral(
    "Error al cargar archivo de sonido, verifique la ruta del archivo en la configuración.");
const QString CloseQuestion = QStringLiteral("Desea cerrar Monvela?");

QRect screen() {
    return QGuiApplication::primaryScreen()->geometry();
}

QStringList settingsLinesOf(const CompanyFixture& company) {
    const QString text =
        QString::fromLatin1(fileBytes(company.dataFolder() + QStringLiteral("FileConfig.txt")));
    return text.split(QStringLiteral("\r\n"));
}

// The rows of a list painted now, as the screen would (each row sets the title).
void paint(controls::TNorvaList* list) {
    list->grab();
}

// Installments due at the start, and the notice raised by the first check.
struct Due {
    SetClock clock{2026, 3, 9, 9, 0};
    CompanyFixture company{CompanyFixture::Kind::Empty};

    explicit Due(const QList<double>& amounts, shell::Settings s = {},
                 const QList<double>& receivables = {}) {
        writeSettings(company, s);
        const qint64 t = addTransaction(company, QStringLiteral("Alquiler"));
        int n = 0;
        for (double amount : amounts)
            addInstallment(company, t, {++n, clock.today(), dt::encodeTime(8, 0), amount});
        n = 0;
        for (double amount : receivables) {
            ++n;
            addDocument(company, true, QStringLiteral("C%1").arg(n),
                        QStringLiteral("Cliente %1").arg(n), amount, clock.today(), 0);
        }
    }
};

} // namespace

class TstNoticeWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { useFormats(); }

    void layout() {
        CompanyFixture company(CompanyFixture::Kind::Empty);
        RecordingMessageBox boxes;
        Program p;
        shell::TAvisoTransaccionesPendientesForm& n = p.notice;
        QCOMPARE(n.size(), QSize(213, 168));
        QVERIFY(n.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(n.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(n.windowFlags().testFlag(Qt::Tool)); // no task-bar button
        QVERIFY(!n.isVisible());
        // Created out of sight below the bottom edge, 2 pixels from the right.
        QCOMPARE(n.pos(), QPoint(screen().width() - 215, screen().height()));
        QCOMPARE(n.LTitulo->text(), QStringLiteral("     Transacciones Pendientes"));
        QCOMPARE(n.PanelAviso->geometry(), QRect(0, 0, 213, 151));
        QCOMPARE(n.fcImageBtn1->geometry(), QRect(193, 2, 16, 16));
        QCOMPARE(n.NorvaListAvisoPen->geometry(), QRect(2, 18, 207, 129));
        QCOMPARE(n.NorvaListAvisoPen->ItemHeight(), 43);
        QCOMPARE(n.LCtsxPagar->pos(), QPoint(8, 104));
        QCOMPARE(n.fcButtonGroup1->geometry(), QRect(0, 149, 213, 19));
        QCOMPARE(n.fcButtonGroup1fcImageBtn3->text(), QStringLiteral("CtasxPagar"));
        QVERIFY(n.fcButtonGroup1fcImageBtn1->isChecked());
        QCOMPARE(n.Timer2->interval(), 1000);
        QVERIFY(!n.Timer2->isActive());
        QCOMPARE(n.ImageListAviso.size(), 4);
        for (const QImage& picture : n.ImageListAviso) {
            QCOMPARE(picture.size(), QSize(40, 30));
            // White is the cards' transparent colour: the bottom-left pixel.
            QCOMPARE(picture.pixel(0, 29) | 0xFF000000u, 0xFFFFFFFFu);
        }
        QStringList items;
        for (QAction* a : n.PopupAviso->actions())
            items << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(items, QStringList({"&Ver", "Ver T&odas", "Ver V&encidos entre", "&Imprimir", "-",
                                     "&Actualizar Datos", "&Pagado", "-", "&Regresar", "&Cerrar"}));
        QStringList ranges;
        for (QAction* a : n.Titulo->actions())
            ranges << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        QCOMPARE(ranges, QStringList({"Vencido1", "Vencido2", "Vencido3", "-", "Vencido4"}));
    }

    // The title of a list painted while its button is down counts its items
    // and shows its total with the separators of the system.
    void titleCountsAndTotals_data() {
        QTest::addColumn<QChar>("thousands");
        QTest::addColumn<QChar>("decimals");
        QTest::addColumn<QString>("bankTitle");
        QTest::addColumn<QString>("receivableTitle");
        QTest::newRow("dot thousands")
            << QChar('.') << QChar(',') << QStringLiteral("     Oper.: 3 - Total:   1.234,56")
            << QStringLiteral("     Oper.: 2 - Total: 102.000,50");
        QTest::newRow("comma thousands")
            << QChar(',') << QChar('.') << QStringLiteral("     Oper.: 3 - Total:   1,234.56")
            << QStringLiteral("     Oper.: 2 - Total: 102,000.50");
    }
    void titleCountsAndTotals() {
        QFETCH(QChar, thousands);
        QFETCH(QChar, decimals);
        QFETCH(QString, bankTitle);
        QFETCH(QString, receivableTitle);
        useFormats(thousands, decimals);
        shell::Settings s;
        s.includeReceivables = true;
        Due due({1000.00, 200.50, 34.06}, s, {100000.25, 2000.25});
        FakeSound sound;
        RecordingMessageBox boxes;
        Program p;
        p.module.TimerEsperaTimer();
        p.notice.Timer2Timer();
        QVERIFY(p.notice.NorvaListAvisoPen->isVisible());
        paint(p.notice.NorvaListAvisoPen);
        QCOMPARE(p.notice.LTitulo->text(), bankTitle);

        // Painted while its button is up, a list leaves the title alone.
        paint(p.notice.NorvaListAvisoCobrar);
        QCOMPARE(p.notice.LTitulo->text(), bankTitle);
        QTest::mouseClick(p.notice.fcButtonGroup1fcImageBtn2, Qt::LeftButton);
        QVERIFY(p.notice.NorvaListAvisoCobrar->isVisible());
        QVERIFY(!p.notice.NorvaListAvisoPen->isVisible());
        QVERIFY(!p.notice.fcButtonGroup1fcImageBtn1->isChecked());
        paint(p.notice.NorvaListAvisoCobrar);
        QCOMPARE(p.notice.LTitulo->text(), receivableTitle);

        // The maturity list counts the items of the list of its kind.
        p.notice.DueListKind = 1;
        p.notice.DueListTitle = QStringLiteral("     Entre 1 y 30 días: 1 de ");
        p.notice.NorvaListVencimiento->AddRecord(p.notice.NorvaListAvisoCobrar->SharedRecordAt(0));
        p.notice.ShowNoticeList(false, false, false, true);
        paint(p.notice.NorvaListVencimiento);
        QCOMPARE(p.notice.LTitulo->text(), QStringLiteral("     Entre 1 y 30 días: 1 de 2"));
        // "&Regresar": back to the list of the kind, the buttons as they are.
        p.notice.Regresar1->trigger();
        QVERIFY(p.notice.NorvaListAvisoCobrar->isVisible());
        QVERIFY(!p.notice.NorvaListVencimiento->isVisible());
        QVERIFY(p.notice.fcButtonGroup1fcImageBtn2->isChecked());
        QVERIFY(boxes.calls.isEmpty());
    }

    // The rise: a second after the check shows the window, 205 one-pixel
    // steps up to 205 pixels above the bottom, then the sound, once.
    void risesAndSoundsOnce() {
        Due due({10});
        FakeSound sound;
        RecordingMessageBox boxes;
        Program p;
        p.module.TimerEsperaTimer();
        QVERIFY(p.notice.isVisible());
        QCOMPARE(p.notice.y(), screen().height());
        QVERIFY(p.notice.Timer2->isActive());
        QList<int> tops;
        p.midSlide = [&](int) { tops << p.notice.y(); };
        p.notice.Timer2Timer();
        QVERIFY(!p.notice.Timer2->isActive());
        QCOMPARE(p.steps, 205);
        QCOMPARE(tops.first(), screen().height() - 1);
        QCOMPARE(tops.last(), screen().height() - 205);
        QCOMPARE(p.notice.pos(), QPoint(screen().width() - 215, screen().height() - 205));
        QCOMPARE(sound.played, QStringList{due.company.dataFolder() + "ICONOS/notify.wav"});
        QVERIFY(p.notice.SoundDeviceOpen());
        // Later checks leave it where it is: no second rise, no second sound.
        p.module.TimerEsperaTimer();
        QVERIFY(!p.notice.Timer2->isActive());
        QVERIFY(boxes.calls.isEmpty());
    }

    // A sound that cannot be played is reported once; the notice stays up,
    // silent, and comes back silent until the settings are saved again.
    void soundErrorShownOnce() {
        Due due({10});
        FakeSound sound;
        sound.fail = true;
        RecordingMessageBox boxes;
        Program p;
        p.notice.DontAskAgain = true;
        for (int round = 0; round < 2; ++round) {
            p.module.TimerEsperaTimer();
            QVERIFY(p.notice.isVisible());
            p.notice.Timer2Timer();
            QVERIFY(p.notice.isVisible());
            p.notice.fcImageBtn1Click();
            QVERIFY(!p.notice.isVisible());
        }
        QCOMPARE(sound.played.size(), 1);
        QCOMPARE(boxes.texts(), QStringList{SoundError});
        QCOMPARE(boxes.calls.first().icon, Icon::Error);
        QVERIFY(p.module.SoundOff);
        QCOMPARE(sound.stops, 0); // a silent notice has nothing to stop

        // Saving the settings switches the sound on again.
        p.module.show();
        p.module.MenuConfigurar->trigger();
        p.page.BEditar030->click();
        p.page.BGuardar012->click();
        QVERIFY(!p.module.SoundOff);
        p.module.hide();
    }

    // The summary view: the counts of the groups; a click on a line shows its
    // list, unless the group's button is disabled.
    void summaryLines() {
        shell::Settings s;
        s.includeReceivables = true;
        Due due({}, s, {10, 20});
        FakeSound sound;
        RecordingMessageBox boxes;
        Program p;
        p.module.TimerEsperaTimer();
        p.notice.Timer2Timer();
        QCOMPARE(p.notice.LTransPend->text(), QStringLiteral("Transacciones Bancarias : 0"));
        QCOMPARE(p.notice.LCtsxCobrar->text(), QStringLiteral("Cuentas por Cobrar         : 2"));
        QCOMPARE(p.notice.LCtsxPagar->text(), QStringLiteral("Cuentas por Pagar          : 0"));
        QVERIFY(p.notice.Image1->isVisible());

        QTest::mouseClick(p.notice.LTransPend, Qt::LeftButton);
        QTest::mouseClick(p.notice.LCtsxPagar, Qt::LeftButton);
        for (controls::TNorvaList* l : {p.notice.NorvaListAvisoPen, p.notice.NorvaListAvisoCobrar,
                                        p.notice.NorvaListAvisoPagar})
            QVERIFY(!l->isVisible());
        QVERIFY(!p.notice.fcButtonGroup1fcImageBtn1->isChecked());

        QTest::mouseClick(p.notice.LCtsxCobrar, Qt::LeftButton);
        QVERIFY(p.notice.fcButtonGroup1fcImageBtn2->isChecked());
        QVERIFY(p.notice.NorvaListAvisoCobrar->isVisible());
        QCOMPARE(p.notice.NorvaListVencimiento->property("tag").toInt(), 4);
    }

    // Closing with nothing to show lowers and hides the window and asks nothing.
    void closeWithNothingToShow() {
        Due due({});
        FakeSound sound;
        RecordingMessageBox boxes;
        Program p;
        for (QPushButton* b :
             {p.notice.fcButtonGroup1fcImageBtn1, p.notice.fcButtonGroup1fcImageBtn2,
              p.notice.fcButtonGroup1fcImageBtn3})
            b->setEnabled(false);
        p.notice.show();
        p.notice.move(p.notice.x(), screen().height() - 205);
        const int interval = p.module.TimerEspera->interval();
        p.notice.fcImageBtn1Click();
        QCOMPARE(p.steps, 174);
        QVERIFY(!p.notice.isVisible());
        QCOMPARE(p.notice.y(), screen().height());
        QVERIFY(boxes.calls.isEmpty());
        QVERIFY(!p.notice.PostponeDialog());
        QCOMPARE(p.module.TimerEspera->interval(), interval);
        QCOMPARE(sound.stops, 1);
    }

    // The first close with items listed asks how long to wait; "&Aceptar"
    // hides the notice at once, re-arms the check for the wait and writes the
    // settings file (a ticked box counts even where the page disables it).
    // After "No volver a preguntar" the next close lowers the notice without
    // asking, for the wait now set.
    void postponeFirstTimeOnly() {
        Due due({10});
        FakeSound sound;
        RecordingMessageBox boxes;
        Program p;
        QVERIFY(p.page.CEmcabezado->isChecked() && !p.page.CEmcabezado->isEnabled());
        p.module.TimerEsperaTimer();
        p.notice.Timer2Timer();
        const int stepsBefore = p.steps;
        bool asked = false;
        QTimer::singleShot(0, this, [&] {
            notice::Tm3AvisoTiempoForm* d = p.notice.PostponeDialog();
            QVERIFY(d && d->isVisible());
            asked = true;
            QCOMPARE(d->ETiempoAviso->text(), QStringLiteral("5"));
            QCOMPARE(d->MinHora->currentIndex(), 0);
            d->ETiempoAviso->SetInitText(2);
            d->MinHora->setCurrentIndex(1);
            d->CBNoMostrar->setChecked(true);
            d->BAceptar2001->click();
        });
        p.notice.fcImageBtn1Click();
        QVERIFY(asked);
        QVERIFY(!p.notice.isVisible());
        QCOMPARE(p.steps, stepsBefore); // no fall
        QVERIFY(!p.notice.PostponeDialog());
        QVERIFY(p.notice.DontAskAgain);
        QCOMPARE(p.module.NoticeWaitMs, 2 * 3600000);
        QCOMPARE(p.module.TimerEspera->interval(), 2 * 3600000);
        QVERIFY(p.module.TimerEspera->isActive());
        QCOMPARE(p.page.ETiempoEspera->WholeValue(), 2);
        QCOMPARE(p.page.ComboBMinHora->currentIndex(), 1);
        const QStringList lines = settingsLinesOf(due.company);
        QCOMPARE(lines.mid(5, 2), QStringList({"2", "1"}));
        QCOMPARE(lines.value(11), QStringLiteral("1"));
        QCOMPARE(p.module.WaitUnitMs, 60000); // recomputed only by the page's saving

        // The notice comes back with the same items after the wait.
        p.module.TimerEsperaTimer();
        QVERIFY(p.notice.isVisible());
        QCOMPARE(p.notice.NorvaListAvisoPen->Count(), 1);
        p.notice.Timer2Timer();
        const int before = p.steps;
        bool askedAgain = false;
        p.midSlide = [&](int) { askedAgain = askedAgain || p.notice.PostponeDialog(); };
        p.notice.fcImageBtn1Click();
        QVERIFY(!askedAgain);
        QCOMPARE(p.steps - before, 174);
        QVERIFY(!p.notice.isVisible());
        QCOMPARE(p.module.TimerEspera->interval(), 2 * 3600000);
        QVERIFY(boxes.calls.isEmpty());
    }

    // "&Cancelar" leaves everything as it was; the next close asks again. A
    // file that cannot be written is reported; the wait applies anyway.
    void cancelAndWriteFailure() {
        Due due({10});
        FakeSound sound;
        RecordingMessageBox boxes;
        Program p;
        p.module.TimerEsperaTimer();
        p.notice.Timer2Timer();
        const int interval = p.module.TimerEspera->interval();
        QTimer::singleShot(0, this, [&] { p.notice.PostponeDialog()->BCancelar002->click(); });
        p.notice.fcImageBtn1Click();
        QVERIFY(p.notice.isVisible());
        QVERIFY(!p.notice.DontAskAgain);
        QCOMPARE(p.module.TimerEspera->interval(), interval);
        QCOMPARE(p.notice.NorvaListAvisoPen->Count(), 1);

        const QString file = due.company.dataFolder() + QStringLiteral("FileConfig.txt");
        QVERIFY(QFile::remove(file));
        QVERIFY(QDir().mkdir(file)); // in the way of the writer
        bool asked = false;
        QTimer::singleShot(0, this, [&] {
            asked = p.notice.PostponeDialog() != nullptr;
            if (asked)
                p.notice.PostponeDialog()->BAceptar2001->click();
        });
        p.notice.fcImageBtn1Click();
        QVERIFY(asked);
        QCOMPARE(boxes.texts(),
                 QStringList{QStringLiteral("Error al guardar el tiempo de próximo aviso.")});
        QCOMPARE(boxes.calls.first().icon, Icon::Error);
        QVERIFY(!p.notice.isVisible());
        QCOMPARE(p.module.TimerEspera->interval(), 5 * 60000);
    }

    // A close during the rise ends it: the window is lowered and no sound starts.
    void closeDuringTheRise() {
        Due due({10});
        FakeSound sound;
        RecordingMessageBox boxes;
        Program p;
        p.notice.DontAskAgain = true;
        p.module.TimerEsperaTimer();
        p.midSlide = [&](int step) {
            if (step == 50)
                p.notice.fcImageBtn1Click();
        };
        p.notice.Timer2Timer();
        QCOMPARE(p.steps, 50 + 174);
        QVERIFY(!p.notice.isVisible());
        QCOMPARE(p.notice.y(), screen().height());
        QVERIFY(sound.played.isEmpty());
    }

    // Esc asks whether to end the program; No leaves everything as it was.
    void escapeAsksToEnd() {
        Due due({10});
        FakeSound sound;
        RecordingMessageBox boxes;
        Program p;
        p.module.TimerEsperaTimer();
        p.notice.Timer2Timer();
        boxes.answerNo();
        QTest::keyClick(&p.notice, Qt::Key_Escape);
        QCOMPARE(boxes.texts(), QStringList{CloseQuestion});
        QCOMPARE(boxes.calls.first().icon, Icon::Confirmation);
        QCOMPARE(boxes.calls.first().buttons, Buttons::YesNo);
        QVERIFY(p.notice.isVisible());
        QVERIFY(!shell::application::terminateRequested());
        boxes.answerYes();
        QTest::keyClick(p.notice.NorvaListAvisoPen, Qt::Key_Escape);
        QVERIFY(shell::application::terminateRequested());
        shell::application::resetTerminate();
    }

    // A change to the bank tables refreshes the bank part of a notice on
    // screen: its list emptied, its button off when nothing is left, the title
    // and the counts set, and the next check at once.
    void bankRefreshOnScreen() {
        Due due({10});
        FakeSound sound;
        RecordingMessageBox boxes;
        Program p;
        p.module.TimerEsperaTimer();
        p.notice.Timer2Timer();
        paint(p.notice.NorvaListAvisoPen);
        QVERIFY(p.notice.LTitulo->text().startsWith(QStringLiteral("     Oper.: 1")));
        p.notice.NorvaListVencimiento->AddRecord(p.notice.NorvaListAvisoPen->SharedRecordAt(0));
        due.company.exec(QStringLiteral("m3GirosPendientes.dat"),
                         QStringLiteral("UPDATE m3GirosPendientes SET FGP_STATUS = 1"));
        p.module.RefreshDueInstallments();
        QCOMPARE(p.notice.NorvaListAvisoPen->Count(), 0);
        QCOMPARE(p.notice.NorvaListVencimiento->Count(), 0);
        QVERIFY(!p.notice.NorvaListAvisoPen->isVisible());
        QVERIFY(!p.notice.fcButtonGroup1fcImageBtn1->isEnabled());
        QCOMPARE(p.notice.LTitulo->text(), QStringLiteral("     Transacciones Pendientes"));
        QCOMPARE(p.notice.LTransPend->text(), QStringLiteral("Transacciones Bancarias : 0"));
        QCOMPARE(p.module.TimerEspera->interval(), 1);
        QCOMPARE(p.module.BankTotal, core::Currency());
        QVERIFY(boxes.calls.isEmpty());
    }
};

QTEST_MAIN(TstNoticeWindow)
#include "tst_noticewindow.moc"

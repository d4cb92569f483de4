#include "Company.h"
#include "controls/TNorvaEdit.h"
#include "platform/AccessMarker.h"
#include "platform/Paths.h"
#include "platform/SystemInfo.h"
#include "shell/Application.h"
#include "shell/TAvisoTransaccionesPendientesForm.h"
#include "shell/TMenuDataModule.h"
#include "shell/Tm3AccesoTransaccionesForm.h"
#include "shell/Tm3TransaccionesPendientesForm.h"
#include "shell/Tm3TrayIconTransaccionesPenForm.h"
#include "support/CompanyFixture.h"
#include "support/RecordingMessageBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace shell;
using Icon = platform::MessageBoxService::Icon;

namespace {

const QString Wrong = QStringLiteral("Usuario no registrado o clave incorrecta. Intente de nuevo.");
const QString Blocked = QStringLiteral("El acceso al sistema ha sido bloqueado. Ha superado el "
                                       "máximo número de intentos para introducir la clave.");
const QString NoAccess = QStringLiteral("No posee acceso al módulo de Transacciones Pendientes.");

// The dialog of a company, shown as start-up shows it (modal), driven by
// `steps` once it is on screen. The result is the dialog's exec() result.
struct Login {
    CompanyFixture& company;
    std::unique_ptr<Tm3AccesoTransaccionesForm> dialog;

    explicit Login(CompanyFixture& c)
        : company(c), dialog(std::make_unique<Tm3AccesoTransaccionesForm>(c.dataFolder())) {}

    // Types a name and a password and presses "&Aceptar".
    void attempt(const QString& name, const QString& password) {
        dialog->ENombreUsu->setText(name);
        dialog->EClaveUsu->setText(password);
        dialog->BAcepta001->click();
    }

    int run(const std::function<void(Tm3AccesoTransaccionesForm&)>& steps) {
        Tm3AccesoTransaccionesForm* d = dialog.get();
        QTimer::singleShot(0, d, [d, steps] {
            if (QTest::qWaitForWindowActive(d))
                steps(*d);
            if (d->isVisible()) // the steps left it open: end the test's loop
                d->done(-1);
        });
        return dialog->exec();
    }
};

// The program's four objects, started without the access marker: the access
// dialog comes up and `steps` answer it.
struct Program {
    TMenuDataModule menus;
    TAvisoTransaccionesPendientesForm notice;
    Tm3TrayIconTransaccionesPenForm tray;
    Tm3TransaccionesPendientesForm module{&notice, &tray};
    bool asked = false;

    explicit Program(const std::function<void(Tm3AccesoTransaccionesForm&)>& steps) {
        application::resetTerminate();
        QTimer::singleShot(0, &module, [this, steps] {
            auto* d = qobject_cast<Tm3AccesoTransaccionesForm*>(QApplication::activeModalWidget());
            if (!d)
                return;
            asked = true;
            steps(*d);
            if (d->isVisible())
                d->done(-1);
        });
        module.FormCreate();
    }
};

QString marker() {
    return platform::paths::accessMarker(platform::computerName());
}

void writeSettings(const CompanyFixture& company) {
    QFile f(company.dataFolder() + QStringLiteral("FileConfig.txt"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("0\r\n0\r\n0\r\n0\r\n4\r\n5\r\n0\r\n3\r\n12:00\r\n0\r\nnotify.wav\r\n0");
}

} // namespace

class TstAccess : public QObject {
    Q_OBJECT
private slots:
    void theDialog() {
        CompanyFixture company(CompanyFixture::Kind::Empty);
        Tm3AccesoTransaccionesForm d(company.dataFolder());
        QCOMPARE(d.windowTitle(), QStringLiteral("Acceso Restringido"));
        QCOMPARE(d.size(), QSize(369, 195));
        QCOMPARE(d.LMensaje->text(), QStringLiteral("Es primera   vez  que  ejecuta  Monvela, "
                                                    "introduzca el nombre y clave de usuario."));
        QCOMPARE(d.LNombreUsu->text(), QStringLiteral("Nombre usuario :"));
        QCOMPARE(d.LClaveUsu->text(), QStringLiteral("Clave :"));
        QCOMPARE(d.CheckAcceso->text(),
                 QStringLiteral("Permitir siempre el acceso a esta computadora."));
        QVERIFY(!d.CheckAcceso->isChecked());
        QCOMPARE(d.EClaveUsu->echoMode(), QLineEdit::Password);
        QCOMPARE(d.BAcepta001->text(), QStringLiteral("&Aceptar"));
        QCOMPARE(d.BCancelar002->text(), QStringLiteral("&Cancelar"));
        QVERIFY(!d.Granted());
        // Tab order: name, password, box, then the buttons.
        QList<QWidget*> order;
        QWidget* w = d.ENombreUsu;
        for (int i = 0; i < 5; ++i, w = w->nextInFocusChain()) {
            while (w->focusPolicy() == Qt::NoFocus || !w->isEnabled())
                w = w->nextInFocusChain();
            order << w;
        }
        QCOMPARE(order, QList<QWidget*>({d.ENombreUsu, d.EClaveUsu, d.CheckAcceso, d.BAcepta001,
                                         d.BCancelar002}));
    }

    void nameInAnyLetterCase_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("lower") << "ana";
        QTest::newRow("mixed") << "Ana";
        QTest::newRow("as stored") << "ANA";
    }
    void nameInAnyLetterCase() {
        QFETCH(QString, typed);
        CompanyFixture company(CompanyFixture::Kind::Empty);
        company::addUser(company.workFolder(), QStringLiteral("ANA"), QStringLiteral("Clave7"),
                         true);
        RecordingMessageBox boxes;
        Login login(company);
        const int result = login.run(
            [&](Tm3AccesoTransaccionesForm&) { login.attempt(typed, QStringLiteral("Clave7")); });
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY(login.dialog->Granted());
        QVERIFY(boxes.calls.isEmpty());
    }

    // A wrong password and a name that is not there give the same message, and
    // the dialog stays for another attempt; a fourth press blocks.
    void threeAttemptsThenBlocked() {
        CompanyFixture company(CompanyFixture::Kind::Demo);
        RecordingMessageBox boxes;
        Login login(company);
        bool openAfterEach = true;
        const int result = login.run([&](Tm3AccesoTransaccionesForm& d) {
            login.attempt(QStringLiteral("ADMIN"), QStringLiteral("Monvela"));
            openAfterEach = openAfterEach && d.isVisible();
            login.attempt(QStringLiteral("NADIE"), QStringLiteral("monvela"));
            openAfterEach = openAfterEach && d.isVisible();
            login.attempt(QStringLiteral("ADMIN"), QString());
            openAfterEach = openAfterEach && d.isVisible();
            QCOMPARE(d.Attempts(), 4);
            // Right this time, but too late: the table is not asked again.
            login.attempt(QStringLiteral("ADMIN"), QStringLiteral("monvela"));
        });
        QVERIFY(openAfterEach);
        QCOMPARE(boxes.texts(), QStringList({Wrong, Wrong, Wrong, Blocked}));
        for (const RecordingMessageBox::Call& c : boxes.calls)
            QCOMPARE(c.icon, Icon::Warning);
        QCOMPARE(result, int(QDialog::Rejected));
        QVERIFY(!login.dialog->Granted());
    }

    void userWithoutAccessToTheModule() {
        CompanyFixture company(CompanyFixture::Kind::Demo);
        RecordingMessageBox boxes;
        Login login(company);
        const int result = login.run([&](Tm3AccesoTransaccionesForm&) {
            login.attempt(QStringLiteral("consulta"), QStringLiteral("consulta"));
        });
        QCOMPARE(boxes.texts(), QStringList{NoAccess});
        QCOMPARE(boxes.calls.first().icon, Icon::Warning);
        QCOMPARE(result, int(QDialog::Rejected));
        QVERIFY(!login.dialog->Granted());
    }

    // Only the first record of the index for the encoded password is compared.
    void twoUsersWithOnePassword() {
        CompanyFixture company(CompanyFixture::Kind::Empty);
        company::addUser(company.workFolder(), QStringLiteral("ANA"), QStringLiteral("comun"),
                         true);
        company::addUser(company.workFolder(), QStringLiteral("LUIS"), QStringLiteral("comun"),
                         true);
        RecordingMessageBox boxes;
        Login login(company);
        const int result = login.run([&](Tm3AccesoTransaccionesForm&) {
            login.attempt(QStringLiteral("LUIS"), QStringLiteral("comun"));
            login.attempt(QStringLiteral("ANA"), QStringLiteral("comun"));
        });
        QCOMPARE(boxes.texts(), QStringList{Wrong});
        QCOMPARE(result, int(QDialog::Accepted));
    }

    void emptyPasswordIsLookedUpLikeAnyOther() {
        CompanyFixture company(CompanyFixture::Kind::Empty);
        company::addUser(company.workFolder(), QStringLiteral("INVITADO"), QString(), true);
        RecordingMessageBox boxes;
        Login login(company);
        const int result = login.run([&](Tm3AccesoTransaccionesForm&) {
            login.attempt(QStringLiteral("invitado"), QStringLiteral("x"));
            login.attempt(QStringLiteral("invitado"), QString());
        });
        QCOMPARE(boxes.texts(), QStringList{Wrong});
        QCOMPARE(result, int(QDialog::Accepted));
    }

    void cancelEscAndCloseDeny_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("cancel") << "cancel";
        QTest::newRow("escape") << "escape";
        QTest::newRow("close box") << "close";
    }
    void cancelEscAndCloseDeny() {
        QFETCH(QString, how);
        CompanyFixture company(CompanyFixture::Kind::Demo);
        RecordingMessageBox boxes;
        Login login(company);
        const int result = login.run([&](Tm3AccesoTransaccionesForm& d) {
            d.ENombreUsu->setText(QStringLiteral("ADMIN"));
            d.EClaveUsu->setText(QStringLiteral("monvela"));
            d.CheckAcceso->setChecked(true);
            if (how == QLatin1String("cancel"))
                d.BCancelar002->click();
            else if (how == QLatin1String("escape"))
                QTest::keyClick(d.focusWidget() ? d.focusWidget() : &d, Qt::Key_Escape);
            else
                d.close();
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QVERIFY(!login.dialog->Granted());
        QVERIFY(boxes.calls.isEmpty());
    }

    // A user table that cannot be opened: its own error, and another try.
    void missingUserTable() {
        CompanyFixture company(CompanyFixture::Kind::Demo);
        const QString table = company.dataFolder() + QStringLiteral("Susuarios.dat");
        QVERIFY(QFile::rename(table, table + QStringLiteral(".aparte")));
        RecordingMessageBox boxes;
        Login login(company);
        bool stayed = false;
        const int result = login.run([&](Tm3AccesoTransaccionesForm& d) {
            login.attempt(QStringLiteral("ADMIN"), QStringLiteral("monvela"));
            stayed = d.isVisible();
            QVERIFY(QFile::rename(table + QStringLiteral(".aparte"), table));
            login.attempt(QStringLiteral("ADMIN"), QStringLiteral("monvela"));
        });
        QVERIFY(stayed);
        QCOMPARE(boxes.calls.size(), 1);
        QCOMPARE(boxes.calls.first().icon, Icon::Error);
        QVERIFY(
            boxes.calls.first().text.contains(QStringLiteral("Susuarios"), Qt::CaseInsensitive));
        QCOMPARE(login.dialog->Attempts(), 3);
        QCOMPARE(result, int(QDialog::Accepted));
    }

    // Start-up: the dialog comes only without the marker; the marker is made
    // when the box is ticked and the login succeeds.
    void startUpAsksWithoutTheMarker_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("tick");
        QTest::addColumn<bool>("starts");
        QTest::addColumn<bool>("marked");
        QTest::newRow("granted, box ticked") << "login" << true << true << true;
        QTest::newRow("granted") << "login" << false << true << false;
        QTest::newRow("Esc with the box ticked") << "escape" << true << false << false;
        QTest::newRow("no access to the module") << "consulta" << true << false << false;
    }
    void startUpAsksWithoutTheMarker() {
        QFETCH(QString, answer);
        QFETCH(bool, tick);
        QFETCH(bool, starts);
        QFETCH(bool, marked);
        CompanyFixture company(CompanyFixture::Kind::Demo);
        writeSettings(company);
        RecordingMessageBox boxes;
        {
            Program p([&](Tm3AccesoTransaccionesForm& d) {
                d.CheckAcceso->setChecked(tick);
                if (answer == QLatin1String("escape")) {
                    QTest::keyClick(d.ENombreUsu, Qt::Key_Escape);
                    return;
                }
                const QString user =
                    answer == QLatin1String("login") ? QStringLiteral("admin") : answer;
                d.ENombreUsu->setText(user);
                d.EClaveUsu->setText(user == QLatin1String("admin") ? QStringLiteral("monvela")
                                                                    : user);
                d.BAcepta001->click();
            });
            QVERIFY(p.asked);
            QCOMPARE(application::terminateRequested(), !starts);
            QCOMPARE(p.tray.isIconShown(), starts);
            QCOMPARE(p.module.TimerEspera->isActive(), starts);
            QCOMPARE(platform::accessmarker::exists(marker()), marked);
        }
        if (!marked)
            return;
        // The next start on this computer asks nothing.
        Program again([](Tm3AccesoTransaccionesForm& d) { d.reject(); });
        QVERIFY(!again.asked);
        QVERIFY(!application::terminateRequested());
        QVERIFY(again.tray.isIconShown());
    }

    // The marker cannot be written: said so, and the start goes on without it.
    void markerThatCannotBeCreated() {
        CompanyFixture company(CompanyFixture::Kind::Demo);
        writeSettings(company);
        QFile blocker(company.userDataFolder() + QStringLiteral("/Monvela"));
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where its folder would be
        blocker.close();
        RecordingMessageBox boxes;
        Program p([](Tm3AccesoTransaccionesForm& d) {
            d.CheckAcceso->setChecked(true);
            d.ENombreUsu->setText(QStringLiteral("ADMIN"));
            d.EClaveUsu->setText(QStringLiteral("monvela"));
            d.BAcepta001->click();
        });
        QVERIFY(p.asked);
        QCOMPARE(boxes.calls.size(), 1);
        QCOMPARE(boxes.calls.first().icon, Icon::Error);
        QVERIFY(boxes.calls.first().text.contains(marker()));
        QVERIFY(!application::terminateRequested());
        QVERIFY(p.tray.isIconShown());
        QVERIFY(p.module.TimerBusqueda->isActive());
        QVERIFY(!platform::accessmarker::exists(marker()));
    }
};

QTEST_MAIN(TstAccess)
#include "tst_access.moc"

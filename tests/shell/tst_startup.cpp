#include "data/Schema.h"
#include "platform/AccessMarker.h"
#include "platform/Paths.h"
#include "platform/SystemInfo.h"
#include "shell/Application.h"
#include "shell/Settings.h"
#include "shell/TAvisoTransaccionesPendientesForm.h"
#include "shell/TMenuDataModule.h"
#include "shell/Tm3TransaccionesPendientesForm.h"
#include "shell/Tm3TrayIconTransaccionesPenForm.h"
#include "support/CompanyFixture.h"
#include "support/FakeHelpViewer.h"
#include "support/RecordingMessageBox.h"
#include "support/SetClock.h"

#include "controls/LookupCombo.h"
#include "controls/OutlookBar.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace shell;

namespace {

const QString CompanyTableError =
    QStringLiteral("Error al cargar la tabla \"sempresas.dat\", la aplicación no se inicializara.");

// A computer that was allowed before, on a company that has its settings file
// (with what the first start writes): the start asks nothing and says nothing.
void prepareComputer() {
    platform::accessmarker::create(platform::paths::accessMarker(platform::computerName()));
    const QString work = platform::paths::currentFolder();
    const QString data = work + QStringLiteral("Empre001/");
    if (!QDir(data).exists() || QFile::exists(data + QStringLiteral("FileConfig.txt")))
        return;
    Settings first;
    first.highlightedHeadings = false;
    first.soundFile = platform::paths::defaultSoundFile(work);
    writeSettingsFile(data + QStringLiteral("FileConfig.txt"), first);
}

// The four long-lived objects of the program, in their order, started up.
struct Program {
    TMenuDataModule menus;
    TAvisoTransaccionesPendientesForm notice;
    Tm3TrayIconTransaccionesPenForm tray;
    Tm3TransaccionesPendientesForm module{&notice, &tray};

    Program() {
        application::resetTerminate();
        prepareComputer();
        module.FormCreate();
    }
};

} // namespace

class TstStartup : public QObject {
    Q_OBJECT
private slots:
    void startsResidentOnTheDemoCompany() {
        SetClock clock(2026, 12, 11, 9, 0);
        CompanyFixture company(CompanyFixture::Kind::Demo, clock.today());
        RecordingMessageBox boxes;
        Program p;
        QVERIFY(!application::terminateRequested());
        QVERIFY(boxes.calls.isEmpty());
        QCOMPARE(p.module.WorkFolder, company.workFolder());
        QCOMPARE(p.module.DataFolder, QStringLiteral("Empre001/"));
        QCOMPARE(p.module.ReportsFolder, QStringLiteral("Empre001/Reports/"));
        QCOMPARE(p.module.CompanyName, QStringLiteral("Distribuidora Monvela, C.A."));
        QCOMPARE(p.module.CompanyLine3, QStringLiteral("J-30512345-6"));
        QCOMPARE(p.module.CompanyLine4, QStringLiteral("0123456789"));
        QCOMPARE(p.module.StartDate, clock.today());
        QCOMPARE(p.module.ViewMemory.size(), 22);
        QVERIFY(p.tray.isIconShown());
        QCOMPARE(p.tray.kbTrayIcon1->toolTip(), QStringLiteral("Monvela"));
        // No window is visible: the tray icon is the program's only presence.
        QVERIFY(!p.module.isVisible());
        QVERIFY(!p.notice.isVisible());
        // The timers: the first notice check a second after the loop starts,
        // the reload every four hours, a five-minute wait after a dismissal.
        QVERIFY(p.module.TimerEspera->isActive());
        QCOMPARE(p.module.TimerEspera->interval(), 1000);
        QVERIFY(p.module.TimerBusqueda->isActive());
        QCOMPARE(p.module.TimerBusqueda->interval(), 4 * 3600000);
        QCOMPARE(p.module.NoticeWaitMs, 5 * 60000);
        // The bank selector shows the bank of the first row; its tables are closed again.
        QCOMPARE(p.module.CBanco->displayText(), QStringLiteral("Banco de Venezuela"));
        QVERIFY(!p.module.TablaBancos.isOpen());
        QVERIFY(!p.module.TablaBeneficiarios.isOpen());
        QCOMPARE(p.module.TablaGirosPendientes.databaseName(), QStringLiteral("Empre001/"));
        QVERIFY(!p.module.TablaGirosPendientes.isOpen());
        QVERIFY(p.module.windowFlags().testFlag(Qt::Tool));
    }

    // A company folder made by another program with nothing but SQL, as the
    // suite or a user with the sqlite3 shell would make it, is read as ours.
    void readsAFolderMadeWithPlainSql() {
        CompanyFixture company(CompanyFixture::Kind::Bare);
        QVERIFY(QDir().mkpath(company.path(QStringLiteral("Empre9"))));
        company.exec(
            QStringLiteral("../sempresas.dat"),
            QStringLiteral("CREATE TABLE sempresas (FE_DIRDATOS VARCHAR(80), "
                           "FE_DIRREPORTES VARCHAR(80), FE_DIRECCION1 VARCHAR(80));"
                           "INSERT INTO sempresas VALUES ('Empre9', 'Empre9', 'Calle 1');"));
        const QString data = QStringLiteral("../Empre9/");
        company.exec(data + QStringLiteral("SBANCOS.DAT"),
                     QStringLiteral("CREATE TABLE SBANCOS (FB_NOCUENTA VARCHAR(20), "
                                    "FB_DESCRIPCION VARCHAR(40));"
                                    "INSERT INTO SBANCOS VALUES ('0001', 'Banco Uno');"));
        company.exec(data + QStringLiteral("Sbeneficiario.dat"),
                     QStringLiteral("CREATE TABLE Sbeneficiario (FBE_CODIGO VARCHAR(5));"));
        QFile datos(company.path(QStringLiteral("Empre9/Datos.txt")));
        QVERIFY(datos.open(QIODevice::WriteOnly));
        datos.write("Compa\xf1\xed"
                    "a Nueve\nx\nCalle 1\nCiudad\n");
        datos.close();
        RecordingMessageBox boxes;
        Program p;
        QVERIFY(!application::terminateRequested());
        QCOMPARE(p.module.DataFolder, QStringLiteral("Empre9/"));
        QCOMPARE(p.module.CompanyName, QStringLiteral("Compañía Nueve"));
        QCOMPARE(p.module.CompanyLine4, QStringLiteral("Ciudad"));
        QCOMPARE(p.module.CBanco->displayText(), QStringLiteral("Banco Uno"));
        QVERIFY(p.module.TimerBusqueda->isActive());
    }

    void companyTableFailuresEndTheStart_data() {
        QTest::addColumn<QString>("damage");
        QTest::newRow("missing") << QStringLiteral("missing");
        QTest::newRow("not a database") << QStringLiteral("garbage");
        QTest::newRow("missing field") << QStringLiteral("field");
        QTest::newRow("no table inside") << QStringLiteral("empty-db");
    }
    void companyTableFailuresEndTheStart() {
        QFETCH(QString, damage);
        CompanyFixture company(CompanyFixture::Kind::Empty);
        const QString file = company.path(QStringLiteral("sempresas.dat"));
        QFile::remove(file);
        if (damage == QLatin1String("garbage")) {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("DBISAM table of another time, not SQLite at all........");
        } else if (damage == QLatin1String("field")) {
            company.exec(QStringLiteral("../sempresas.dat"),
                         QStringLiteral("CREATE TABLE sempresas (FE_DIRDATOS VARCHAR(255));"
                                        "INSERT INTO sempresas VALUES ('Empre001');"));
        } else if (damage == QLatin1String("empty-db")) {
            company.exec(QStringLiteral("../sempresas.dat"),
                         QStringLiteral("CREATE TABLE other (x INTEGER);"));
        }
        RecordingMessageBox boxes;
        Program p;
        QVERIFY(application::terminateRequested());
        QCOMPARE(application::exitCode(), 1);
        QCOMPARE(boxes.texts(), QStringList{CompanyTableError});
        QCOMPARE(boxes.calls.first().icon, platform::MessageBoxService::Icon::Information);
        QVERIFY(!p.tray.isIconShown());
        QVERIFY(!p.module.TimerEspera->isActive());
        if (damage == QLatin1String("missing"))
            QVERIFY(!QFile::exists(file)); // nothing was created in its place
    }

    void missingCompanyDataGoesOn() {
        CompanyFixture company(CompanyFixture::Kind::Empty);
        QVERIFY(QFile::remove(company.dataFolder() + QStringLiteral("Datos.txt")));
        RecordingMessageBox boxes;
        Program p;
        QVERIFY(!application::terminateRequested());
        QCOMPARE(boxes.texts(),
                 QStringList{QStringLiteral("No se pudo cargar los datos de la empresa.")});
        QCOMPARE(boxes.calls.first().icon, platform::MessageBoxService::Icon::Error);
        QCOMPARE(p.module.CompanyName, QStringLiteral("EMPRESA S.A"));
        QVERIFY(p.tray.isIconShown());
        QVERIFY(p.module.TimerBusqueda->isActive());
    }

    void shortCompanyDataLeavesLinesEmpty() {
        CompanyFixture company(CompanyFixture::Kind::Empty);
        QFile f(company.dataFolder() + QStringLiteral("Datos.txt"));
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("Panader\xed"
                "a La Espiga\r\nJ-1");
        f.close();
        RecordingMessageBox boxes;
        Program p;
        QVERIFY(boxes.calls.isEmpty());
        QCOMPARE(p.module.CompanyName, QStringLiteral("Panadería La Espiga"));
        QCOMPARE(p.module.CompanyLine3, QString());
        QCOMPARE(p.module.CompanyLine4, QString());
    }

    void storedFoldersAreNormalised_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("dataFolder");
        QTest::newRow("final separator")
            << QStringLiteral("Empre001/") << QStringLiteral("Empre001/");
        QTest::newRow("written on Windows")
            << QStringLiteral("Empre001\\") << QStringLiteral("Empre001/");
        QTest::newRow("empty") << QString() << QStringLiteral("/");
    }
    void storedFoldersAreNormalised() {
        QFETCH(QString, stored);
        QFETCH(QString, dataFolder);
        CompanyFixture company(CompanyFixture::Kind::Empty);
        company.exec(QStringLiteral("../sempresas.dat"),
                     QStringLiteral("UPDATE sempresas SET FE_DIRDATOS = '%1', "
                                    "FE_DIRREPORTES = 'Empre001\\Reports'")
                         .arg(stored));
        RecordingMessageBox boxes;
        Program p;
        QCOMPARE(p.module.DataFolder, dataFolder);
        QCOMPARE(p.module.ReportsFolder, QStringLiteral("Empre001/Reports/"));
    }

    void missingBankTableSkipsTheRestButStaysInTheTray() {
        CompanyFixture company(CompanyFixture::Kind::Empty);
        QVERIFY(QFile::remove(company.dataFolder() + QStringLiteral("Sbancos.dat")));
        RecordingMessageBox boxes;
        Program p;
        QVERIFY(!application::terminateRequested());
        QCOMPARE(boxes.calls.size(), 1);
        QCOMPARE(boxes.calls.first().icon, platform::MessageBoxService::Icon::Error);
        QVERIFY(boxes.calls.first().text.contains(QStringLiteral("Sbancos"), Qt::CaseInsensitive));
        QVERIFY(p.tray.isIconShown());
        QVERIFY(!p.module.TimerBusqueda->isActive()); // the later steps did not run
        QVERIFY(!QFile::exists(company.dataFolder() + QStringLiteral("Sbancos.dat")));
    }

    void missingDataFolderIsReported() {
        CompanyFixture company(CompanyFixture::Kind::Empty);
        QVERIFY(QDir(company.dataFolder()).removeRecursively());
        RecordingMessageBox boxes;
        Program p;
        QVERIFY(!application::terminateRequested());
        // The company data, the settings file (missing, and it cannot be written
        // either) and the bank table.
        QCOMPARE(boxes.calls.size(), 4);
        QCOMPARE(boxes.calls.at(0).text,
                 QStringLiteral("No se pudo cargar los datos de la empresa."));
        QCOMPARE(boxes.calls.at(1).text,
                 missingSettingsMessage(company.dataFolder() + QStringLiteral("FileConfig.txt")));
        QCOMPARE(boxes.calls.at(2).text, SettingsWriteError);
        QVERIFY(boxes.calls.at(3).text.contains(QStringLiteral("Sbancos"), Qt::CaseInsensitive));
        QVERIFY(p.tray.isIconShown());
        QVERIFY(!QDir(company.dataFolder()).exists()); // nothing created in its place
    }

    void closingOnlyHides() {
        CompanyFixture company(CompanyFixture::Kind::Demo);
        RecordingMessageBox boxes;
        Program p;
        p.module.show();
        QVERIFY(p.module.TablaBancos.isOpen());
        QVERIFY(p.module.Tablasempresas.isOpen());
        QCOMPARE(p.module.OutlookBar->activeGroup(),
                 int(Tm3TransaccionesPendientesForm::GroupPendientes));
        p.module.MenuCerrarClick();
        QVERIFY(!p.module.isVisible());
        QVERIFY(!application::terminateRequested());
        QVERIFY(!p.module.TablaBancos.isOpen());
        QVERIFY(!p.module.Tablasempresas.isOpen());
        QVERIFY(p.module.TimerEspera->isActive());
    }

    void frameMenusAndPanels() {
        CompanyFixture company(CompanyFixture::Kind::Demo);
        RecordingMessageBox boxes;
        Program p;
        QCOMPARE(p.module.windowTitle(), QStringLiteral("Módulo Transacciones Pendientes"));
        QStringList top;
        for (QAction* a : p.module.MainMenu->actions())
            top << a->text();
        QCOMPARE(top, QStringList({QStringLiteral("&Transacciones"), QStringLiteral("&Sistema")}));
        QStringList system;
        for (QAction* a : p.module.MenuSistema->actions())
            system << a->text();
        QCOMPARE(system,
                 QStringList({QStringLiteral("Ac&erca de ..."), QStringLiteral("&Ayuda"),
                              QStringLiteral("C&onfigurar"), QStringLiteral("&Ventana de Aviso"),
                              QStringLiteral("Actualizar &Datos")}));
        QVERIFY(p.module.PanelPendiente->isVisibleTo(&p.module));
        p.module.ShowPanel(false, true, false, false, false, false, false);
        int visible = 0;
        for (QWidget* panel : {p.module.PanelNuevo, p.module.PanelConfigurar,
                               p.module.PanelPendiente, p.module.PanelReporte,
                               p.module.PanelCuentas, p.module.PanelAviso, p.module.PanelFechaCtas})
            visible += panel->isVisibleTo(&p.module) ? 1 : 0;
        QCOMPARE(visible, 1);
        QVERIFY(p.module.PanelConfigurar->isVisibleTo(&p.module));
        p.module.EnableMainMenus(false);
        QVERIFY(!p.module.MenuTransacciones->menuAction()->isEnabled());
        QVERIFY(!p.module.MenuSistema->menuAction()->isEnabled());
        p.module.EnableMainMenus(true);
        QVERIFY(p.module.MenuSistema->menuAction()->isEnabled());
        // The side bar: "Cuentas" hidden until receivables or payables are included.
        QCOMPARE(p.module.OutlookBar->groupCount(), 3);
        QVERIFY(!p.module.OutlookBar->isGroupVisible(Tm3TransaccionesPendientesForm::GroupCuentas));
        p.module.OutlookBar->setSelectedItem(Tm3TransaccionesPendientesForm::GroupPendientes, 0);
        p.module.OutlookBar->clickItem(Tm3TransaccionesPendientesForm::GroupTransaccion, 0);
        QCOMPARE(p.module.OutlookBar->selectedItem(Tm3TransaccionesPendientesForm::GroupPendientes),
                 -1);
        QVERIFY(p.module.PanelNuevo->isVisibleTo(&p.module));
    }

    void timerSettings() {
        CompanyFixture company(CompanyFixture::Kind::Demo);
        RecordingMessageBox boxes;
        Program p;
        p.module.ApplyTimerSettings(qint64(24) * 3600000, 2 * 3600000, false, true);
        QCOMPARE(p.module.TimerBusqueda->interval(), 86400000);
        QCOMPARE(p.module.NoticeWaitMs, 7200000);
        QVERIFY(!p.module.TimerEspera->isActive());
        QVERIFY(!p.module.TimerBusqueda->isActive());
        QVERIFY(p.module.SoundOff);
        QCOMPARE(p.module.TimerEspera->interval(), 1000); // not changed by the settings
    }

    void helpOpensTopicTen() {
        CompanyFixture company(CompanyFixture::Kind::Demo);
        RecordingMessageBox boxes;
        FakeHelpViewer help;
        Program p;
        p.module.MenuAyudaClick();
        QCOMPARE(help.opened.size(), 1);
        QCOMPARE(help.opened.first().toLocalFile(),
                 company.path(QStringLiteral("m3Help/Monvela.html")));
        QCOMPARE(help.opened.first().fragment(), QStringLiteral("tema10"));
        QVERIFY(QFile::exists(company.path(QStringLiteral("m3Help/Monvela.html"))));
    }

    void trayCloseAsksFirst() {
        CompanyFixture company(CompanyFixture::Kind::Demo);
        RecordingMessageBox boxes;
        Program p;
        boxes.answerNo();
        p.tray.Cerrar1Click();
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Desea cerrar Monvela?")});
        QVERIFY(!application::terminateRequested());
        boxes.answerYes();
        p.tray.Cerrar1Click();
        QVERIFY(application::terminateRequested());
    }
};

QTEST_MAIN(TstStartup)
#include "tst_startup.moc"

#include "controls/LookupCombo.h"
#include "controls/OutlookBar.h"
#include "controls/TNorvaList.h"
#include "controls/TNorvaNumberEdit.h"
#include "platform/AccessMarker.h"
#include "platform/Paths.h"
#include "platform/SystemInfo.h"
#include "platform/TextFile.h"
#include "shell/Application.h"
#include "shell/SettingsPage.h"
#include "shell/TAvisoTransaccionesPendientesForm.h"
#include "shell/TMenuDataModule.h"
#include "shell/Tm3TransaccionesPendientesForm.h"
#include "shell/Tm3TrayIconTransaccionesPenForm.h"
#include "support/CompanyFixture.h"
#include "support/RecordingMessageBox.h"
#include "support/ScriptedFileDialog.h"
#include "support/SetClock.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <climits>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

Q_DECLARE_METATYPE(shell::Settings)

namespace QTest {
template <> char* toString(const shell::Settings& s) {
    return qstrdup(shell::settingsLines(s).join(QLatin1Char('|')).toUtf8().constData());
}
} // namespace QTest

using namespace shell;
using Icon = platform::MessageBoxService::Icon;
using G = Tm3TransaccionesPendientesForm::Group;

namespace {

const QString Saved = QStringLiteral("Los datos fueron guardados correctamente.");

// The four long-lived objects of the program, started up on a computer that
// was allowed before.
struct Program {
    TMenuDataModule menus;
    TAvisoTransaccionesPendientesForm notice;
    Tm3TrayIconTransaccionesPenForm tray;
    Tm3TransaccionesPendientesForm module{&notice, &tray};
    SettingsPage& page = *module.PanelConfig;

    Program() {
        application::resetTerminate();
        platform::accessmarker::create(platform::paths::accessMarker(platform::computerName()));
        module.FormCreate();
    }

    bool showActive() {
        module.show();
        module.activateWindow();
        return QTest::qWaitForWindowActive(&module);
    }

    // Opens the configuration page from the menu and enters the edit mode.
    void edit() {
        module.MenuConfigurar->trigger();
        page.BEditar030->click();
    }

    // Types into a field as the user does: entering it selects what it holds.
    void type(QWidget* field, const QString& keys) {
        field->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(field, keys);
    }

    QStringList cuentasItems() const {
        QStringList items;
        for (int i = 0; i < module.OutlookBar->itemCount(G::GroupCuentas); ++i)
            items << module.OutlookBar->itemCaption(G::GroupCuentas, i);
        return items;
    }
};

QString settingsFile(const CompanyFixture& company) {
    return company.dataFolder() + QStringLiteral("FileConfig.txt");
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

QStringList fileLines(const CompanyFixture& company) {
    return platform::textfile::readLines(settingsFile(company)).value_or(QStringList{"<none>"});
}

// The file a first start writes, with the given lines changed.
void writeSettings(const CompanyFixture& company, const QMap<int, QString>& changes = {}) {
    QStringList lines = {"0",
                         "0",
                         "0",
                         "0",
                         "4",
                         "5",
                         "0",
                         "3",
                         "12:00",
                         "0",
                         platform::paths::defaultSoundFile(company.workFolder()),
                         "1"};
    for (auto it = changes.begin(); it != changes.end(); ++it)
        lines[it.key() - 1] = it.value();
    QVERIFY(platform::textfile::writeLines(settingsFile(company), lines));
}

// The setting controls of the page.
QList<QWidget*> settingControls(const SettingsPage& p) {
    return {p.CIncCuentasxCobrar,
            p.CIncCuentasxPagar,
            p.CDesactivarVentana,
            p.CDesactivarSonido,
            p.ERefrescarDatos,
            p.ETiempoEspera,
            p.ComboBMinHora,
            p.EDiasAntes,
            p.MEHora,
            p.CAMPM,
            p.EPathSonido,
            p.BBuscarSonido006,
            p.CEmcabezado};
}
// The controls that follow "Desactivar ventana de aviso".
QList<QWidget*> noticeControls(const SettingsPage& p) {
    return {p.CDesactivarSonido, p.ETiempoEspera,   p.ComboBMinHora,
            p.EDiasAntes,        p.MEHora,          p.CAMPM,
            p.EPathSonido,       p.BBuscarSonido006};
}
int enabledCount(const QList<QWidget*>& widgets) {
    int n = 0;
    for (QWidget* w : widgets)
        n += w->isEnabled() ? 1 : 0;
    return n;
}

bool inViewMode(const Program& p) {
    return enabledCount(settingControls(p.page)) == 0 && p.page.BEditar030->isEnabled() &&
           !p.page.BGuardar012->isEnabled() && !p.page.BCancelar2002->isEnabled() &&
           p.module.OutlookBar->isEnabled() && p.module.MenuSistema->menuAction()->isEnabled();
}

// Files may not grow beyond `bytes` while it lives: the disk is full.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_previous{};
    void (*m_handler)(int);
};

// An open-file dialog that, like the system's, leaves another current folder behind.
class WanderingFileDialog : public ScriptedFileDialog {
public:
    QString openFile(QWidget* parent, const QString& caption, const QString& folder,
                     const QString& filter) override {
        QDir::setCurrent(QDir::rootPath());
        return ScriptedFileDialog::openFile(parent, caption, folder, filter);
    }
};

} // namespace

class TstSettingsPage : public QObject {
    Q_OBJECT
private slots:
    void firstStartWritesTheFileAndTheNextStartReadsIt() {
        SetClock clock(2026, 12, 11, 9, 0);
        CompanyFixture company(CompanyFixture::Kind::Demo, clock.today());
        QVERIFY(QFile::remove(settingsFile(company))); // a company the suite just made
        RecordingMessageBox boxes;
        {
            Program p;
            QCOMPARE(boxes.texts(),
                     QStringList{QStringLiteral("El archivo \"") + settingsFile(company) +
                                 QStringLiteral("\" no existe, no se pudo cargar la "
                                                "configuración.")});
            QCOMPARE(boxes.calls.first().icon, Icon::Error);
            // Every box "0", the headings box too although the page shows it ticked.
            QCOMPARE(fileBytes(settingsFile(company)),
                     QByteArray("0\r\n0\r\n0\r\n0\r\n4\r\n5\r\n0\r\n3\r\n12:00\r\n0\r\n") +
                         QFile::encodeName(company.workFolder()) +
                         QByteArray("Empre001/ICONOS/notify.wav\r\n0"));
            QVERIFY(p.page.CEmcabezado->isChecked());
            QVERIFY(inViewMode(p));
            QCOMPARE(p.module.TimerBusqueda->interval(), 4 * 3600000);
            QCOMPARE(p.module.NoticeWaitMs, 5 * 60000);
            QVERIFY(p.module.TimerEspera->isActive());

            // The page as the user sees it.
            QCOMPARE(p.page.LTituloConfig->text(), QStringLiteral(" Configuración"));
            QCOMPARE(p.page.PageControlConfig->tabText(0), QStringLiteral("Ventana de aviso"));
            QCOMPARE(p.page.PageControlConfig->tabText(1), QStringLiteral("Cuentas e Impresión"));
            QCOMPARE(p.page.CDesactivarVentana->text(),
                     QStringLiteral("Desactivar ventana de aviso............................."
                                    "..................."));
            QCOMPARE(p.page.LRefrescarDatos->text(),
                     QStringLiteral("Refrescar datos cada            Hora(s)."));
            QCOMPARE(p.page.ComboBMinHora->itemText(1), QStringLiteral("Hora(s)"));
            QCOMPARE(p.page.CAMPM->itemText(1), QStringLiteral("P.M."));
            QCOMPARE(p.page.BGuardar012->text(), QStringLiteral("&Guardar"));
            QCOMPARE(p.page.BCancelar2002->text(), QStringLiteral("&Cancelar"));
            QCOMPARE(p.page.BEditar030->text(), QStringLiteral("&Editar"));
            // The number fields sit inside their captions' blanks, on the panel.
            for (QLabel* label :
                 {p.page.LRefrescarDatos, p.page.LTiempoEspera, p.page.LDiasAntes}) {
                QWidget* edit = label == p.page.LRefrescarDatos ? p.page.ERefrescarDatos
                                : label == p.page.LTiempoEspera
                                    ? static_cast<QWidget*>(p.page.ETiempoEspera)
                                    : p.page.EDiasAntes;
                QVERIFY(edit->x() > label->x() &&
                        edit->geometry().right() <
                            label->x() + label->fontMetrics().horizontalAdvance(label->text()));
            }
            QCOMPARE(p.page.parentWidget()->size(), QSize(410, 413));
            QCOMPARE(p.page.geometry(), QRect(66, 0, 344, 394));
        }
        boxes.clear();
        Program next;
        QVERIFY(boxes.calls.isEmpty());
        QVERIFY(!next.page.CEmcabezado->isChecked());
    }

    void startReadsTheFile_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<Settings>("page");
        QTest::addColumn<int>("refreshMs");
        QTest::addColumn<int>("waitMs");
        QTest::addColumn<bool>("noticeOn");

        Settings four;
        four.includeReceivables = true;
        four.noticeOff = four.soundOff = true;
        four.refreshHours = 2;
        four.wait = 2;
        four.reminderTime = QStringLiteral("  :  ");
        four.highlightedHeadings = false;
        QTest::newRow("four lines")
            << QStringList{"1", "0", "1", "1"} << four << 2 * 3600000 << 2 * 60000 << false;

        Settings s;
        s.refreshHours = 6;
        s.wait = 3;
        s.waitUnit = 1;
        s.daysAhead = 10;
        s.reminderTime = QStringLiteral("11:45");
        s.reminderHalf = 1;
        s.soundFile = QStringLiteral("/srv/sonidos/campana.wav");
        QTest::newRow("hours, P.M.")
            << QStringList{"0", "0", "0", "0", "6", "3", "1", "10", "11:45", "1", s.soundFile, "1"}
            << s << 6 * 3600000 << 3 * 3600000 << true;

        // 1440 hours is longer than a timer can wait: the longest it can.
        Settings top = s;
        top.refreshHours = 24;
        top.wait = 1440;
        QTest::newRow("the longest waits")
            << QStringList{"0", "0",  "0",     "0", "24",        "1440",
                           "1", "10", "11:45", "1", s.soundFile, "1"}
            << top << 86400000 << INT_MAX << true;
    }
    void startReadsTheFile() {
        QFETCH(QStringList, lines);
        QFETCH(Settings, page);
        QFETCH(int, refreshMs);
        QFETCH(int, waitMs);
        QFETCH(bool, noticeOn);
        CompanyFixture company(CompanyFixture::Kind::Demo);
        QVERIFY(platform::textfile::writeLines(settingsFile(company), lines));
        RecordingMessageBox boxes;
        Program p;
        QVERIFY(boxes.calls.isEmpty());
        QCOMPARE(p.page.PageSettings(SettingsPage::BoxRule::Ticked), page);
        QCOMPARE(p.module.TimerBusqueda->interval(), refreshMs);
        QCOMPARE(p.module.NoticeWaitMs, waitMs);
        QCOMPARE(p.module.TimerEspera->isActive(), noticeOn);
        QCOMPARE(p.module.TimerBusqueda->isActive(), noticeOn);
        QCOMPARE(p.module.SoundOff, page.soundOff);
        QVERIFY(inViewMode(p));
    }

    void unreadableFileKeepsTheDefaults() {
        CompanyFixture company(CompanyFixture::Kind::Demo);
        QVERIFY(QFile::remove(settingsFile(company)));
        QVERIFY(QDir().mkdir(settingsFile(company)));
        RecordingMessageBox boxes;
        Program p;
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Error al cargar los datos del archivo "
                                                           "\"FileConfig\".")});
        Settings defaults;
        defaults.soundFile = platform::paths::defaultSoundFile(company.workFolder());
        QCOMPARE(p.page.PageSettings(SettingsPage::BoxRule::Ticked), defaults);
        QVERIFY(p.tray.isIconShown());
        QVERIFY(p.module.TimerBusqueda->isActive());
    }

    void editAndSave() {
        CompanyFixture company(CompanyFixture::Kind::Demo);
        writeSettings(company);
        RecordingMessageBox boxes;
        Program p;
        QVERIFY(p.showActive());
        p.edit();
        QCOMPARE(enabledCount(settingControls(p.page)), settingControls(p.page).size());
        QVERIFY(!p.page.BEditar030->isEnabled());
        QVERIFY(p.page.BGuardar012->isEnabled() && p.page.BCancelar2002->isEnabled());
        QVERIFY(!p.module.OutlookBar->isEnabled());
        QVERIFY(!p.module.MenuTransacciones->menuAction()->isEnabled());
        QVERIFY(!p.module.MenuSistema->menuAction()->isEnabled());

        p.type(p.page.ERefrescarDatos, QStringLiteral("12"));
        p.type(p.page.ETiempoEspera, QStringLiteral("90"));
        p.page.ComboBMinHora->setCurrentIndex(1);
        p.type(p.page.EDiasAntes, QStringLiteral("10"));
        p.type(p.page.MEHora, QStringLiteral("0930"));
        p.page.CAMPM->setCurrentIndex(1);
        p.page.PageControlConfig->setCurrentWidget(p.page.TabCuentasImpresion);
        p.page.CIncCuentasxPagar->click();
        p.page.BGuardar012->click();

        QCOMPARE(boxes.texts(), QStringList{Saved});
        QCOMPARE(boxes.calls.first().icon, Icon::Information);
        QCOMPARE(fileLines(company),
                 QStringList({"0", "1", "0", "0", "12", "90", "1", "10", "09:30", "1",
                              platform::paths::defaultSoundFile(company.workFolder()), "1"}));
        QCOMPARE(p.module.WaitUnitMs, 3600000);
        QCOMPARE(p.module.TimerBusqueda->interval(), 12 * 3600000);
        QCOMPARE(p.module.NoticeWaitMs, 90 * 3600000);
        QCOMPARE(p.module.TimerEspera->interval(), 1000); // the next dismissal uses the wait
        QVERIFY(inViewMode(p));
        QCOMPARE(p.module.OutlookBar->activeGroup(), int(G::GroupTransaccion));
    }

    // A box counts as ticked only while it is enabled: with the notice off the
    // sound box is disabled, and written "0" whatever it shows.
    void noticeSwitchedOff() {
        CompanyFixture company(CompanyFixture::Kind::Demo);
        writeSettings(company);
        RecordingMessageBox boxes;
        Program p;
        QVERIFY(p.showActive());
        p.edit();
        p.page.CDesactivarSonido->click();
        p.page.CDesactivarVentana->click();
        QCOMPARE(enabledCount(noticeControls(p.page)), 0);
        QVERIFY(!p.page.ERefrescarDatos->isEnabled());
        QVERIFY(p.page.CDesactivarSonido->isChecked());
        p.page.BGuardar012->click();
        QCOMPARE(fileLines(company).mid(2, 2), QStringList({"1", "0"}));
        QVERIFY(!p.module.TimerEspera->isActive());
        QVERIFY(!p.module.TimerBusqueda->isActive());
        QVERIFY(p.module.SoundOff);
        QVERIFY(inViewMode(p));

        // Editing again leaves the notice's controls off until the notice is on.
        p.page.BEditar030->click();
        QCOMPARE(enabledCount(noticeControls(p.page)), 0);
        QVERIFY(p.page.ERefrescarDatos->isEnabled() && p.page.CDesactivarVentana->isEnabled());
        p.page.CDesactivarVentana->click();
        QCOMPARE(enabledCount(noticeControls(p.page)), noticeControls(p.page).size());
        p.page.BGuardar012->click();
        QCOMPARE(fileLines(company).mid(2, 2), QStringList({"0", "1"}));
        QVERIFY(p.module.TimerEspera->isActive() && p.module.TimerBusqueda->isActive());
    }

    void noticeOnScreenBlocksTheEdit() {
        CompanyFixture company(CompanyFixture::Kind::Demo);
        writeSettings(company);
        RecordingMessageBox boxes;
        Program p;
        QVERIFY(p.showActive());
        p.module.MenuConfigurar->trigger();
        p.notice.show();
        p.page.BEditar030->click();
        QCOMPARE(boxes.texts(),
                 QStringList{QStringLiteral(
                     "Cierre la ventana de aviso antes de editar la configuración!")});
        QCOMPARE(boxes.calls.first().icon, Icon::Information);
        QVERIFY(inViewMode(p));

        p.notice.hide();
        p.page.BEditar030->click();
        p.page.ETiempoEspera->SetInitText(30);
        p.notice.show();
        const QByteArray before = fileBytes(settingsFile(company));
        boxes.clear();
        p.page.BGuardar012->click();
        QCOMPARE(boxes.texts(),
                 QStringList{QStringLiteral("Cierre la ventana de aviso antes de guardar!")});
        QVERIFY(p.page.IsEditing());
        QCOMPARE(fileBytes(settingsFile(company)), before);
        QCOMPARE(p.module.NoticeWaitMs, 5 * 60000);
    }

    // Cancelling restores the controls from the file, not from before the edit.
    void cancelReadsTheFileAgain() {
        CompanyFixture company(CompanyFixture::Kind::Demo);
        writeSettings(company);
        RecordingMessageBox boxes;
        Program p;
        QVERIFY(p.showActive());
        p.edit();
        p.type(p.page.ETiempoEspera, QStringLiteral("30"));
        p.page.CIncCuentasxCobrar->click();
        writeSettings(company, {{6, "9"}, {7, "1"}}); // the postpone dialog meanwhile
        p.page.BCancelar2002->click();
        QVERIFY(boxes.calls.isEmpty());
        QCOMPARE(p.page.ETiempoEspera->WholeValue(), 9);
        QCOMPARE(p.page.ComboBMinHora->currentIndex(), 1);
        QVERIFY(!p.page.CIncCuentasxCobrar->isChecked());
        QVERIFY(inViewMode(p));
        // Timers and inclusion still as last saved.
        QCOMPARE(p.module.NoticeWaitMs, 5 * 60000);
        QVERIFY(!p.module.OutlookBar->isGroupVisible(G::GroupCuentas));
    }

    void closingWhileEditingAsks() {
        CompanyFixture company(CompanyFixture::Kind::Demo);
        writeSettings(company);
        RecordingMessageBox boxes;
        Program p;
        QVERIFY(p.showActive());
        p.edit();
        p.page.ETiempoEspera->SetInitText(30);

        boxes.answerNo();
        QVERIFY(!p.module.close());
        QCOMPARE(boxes.texts(),
                 QStringList{QStringLiteral("Desea salir sin guardar la configuración?")});
        QCOMPARE(boxes.calls.first().icon, Icon::Confirmation);
        QCOMPARE(boxes.calls.first().buttons, platform::MessageBoxService::Buttons::YesNo);
        QVERIFY(p.module.isVisible());
        QVERIFY(p.page.IsEditing());
        QCOMPARE(p.page.ETiempoEspera->WholeValue(), 30);

        boxes.answerYes();
        QVERIFY(p.module.close());
        QVERIFY(!p.module.isVisible());
        QVERIFY(inViewMode(p));
        QCOMPARE(p.page.ETiempoEspera->WholeValue(), 5);

        // Closing from the page that is not being edited asks nothing.
        boxes.clear();
        QVERIFY(p.showActive());
        p.module.MenuConfigurar->trigger();
        QVERIFY(p.module.close());
        QVERIFY(boxes.calls.isEmpty());
    }

    void reminderTimeOnLeaving_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("kept");
        QTest::newRow("a blank left") << "7:3"
                                      << "12:00";
        QTest::newRow("morning") << "1145"
                                 << "11:45";
        QTest::newRow("after one") << "1310"
                                   << "12:00";
        QTest::newRow("emptied") << ""
                                 << "12:00";
    }
    void reminderTimeOnLeaving() {
        QFETCH(QString, keys);
        QFETCH(QString, kept);
        CompanyFixture company(CompanyFixture::Kind::Demo);
        writeSettings(company, {{9, "10:15"}});
        RecordingMessageBox boxes;
        Program p;
        QVERIFY(p.showActive());
        p.edit();
        p.page.MEHora->setFocus(Qt::TabFocusReason);
        QTest::keyClick(p.page.MEHora, Qt::Key_Delete);
        QTest::keyClicks(p.page.MEHora, keys);
        QTest::keyClick(p.page.MEHora, Qt::Key_Return); // Enter moves on
        QVERIFY(!p.page.MEHora->hasFocus());
        QCOMPARE(p.page.MEHoraText(), kept);
        p.page.BGuardar012->click();
        QCOMPARE(fileLines(company).value(8), kept);
    }

    void browseForTheSound() {
        CompanyFixture company(CompanyFixture::Kind::Demo);
        writeSettings(company);
        RecordingMessageBox boxes;
        WanderingFileDialog dialog;
        dialog.answers = {QStringLiteral("/srv/sonidos/campana.mp3"), QString()};
        Program p;
        QVERIFY(p.showActive());
        p.edit();
        const QString current = QDir::currentPath();
        p.page.BBuscarSonido006->click();
        QCOMPARE(p.page.EPathSonido->text(), QStringLiteral("/srv/sonidos/campana.mp3"));
        QCOMPARE(p.notice.MediaPlayerFile(), QStringLiteral("/srv/sonidos/campana.mp3"));
        QCOMPARE(dialog.calls.size(), 1);
        QCOMPARE(dialog.calls.first().filter,
                 QStringLiteral("Wave files (*.wav);;Midi files (*.mid);;MP3 files (*.mp3)"));
        QCOMPARE(dialog.calls.first().folder, company.dataFolder() + QStringLiteral("ICONOS"));
        QCOMPARE(QDir::currentPath(), current);
        // Cancelled: nothing changes.
        p.page.BBuscarSonido006->click();
        QCOMPARE(p.page.EPathSonido->text(), QStringLiteral("/srv/sonidos/campana.mp3"));
        QCOMPARE(QDir::currentPath(), current);
        p.page.BGuardar012->click();
        QCOMPARE(fileLines(company).value(10), QStringLiteral("/srv/sonidos/campana.mp3"));
    }

    void dropDownsSwallowTyping() {
        CompanyFixture company(CompanyFixture::Kind::Demo);
        writeSettings(company);
        RecordingMessageBox boxes;
        Program p;
        QVERIFY(p.showActive());
        p.edit();
        for (QComboBox* combo : {p.page.ComboBMinHora, p.page.CAMPM}) {
            combo->setFocus();
            QTest::keyClicks(combo, QStringLiteral("hHpP"));
            QTest::keyClick(combo, Qt::Key_End);
            QCOMPARE(combo->currentIndex(), 0);
        }
        p.page.EPathSonido->setFocus();
        QTest::keyClicks(p.page.EPathSonido, QStringLiteral("x"));
        QCOMPARE(p.page.EPathSonido->text(),
                 platform::paths::defaultSoundFile(company.workFolder()));
    }

    void inclusionOfAccounts_data() {
        QTest::addColumn<bool>("receivables");
        QTest::addColumn<bool>("payables");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("porPagar");
        QTest::newRow("both") << true << true << QStringList{"Por Cobrar", "Por Pagar", "Fecha"}
                              << 1;
        QTest::newRow("payables only") << false << true << QStringList{"Por Pagar", "Fecha"} << 0;
        QTest::newRow("receivables only")
            << true << false << QStringList{"Por Cobrar", "Fecha"} << -1;
        QTest::newRow("neither") << false << false << QStringList() << -1;
    }
    void inclusionOfAccounts() {
        QFETCH(bool, receivables);
        QFETCH(bool, payables);
        QFETCH(QStringList, items);
        QFETCH(int, porPagar);
        CompanyFixture company(CompanyFixture::Kind::Demo);
        writeSettings(company, {{1, "1"}, {2, "1"}}); // both included before
        RecordingMessageBox boxes;
        Program p;
        QVERIFY(p.showActive());
        QCOMPARE(p.cuentasItems(), QStringList({"Por Cobrar", "Por Pagar", "Fecha"}));
        p.edit();
        if (!receivables)
            p.page.CIncCuentasxCobrar->click();
        if (!payables)
            p.page.CIncCuentasxPagar->click();
        p.page.BGuardar012->click();
        QCOMPARE(boxes.texts(), QStringList{Saved});

        Tm3TransaccionesPendientesForm& m = p.module;
        const bool any = receivables || payables;
        QCOMPARE(m.OutlookBar->isGroupVisible(G::GroupCuentas), any);
        if (any)
            QCOMPARE(p.cuentasItems(), items);
        QCOMPARE(m.PorPagarItemIndex, porPagar);
        QCOMPARE(m.MenuCuentas->menuAction()->isEnabled(), any);
        QCOMPARE(m.PageControlReporte->isTabVisible(1), receivables);
        QCOMPARE(m.PageControlReporte->isTabVisible(2), payables);
        QCOMPARE(m.CheckBCtsxCobrar->isEnabled(), receivables);
        QCOMPARE(m.CheckBCtsxPagar->isEnabled(), payables);
        QVERIFY(!m.CheckBCtsxCobrar->isChecked() && !m.CheckBCtsxPagar->isChecked());
        // The notice window: an excluded group is hidden, disabled and up.
        QCOMPARE(p.notice.fcButtonGroup1fcImageBtn2->isEnabled(), receivables);
        QCOMPARE(p.notice.fcButtonGroup1fcImageBtn3->isEnabled(), payables);
        QVERIFY(!p.notice.fcButtonGroup1fcImageBtn2->isChecked() || receivables);
        QVERIFY(!p.notice.fcButtonGroup1fcImageBtn3->isChecked() || payables);
        QVERIFY(p.notice.fcButtonGroup1fcImageBtn1->isChecked());
        if (!any)
            return;
        QCOMPARE(m.MenuCtasCobrar->isEnabled(), receivables);
        QCOMPARE(m.MenuCtasPagar->isEnabled(), payables);
        QCOMPARE(m.CheckCobrar->isEnabled(), receivables);
        QCOMPARE(m.CheckPagar->isEnabled(), payables);
        // The kind the documents-by-date page shows is one that is included.
        QCOMPARE(m.CheckCobrar->isChecked(), receivables);
        QCOMPARE(m.CheckPagar->isChecked(), !receivables);
        QVERIFY(m.NorvaListCtasxCobrar->IsPlaceholder() && !m.NorvaListCtasxCobrar->isEnabled());
        // The selectors' tables stay open on their indexes while the window is shown.
        if (receivables) {
            QVERIFY(m.TablaClientes.isOpen());
            QCOMPARE(m.TablaClientes.indexName(), QStringLiteral("FC_KEYDESCRIPCION"));
            QCOMPARE(m.CClientes->lookupTable(), &m.TablaClientes);
            QCOMPARE(m.CClientes->lookupField(), QStringLiteral("FC_CODIGO"));
            QCOMPARE(m.CClientes->columns().size(), 2);
            QCOMPARE(m.CClientes->columns().at(0).field, QStringLiteral("FC_DESCRIPCION"));
            QCOMPARE(m.CClientes->columns().at(0).title, QStringLiteral("Cliente"));
            QCOMPARE(m.CClientes->columns().at(1).widthChars, 5);
        }
        if (payables) {
            QVERIFY(m.TablaProveedores.isOpen());
            QCOMPARE(m.TablaProveedores.indexName(), QStringLiteral("FP_KEYDESCRIPCION"));
            QCOMPARE(m.CProveedores->columns().at(0).title, QStringLiteral("Proveedor"));
            // "Por Pagar" opens the supplier page, "Fecha" the documents by date.
            m.OutlookBar->clickItem(G::GroupCuentas, porPagar);
            QVERIFY(m.PanelCuentas->isVisibleTo(&m));
        }
        m.OutlookBar->clickItem(G::GroupCuentas, int(items.size()) - 1);
        QVERIFY(m.PanelFechaCtas->isVisibleTo(&m));
        QCOMPARE(m.OutlookBar->selectedItem(G::GroupTransaccion), -1);

        // Showing the window again applies the inclusion again, without doubles.
        m.close();
        QVERIFY(p.showActive());
        QCOMPARE(p.cuentasItems(), items);
    }

    void inclusionFailureIsReported() {
        CompanyFixture company(CompanyFixture::Kind::Demo);
        writeSettings(company);
        QVERIFY(QFile::remove(company.dataFolder() + QStringLiteral("Sclientes.dat")));
        RecordingMessageBox boxes;
        Program p;
        QVERIFY(p.showActive());
        p.edit();
        p.page.CIncCuentasxCobrar->click();
        boxes.clear(); // what the start said of the missing table
        p.page.BGuardar012->click();
        QCOMPARE(boxes.texts(),
                 QStringList({QStringLiteral("Error al incluir o eliminar la cuenta seleccionada."),
                              Saved}));
        QCOMPARE(boxes.calls.first().icon, Icon::Error);
        // What was done up to the failure stays.
        QCOMPARE(p.cuentasItems(), QStringList{"Por Cobrar"});
        QVERIFY(inViewMode(p));
        QVERIFY(!QFile::exists(company.dataFolder() + QStringLiteral("Sclientes.dat")));
    }

    void failedSaveKeepsThePreviousFile_data() {
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::newRow("disk full") << false;
        QTest::newRow("read-only data folder") << true;
    }
    void failedSaveKeepsThePreviousFile() {
        QFETCH(bool, readOnlyFolder);
        CompanyFixture company(CompanyFixture::Kind::Demo);
        writeSettings(company, {{11, QString(300, QLatin1Char('s'))}});
        RecordingMessageBox boxes;
        Program p;
        QVERIFY(p.showActive());
        p.edit();
        p.type(p.page.ETiempoEspera, QStringLiteral("30"));
        const QByteArray before = fileBytes(settingsFile(company));
        const QString folder = company.dataFolder();
        const QFile::Permissions permissions = QFile::permissions(folder);
        if (readOnlyFolder) {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
            if (::access(QFile::encodeName(folder).constData(), W_OK) == 0) {
                QFile::setPermissions(folder, permissions);
                QSKIP("this user writes into read-only folders; the full disk stands for it");
            }
            p.page.BGuardar012->click();
            QFile::setPermissions(folder, permissions);
        } else {
            FileSizeLimit full(64);
            p.page.BGuardar012->click();
        }
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Error al cargar los datos al archivo "
                                                           "\"FileConfig\".")});
        QCOMPARE(boxes.calls.first().icon, Icon::Error);
        QCOMPARE(fileBytes(settingsFile(company)), before);
        QCOMPARE(QDir(folder).entryList({QStringLiteral("FileConfig*")}, QDir::Files),
                 QStringList{QStringLiteral("FileConfig.txt")});
        // The page still leaves the edit mode and the settings take effect in memory.
        QVERIFY(inViewMode(p));
        QCOMPARE(p.module.NoticeWaitMs, 30 * 60000);
    }

    void threeWaysOpenThePage_data() {
        QTest::addColumn<QString>("way");
        QTest::newRow("side bar") << "side bar";
        QTest::newRow("menu") << "menu";
        QTest::newRow("tray") << "tray";
    }
    void threeWaysOpenThePage() {
        QFETCH(QString, way);
        CompanyFixture company(CompanyFixture::Kind::Demo);
        writeSettings(company);
        RecordingMessageBox boxes;
        Program p;
        Tm3TransaccionesPendientesForm& m = p.module;
        if (way != QLatin1String("tray"))
            QVERIFY(p.showActive());
        m.OutlookBar->clickItem(G::GroupPendientes, 3); // the report page
        m.SetRecordCount(7);
        if (way == QLatin1String("side bar")) {
            m.OutlookBar->groupButton(G::GroupTransaccion)->click();
            m.OutlookBar->clickItem(G::GroupTransaccion, 1);
        } else if (way == QLatin1String("menu")) {
            m.MenuConfigurar->trigger();
        } else {
            p.tray.Configurar1Click();
        }
        QVERIFY(m.isVisible());
        QCOMPARE(m.OutlookBar->activeGroup(), int(G::GroupTransaccion));
        QCOMPARE(m.OutlookBar->selectedItem(G::GroupTransaccion), 1);
        QCOMPARE(m.OutlookBar->selectedItem(G::GroupPendientes), -1);
        QCOMPARE(m.StatusPanels[3]->text(), QString());
        int visible = 0;
        for (QWidget* panel : {m.PanelNuevo, m.PanelConfigurar, m.PanelPendiente, m.PanelReporte,
                               m.PanelCuentas, m.PanelAviso, m.PanelFechaCtas})
            visible += panel->isVisibleTo(&m) ? 1 : 0;
        QCOMPARE(visible, 1);
        QVERIFY(m.PanelConfigurar->isVisibleTo(&m));
        QVERIFY(inViewMode(p));
    }
};

QTEST_MAIN(TstSettingsPage)
#include "tst_settingspage.moc"

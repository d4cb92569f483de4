// Table files and text files that are not what they should be: each
// operation that meets one shows its own message, the window stays usable
// and nothing is written where it should not be: the damaged file stays as
// it was and no file appears beside it.

#include "Recording.h"
#include "accounts/OpenDocuments.h"
#include "shell/SettingsPage.h"
#include "support/SetClock.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <sys/mount.h>
#include <unistd.h>

using namespace banktest;
using reliability::record;
using reliability::Saved;
using reliability::SaveQuestion;

namespace {

const QString GirosQueryError =
    QStringLiteral("Error de Consulta al obtener datos de la Tabla m3GirosPendientes.");
const QString GirosWriteError =
    QStringLiteral("Error al introducir los datos en la tabla m3GirosPendientes");
const QString TransWriteError =
    QStringLiteral("Error al introducir los datos en la tabla m3TransPendientes");
const QString CompanyTableError =
    QStringLiteral("Error al cargar la tabla \"sempresas.dat\", la aplicación no se inicializara.");

// Every file under the folder with a digest of its bytes.
QStringList snapshot(const QString& folder) {
    QStringList out;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.contains(QStringLiteral("/.user/")))
            continue;
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        out << path + QLatin1Char(' ') +
                   QString::fromLatin1(
                       QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1).toHex());
    }
    out.sort();
    return out;
}

QByteArray contents(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

void writeSettings(const CompanyFixture& company, bool receivables) {
    shell::Settings s;
    s.includeReceivables = receivables;
    s.soundFile = platform::paths::defaultSoundFile(company.workFolder());
    QVERIFY(shell::writeSettingsFile(company.dataFolder() + QStringLiteral("FileConfig.txt"), s));
}

// A folder nobody may write, not even root: with root's rights a read-only
// bind mount of it in a mount namespace of this process; otherwise its mode
// and the mode of its files. False when neither can be had.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& folder) : m_folder(folder) {
        const QByteArray path = QFile::encodeName(folder);
        if (geteuid() != 0) {
            QDirIterator it(folder, QDir::Files);
            while (it.hasNext())
                QFile::setPermissions(it.next(), QFile::ReadOwner);
            m_ok = QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
            return;
        }
        m_ok = unshare(CLONE_NEWNS) == 0 &&
               mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
               mount(path.constData(), path.constData(), nullptr, MS_BIND, nullptr) == 0;
        m_mounted = m_ok;
        m_ok = m_ok && mount(nullptr, path.constData(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY,
                             nullptr) == 0;
    }
    ~ReadOnlyFolder() {
        if (m_mounted)
            umount(QFile::encodeName(m_folder).constData());
        if (geteuid() != 0) {
            QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QDirIterator it(m_folder, QDir::Files);
            while (it.hasNext())
                QFile::setPermissions(it.next(), QFile::ReadOwner | QFile::WriteOwner);
        }
    }
    bool ok() const { return m_ok; }

private:
    QString m_folder;
    bool m_ok = false;
    bool m_mounted = false;
};

} // namespace

class TstBadTables : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { useSpanishFormats(); }

    // A table file of the data folder that is not a database, or lacks a
    // field: the start says so with the query's message and goes on; a
    // transaction recorded then says so with the write's message; the window
    // is still usable and the damaged file is as it was.
    void damagedTableFiles_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QStringList>("atStart");
        QTest::addColumn<QStringList>("onRecord");
        QTest::newRow("installments not a database")
            << QStringLiteral("m3GirosPendientes") << QStringLiteral("garbage")
            << QStringList{GirosQueryError}
            << QStringList{SaveQuestion, GirosWriteError, GirosQueryError};
        QTest::newRow("installments without FGP_HORAGIRO")
            << QStringLiteral("m3GirosPendientes")
            << QStringLiteral("CREATE TABLE m3GirosPendientes (FGP_AUTOINCKEY INTEGER PRIMARY "
                              "KEY AUTOINCREMENT, FGP_KEYTRANSACCION INTEGER, FGP_GIRO SMALLINT, "
                              "FGP_FECHAGIRO DATE, FGP_MONTOGIRO CURRENCY, FGP_STATUS BOOLEAN, "
                              "FGP_FECHAPAGADO DATE, FGP_PERIODOFIJO SMALLINT, FGP_TIPOTRANS "
                              "SMALLINT)")
            << QStringList{GirosQueryError}
            << QStringList{SaveQuestion, GirosWriteError, GirosQueryError};
        QTest::newRow("transactions not a database")
            << QStringLiteral("m3TransPendientes") << QStringLiteral("garbage")
            << QStringList{GirosQueryError}
            << QStringList{SaveQuestion, TransWriteError, GirosQueryError};
        QTest::newRow("receivables not a database")
            << QStringLiteral("SCuentasxCobrar") << QStringLiteral("garbage")
            << QStringList{accounts::OpenDocumentsError(QStringLiteral("SCuentasxCobrar"))}
            << QStringList{SaveQuestion, Saved};
        QTest::newRow("receivables without FCC_DESCRIPCIONMOV")
            << QStringLiteral("SCuentasxCobrar")
            << QStringLiteral("CREATE TABLE SCuentasxCobrar (FCC_CODIGO VARCHAR(10), FCC_NUMERO "
                              "VARCHAR(20), FCC_SALDODOCUMENTO CURRENCY, FCC_FECHAEMISION DATE, "
                              "FCC_FECHAVENCIMIENTO DATE, FCC_TIPOTRANSACCION SMALLINT)")
            << QStringList{accounts::OpenDocumentsError(QStringLiteral("SCuentasxCobrar"))}
            << QStringList{SaveQuestion, Saved};
    }
    void damagedTableFiles() {
        QFETCH(QString, table);
        QFETCH(QString, damage);
        QFETCH(QStringList, atStart);
        QFETCH(QStringList, onRecord);
        SetClock clock(2024, 5, 10, 9, 0);
        CompanyFixture company(CompanyFixture::Kind::Empty);
        addBanks(company);
        writeSettings(company, true);
        const QString file = company.dataFolder() + table + QStringLiteral(".dat");
        QVERIFY(QFile::remove(file));
        if (damage == QLatin1String("garbage"))
            writeFile(file,
                      QByteArray("DBISAM 4.29\0\x01\x02 not an SQLite file", 32).repeated(64));
        else
            company.exec(table + QStringLiteral(".dat"), damage);
        const QByteArray damaged = contents(file);
        const qsizetype filesBefore = QDir(company.dataFolder()).entryList(QDir::Files).size();

        RecordingMessageBox boxes;
        Program p;
        QVERIFY(!shell::application::terminateRequested());
        QCOMPARE(boxes.texts(), atStart);
        QVERIFY(p.tray.isIconShown());

        QCOMPARE(record(p, boxes, reliability::Entry()), onRecord);
        // Still usable: back on the first page, ready for the next transaction.
        QCOMPARE(p.module.NewTransaction->PageControlNuevo->currentWidget(),
                 p.module.NewTransaction->TabNuevaTrans1);
        QVERIFY(p.module.NewTransaction->BSiguiente0033->isEnabled());
        QVERIFY(p.module.CBanco->isEnabled());

        QCOMPARE(contents(file), damaged);
        QCOMPARE(QDir(company.dataFolder()).entryList(QDir::Files).size(), filesBefore);
    }

    // A data folder nobody may write: saving the settings and recording a
    // transaction each say so with their message; nothing changes there.
    void readOnlyDataFolder() {
        SetClock clock(2024, 5, 10, 9, 0);
        CompanyFixture company(CompanyFixture::Kind::Empty);
        addBanks(company);
        writeSettings(company, false);
        const QStringList before = snapshot(company.workFolder());
        RecordingMessageBox boxes;
        Program p;
        QCOMPARE(boxes.texts(), QStringList());
        ReadOnlyFolder readOnly(company.dataFolder());
        if (!readOnly.ok())
            QSKIP("no way to make a folder read-only here");

        shell::SettingsPage& page = *p.module.PanelConfig;
        showModule(p);
        page.BEditar030->click();
        page.EDiasAntes->SetInitText(9);
        page.BGuardar012->click();
        QCOMPARE(boxes.texts(), QStringList{shell::SettingsWriteError});
        QVERIFY(page.BEditar030->isEnabled()); // out of edit mode all the same

        QCOMPARE(record(p, boxes, reliability::Entry()),
                 (QStringList{SaveQuestion, TransWriteError}));
        QVERIFY(p.module.NewTransaction->BSiguiente0033->isEnabled());
        QCOMPARE(snapshot(company.workFolder()), before);
    }

    // A company table with no company in it, empty to its last byte or
    // without rows: the start ends with its message, writing nothing anywhere.
    void emptyCompanyTable_data() {
        QTest::addColumn<bool>("noBytes");
        QTest::newRow("no bytes") << true;
        QTest::newRow("no rows") << false;
    }
    void emptyCompanyTable() {
        QFETCH(bool, noBytes);
        CompanyFixture company(CompanyFixture::Kind::Empty);
        const QString file = company.path(QStringLiteral("sempresas.dat"));
        if (noBytes)
            writeFile(file, QByteArray());
        else
            company.exec(QStringLiteral("../sempresas.dat"),
                         QStringLiteral("DELETE FROM sempresas"));
        prepareComputer();
        const QStringList before = snapshot(company.workFolder());
        const bool rootHadSettings = QFile::exists(QStringLiteral("/FileConfig.txt"));
        RecordingMessageBox boxes;
        Program p;
        QVERIFY(shell::application::terminateRequested());
        QCOMPARE(boxes.texts(), QStringList{CompanyTableError});
        QVERIFY(!p.tray.isIconShown());
        QCOMPARE(snapshot(company.workFolder()), before);
        QCOMPARE(QFile::exists(QStringLiteral("/FileConfig.txt")), rootHadSettings);
    }

    // A settings file of binary garbage reads as a file of unreadable lines:
    // the start says nothing and does not rewrite it, the page shows what
    // the reader gives for such lines, and saving the page writes a sound file.
    void settingsFileOfGarbage() {
        SetClock clock(2024, 5, 10, 9, 0);
        CompanyFixture company(CompanyFixture::Kind::Empty);
        addBanks(company);
        prepareComputer();
        const QString path = company.dataFolder() + QStringLiteral("FileConfig.txt");
        QByteArray garbage;
        for (int i = 0; i < 4096; ++i)
            garbage.append(char((i * 7919 + 13) % 256));
        writeFile(path, garbage);
        RecordingMessageBox boxes;
        Program p;
        QCOMPARE(boxes.texts(), QStringList());
        QCOMPARE(contents(path), garbage);
        shell::SettingsPage& page = *p.module.PanelConfig;
        QCOMPARE(page.ERefrescarDatos->WholeValue(), qint64(shell::Settings::ReaderRefreshHours));
        QCOMPARE(page.ETiempoEspera->WholeValue(), qint64(shell::Settings::ReaderWait));
        QCOMPARE(page.EDiasAntes->WholeValue(), qint64(shell::Settings::ReaderDaysAhead));
        QVERIFY(!page.CIncCuentasxCobrar->isChecked());

        showModule(p);
        page.BEditar030->click();
        page.BGuardar012->click();
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Los datos fueron guardados "
                                                           "correctamente.")});
        const std::optional<shell::Settings> saved = shell::readSettingsFile(path);
        QVERIFY(saved);
        QCOMPARE(*saved, page.PageSettings());
        QCOMPARE(shell::readSettingsFile(path)->daysAhead, 3);
    }

    // "Datos.txt" saved by an editor in Unicode, with its byte-order mark, is
    // read in its encoding, not as Windows-1252.
    void companyDataInAnotherEncoding_data() {
        QTest::addColumn<QByteArray>("bytes");
        const QString text =
            QStringLiteral("Panadería La Espiga\r\nJ-1\r\nAv. Bolívar\r\nCaracas €\r\n");
        QByteArray le("\xFF\xFE"), be("\xFE\xFF");
        for (QChar c : text) {
            le.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
            be.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
        }
        QTest::newRow("UTF-8") << QByteArray("\xEF\xBB\xBF") + text.toUtf8();
        QTest::newRow("UTF-16 little-endian") << le;
        QTest::newRow("UTF-16 big-endian") << be;
    }
    void companyDataInAnotherEncoding() {
        QFETCH(QByteArray, bytes);
        CompanyFixture company(CompanyFixture::Kind::Empty);
        writeFile(company.dataFolder() + QStringLiteral("Datos.txt"), bytes);
        RecordingMessageBox boxes;
        Program p;
        QCOMPARE(boxes.texts(), QStringList());
        QCOMPARE(p.module.CompanyName, QStringLiteral("Panadería La Espiga"));
        QCOMPARE(p.module.CompanyLine3, QStringLiteral("Av. Bolívar"));
        QCOMPARE(p.module.CompanyLine4, QStringLiteral("Caracas €"));
    }
};

QTEST_MAIN(TstBadTables)
#include "tst_badtables.moc"

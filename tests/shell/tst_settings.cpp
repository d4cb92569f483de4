#include "shell/Settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace shell;

Q_DECLARE_METATYPE(shell::Settings)

namespace QTest {
template <> char* toString(const shell::Settings& s) {
    return qstrdup(settingsLines(s).join(QLatin1Char('|')).toUtf8().constData());
}
} // namespace QTest

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// What the reader gives for an empty file: every line missing.
Settings readerDefaults() {
    Settings s;
    s.refreshHours = Settings::ReaderRefreshHours;
    s.wait = Settings::ReaderWait;
    s.daysAhead = Settings::ReaderDaysAhead;
    s.reminderTime.clear();
    s.highlightedHeadings = false;
    return s;
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

} // namespace

class TstSettings : public QObject {
    Q_OBJECT
private slots:
    void readsTheLines_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<Settings>("expected");

        QTest::newRow("empty file") << QStringList() << readerDefaults();

        Settings four = readerDefaults();
        four.includeReceivables = true;
        four.noticeOff = true;
        four.soundOff = true;
        QTest::newRow("four lines") << QStringList{"1", "0", "1", "1"} << four;

        // Only the exact text "1" ticks a box.
        QTest::newRow("not exactly 1") << QStringList{"TRUE", " 1", "1 ",    "01", "4",     "5",
                                                      "0",    "3",  "12:00", "0",  "a.wav", "-1"}
                                       << [] {
                                              Settings s;
                                              s.soundFile = "a.wav";
                                              s.highlightedHeadings = false;
                                              return s;
                                          }();

        Settings all;
        all.includeReceivables = all.includePayables = all.noticeOff = all.soundOff = true;
        all.refreshHours = 24;
        all.wait = 1440;
        all.waitUnit = 1;
        all.daysAhead = 1440;
        all.reminderTime = "07:30";
        all.reminderHalf = 1;
        all.soundFile = "C:\\Suite\\Empre001\\ICONOS\\Música.wav";
        all.highlightedHeadings = true;
        QTest::newRow("every value at its top")
            << QStringList{"1", "1",    "1",     "1", "24",          "1440",
                           "1", "1440", "07:30", "1", all.soundFile, "1"}
            << all;
        QStringList longer = settingsLines(all);
        longer << "0"
               << "algo más";
        QTest::newRow("lines after the twelfth ignored") << longer << all;

        // The reader's defaults where a number line is not a whole number.
        Settings notNumbers = readerDefaults();
        notNumbers.reminderTime = "  :  ";
        QTest::newRow("not whole numbers")
            << QStringList{"0", "0", "0", "0", "4h", "2,5", "x", "", "  :  ", "P.M.", ""}
            << notNumbers;

        // Leading blanks and a sign are read as the suite writes them.
        Settings blanks = readerDefaults();
        blanks.refreshHours = 7;
        blanks.wait = 5;
        blanks.waitUnit = 1;
        blanks.daysAhead = 0;
        QTest::newRow("blanks and signs")
            << QStringList{"", "", "", "", " 7", "+5", " 1", "-0"} << blanks;

        // A value the page's field cannot hold is brought within its limits.
        Settings outOfRange = readerDefaults();
        outOfRange.refreshHours = 1;
        outOfRange.wait = 1440;
        outOfRange.daysAhead = 0;
        QTest::newRow("out of the fields' limits")
            << QStringList{"", "", "", "", "0", "2000", "2", "-3", "", "-1"} << outOfRange;
        Settings tooMany = readerDefaults();
        tooMany.refreshHours = 24;
        tooMany.wait = 1;
        QTest::newRow("beyond the top")
            << QStringList{"", "", "", "", "25", "0", "", "99999999999"} << tooMany;
    }
    void readsTheLines() {
        QFETCH(QStringList, lines);
        QFETCH(Settings, expected);
        QCOMPARE(parseSettings(lines), expected);
    }

    void writesTheLines() {
        Settings s;
        s.soundFile = "/srv/suite/Empre001/ICONOS/notify.wav";
        QCOMPARE(settingsLines(s), QStringList({"0", "0", "0", "0", "4", "5", "0", "3", "12:00",
                                                "0", s.soundFile, "1"}));
        s.wait = 1440;
        s.reminderTime = EmptyReminderTime;
        QCOMPARE(settingsLines(s).at(5), QStringLiteral("1440"));
        QCOMPARE(settingsLines(s).at(8), QStringLiteral("  :  "));
        QCOMPARE(parseSettings(settingsLines(s)), s);
    }

    void fileRoundTrip() {
        QTemporaryDir dir;
        const QString path = dir.filePath("FileConfig.txt");
        Settings s;
        s.includePayables = true;
        s.wait = 1440;
        s.waitUnit = 1;
        s.reminderTime = "7 :3 ";
        s.soundFile = "C:\\Música\\aviso.wav";
        s.highlightedHeadings = false;
        QVERIFY(writeSettingsFile(path, s));
        // Windows-1252, CR LF between the lines and none after the twelfth.
        QCOMPARE(fileBytes(path), QByteArray("0\r\n1\r\n0\r\n0\r\n4\r\n1440\r\n1\r\n3\r\n7 :3 \r\n0"
                                             "\r\nC:\\M\xfasica\\aviso.wav\r\n0"));
        QCOMPARE(readSettingsFile(path), std::optional<Settings>(s));
        // A file written elsewhere with line feeds only reads the same.
        writeBytes(path, "0\n1\n0\n0\n4\n1440\n1\n3\n7 :3 \n0\nC:\\M\xfasica\\aviso.wav\n0\n");
        QCOMPARE(readSettingsFile(path), std::optional<Settings>(s));
    }

    void unreadableFile() {
        QTemporaryDir dir;
        QVERIFY(!readSettingsFile(dir.filePath("FileConfig.txt")));
        QVERIFY(QDir(dir.path()).mkdir("FileConfig.txt"));
        QVERIFY(!readSettingsFile(dir.filePath("FileConfig.txt")));
    }

    // A save that fails half-way leaves the previous file whole.
    void failedWriteKeepsThePreviousFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("FileConfig.txt");
        Settings before;
        before.soundFile = "/srv/suite/Empre001/ICONOS/notify.wav";
        QVERIFY(writeSettingsFile(path, before));
        const QByteArray previous = fileBytes(path);

        Settings after = before;
        after.soundFile = QString(200, QLatin1Char('x'));
        {
            FileSizeLimit full(16);
            QString error;
            QVERIFY(!writeSettingsFile(path, after, &error));
            QVERIFY(!error.isEmpty());
        }
        QCOMPARE(fileBytes(path), previous);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"FileConfig.txt"});
    }

    void failedWriteInAReadOnlyFolder() {
        QTemporaryDir dir;
        const QString path = dir.filePath("FileConfig.txt");
        QVERIFY(writeSettingsFile(path, Settings()));
        const QByteArray previous = fileBytes(path);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        if (::access(QFile::encodeName(dir.path()).constData(), W_OK) == 0) {
            QFile::setPermissions(dir.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QSKIP("this user writes into read-only folders");
        }
        Settings after;
        after.wait = 9;
        QVERIFY(!writeSettingsFile(path, after));
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(fileBytes(path), previous);
    }

    void reminderTimeOnLeaving_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("empty") << "  :  "
                               << "12:00";
        QTest::newRow("a blank left") << "7 :3 "
                                      << "12:00";
        QTest::newRow("blank first") << " 7:30"
                                     << "12:00";
        QTest::newRow("morning") << "11:45"
                                 << "11:45";
        QTest::newRow("last minute") << "12:59"
                                     << "12:59";
        QTest::newRow("midnight") << "00:00"
                                  << "00:00";
        QTest::newRow("after one") << "13:10"
                                   << "12:00";
        QTest::newRow("no such minute") << "10:60"
                                        << "12:00";
        QTest::newRow("not a time") << "ab:cd"
                                    << "12:00";
        QTest::newRow("short") << "1:30"
                               << "12:00";
    }
    void reminderTimeOnLeaving() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QCOMPARE(checkedReminderTime(typed), kept);
    }

    void waitUnits() {
        QCOMPARE(waitUnitMs(0), qint64(60000));
        QCOMPARE(waitUnitMs(1), qint64(3600000));
        QCOMPARE(waitUnitMs(-1), qint64(60000));
    }

    void filePath_data() {
        QTest::addColumn<QString>("dataFolder");
        QTest::addColumn<QString>("path");
        QTest::newRow("relative") << "Empre001/"
                                  << "/srv/suite/Empre001/FileConfig.txt";
        QTest::newRow("absolute") << "/data/e1/"
                                  << "/data/e1/FileConfig.txt";
        // An empty stored folder: the working folder, never the root of the disk.
        QTest::newRow("empty stored folder") << "/"
                                             << "/srv/suite//FileConfig.txt";
    }
    void filePath() {
        QFETCH(QString, dataFolder);
        QFETCH(QString, path);
        QCOMPARE(settingsPath("/srv/suite/", dataFolder), path);
    }
};

QTEST_GUILESS_MAIN(TstSettings)
#include "tst_settings.moc"

#include "platform/AccessMarker.h"
#include "platform/HelpViewer.h"
#include "platform/Paths.h"
#include "platform/SingleInstance.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

using namespace platform;

class TstPlatform : public QObject {
    Q_OBJECT
private slots:
    void textFilesAreWindows1252WithCrLf() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Datos.txt"));
        QVERIFY(
            textfile::writeLines(path, {QStringLiteral("Compañía €"), QStringLiteral("línea 2")}));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("Compa\xf1\xed"
                                            "a \x80\r\nl\xed"
                                            "nea 2"));
    }

    // A disk that fills up in the middle of a write leaves the old file whole.
    void aShortWriteKeepsTheOldFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("FileConfig.txt"));
        QVERIFY(textfile::writeLines(path, {QStringLiteral("old")}));
        auto handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit previous{};
        getrlimit(RLIMIT_FSIZE, &previous);
        rlimit limit = previous;
        limit.rlim_cur = 16;
        setrlimit(RLIMIT_FSIZE, &limit);
        QString error;
        const bool written = textfile::writeLines(path, {QString(300, QLatin1Char('x'))}, &error);
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, handler);
        QVERIFY(!written);
        QVERIFY(!error.isEmpty());
        QCOMPARE(*textfile::readLines(path), QStringList{QStringLiteral("old")});
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("FileConfig.txt")});
    }

    void readsCrLfAndLf() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("x.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("uno\r\ndos\n\ntres\x80");
        file.close();
        const auto lines = textfile::readLines(path);
        QVERIFY(lines);
        QCOMPARE(*lines, QStringList({QStringLiteral("uno"), QStringLiteral("dos"), QString(),
                                      QStringLiteral("tres€")}));
        QVERIFY(!textfile::readLines(dir.filePath(QStringLiteral("missing.txt"))));
        QCOMPARE(textfile::decode1252(textfile::encode1252(QStringLiteral("ñ€ŸžŠ\u4e2d"))),
                 QStringLiteral("ñ€ŸžŠ?"));
    }

    void storedFolders_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("folder");
        QTest::newRow("without separator")
            << QStringLiteral("Empre001") << QStringLiteral("Empre001/");
        QTest::newRow("with separator")
            << QStringLiteral("Empre001/") << QStringLiteral("Empre001/");
        QTest::newRow("empty") << QString() << QStringLiteral("/");
        QTest::newRow("written on Windows")
            << QStringLiteral("Empre001\\Reports") << QStringLiteral("Empre001/Reports/");
        QTest::newRow("backslash at the end")
            << QStringLiteral("Empre001\\") << QStringLiteral("Empre001/");
    }
    void storedFolders() {
        QFETCH(QString, stored);
        QFETCH(QString, folder);
        QCOMPARE(paths::asFolder(stored), folder);
    }

    void companyPaths() {
        QCOMPARE(paths::settingsFile(QStringLiteral("/srv/suite/"), QStringLiteral("Empre001/")),
                 QStringLiteral("/srv/suite/Empre001/FileConfig.txt"));
        // An absolute data folder is not put after the working folder.
        QCOMPARE(paths::settingsFile(QStringLiteral("/srv/suite/"), QStringLiteral("/data/e1/")),
                 QStringLiteral("/data/e1/FileConfig.txt"));
        QCOMPARE(paths::helpFile(QStringLiteral("/srv/suite/")),
                 QStringLiteral("/srv/suite/m3Help/Monvela.hlp"));
        QCOMPARE(paths::defaultSoundFile(QStringLiteral("/srv/suite/")),
                 QStringLiteral("/srv/suite/Empre001/ICONOS/notify.wav"));
        QVERIFY(paths::currentFolder().endsWith(QLatin1Char('/')));
    }

    void accessMarkerLivesInTheUserDataFolder() {
        QTemporaryDir home;
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
        const QString marker = paths::accessMarker(QStringLiteral("OFICINA1"));
        QCOMPARE(marker, home.path() + QStringLiteral("/Monvela/.FileSysOFICINA1.tr"));
        QVERIFY(!accessmarker::exists(marker));
        QVERIFY(accessmarker::create(marker));
        QVERIFY(accessmarker::exists(marker));
        QCOMPARE(QFileInfo(marker).size(), qint64(0));
        qunsetenv("XDG_DATA_HOME");
    }

    void helpFallsBackToTheHtmlPage() {
        QTemporaryDir dir;
        const QUrl url =
            HelpViewer::helpUrl(dir.filePath(QStringLiteral("m3Help/Monvela.hlp")), 10);
        QCOMPARE(url.toLocalFile(), dir.filePath(QStringLiteral("m3Help/Monvela.html")));
        QCOMPARE(url.fragment(), QStringLiteral("tema10"));
    }

    void singleInstance() {
        QTemporaryDir runtime;
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        QFile::setPermissions(runtime.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString name = QStringLiteral("MonvelaTest");
        QVERIFY(SingleInstance::acquire(name));
        QVERIFY(SingleInstance::acquire(name)); // this process holds it already
        QVERIFY(SingleInstance::lockFile(name).startsWith(runtime.path()));
        // Another process cannot take it while this one lives.
        QProcess other;
        other.start(QStringLiteral("flock"),
                    {QStringLiteral("-n"), SingleInstance::lockFile(name), QStringLiteral("true")});
        QVERIFY(other.waitForFinished(10000));
        QCOMPARE(other.exitCode(), 1);
        // A lock left by a process that died counts as free.
        QProcess holder;
        holder.start(QStringLiteral("flock"),
                     {QStringLiteral("-o"), SingleInstance::lockFile(QStringLiteral("Other")),
                      QStringLiteral("-c"), QStringLiteral("echo ready; exec sleep 30")});
        QVERIFY(holder.waitForReadyRead(10000));
        QVERIFY(!SingleInstance::acquire(QStringLiteral("Other")));
        holder.kill();
        holder.waitForFinished();
        QVERIFY(SingleInstance::acquire(QStringLiteral("Other")));
        qunsetenv("XDG_RUNTIME_DIR");
    }
};

QTEST_GUILESS_MAIN(TstPlatform)
#include "tst_platform.moc"

#include "platform/SingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>

using platform::SingleInstance;

// A desktop without a notification area: the running copy can be reached by a
// later start, which brings its module window forward instead of ending silently.
class TstDesktop : public QObject {
    Q_OBJECT
    QTemporaryDir root;

    void useRuntime(const QString& folder) {
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder));
    }

private slots:
    void laterStartReachesTheListeningCopy() {
        useRuntime(root.filePath(QStringLiteral("own")));
        const QString name = QStringLiteral("MonvelaReach");
        // Only the holder of the lock listens.
        QVERIFY(!SingleInstance::listen(name, [] {}));
        QVERIFY(SingleInstance::acquire(name));
        QVERIFY(SingleInstance::isHeld(name));
        QVERIFY(!SingleInstance::isHeld(QStringLiteral("Otro")));
        // Nobody listens yet; a file left by a copy that died is in the way.
        QFile stale(SingleInstance::socketFile(name));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        QVERIFY(!SingleInstance::signalRunning(name));

        int signals_ = 0;
        QVERIFY(SingleInstance::listen(name, [&] { ++signals_; }));
        QVERIFY(SingleInstance::socketFile(name).startsWith(root.filePath(QStringLiteral("own"))));
        // Two starts before the event loop turns: one signal for both.
        QVERIFY(SingleInstance::signalRunning(name));
        QVERIFY(SingleInstance::signalRunning(name));
        QCOMPARE(signals_, 0);
        QCoreApplication::processEvents();
        QCOMPARE(signals_, 1);
        QVERIFY(SingleInstance::signalRunning(name));
        QCoreApplication::processEvents();
        QCOMPARE(signals_, 2);
        QVERIFY(!SingleInstance::signalRunning(QStringLiteral("Nadie")));
        qunsetenv("XDG_RUNTIME_DIR");
    }

    // The real program, twice, where there is no notification area (the
    // offscreen platform has none): the first copy listens, the second
    // reaches it and ends at once.
    void secondStartOfTheRealProgram() {
        const QString program = qEnvironmentVariable("MONVELA_PROGRAM");
        const QString tool = qEnvironmentVariable("MONVELA_COMPANY_TOOL");
        if (program.isEmpty() || tool.isEmpty())
            QSKIP("run through ctest");
        if (QSystemTrayIcon::isSystemTrayAvailable())
            QSKIP("this desktop has a notification area");
        const QString runtime = root.filePath(QStringLiteral("runtime"));
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir().mkpath(root.filePath(QStringLiteral("data/Monvela")));
        QFile marker(root.filePath(QStringLiteral("data/Monvela/.FileSys")) +
                     QSysInfo::machineHostName() + QStringLiteral(".tr"));
        QVERIFY(marker.open(QIODevice::WriteOnly));
        marker.close();
        QProcess make;
        make.start(tool, {QStringLiteral("demo"), root.filePath(QStringLiteral("demo"))});
        QVERIFY(make.waitForFinished(30000));
        QCOMPARE(make.exitCode(), 0);

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        env.insert(QStringLiteral("XDG_DATA_HOME"), root.filePath(QStringLiteral("data")));
        auto start = [&](QProcess& p) {
            p.setWorkingDirectory(root.filePath(QStringLiteral("demo")));
            p.setProcessEnvironment(env);
            p.start(program);
            return p.waitForStarted();
        };
        QProcess first;
        QVERIFY(start(first));
        const QString socket = QDir(runtime).filePath(QStringLiteral("Monvela.socket"));
        QDeadlineTimer deadline(30000);
        while (!QFile::exists(socket) && !deadline.hasExpired() &&
               first.state() == QProcess::Running)
            first.waitForFinished(50);
        QVERIFY(QFile::exists(socket));

        QProcess second;
        QVERIFY(start(second));
        QVERIFY(second.waitForFinished(30000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);
        first.kill();
        QVERIFY(first.waitForFinished(10000));
    }
};

QTEST_MAIN(TstDesktop)
#include "tst_desktop.moc"

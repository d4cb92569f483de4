#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

// The real program, started as a user would, from a demo company's folder.
class TstProcess : public QObject {
    Q_OBJECT

    QString program, tool;
    QTemporaryDir root;

    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), root.filePath(QStringLiteral("runtime")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), root.filePath(QStringLiteral("data")));
        return env;
    }

    // Whether some process holds the program's lock, asked as another program would.
    bool lockHeld() const {
        QProcess probe;
        probe.start(QStringLiteral("flock"),
                    {QStringLiteral("-n"), root.filePath(QStringLiteral("runtime/Monvela.lock")),
                     QStringLiteral("true")});
        probe.waitForFinished(10000);
        return probe.exitCode() == 1;
    }

private slots:
    void initTestCase() {
        program = qEnvironmentVariable("MONVELA_PROGRAM");
        tool = qEnvironmentVariable("MONVELA_COMPANY_TOOL");
        if (program.isEmpty() || tool.isEmpty())
            QSKIP("run through ctest");
        QDir(root.path()).mkpath(QStringLiteral("runtime"));
        QFile::setPermissions(root.filePath(QStringLiteral("runtime")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // This computer is allowed, so the copy goes straight to the tray.
        QDir(root.path()).mkpath(QStringLiteral("data/Monvela"));
        QFile marker(root.filePath(QStringLiteral("data/Monvela/.FileSys")) +
                     QSysInfo::machineHostName() + QStringLiteral(".tr"));
        QVERIFY(marker.open(QIODevice::WriteOnly));
        marker.close();
        QProcess make;
        make.start(tool, {QStringLiteral("demo"), root.filePath(QStringLiteral("demo"))});
        QVERIFY(make.waitForFinished(30000));
        QCOMPARE(make.exitCode(), 0);
    }

    void secondStartEndsAtOnceAndSilently() {
        QProcess first;
        first.setWorkingDirectory(root.filePath(QStringLiteral("demo")));
        first.setProcessEnvironment(environment());
        first.start(program);
        QVERIFY(first.waitForStarted());
        // The first copy becomes resident: it holds the lock and keeps running.
        QDeadlineTimer deadline(30000);
        while (!lockHeld() && !deadline.hasExpired() && first.state() == QProcess::Running)
            first.waitForFinished(50);
        QVERIFY(lockHeld());
        QCOMPARE(first.state(), QProcess::Running);

        QProcess second;
        second.setWorkingDirectory(root.filePath(QStringLiteral("demo")));
        second.setProcessEnvironment(environment());
        second.start(program);
        QVERIFY(second.waitForFinished(30000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running); // the first copy is unaffected

        first.kill(); // as if it crashed: the lock goes with it
        QVERIFY(first.waitForFinished(10000));
        QVERIFY(!lockHeld());
    }
};

QTEST_GUILESS_MAIN(TstProcess)
#include "tst_process.moc"

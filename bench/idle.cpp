// bench_idle PROGRAM COMPANY [--seconds S]: the idle cost of the real program
// resident on a company where nothing is due. The program is started in the
// company folder (offscreen, with its own user folders and access marker),
// left to settle, and its CPU time (user + system, from /proc) and its
// voluntary context switches (its wake-ups) are read over S real seconds
// (80 by default: two periods of the notice check, which runs every 40 s) and
// scaled to five minutes.

#include "BenchSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QTextStream>
#include <QThread>
#include <unistd.h>

namespace {

struct Usage {
    double cpuMs = 0;
    QHash<QString, qint64> wakeups; // voluntary context switches by thread
    long rssKb = 0;
};

// The wake-ups from `before` to `after`: of the threads there at the end
// (one that ended meanwhile takes its count with it).
qint64 wakeupsBetween(const Usage& before, const Usage& after) {
    qint64 n = 0;
    for (auto it = after.wakeups.cbegin(); it != after.wakeups.cend(); ++it)
        n += it.value() - before.wakeups.value(it.key(), 0);
    return n;
}

Usage usageOf(qint64 pid) {
    Usage u;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (stat.open(QIODevice::ReadOnly)) {
        const QByteArray text = stat.readAll();
        // The fields after the command's name, which is in parentheses.
        const QList<QByteArray> f = text.mid(text.lastIndexOf(')') + 2).split(' ');
        const double tick = 1000.0 / double(sysconf(_SC_CLK_TCK));
        if (f.size() > 13)
            u.cpuMs = (f[11].toDouble() + f[12].toDouble()) * tick; // utime, stime
    }
    // Wake-ups: the voluntary context switches of every thread.
    const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
    for (const QString& task : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile status(tasks + QLatin1Char('/') + task + QStringLiteral("/status"));
        if (!status.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("voluntary_ctxt_switches:"))
                u.wakeups.insert(task, line.mid(24).trimmed().toLongLong());
    }
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmRSS:"))
                u.rssKb = line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return u;
}

} // namespace

int main(int argc, char** argv) {
    bench::usePlatform();
    bench::UserFolders folders;
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        QTextStream(stderr) << "Uso: bench_idle PROGRAMA EMPRESA [--seconds S]\n";
        return 2;
    }
    const int seconds =
        args.size() >= 4 && args[2] == QLatin1String("--seconds") ? args[3].toInt() : 80;
    try {
        const bench::Company company(args.at(1));
        const qint64 installments = company.count(QStringLiteral("m3GirosPendientes"));
        const qint64 documents = company.count(QStringLiteral("SCuentasxCobrar"));
        QProcess program;
        program.setWorkingDirectory(company.work);
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(QFileInfo(args.at(0)).absoluteFilePath(), {});
        if (!program.waitForStarted())
            throw std::runtime_error("the program does not start");
        const qint64 pid = program.processId();
        // The start and the first notice check (about a second after it).
        program.waitForFinished(4000);
        if (program.state() != QProcess::Running)
            throw std::runtime_error("the program ended at start");
        const Usage settled = usageOf(pid);
        QElapsedTimer t;
        t.start();
        program.waitForFinished(seconds * 1000);
        if (program.state() != QProcess::Running)
            throw std::runtime_error("the program ended while idle");
        const Usage after = usageOf(pid);
        const double real = double(t.nsecsElapsed()) / 1e6;
        program.terminate();
        if (!program.waitForFinished(5000)) {
            program.kill();
            program.waitForFinished(5000);
        }

        const double cpu = after.cpuMs - settled.cpuMs;
        const double scale = 300000.0 / real;
        const double fiveMinutes = cpu * scale;
        const QString size = QStringLiteral("%1 installments, %2 documents, none due")
                                 .arg(bench::count(installments), bench::count(documents));
        bench::header(QStringLiteral("Idle while resident (%1 s measured, scaled to 5 minutes)")
                          .arg(real / 1000.0, 0, 'f', 1));
        bench::row(QStringLiteral("CPU time at start (the first %1 s)").arg(4), size,
                   bench::ms(settled.cpuMs), QString(), QString(), QString());
        bench::row(QStringLiteral("CPU time over five minutes idle"), size, bench::ms(fiveMinutes),
                   QStringLiteral("target 1 000 ms (0.33 % of a core)"),
                   bench::ratio(fiveMinutes / 1000.0), bench::verdict(fiveMinutes < 1000));
        bench::row(QStringLiteral("  wake-ups over five minutes"), size,
                   bench::count(qRound64(double(wakeupsBetween(settled, after)) * scale)),
                   QString(), QString(),
                   QStringLiteral("(%1 in %2 s)")
                       .arg(wakeupsBetween(settled, after))
                       .arg(real / 1000.0, 0, 'f', 1));
        bench::row(QStringLiteral("  resident memory while idle"), size, bench::mib(after.rssKb),
                   QString(), QString(), QString());
    } catch (const std::exception& e) {
        QTextStream(stderr) << "bench_idle: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

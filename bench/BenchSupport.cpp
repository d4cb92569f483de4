#include "BenchSupport.h"

#include "controls/Fonts.h"
#include "core/Formats.h"
#include "data/Query.h"
#include "platform/AccessMarker.h"
#include "platform/Paths.h"
#include "platform/SystemInfo.h"
#include "shell/Application.h"
#include "shell/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <malloc.h>
#include <sqlite3.h>
#include <stdexcept>
#include <sys/resource.h>
#include <unistd.h>

namespace bench {

void usePlatform() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void useProgramFormats() {
    core::Formats::setCurrent(core::Formats::fromSystem());
    controls::installFontSubstitutions();
}

UserFolders::UserFolders() {
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder");
    m_previousData = qgetenv("XDG_DATA_HOME");
    m_previousRuntime = qgetenv("XDG_RUNTIME_DIR");
    QDir(m_dir.path()).mkpath(QStringLiteral("data"));
    QDir(m_dir.path()).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(runtimeDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome()));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir()));
    platform::accessmarker::create(platform::paths::accessMarker(platform::computerName()));
}

UserFolders::~UserFolders() {
    if (m_previousData.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", m_previousData);
    if (m_previousRuntime.isNull())
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", m_previousRuntime);
}

QString UserFolders::dataHome() const {
    return m_dir.filePath(QStringLiteral("data"));
}

QString UserFolders::runtimeDir() const {
    return m_dir.filePath(QStringLiteral("runtime"));
}

Company::Company(const QString& workFolder) {
    const QFileInfo info(workFolder);
    if (!QFileInfo(QDir(workFolder).filePath(QStringLiteral("sempresas.dat"))).isFile())
        throw std::runtime_error(
            QStringLiteral("%1 is no company folder").arg(workFolder).toStdString());
    work = info.absoluteFilePath() + QLatin1Char('/');
    data = work + QStringLiteral("Empre001/");
    if (const auto s = shell::readSettingsFile(data + QStringLiteral("FileConfig.txt")))
        daysAhead = s->daysAhead;
}

qint64 Company::count(const QString& table, const QString& where) const {
    data::Query q;
    q.setDatabaseName(data);
    q.addSql(QStringLiteral("SELECT COUNT(*) AS N FROM ") + table +
             (where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where));
    q.open();
    const qint64 n = q.fieldByName(QStringLiteral("N")).asInteger();
    q.close();
    return n;
}

Program::Program(const Company& company) {
    previousFolder = QDir::currentPath();
    QDir::setCurrent(company.work);
    shell::application::resetTerminate();
    startMs = timeMs([this] { module.FormCreate(); });
    if (shell::application::terminateRequested())
        throw std::runtime_error("the start-up asked to end");
}

Program::~Program() {
    module.TimerEspera->stop();
    module.TimerBusqueda->stop();
    notice.Timer2->stop();
    QDir::setCurrent(previousFolder);
}

double timeMs(const std::function<void()>& work) {
    QElapsedTimer t;
    t.start();
    work();
    return double(t.nsecsElapsed()) / 1e6;
}

double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

double childrenCpuMs() {
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000.0 +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000.0;
}

Timing measure(const std::function<void()>& work) {
    QElapsedTimer t;
    const double cpu = threadCpuMs();
    t.start();
    work();
    return {double(t.nsecsElapsed()) / 1e6, threadCpuMs() - cpu};
}

Timing medianTiming(int runs, const std::function<void()>& work,
                    const std::function<void()>& between) {
    std::vector<double> wall, cpu;
    for (int i = 0; i < runs; ++i) {
        const Timing t = measure(work);
        wall.push_back(t.wall);
        cpu.push_back(t.cpu);
        if (between)
            between();
    }
    return {median(wall), median(cpu)};
}

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double medianMs(int runs, const std::function<void()>& work, const std::function<void()>& between) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        times.push_back(timeMs(work));
        if (between)
            between();
    }
    return median(times);
}

QString sqliteShell() {
    return QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
}

namespace {

QString fileUri(const QString& path) {
    return QStringLiteral("file:") +
           QString::fromLatin1(QUrl::toPercentEncoding(QFileInfo(path).absoluteFilePath(), "/")) +
           QStringLiteral("?mode=ro");
}

QString literal(double value) {
    return QString::number(value, 'f', 6);
}

// Wall time of one sqlite3 shell on :memory: running `repeats` times the
// statement with its files attached, its output thrown away.
Timing shellRun(const QString& shell, const Statement& s, int repeats) {
    QString script = QStringLiteral(".output /dev/null\n");
    for (const auto& p : s.params)
        script += QStringLiteral(".parameter set :%1 %2\n").arg(p.first, literal(p.second));
    for (int r = 0; r < repeats; ++r) {
        for (qsizetype i = 0; i < s.files.size(); ++i)
            script += QStringLiteral("ATTACH '%1' AS t%2;\n").arg(fileUri(s.files[i])).arg(i);
        script += s.sql + QStringLiteral(";\n");
        for (qsizetype i = 0; i < s.files.size(); ++i)
            script += QStringLiteral("DETACH t%1;\n").arg(i);
    }
    script += QStringLiteral(".quit\n");
    const QByteArray input = script.toUtf8();
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const double cpu = childrenCpuMs();
    QElapsedTimer t;
    t.start();
    process.start(shell, {QStringLiteral(":memory:")});
    if (!process.waitForStarted())
        throw std::runtime_error("sqlite3 does not start");
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(600000) || process.exitCode() != 0)
        throw std::runtime_error("sqlite3 failed");
    return {double(t.nsecsElapsed()) / 1e6, childrenCpuMs() - cpu};
}

} // namespace

ShellFloor::ShellFloor(const Statement& statement)
    : m_statement(statement), m_shell(sqliteShell()) {
    if (m_shell.isEmpty())
        return;
    shellRun(m_shell, m_statement, 1); // the files into the system's cache
    m_idle = runs(0, 7);
    const double once = std::max(0.01, shellRun(m_shell, m_statement, 1).wall - m_idle.wall);
    m_repeats = std::clamp(int(300.0 / once), 1, 200);
}

Timing ShellFloor::runs(int repeats, int count) {
    std::vector<Timing> v;
    for (int i = 0; i < count; ++i)
        v.push_back(shellRun(m_shell, m_statement, repeats));
    return median(v);
}

Timing ShellFloor::run() {
    if (m_shell.isEmpty())
        return {-1, -1};
    const Timing t = shellRun(m_shell, m_statement, m_repeats);
    return {std::max(0.0, (t.wall - m_idle.wall) / m_repeats),
            std::max(0.0, (t.cpu - m_idle.cpu) / m_repeats)};
}

Timing shellFloor(const Statement& s, int runs) {
    ShellFloor floor(s);
    if (!floor.available())
        return {-1, -1};
    std::vector<Timing> v;
    for (int i = 0; i < runs; ++i)
        v.push_back(floor.run());
    return median(v);
}

Timing median(const std::vector<Timing>& values) {
    std::vector<double> wall, cpu;
    for (const Timing& t : values) {
        wall.push_back(t.wall);
        cpu.push_back(t.cpu);
    }
    return {median(wall), median(cpu)};
}

Timing engineRun(const Statement& s, qint64* rows) {
    return measure([&] {
        sqlite3* db = nullptr;
        sqlite3_open_v2(":memory:", &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_MEMORY | SQLITE_OPEN_URI, nullptr);
        for (qsizetype i = 0; i < s.files.size(); ++i) {
            const QByteArray sql =
                QStringLiteral("ATTACH '%1' AS t%2").arg(fileUri(s.files[i])).arg(i).toUtf8();
            sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
        }
        sqlite3_stmt* st = nullptr;
        const QByteArray sql = s.sql.toUtf8();
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) != SQLITE_OK) {
            const std::string error = sqlite3_errmsg(db);
            sqlite3_close(db);
            throw std::runtime_error(error);
        }
        for (const auto& p : s.params)
            sqlite3_bind_double(
                st,
                sqlite3_bind_parameter_index(st, (QLatin1Char(':') + p.first).toUtf8().constData()),
                p.second);
        qint64 count = 0;
        while (sqlite3_step(st) == SQLITE_ROW)
            ++count;
        sqlite3_finalize(st);
        sqlite3_close(db);
        if (rows)
            *rows = count;
    });
}

Timing engineFloor(const Statement& s, int runs, qint64* rows) {
    engineRun(s, rows);
    std::vector<Timing> v;
    for (int i = 0; i < runs; ++i)
        v.push_back(engineRun(s));
    return median(v);
}

long peakRssKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

long currentRssKb() {
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> parts = f.readAll().split(' ');
    return parts.size() > 1 ? parts[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : 0;
}

long heapInUseKb() {
    const struct mallinfo2 m = mallinfo2();
    return long((m.uordblks + m.hblkhd) / 1024);
}

long trimmedRssKb() {
    malloc_trim(0);
    return currentRssKb();
}

double cpuMs() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000.0 +
           (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000.0;
}

void header(const QString& title) {
    QTextStream out(stdout);
    out << "\n### " << title << "\n\n"
        << "| What | Size | Ours | Floor / target | Ratio | |\n"
        << "|---|---:|---:|---:|---:|---|\n";
    out.flush();
}

void row(const QString& what, const QString& size, const QString& value, const QString& reference,
         const QString& ratioText, const QString& verdictText) {
    QTextStream out(stdout);
    out << "| " << what << " | " << size << " | " << value << " | " << reference << " | "
        << ratioText << " | " << verdictText << " |\n";
    out.flush();
}

QString ms(double value) {
    if (value < 0)
        return QStringLiteral("n/a");
    if (value < 10)
        return QStringLiteral("%1 ms").arg(value, 0, 'f', 2);
    if (value < 1000)
        return QStringLiteral("%1 ms").arg(value, 0, 'f', 1);
    return QStringLiteral("%1 ms").arg(count(qRound64(value)));
}

QString ms(const Timing& t) {
    return ms(t.cpu) + QStringLiteral(" CPU, ") + ms(t.wall) + QStringLiteral(" wall");
}

QString count(qint64 value) {
    QString digits = QString::number(value < 0 ? -value : value);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(' '));
    return value < 0 ? QLatin1Char('-') + digits : digits;
}

QString ratio(double value) {
    return QStringLiteral("%1×").arg(value, 0, 'f', 2);
}

QString mib(long kb) {
    return QStringLiteral("%1 MiB").arg(double(kb) / 1024.0, 0, 'f', 1);
}

QString verdict(bool met) {
    return met ? QStringLiteral("met") : QStringLiteral("**MISSED**");
}

} // namespace bench

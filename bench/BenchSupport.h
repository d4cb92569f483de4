#pragma once

// What the benchmarks share: the user's folders pointed at a temporary folder
// (so access markers and locks never touch the real ones), the program's four
// long-lived objects started on an existing company folder, the sqlite3
// shell's time for a statement (the floor), medians, memory and CPU figures,
// and the rows of the results table.

#include "core/DateTime.h"
#include "shell/TAvisoTransaccionesPendientesForm.h"
#include "shell/TMenuDataModule.h"
#include "shell/Tm3TransaccionesPendientesForm.h"
#include "shell/Tm3TrayIconTransaccionesPenForm.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <vector>

namespace bench {

// Before QApplication: the offscreen platform unless one was chosen.
void usePlatform();
// After QApplication: the formats and fonts the program sets in main.
void useProgramFormats();

// The user's data and runtime folders in a temporary folder, with the access
// marker of this computer, for the benchmark's lifetime.
class UserFolders {
public:
    UserFolders();
    ~UserFolders();
    QString dataHome() const;
    QString runtimeDir() const;

private:
    QTemporaryDir m_dir;
    QByteArray m_previousData, m_previousRuntime;
};

// A company folder made by "monvela-company generate": the working folder
// (with sempresas.dat) and its data folder.
struct Company {
    explicit Company(const QString& workFolder);
    QString work;      // absolute, ends in "/"
    QString data;      // absolute, ends in "/"
    int daysAhead = 3; // from its settings file
    qint64 count(const QString& table, const QString& where = QString()) const;
};

// The program's four long-lived objects, created in the order main creates
// them, started on the company (made the current folder for its lifetime).
struct Program {
    explicit Program(const Company& company);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    QString previousFolder;
    shell::TMenuDataModule menus;
    shell::TAvisoTransaccionesPendientesForm notice;
    shell::Tm3TrayIconTransaccionesPenForm tray;
    shell::Tm3TransaccionesPendientesForm module{&notice, &tray};
    double startMs = 0; // the time FormCreate took
};

// Milliseconds of one run of `work`.
double timeMs(const std::function<void()>& work);
// Wall time and the CPU time of this thread (user + system) of one run, ms.
// On a machine that others share the CPU time is the steadier figure: with
// the files in the system's cache a load waits for nothing but the processor.
struct Timing {
    double wall = 0;
    double cpu = 0;
};
Timing measure(const std::function<void()>& work);
// The medians of `runs` runs; `between` runs, untimed, after each.
Timing medianTiming(int runs, const std::function<void()>& work,
                    const std::function<void()>& between = {});
double threadCpuMs();
double childrenCpuMs(); // of the child processes ended and waited for
// The median of `runs` runs of `work` (ms); `between` runs, untimed, after each.
double medianMs(int runs, const std::function<void()>& work,
                const std::function<void()>& between = {});
double median(std::vector<double> values);

// One statement over table files, as a user would run it with the sqlite3
// shell: the files attached read-only to an in-memory database, the
// parameters set, the output thrown away. The floor is the shell's time for
// attaching and running it, without the shell's own start: (time of K runs in
// one shell - time of the shell doing nothing) / K, K chosen so that the runs
// take a few hundred milliseconds, each the median of several.
struct Statement {
    QString sql;
    QStringList files; // absolute paths of the table files it reads
    QList<QPair<QString, double>> params;
};
QString sqliteShell(); // "" when no sqlite3 is installed
// Wall and CPU time of the shell (its CPU time from the system's account of
// ended children). Measures taken in turn with ours see the same machine.
class ShellFloor {
public:
    explicit ShellFloor(const Statement& statement); // warms the cache, chooses K
    bool available() const { return !m_shell.isEmpty(); }
    Timing run(); // one measure: (K runs - the idle shell) / K
private:
    Timing runs(int repeats, int count);
    const Statement& m_statement;
    QString m_shell;
    Timing m_idle;
    int m_repeats = 1;
};
// The median of `runs` measures; negative when there is no sqlite3.
Timing shellFloor(const Statement& statement, int runs = 5);
// The same statement with the SQLite C library in this process: prepared,
// bound and stepped to the end without reading a column.
Timing engineRun(const Statement& statement, qint64* rows = nullptr);
Timing engineFloor(const Statement& statement, int runs, qint64* rows = nullptr);
// The medians of a list of measures.
Timing median(const std::vector<Timing>& values);

// Memory and CPU of this process: peak and current resident set (KiB), CPU
// time (user + system, ms).
long peakRssKb();
long currentRssKb();
// The heap the program holds (allocated and not freed), KiB: what a leak
// makes grow, unlike the resident set, which also holds freed memory the
// allocator keeps for later.
long heapInUseKb();
// The resident set after the allocator gave back what it can.
long trimmedRssKb();
double cpuMs();

// The results: one table row per figure, in Markdown, flushed at once.
void header(const QString& title);
void row(const QString& what, const QString& size, const QString& value, const QString& reference,
         const QString& ratio, const QString& verdict);
QString ms(double value);    // "12.3 ms", "1 234 ms"
QString ms(const Timing& t); // "12.3 ms CPU, 14.0 ms wall"
QString count(qint64 value); // "100 000"
QString ratio(double value); // "1.23×"
QString mib(long kb);        // "123.4 MiB"
// "met" or "MISSED".
QString verdict(bool met);

} // namespace bench

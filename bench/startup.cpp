// bench_startup COMPANY [--runs N]: start to resident. Each run is a new
// process that starts as main does (the application, the formats, the four
// long-lived objects, FormCreate: the tray icon shown and the three pending
// lists loaded) and says "resident" once its event loop runs; the time is
// taken from starting the process to that line. The child also tells its own
// share, its peak resident memory and the sizes of the lists.

#include "BenchSupport.h"

#include "controls/Fonts.h"
#include "core/Formats.h"
#include "shell/AppIcon.h"
#include "shell/Application.h"
#include "shell/Translations.h"
#include "support/RecordingMessageBox.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTextStream>
#include <QTimer>

namespace {

int child(int argc, char** argv, QElapsedTimer& sinceMain) {
    bench::usePlatform();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Monvela"));
    QApplication::setWindowIcon(shell::appIcon());
    QApplication::setQuitOnLastWindowClosed(false);
    core::Formats::setCurrent(core::Formats::fromSystem());
    controls::installFontSubstitutions();
    shell::installSpanishTranslations(app);
    const double appMs = double(sinceMain.nsecsElapsed()) / 1e6;
    RecordingMessageBox boxes;

    shell::TMenuDataModule menuDataModule;
    shell::TAvisoTransaccionesPendientesForm notice;
    shell::Tm3TrayIconTransaccionesPenForm tray;
    shell::Tm3TransaccionesPendientesForm module(&notice, &tray);
    const double formCreate = bench::timeMs([&] { module.FormCreate(); });
    if (shell::application::terminateRequested()) {
        QTextStream(stdout) << "ended " << boxes.texts().join(QStringLiteral("; ")) << "\n";
        return 1;
    }
    QTimer::singleShot(0, &app, [&] {
        QTextStream(stdout) << "resident " << double(sinceMain.nsecsElapsed()) / 1e6 << ' ' << appMs
                            << ' ' << formCreate << ' ' << bench::peakRssKb() << ' '
                            << bench::currentRssKb() << ' ' << module.DueInstallments.size() << ' '
                            << module.OpenReceivables.size() << ' ' << module.OpenPayables.size()
                            << ' ' << boxes.calls.size() << ' ' << (tray.isIconShown() ? 1 : 0)
                            << ' ' << bench::cpuMs() << "\n";
        app.quit();
    });
    const int code = QApplication::exec();
    module.TimerEspera->stop();
    module.TimerBusqueda->stop();
    return code;
}

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer sinceMain;
    sinceMain.start();
    if (argc >= 2 && QByteArray(argv[1]) == "--child")
        return child(argc, argv, sinceMain);

    bench::usePlatform();
    bench::UserFolders folders;
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        QTextStream(stderr) << "Uso: bench_startup EMPRESA [--runs N]\n";
        return 2;
    }
    const int runs =
        args.size() >= 3 && args.at(1) == QLatin1String("--runs") ? args.at(2).toInt() : 7;
    try {
        const bench::Company company(args.at(0));
        const qint64 installments = company.count(QStringLiteral("m3GirosPendientes"));
        const qint64 documents = company.count(QStringLiteral("SCuentasxCobrar"));
        std::vector<double> wall, inside, appPart, createPart, cpu;
        long peak = 0, resident = 0;
        QString lists;
        for (int i = 0; i <= runs; ++i) { // the first run only fills the system's caches
            QProcess p;
            p.setWorkingDirectory(company.work);
            p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            QElapsedTimer t;
            t.start();
            p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child")});
            QByteArray line;
            while (!line.contains('\n') && p.waitForReadyRead(120000))
                line += p.readAllStandardOutput();
            const double ms = double(t.nsecsElapsed()) / 1e6;
            p.waitForFinished(60000);
            const QList<QByteArray> f = line.trimmed().split(' ');
            if (f.value(0) != "resident" || f.size() < 12)
                throw std::runtime_error("the child did not become resident: " +
                                         line.toStdString());
            if (f[9].toInt() != 0)
                throw std::runtime_error("the start-up showed a message");
            if (i == 0)
                continue;
            wall.push_back(ms);
            inside.push_back(f[1].toDouble());
            appPart.push_back(f[2].toDouble());
            createPart.push_back(f[3].toDouble());
            cpu.push_back(f[11].toDouble());
            peak = std::max(peak, f[4].toLong());
            resident = std::max(resident, f[5].toLong());
            lists = QStringLiteral("%1 installments, %2 receivables, %3 payables; tray icon %4")
                        .arg(bench::count(f[6].toLongLong()), bench::count(f[7].toLongLong()),
                             bench::count(f[8].toLongLong()),
                             f[10] == "1" ? QStringLiteral("shown") : QStringLiteral("not shown"));
        }
        const QString size = QStringLiteral("%1 installments, %2 documents of each kind")
                                 .arg(bench::count(installments), bench::count(documents));
        bench::header(
            QStringLiteral("Start to resident (%1 runs; lists loaded: %2)").arg(runs).arg(lists));
        const double w = bench::median(wall);
        const bool atTarget = installments >= 100000;
        bench::row(QStringLiteral("Start to resident, process start to the event loop"), size,
                   bench::ms(w), QStringLiteral("target 1 000 ms"), bench::ratio(w / 1000.0),
                   atTarget ? bench::verdict(w < 1000) : QStringLiteral("(target at 100 000)"));
        const double c = bench::median(cpu);
        bench::row(QStringLiteral("  its CPU time (all threads, user + system)"), size,
                   bench::ms(c), QStringLiteral("target 1 000 ms"), bench::ratio(c / 1000.0),
                   atTarget ? bench::verdict(c < 1000) : QString());
        bench::row(QStringLiteral("  of which: main to the event loop"), size,
                   bench::ms(bench::median(inside)), QString(), QString(), QString());
        bench::row(QStringLiteral("  of which: the application and the formats"), size,
                   bench::ms(bench::median(appPart)), QString(), QString(), QString());
        bench::row(QStringLiteral("  of which: `FormCreate` (the start-up)"), size,
                   bench::ms(bench::median(createPart)), QString(), QString(), QString());
        bench::row(QStringLiteral("Peak resident memory at start"), size, bench::mib(peak),
                   QString(), QString(), QString());
        bench::row(QStringLiteral("Resident memory once resident"), size, bench::mib(resident),
                   QString(), QString(), QString());
    } catch (const std::exception& e) {
        QTextStream(stderr) << "bench_startup: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

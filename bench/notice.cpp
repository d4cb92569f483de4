// bench_notice --check COMPANY: the notice check handing every due record of
//   the company (10 000 in scripts/bench) to the notice window, the notice's
//   first paint and its rise with them listed, a check that walks the loaded
//   records while none is due yet, and a reload with the notice on screen.
// bench_notice --memory COMPANY [--hours H]: resident memory after start and
//   after each simulated hour of notice checks (every 40 s of a moved clock)
//   ending in a reload, and whether the records of the lists emptied by the
//   last reload were released.
//
// Time is moved with the clock seam and the timer handlers are called
// directly: nothing waits for the real 40 seconds or hours.

#include "BenchSupport.h"

#include "controls/TNorvaList.h"
#include "platform/Clock.h"
#include "support/FakeSound.h"
#include "support/RecordingMessageBox.h"

#include <QApplication>
#include <QTextStream>
#include <QTimer>
#include <memory>

namespace {

using core::TDateTime;

TDateTime todayAt(int hour, int minute, int second = 0) {
    return core::dt::datePart(platform::Clock::instance().now()) +
           core::dt::encodeTime(hour, minute, second);
}

int noticeCount(const shell::TAvisoTransaccionesPendientesForm& n) {
    auto items = [](const controls::TNorvaList* l) { return l->IsPlaceholder() ? 0 : l->Count(); };
    return items(n.NorvaListAvisoPen) + items(n.NorvaListAvisoCobrar) +
           items(n.NorvaListAvisoPagar);
}

int checkMode(const bench::Company& company) {
    const qint64 installments = company.count(QStringLiteral("m3GirosPendientes"));
    const QString size = QStringLiteral("%1 due installments").arg(bench::count(installments));
    bench::header(QStringLiteral("The notice check with %1 due installments")
                      .arg(bench::count(installments)));
    platform::FixedClock clock(todayAt(9, 0));
    platform::Clock::install(&clock);
    {
        bench::Program p(company);
        const qint64 loaded = qint64(p.module.DueInstallments.size());
        QCoreApplication::processEvents();
        // Late in the day every loaded installment's time of day has come.
        clock.set(todayAt(23, 59, 30));
        const double check = bench::timeMs([&] { p.module.TimerEsperaTimer(); });
        const int moved = p.notice.NorvaListAvisoPen->Count();
        bench::row(QStringLiteral("Notice check handing over every loaded installment"),
                   QStringLiteral("%1 loaded → %2 handed over")
                       .arg(bench::count(loaded), bench::count(moved)),
                   bench::ms(check), QStringLiteral("target 100 ms"), bench::ratio(check / 100),
                   bench::verdict(check < 100));
        const double paint = bench::timeMs([] { QCoreApplication::processEvents(); });
        bench::row(QStringLiteral("  the notice window shown and painted after it"), size,
                   bench::ms(paint), QStringLiteral("target 100 ms"), bench::ratio(paint / 100),
                   bench::verdict(paint < 100));

        // The rise with the program's own pacing; a step is the time from one
        // pixel to the next, the program's pause included.
        p.notice.Timer2->stop();
        const std::function<void()> pace = p.notice.SlideStep;
        std::vector<double> steps;
        QElapsedTimer t;
        qint64 last = 0;
        p.notice.SlideStep = [&] {
            pace();
            const qint64 now = t.nsecsElapsed();
            steps.push_back(double(now - last) / 1e6);
            last = now;
        };
        t.start();
        const double rise = bench::timeMs([&] { p.notice.Timer2Timer(); });
        p.notice.SlideStep = pace;
        double longest = 0;
        for (double s : steps)
            longest = std::max(longest, s);
        bench::row(QStringLiteral("  the rise, %1 steps").arg(steps.size()), size, bench::ms(rise),
                   QString(), QString(), QString());
        bench::row(QStringLiteral("  the rise's median step (pause 2.5 ms included)"), size,
                   bench::ms(bench::median(steps)), QString(), QString(), QString());
        bench::row(QStringLiteral("  the rise's longest step (a stutter: over 50 ms)"), size,
                   bench::ms(longest), QStringLiteral("target 50 ms"), bench::ratio(longest / 50),
                   bench::verdict(longest < 50));

        clock.advanceMinutes(40.0 / 60.0);
        const double reload = bench::timeMs([&] { p.module.TimerBusquedaTimer(); });
        bench::row(QStringLiteral("Reload with the notice on screen (and its check)"),
                   QStringLiteral("%1 handed over again").arg(bench::count(noticeCount(p.notice))),
                   bench::ms(reload), QString(), QString(), QString());
    }
    {
        // Just after midnight almost nothing is due yet: each check walks the
        // loaded records and leaves them where they are.
        clock.set(todayAt(0, 0, 30));
        bench::Program p(company);
        const qint64 loaded = qint64(p.module.DueInstallments.size());
        const double walk = bench::medianMs(9, [&] {
            clock.advanceMinutes(40.0 / 60.0 / 60.0);
            p.module.TimerEsperaTimer();
        });
        bench::row(QStringLiteral("Notice check with nothing due yet"),
                   QStringLiteral("%1 loaded, %2 left")
                       .arg(bench::count(loaded), bench::count(p.module.DueInstallments.size())),
                   bench::ms(walk), QStringLiteral("target 100 ms"), bench::ratio(walk / 100),
                   bench::verdict(walk < 100));
    }
    platform::Clock::install(nullptr);
    return 0;
}

int memoryMode(const bench::Company& company, int hours) {
    const qint64 installments = company.count(QStringLiteral("m3GirosPendientes"));
    const qint64 documents = company.count(QStringLiteral("SCuentasxCobrar"));
    const QString size = QStringLiteral("%1 installments, %2 documents of each kind")
                             .arg(bench::count(installments), bench::count(documents));
    bench::header(QStringLiteral("Memory over %1 simulated hours (a check every 40 s, a reload "
                                 "every hour)")
                      .arg(hours));
    platform::FixedClock clock(todayAt(8, 0));
    platform::Clock::install(&clock);
    const long before = bench::currentRssKb();
    bench::Program p(company);
    const long started = bench::currentRssKb();
    bench::row(QStringLiteral("Resident memory after start"), size, bench::mib(started), QString(),
               QString(), QStringLiteral("(%1 before the start)").arg(bench::mib(before)));
    bench::row(QStringLiteral("Heap in use after start"), size, bench::mib(bench::heapInUseKb()),
               QString(), QString(), QString());
    std::vector<long> afterHour, heapAfterHour, trimmedAfterHour;
    std::vector<double> checks, reloads;
    qint64 alive = -1, watched = 0;
    for (int h = 1; h <= hours; ++h) {
        for (int c = 0; c < 90; ++c) {
            clock.advanceMinutes(40.0 / 60.0);
            checks.push_back(bench::timeMs([&] { p.module.TimerEsperaTimer(); }));
            QCoreApplication::processEvents();
        }
        std::vector<std::weak_ptr<controls::ListRecord>> records;
        if (h == hours - 1) {
            for (const auto& r : p.module.DueInstallments)
                records.push_back(r);
            for (const auto& r : p.module.OpenReceivables)
                records.push_back(r);
            for (const auto& r : p.module.OpenPayables)
                records.push_back(r);
            for (const controls::TNorvaList* l :
                 {p.notice.NorvaListAvisoPen, p.notice.NorvaListAvisoCobrar,
                  p.notice.NorvaListAvisoPagar, p.notice.NorvaListVencimiento})
                for (int i = 0; i < l->Count(); ++i)
                    if (controls::ListRecordPtr r = l->SharedRecordAt(i))
                        records.push_back(r);
        }
        reloads.push_back(bench::timeMs([&] { p.module.TimerBusquedaTimer(); }));
        QCoreApplication::processEvents();
        if (h == hours - 1) {
            watched = qint64(records.size());
            alive = 0;
            for (const auto& w : records)
                alive += w.expired() ? 0 : 1;
            // A weak pointer keeps the memory of its record (made with its
            // count in one piece) until it goes.
            records = {};
        }
        afterHour.push_back(bench::currentRssKb());
        heapAfterHour.push_back(bench::heapInUseKb());
        trimmedAfterHour.push_back(bench::trimmedRssKb());
    }
    for (int h = 0; h < hours; ++h)
        bench::row(
            QStringLiteral("After hour %1: heap in use / resident / resident trimmed").arg(h + 1),
            size,
            QStringLiteral("%1 / %2 / %3")
                .arg(bench::mib(heapAfterHour[size_t(h)]), bench::mib(afterHour[size_t(h)]),
                     bench::mib(trimmedAfterHour[size_t(h)])),
            QString(), QString(),
            QStringLiteral("notice lists: %1 records").arg(bench::count(noticeCount(p.notice))));
    // A leak shows in the heap in use; the resident set also keeps what the
    // allocator holds for later, and moves by several MiB either way.
    const long growth = heapAfterHour.back() - heapAfterHour.front();
    const long allowed = std::max(1024L, heapAfterHour.front() / 100);
    bench::row(QStringLiteral("Growth of the heap in use, hour 1 to hour %1").arg(hours), size,
               bench::mib(growth), QStringLiteral("none (under %1)").arg(bench::mib(allowed)),
               QString(), bench::verdict(growth <= allowed));
    bench::row(QStringLiteral("Growth of the resident set, hour 1 to hour %1 (trimmed)").arg(hours),
               size,
               QStringLiteral("%1 (%2)").arg(
                   bench::mib(afterHour.back() - afterHour.front()),
                   bench::mib(trimmedAfterHour.back() - trimmedAfterHour.front())),
               QString(), QString(), QString());
    bench::row(QStringLiteral("Records of the emptied lists still alive after a reload"),
               QStringLiteral("%1 watched").arg(bench::count(watched)), bench::count(alive),
               QStringLiteral("0"), QString(), bench::verdict(alive == 0));
    bench::row(QStringLiteral("Peak resident memory"), size, bench::mib(bench::peakRssKb()),
               QString(), QString(), QString());
    double longest = 0;
    for (double c : checks)
        longest = std::max(longest, c);
    bench::row(QStringLiteral("Notice check during the hours, median / longest"), size,
               QStringLiteral("%1 / %2").arg(bench::ms(bench::median(checks)), bench::ms(longest)),
               QStringLiteral("target 100 ms"), bench::ratio(longest / 100),
               bench::verdict(longest < 100));
    bench::row(QStringLiteral("Reload with the notice on screen, median"), size,
               bench::ms(bench::median(reloads)), QString(), QString(), QString());
    platform::Clock::install(nullptr);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    bench::usePlatform();
    bench::UserFolders folders;
    QApplication app(argc, argv);
    bench::useProgramFormats();
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2 ||
        (args[0] != QLatin1String("--check") && args[0] != QLatin1String("--memory"))) {
        QTextStream(stderr) << "Uso: bench_notice --check EMPRESA | --memory EMPRESA [--hours H]\n";
        return 2;
    }
    try {
        RecordingMessageBox boxes;
        FakeSound sound;
        const bench::Company company(args.at(1));
        int code = 0;
        if (args[0] == QLatin1String("--check")) {
            code = checkMode(company);
        } else {
            const int hours =
                args.size() >= 4 && args[2] == QLatin1String("--hours") ? args[3].toInt() : 6;
            code = memoryMode(company, std::max(2, hours));
        }
        if (!boxes.calls.isEmpty())
            QTextStream(stderr) << "messages shown: " << boxes.texts().join(QStringLiteral("; "))
                                << "\n";
        return code;
    } catch (const std::exception& e) {
        QTextStream(stderr) << "bench_notice: " << e.what() << "\n";
        return 1;
    }
}

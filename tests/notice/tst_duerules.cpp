#include "notice/DueRules.h"
#include "notice/SerialRunner.h"

#include <QTest>

using namespace notice;
using core::dt::encodeDate;
using core::dt::encodeTime;

Q_DECLARE_METATYPE(std::optional<double>)

class TstDueRules : public QObject {
    Q_OBJECT
private slots:
    void installments_data() {
        QTest::addColumn<double>("installmentTime");
        QTest::addColumn<double>("now");
        QTest::addColumn<bool>("due");
        const double start = encodeDate(2026, 12, 11);
        QTest::newRow("15:00 at 14:59") << encodeTime(15, 0) << start + encodeTime(14, 59) << false;
        QTest::newRow("15:00 at 15:00") << encodeTime(15, 0) << start + encodeTime(15, 0) << true;
        // A date part in the stored time is ignored: only its time of day counts.
        QTest::newRow("yesterday 18:00 at 09:00")
            << encodeDate(2026, 12, 10) + encodeTime(18, 0) << start + encodeTime(9, 0) << false;
        QTest::newRow("any time, next day")
            << encodeTime(23, 59) << start + 1 + encodeTime(0, 0, 1) << true;
        QTest::newRow("midnight") << 0.0 << start << true;
    }
    void installments() {
        QFETCH(double, installmentTime);
        QFETCH(double, now);
        QFETCH(bool, due);
        QCOMPARE(installmentDueNow(installmentTime, now, encodeDate(2026, 12, 11)), due);
    }

    void reminderTimes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("half");
        QTest::addColumn<int>("minutes"); // -1: not a time
        QTest::newRow("12:00 P.M. is noon") << QStringLiteral("12:00") << 1 << 12 * 60;
        QTest::newRow("12:00 A.M. is midnight") << QStringLiteral("12:00") << 0 << 0;
        QTest::newRow("12:30 A.M.") << QStringLiteral("12:30") << 0 << 30;
        QTest::newRow("12:30 P.M.") << QStringLiteral("12:30") << 1 << 12 * 60 + 30;
        QTest::newRow("01:15 P.M.") << QStringLiteral("01:15") << 1 << 13 * 60 + 15;
        QTest::newRow("09:05 A.M.") << QStringLiteral("09:05") << 0 << 9 * 60 + 5;
        QTest::newRow("empty mask") << QStringLiteral("  :  ") << 0 << -1;
        QTest::newRow("blank left") << QStringLiteral("7:3 ") << 0 << -1;
        QTest::newRow("minutes out") << QStringLiteral("10:75") << 0 << -1;
        QTest::newRow("13 P.M.") << QStringLiteral("13:10") << 1 << -1;
    }
    void reminderTimes() {
        QFETCH(QString, text);
        QFETCH(int, half);
        QFETCH(int, minutes);
        const auto t = reminderTime(text, half);
        if (minutes < 0) {
            QVERIFY(!t);
            return;
        }
        QVERIFY(t);
        QCOMPARE(timeOfDayMs(*t), minutes * 60000);
        if (minutes > 0) // from midnight on, every moment of the day is after it
            QVERIFY(!documentsDueNow(*t, encodeDate(2026, 1, 1) + *t - 1.0 / 86400));
        QVERIFY(documentsDueNow(*t, encodeDate(2026, 1, 1) + *t));
    }

    void groups_data() {
        QTest::addColumn<bool>("included");
        QTest::addColumn<bool>("hasItems");
        QTest::addColumn<bool>("wasDown");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("down");
        QTest::addColumn<bool>("result");
        QTest::newRow("looked at, with items") << true << true << true << true << true << true;
        QTest::newRow("looked at, emptied") << true << false << true << false << false << false;
        QTest::newRow("never pressed by a check") << true << true << false << true << false << true;
        QTest::newRow("not included") << false << true << true << false << false << false;
    }
    void groups() {
        QFETCH(bool, included);
        QFETCH(bool, hasItems);
        QFETCH(bool, wasDown);
        QFETCH(bool, enabled);
        QFETCH(bool, down);
        QFETCH(bool, result);
        const NoticeGroup g = noticeGroup(included, hasItems, wasDown);
        QCOMPARE(g.enabled, enabled);
        QCOMPARE(g.down, down);
        QCOMPARE(g.listVisible, down);
        QCOMPARE(g.result, result);
    }

    // A job that arrives while another runs (a timer firing inside a message
    // box of the first) waits for it, and runs once.
    void jobsNeverRunInsideEachOther() {
        SerialRunner runner;
        QStringList log;
        std::function<void()> check = [&] { log << QStringLiteral("check"); };
        std::function<void()> reload = [&] {
            log << QStringLiteral("reload start");
            QVERIFY(!runner.run(SerialRunner::Job::Check, check));
            QVERIFY(!runner.run(SerialRunner::Job::Check, check));
            QVERIFY(runner.pending(SerialRunner::Job::Check));
            log << QStringLiteral("reload end");
        };
        QVERIFY(runner.run(SerialRunner::Job::Reload, reload));
        QCOMPARE(log, QStringList({QStringLiteral("reload start"), QStringLiteral("reload end"),
                                   QStringLiteral("check")}));
        QVERIFY(!runner.busy());
        QVERIFY(!runner.pending(SerialRunner::Job::Check));

        log.clear();
        std::function<void()> checkWithReload = [&] {
            log << QStringLiteral("check");
            runner.run(SerialRunner::Job::Reload, [&] { log << QStringLiteral("reload"); });
        };
        runner.run(SerialRunner::Job::Check, checkWithReload);
        QCOMPARE(log, QStringList({QStringLiteral("check"), QStringLiteral("reload")}));
    }

    void aFailedJobLeavesTheRunnerFree() {
        SerialRunner runner;
        try {
            runner.run(SerialRunner::Job::Check, [] { throw std::runtime_error("x"); });
        } catch (const std::runtime_error&) {
        }
        QVERIFY(!runner.busy());
        bool ran = false;
        QVERIFY(runner.run(SerialRunner::Job::Reload, [&] { ran = true; }));
        QVERIFY(ran);
    }
};

QTEST_APPLESS_MAIN(TstDueRules)
#include "tst_duerules.moc"

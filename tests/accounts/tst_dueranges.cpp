#include "accounts/DueRanges.h"

#include <QTest>

using namespace accounts;
using core::dt::encodeDate;
using core::dt::encodeTime;

Q_DECLARE_METATYPE(accounts::DueRangeBounds)

namespace {

DueRangeBounds bounds(int v1, int v2, int v3, int v4, int v5, int v6, int v7) {
    return DueRangeBounds{v1, v2, v3, v4, v5, v6, v7};
}

QString text(const DueRangeBounds& b) {
    return QStringLiteral("%1-%2 %3-%4 %5-%6 %7+")
        .arg(b.EVencen1)
        .arg(b.EVencen2)
        .arg(b.EVencen3)
        .arg(b.EVencen4)
        .arg(b.EVencen5)
        .arg(b.EVencen6)
        .arg(b.EVencen7);
}

} // namespace

class TstDueRanges : public QObject {
    Q_OBJECT
private slots:
    // The day count of an item and the range it falls in, from its due date.
    void dueRangeOfAnItem_data() {
        QTest::addColumn<int>("analysis");
        QTest::addColumn<double>("dueOffset"); // days from today's date
        QTest::addColumn<DueRangeBounds>("ranges");
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("range"); // 0: none

        const int vencidas = int(DueAnalysis::Vencidas);
        const int porVencer = int(DueAnalysis::PorVencer);
        const DueRangeBounds initial;
        QTest::newRow("overdue 30 days") << vencidas << -30.0 << initial << 30 << 1;
        QTest::newRow("overdue 1 day") << vencidas << -1.0 << initial << 1 << 1;
        QTest::newRow("overdue 31 days") << vencidas << -31.0 << initial << 31 << 2;
        QTest::newRow("overdue 60 days") << vencidas << -60.0 << initial << 60 << 2;
        QTest::newRow("overdue 61 days") << vencidas << -61.0 << initial << 61 << 3;
        QTest::newRow("overdue 90 days") << vencidas << -90.0 << initial << 90 << 3;
        QTest::newRow("overdue 91 days") << vencidas << -91.0 << initial << 91 << 4;
        QTest::newRow("overdue 4000 days") << vencidas << -4000.0 << initial << 4000 << 4;
        QTest::newRow("due today") << vencidas << 0.0 << initial << 0 << 0;
        QTest::newRow("not yet due") << vencidas << 5.0 << initial << -5 << 0;
        QTest::newRow("until due, 10 days") << porVencer << 10.0 << initial << 10 << 1;
        QTest::newRow("until due, 45 days") << porVencer << 45.0 << initial << 45 << 2;
        QTest::newRow("until due, overdue item") << porVencer << -3.0 << initial << -3 << 0;
        QTest::newRow("until due, today") << porVencer << 0.0 << initial << 0 << 0;
        // Fractions of a day are cut towards zero on both sides of the due date.
        QTest::newRow("overdue 1.75 days") << vencidas << -1.75 << initial << 1 << 1;
        QTest::newRow("due in 0.5 days, overdue count") << vencidas << 0.5 << initial << 0 << 0;
        QTest::newRow("due in 1.5 days, until-due count") << porVencer << 1.5 << initial << 1 << 1;
        QTest::newRow("overdue 0.5 days, until-due count")
            << porVencer << -0.5 << initial << 0 << 0;
        // Bounds beyond what one byte holds work like any other.
        QTest::newRow("EVencen4 400, 300 overdue")
            << vencidas << -300.0 << bounds(1, 30, 31, 400, 401, 402, 403) << 300 << 2;
        QTest::newRow("EVencen4 400, 400 overdue")
            << vencidas << -400.0 << bounds(1, 30, 31, 400, 401, 402, 403) << 400 << 2;
        QTest::newRow("EVencen7 403, 403 overdue")
            << vencidas << -403.0 << bounds(1, 30, 31, 400, 401, 402, 403) << 403 << 4;
        QTest::newRow("range of one day")
            << vencidas << -1.0 << bounds(1, 1, 2, 60, 61, 90, 91) << 1 << 1;
        QTest::newRow("after a range of one day")
            << vencidas << -2.0 << bounds(1, 1, 2, 60, 61, 90, 91) << 2 << 2;
    }
    void dueRangeOfAnItem() {
        QFETCH(int, analysis);
        QFETCH(double, dueOffset);
        QFETCH(DueRangeBounds, ranges);
        QFETCH(int, days);
        QFETCH(int, range);
        // Today is read at its date: the time of day of "now" does not count.
        const double today = encodeDate(2026, 5, 10);
        const double now = today + encodeTime(17, 45);
        const int count = DueDayCount(DueAnalysis(analysis), today + dueOffset, now);
        QCOMPARE(count, days);
        QCOMPARE(DueRangeOf(ranges, count), range);
        // The ranges do not overlap: the count is in its range and in no other
        // (there are no ranges 0 and 5).
        for (int r = 0; r <= DueRangeCount + 1; ++r)
            QCOMPARE(InDueRange(ranges, r, count), range != 0 && r == range);
    }

    // Leaving an upper bound keeps the four ranges consecutive.
    void leavingAnUpperBound_data() {
        QTest::addColumn<DueRangeBounds>("before");
        QTest::addColumn<int>("edit"); // 2, 4 or 6
        QTest::addColumn<int>("value");
        QTest::addColumn<DueRangeBounds>("after");

        const DueRangeBounds initial;
        QTest::newRow("EVencen2 0") << initial << 2 << 0 << bounds(1, 2, 3, 60, 61, 90, 91);
        QTest::newRow("EVencen2 equal to EVencen1")
            << initial << 2 << 1 << bounds(1, 1, 2, 60, 61, 90, 91);
        QTest::newRow("EVencen2 45") << initial << 2 << 45 << bounds(1, 45, 46, 60, 61, 90, 91);
        QTest::newRow("EVencen2 60 pushes EVencen4 past EVencen3")
            << initial << 2 << 60 << bounds(1, 60, 61, 62, 63, 90, 91);
        QTest::newRow("EVencen2 500 pushes every later bound")
            << initial << 2 << 500 << bounds(1, 500, 501, 502, 503, 504, 505);
        QTest::newRow("EVencen2 10 does not pull the later bounds back")
            << bounds(1, 500, 501, 502, 503, 504, 505) << 2 << 10
            << bounds(1, 10, 11, 502, 503, 504, 505);
        QTest::newRow("EVencen4 200")
            << initial << 4 << 200 << bounds(1, 30, 31, 200, 201, 202, 203);
        QTest::newRow("EVencen4 below EVencen3")
            << initial << 4 << 5 << bounds(1, 30, 31, 32, 33, 90, 91);
        QTest::newRow("EVencen4 equal to EVencen3")
            << initial << 4 << 31 << bounds(1, 30, 31, 31, 32, 90, 91);
        QTest::newRow("EVencen4 leaves range 1 alone")
            << bounds(1, 0, 31, 60, 61, 90, 91) << 4 << 70 << bounds(1, 0, 31, 70, 71, 90, 91);
        QTest::newRow("EVencen6 10") << initial << 6 << 10 << bounds(1, 30, 31, 60, 61, 62, 63);
        QTest::newRow("EVencen6 300") << initial << 6 << 300 << bounds(1, 30, 31, 60, 61, 300, 301);
        QTest::newRow("EVencen6 unchanged") << initial << 6 << 90 << initial;
        QTest::newRow("EVencen6 10000")
            << initial << 6 << 10000 << bounds(1, 30, 31, 60, 61, 10000, 10001);
    }
    void leavingAnUpperBound() {
        QFETCH(DueRangeBounds, before);
        QFETCH(int, edit);
        QFETCH(int, value);
        QFETCH(DueRangeBounds, after);
        DueRangeBounds b = before;
        if (edit == 2) {
            b.EVencen2 = value;
            LeaveEVencen2(b);
        } else if (edit == 4) {
            b.EVencen4 = value;
            LeaveEVencen4(b);
        } else {
            b.EVencen6 = value;
            LeaveEVencen6(b);
        }
        QCOMPARE(text(b), text(after));
    }

    void restablecerGivesTheInitialValues_data() {
        QTest::addColumn<DueRangeBounds>("before");
        QTest::newRow("initial") << DueRangeBounds{};
        QTest::newRow("moved") << bounds(1, 500, 501, 502, 503, 504, 505);
        QTest::newRow("one-day ranges") << bounds(1, 1, 2, 2, 3, 3, 4);
    }
    void restablecerGivesTheInitialValues() {
        QFETCH(DueRangeBounds, before);
        DueRangeBounds b = before;
        RestoreDueRanges(b);
        QCOMPARE(text(b), QStringLiteral("1-30 31-60 61-90 91+"));
        QCOMPARE(text(DefaultDueRanges()), QStringLiteral("1-30 31-60 61-90 91+"));
    }
};

QTEST_APPLESS_MAIN(TstDueRanges)
#include "tst_dueranges.moc"

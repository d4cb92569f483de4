#include "bank/Records.h"
#include "bank/Schedule.h"
#include "core/DateTime.h"

#include <QTest>

using namespace bank;
namespace dt = core::dt;

namespace {

double d(int year, int month, int day) {
    return dt::encodeDate(year, month, day);
}

QList<QDate> asDates(const std::vector<double>& values) {
    QList<QDate> out;
    for (double v : values)
        out << dt::toDate(v);
    return out;
}

} // namespace

class TstSchedule : public QObject {
    Q_OBJECT
private slots:
    void periodCodes() {
        QCOMPARE(PeriodItems.size(), 6);
        const QList<int> codes{7, 2, 1, 3, 6, 12};
        for (int i = 0; i < 6; ++i)
            QCOMPARE(PeriodCodeOfItem(i), codes[i]);
        QCOMPARE(PeriodCodeOfItem(-1), 0);
        QCOMPARE(PeriodCodeOfItem(6), 0);
        QVERIFY(!IsPeriodCode(0));
        QVERIFY(!IsPeriodCode(5));
    }

    // The dates of a new schedule: month periods always counted from the start,
    // weeks in steps of seven days, fortnights by the fortnight rule.
    void scheduleDates_data() {
        QTest::addColumn<double>("start");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("code");
        QTest::addColumn<QList<QDate>>("dates");
        QTest::newRow("31 January monthly, common year")
            << d(2023, 1, 31) << 4 << 1
            << QList<QDate>{{2023, 1, 31}, {2023, 2, 28}, {2023, 3, 31}, {2023, 4, 30}};
        QTest::newRow("31 January monthly, leap year")
            << d(2024, 1, 31) << 4 << 1
            << QList<QDate>{{2024, 1, 31}, {2024, 2, 29}, {2024, 3, 31}, {2024, 4, 30}};
        QTest::newRow("31 August quarterly")
            << d(2024, 8, 31) << 3 << 3
            << QList<QDate>{{2024, 8, 31}, {2024, 11, 30}, {2025, 2, 28}};
        QTest::newRow("half-yearly and yearly from 29 February")
            << d(2024, 2, 29) << 3 << 6
            << QList<QDate>{{2024, 2, 29}, {2024, 8, 29}, {2025, 2, 28}};
        QTest::newRow("yearly from 29 February")
            << d(2024, 2, 29) << 3 << 12
            << QList<QDate>{{2024, 2, 29}, {2025, 2, 28}, {2026, 2, 28}};
        QTest::newRow("10 January fortnightly, common year")
            << d(2023, 1, 10) << 6 << 2
            << QList<QDate>{{2023, 1, 10}, {2023, 1, 26}, {2023, 2, 10},
                            {2023, 2, 23}, {2023, 3, 10}, {2023, 3, 26}};
        QTest::newRow("10 January fortnightly, leap year")
            << d(2024, 1, 10) << 4 << 2
            << QList<QDate>{{2024, 1, 10}, {2024, 1, 26}, {2024, 2, 10}, {2024, 2, 24}};
        QTest::newRow("15th fortnightly runs through month ends")
            << d(2023, 1, 15) << 5 << 2
            << QList<QDate>{
                   {2023, 1, 15}, {2023, 1, 31}, {2023, 2, 15}, {2023, 2, 28}, {2023, 3, 15}};
        QTest::newRow("30 December fortnightly")
            << d(2024, 12, 30) << 2 << 2 << QList<QDate>{{2024, 12, 30}, {2025, 1, 15}};
        QTest::newRow("weekly from a Monday")
            << d(2024, 2, 19) << 4 << 7
            << QList<QDate>{{2024, 2, 19}, {2024, 2, 26}, {2024, 3, 4}, {2024, 3, 11}};
    }
    void scheduleDates() {
        QFETCH(double, start);
        QFETCH(int, count);
        QFETCH(int, code);
        QFETCH(QList<QDate>, dates);
        QCOMPARE(asDates(ScheduleDates(start, count, code)), dates);
        if (code == WeeklyPeriod)
            for (const QDate& date : dates)
                QCOMPARE(date.dayOfWeek(), 1);
    }

    // The step of a renewal, from the date of the renewed installment.
    void nextPeriodDate_data() {
        QTest::addColumn<double>("from");
        QTest::addColumn<int>("code");
        QTest::addColumn<QDate>("next");
        QTest::newRow("monthly 31 January, common") << d(2023, 1, 31) << 1 << QDate(2023, 2, 28);
        QTest::newRow("monthly 31 January, leap") << d(2024, 1, 31) << 1 << QDate(2024, 2, 29);
        QTest::newRow("quarterly 30 November") << d(2024, 11, 30) << 3 << QDate(2025, 2, 28);
        QTest::newRow("half-yearly") << d(2024, 3, 31) << 6 << QDate(2024, 9, 30);
        QTest::newRow("yearly") << d(2024, 5, 2) << 12 << QDate(2025, 5, 2);
        QTest::newRow("fortnight 10 March") << d(2024, 3, 10) << 2 << QDate(2024, 3, 26);
        QTest::newRow("fortnight 26 March") << d(2024, 3, 26) << 2 << QDate(2024, 4, 10);
        QTest::newRow("fortnight 31 December") << d(2024, 12, 31) << 2 << QDate(2025, 1, 15);
        QTest::newRow("fortnight 28 February") << d(2023, 2, 28) << 2 << QDate(2023, 3, 15);
        QTest::newRow("weekly from a Friday") << d(2024, 3, 8) << 7 << QDate(2024, 3, 15);
    }
    void nextPeriodDate() {
        QFETCH(double, from);
        QFETCH(int, code);
        QFETCH(QDate, next);
        const std::optional<double> result = NextPeriodDate(from, code);
        QVERIFY(result.has_value());
        QCOMPARE(dt::toDate(*result), next);
        QCOMPARE(dt::timePart(*result), 0.0);
    }

    void unknownPeriodHasNoNextDate() {
        QVERIFY(!NextPeriodDate(d(2024, 1, 1), 0).has_value());
        QVERIFY(!NextPeriodDate(d(2024, 1, 1), 5).has_value());
    }

    void fortnightModes() {
        QCOMPARE(FortnightMode(d(2024, 5, 15)), 2);
        QCOMPARE(FortnightMode(d(2024, 5, 16)), 1);
        QCOMPARE(dt::toDate(NextFortnightDate(d(2024, 5, 10), 1)), QDate(2024, 5, 25));
        QCOMPARE(dt::toDate(NextFortnightDate(d(2024, 5, 10), 2)), QDate(2024, 5, 26));
        QCOMPARE(dt::toDate(NextFortnightDate(d(2024, 2, 29), 2)), QDate(2024, 3, 15));
        QCOMPARE(dt::toDate(NextFortnightDate(d(2024, 12, 30), 1)), QDate(2025, 1, 15));
    }

    // A fixed transaction that starts in the past catches up to today: the
    // number of its period dates up to and including today, each stepped from
    // the previous one; the schedule is then built from the start.
    void catchUp_data() {
        QTest::addColumn<double>("start");
        QTest::addColumn<double>("today");
        QTest::addColumn<int>("code");
        QTest::addColumn<QList<QDate>>("schedule");
        QTest::newRow("monthly, start today")
            << d(2024, 5, 10) << d(2024, 5, 10) << 1 << QList<QDate>{{2024, 5, 10}};
        QTest::newRow("monthly, start in the future")
            << d(2024, 6, 10) << d(2024, 5, 10) << 1 << QList<QDate>{{2024, 6, 10}};
        QTest::newRow("monthly, two months back to the day")
            << d(2024, 3, 10) << d(2024, 5, 10) << 1
            << QList<QDate>{{2024, 3, 10}, {2024, 4, 10}, {2024, 5, 10}};
        QTest::newRow("monthly from 31 January, today 29 April")
            << d(2023, 1, 31) << d(2023, 4, 29) << 1
            << QList<QDate>{{2023, 1, 31}, {2023, 2, 28}, {2023, 3, 31}, {2023, 4, 30}};
        QTest::newRow("weekly, a day short of the fourth week")
            << d(2024, 3, 4) << d(2024, 3, 24) << 7
            << QList<QDate>{{2024, 3, 4}, {2024, 3, 11}, {2024, 3, 18}};
        QTest::newRow("fortnight from the 15th")
            << d(2023, 1, 15) << d(2023, 2, 15) << 2
            << QList<QDate>{{2023, 1, 15}, {2023, 1, 31}, {2023, 2, 15}};
        QTest::newRow("yearly, a year and a day back")
            << d(2023, 5, 9) << d(2024, 5, 10) << 12 << QList<QDate>{{2023, 5, 9}, {2024, 5, 9}};
    }
    void catchUp() {
        QFETCH(double, start);
        QFETCH(double, today);
        QFETCH(int, code);
        QFETCH(QList<QDate>, schedule);
        const int count = CatchUpCount(start, today, code);
        QCOMPARE(count, int(schedule.size()));
        QCOMPARE(asDates(ScheduleDates(start, count, code)), schedule);
    }

    void amounts_data() {
        QTest::addColumn<double>("total");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("fixed");
        QTest::addColumn<qint64>("raw");
        QTest::newRow("100 in three") << 100.0 << 3 << false << qint64(333333);
        QTest::newRow("100 in one") << 100.0 << 1 << false << qint64(1000000);
        QTest::newRow("rounded to the nearest") << 200.0 << 3 << false << qint64(666667);
        QTest::newRow("zero amount") << 0.0 << 4 << false << qint64(0);
        QTest::newRow("fixed takes the whole total") << 350.25 << 3 << true << qint64(3502500);
        QTest::newRow("thousands in seven") << 1000000.0 << 7 << false << qint64(1428571429);
    }
    void amounts() {
        QFETCH(double, total);
        QFETCH(int, count);
        QFETCH(bool, fixed);
        QFETCH(qint64, raw);
        QCOMPARE(InstallmentAmount(total, count, fixed).raw(), raw);
    }

    void buildScheduleNumbersAndFillsTheInstallments() {
        ScheduleRequest request;
        request.start = d(2024, 1, 31);
        request.count = 3;
        request.periodCode = 1;
        request.total = 100;
        request.noticeTime = dt::encodeTime(13, 15);
        const TGirosList giros = BuildSchedule(request);
        QCOMPARE(int(giros.size()), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(giros[size_t(i)]->Giro, i + 1);
            QCOMPARE(giros[size_t(i)]->MontoGiro.raw(), qint64(333333));
            QCOMPARE(giros[size_t(i)]->HoraGiro, dt::encodeTime(13, 15));
            QCOMPARE(giros[size_t(i)]->TipoTrans, quint8(0));
            QVERIFY(!giros[size_t(i)]->Status);
            QCOMPARE(giros[size_t(i)]->PeriodoFijo, 0);
        }
        QCOMPARE(dt::toDate(giros[1]->FechaGiro), QDate(2024, 2, 29));
    }

    // The notice time: twelve-hour text and half.
    void noticeTime_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("pm");
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::newRow("12:00 A.M.") << QStringLiteral("12:00") << false << 0 << 0;
        QTest::newRow("12:30 A.M.") << QStringLiteral("12:30") << false << 0 << 30;
        QTest::newRow("12:30 P.M.") << QStringLiteral("12:30") << true << 12 << 30;
        QTest::newRow("01:15 P.M.") << QStringLiteral("01:15") << true << 13 << 15;
        QTest::newRow("09:05 A.M.") << QStringLiteral("09:05") << false << 9 << 5;
        QTest::newRow("11:59 P.M.") << QStringLiteral("11:59") << true << 23 << 59;
    }
    void noticeTime() {
        QFETCH(QString, text);
        QFETCH(bool, pm);
        QFETCH(int, hour);
        QFETCH(int, minute);
        const std::optional<double> time = NoticeTime(text, pm);
        QVERIFY(time.has_value());
        QCOMPARE(dt::toTime(*time), QTime(hour, minute));
    }

    void noticeTimeThatDoesNotRead() {
        QVERIFY(!NoticeTime(QStringLiteral("  :  "), false).has_value());
        QVERIFY(!NoticeTime(QStringLiteral("1x:00"), false).has_value());
        QVERIFY(!NoticeTime(QStringLiteral("12:60"), true).has_value());
        QVERIFY(!NoticeTime(QStringLiteral("13:00"), true).has_value());
    }

    void checkedNoticeText_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("empty mask") << QStringLiteral("  :  ") << QStringLiteral("12:00");
        QTest::newRow("a blank left") << QStringLiteral("1 :30") << QStringLiteral("12:00");
        QTest::newRow("not a time") << QStringLiteral("09:75") << QStringLiteral("12:00");
        QTest::newRow("later than 12:59") << QStringLiteral("13:00") << QStringLiteral("12:00");
        QTest::newRow("12:59 stays") << QStringLiteral("12:59") << QStringLiteral("12:59");
        QTest::newRow("00:30 stays") << QStringLiteral("00:30") << QStringLiteral("00:30");
        QTest::newRow("07:45 stays") << QStringLiteral("07:45") << QStringLiteral("07:45");
    }
    void checkedNoticeText() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QCOMPARE(CheckedNoticeText(typed), kept);
    }

    // The editor shows a time on the twelve-hour clock with its half and reads
    // it back unchanged.
    void editorTimeRoundTrip_data() {
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("pm");
        QTest::newRow("noon") << 12 << 0 << QStringLiteral("12:00") << true;
        QTest::newRow("half past midnight") << 0 << 30 << QStringLiteral("12:30") << false;
        QTest::newRow("quarter past one") << 13 << 15 << QStringLiteral("01:15") << true;
        QTest::newRow("morning") << 9 << 5 << QStringLiteral("09:05") << false;
    }
    void editorTimeRoundTrip() {
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(QString, text);
        QFETCH(bool, pm);
        const double time = dt::encodeTime(hour, minute);
        QCOMPARE(TwelveHourText(time), text);
        QCOMPARE(IsAfternoon(time), pm);
        QCOMPARE(*NoticeTime(text, pm), time);
    }

    void currencyTexts_data() {
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << QStringLiteral("0");
        QTest::newRow("whole") << qint64(6000000) << QStringLiteral("600");
        QTest::newRow("fraction") << qint64(6005000) << QStringLiteral("600.5");
        QTest::newRow("four decimals") << qint64(333333) << QStringLiteral("33.3333");
        QTest::newRow("negative") << qint64(-123456) << QStringLiteral("-12.3456");
        QTest::newRow("below one") << qint64(-5) << QStringLiteral("-0.0005");
    }
    void currencyTexts() {
        QFETCH(qint64, raw);
        QFETCH(QString, text);
        QCOMPARE(CurrencyText(core::Currency::fromRaw(raw)), text);
        QCOMPARE(CurrencyFromText(text).raw(), raw);
    }
};

QTEST_GUILESS_MAIN(TstSchedule)
#include "tst_schedule.moc"

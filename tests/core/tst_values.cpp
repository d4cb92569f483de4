#include "core/Currency.h"
#include "core/DateTime.h"
#include "core/Formats.h"

#include <QTest>

using namespace core;

class TstValues : public QObject {
    Q_OBJECT
private slots:
    void init() {
        Formats f;
        f.dateSeparator = QLatin1Char('/');
        f.decimalSeparator = QLatin1Char(',');
        f.thousandSeparator = QLatin1Char('.');
        Formats::setCurrent(f);
    }

    void currencySumsAreExact() {
        Currency sum;
        for (int i = 0; i < 1000; ++i)
            sum += Currency::fromDouble(0.1);
        QCOMPARE(sum.raw(), qint64(1000) * 1000);
        QCOMPARE(Currency::fromDouble(0.00005).raw(), qint64(1)); // half away from zero
        QCOMPARE(Currency::fromDouble(-0.00005).raw(), qint64(-1));
        QCOMPARE(Currency::fromDouble(1250.5).toDouble(), 1250.5);
    }

    void amountFormats_data() {
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("expected");
        QTest::newRow("thousands") << qint64(12345000) << 12 << QStringLiteral("    1.234,50");
        QTest::newRow("millions") << qint64(12345678900) << 15 << QStringLiteral("   1.234.567,89");
        QTest::newRow("rounds half up") << qint64(15) << 10 << QStringLiteral("      0,00");
        QTest::newRow("rounds .005") << qint64(50) << 10 << QStringLiteral("      0,01");
        QTest::newRow("negative") << qint64(-12345000) << 12 << QStringLiteral("   -1.234,50");
        QTest::newRow("negative rounding to zero") << qint64(-10) << 6 << QStringLiteral("  0,00");
        QTest::newRow("never cut")
            << qint64(123456789012340000) << 10 << QStringLiteral("12.345.678.901.234,00");
    }
    void amountFormats() {
        QFETCH(qint64, raw);
        QFETCH(int, width);
        QFETCH(QString, expected);
        QCOMPARE(formatAmount(Currency::fromRaw(raw), width), expected);
    }

    void separatorRuleAndPointFormats() {
        Formats f;
        f.decimalSeparator = QLatin1Char('.');
        f.thousandSeparator = QLatin1Char('.');
        f.applySeparatorRule();
        QCOMPARE(f.decimalSeparator, QLatin1Char('.'));
        QCOMPARE(f.thousandSeparator, QLatin1Char(','));
        Formats::setCurrent(f);
        QCOMPARE(format12(Currency::fromDouble(1234.5)), QStringLiteral("    1,234.50"));
        QCOMPARE(formatNumber(-0.004, 5), QStringLiteral(" 0.00"));

        Formats distinct;
        distinct.decimalSeparator = QLatin1Char(',');
        distinct.thousandSeparator = QLatin1Char(' ');
        distinct.applySeparatorRule();
        QCOMPARE(distinct.decimalSeparator, QLatin1Char(','));
        QCOMPARE(distinct.thousandSeparator, QLatin1Char(' '));
    }

    void dateModel() {
        QCOMPARE(dt::fromDate(QDate(1899, 12, 30)), 0.0);
        QCOMPARE(dt::encodeDate(2024, 12, 31), 45657.0);
        const TDateTime noon = dt::encodeDate(2024, 12, 31) + dt::encodeTime(12, 0);
        QCOMPARE(dt::datePart(noon), 45657.0);
        QCOMPARE(dt::toTime(noon), QTime(12, 0));
        // A fraction that rounds to a whole day carries into the next day.
        QCOMPARE(dt::toDate(45657.9999999999), QDate(2025, 1, 1));
        QCOMPARE(dt::toTime(45657.9999999999), QTime(0, 0));
        QCOMPARE(formatShortDate(noon), QStringLiteral("31/12/2024"));
    }

    void incMonth_data() {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<int>("months");
        QTest::addColumn<QDate>("expected");
        QTest::newRow("plain") << QDate(2024, 3, 15) << 1 << QDate(2024, 4, 15);
        QTest::newRow("end of january, leap") << QDate(2024, 1, 31) << 1 << QDate(2024, 2, 29);
        QTest::newRow("end of january") << QDate(2025, 1, 31) << 1 << QDate(2025, 2, 28);
        QTest::newRow("over the year") << QDate(2024, 11, 30) << 3 << QDate(2025, 2, 28);
        QTest::newRow("yearly from leap day") << QDate(2024, 2, 29) << 12 << QDate(2025, 2, 28);
        QTest::newRow("backwards") << QDate(2025, 3, 31) << -1 << QDate(2025, 2, 28);
    }
    void incMonth() {
        QFETCH(QDate, from);
        QFETCH(int, months);
        QFETCH(QDate, expected);
        QCOMPARE(dt::toDate(dt::incMonth(dt::fromDate(from), months)), expected);
    }

    void timeFormats_data() {
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<QString>("grid");
        QTest::newRow("midnight") << 0 << 5 << QStringLiteral("12:05 AM");
        QTest::newRow("morning") << 9 << 30 << QStringLiteral("09:30 AM");
        QTest::newRow("noon") << 12 << 0 << QStringLiteral("12:00 PM");
        QTest::newRow("evening") << 23 << 59 << QStringLiteral("11:59 PM");
    }
    void timeFormats() {
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(QString, grid);
        QCOMPARE(formatGridTime(dt::encodeTime(hour, minute)), grid);
        Formats f = Formats::current();
        f.amText = QStringLiteral("a. m.");
        f.pmText = QStringLiteral("p. m.");
        Formats::setCurrent(f);
        QString expected = grid;
        expected.replace(QStringLiteral("AM"), QStringLiteral("a. m."));
        expected.replace(QStringLiteral("PM"), QStringLiteral("p. m."));
        QCOMPARE(formatShortTime(dt::encodeTime(hour, minute)), expected);
    }

    void parsesShortDates() {
        QCOMPARE(parseShortDate(QStringLiteral("31/12/2024")), std::optional<TDateTime>(45657.0));
        QVERIFY(!parseShortDate(QStringLiteral("31/02/2024")));
        QVERIFY(!parseShortDate(QStringLiteral("31-12-2024")));
        QVERIFY(!parseShortDate(QString()));
    }
};

QTEST_APPLESS_MAIN(TstValues)
#include "tst_values.moc"

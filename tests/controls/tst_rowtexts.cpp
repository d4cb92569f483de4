#include "controls/RowTexts.h"
#include "core/Formats.h"

#include <QTest>

using namespace controls;
using core::Currency;
namespace dt = core::dt;

class TestRowTexts : public QObject {
    Q_OBJECT

private slots:
    void init() {
        core::Formats f;
        f.dateSeparator = QLatin1Char('/');
        f.decimalSeparator = QLatin1Char(',');
        f.thousandSeparator = QLatin1Char('.');
        f.amText = QStringLiteral("a.m.");
        f.pmText = QStringLiteral("p.m.");
        core::Formats::setCurrent(f);
    }
    void cleanupTestCase() { core::Formats::setCurrent(core::Formats()); }

    void amounts_data() {
        QTest::addColumn<qint64>("raw");
        QTest::addColumn<QString>("grid");
        QTest::addColumn<QString>("card");
        QTest::newRow("zero") << qint64(0) << "        0,00"
                              << "0,00";
        QTest::newRow("thousands, half up") << qint64(12345650) << "    1.234,57"
                                            << "1.234,57";
        QTest::newRow("negative half") << qint64(-15050) << "       -1,51"
                                       << "-1,51";
        QTest::newRow("wider than the column")
            << qint64(123456789012340000) << "12.345.678.901.234,00"
            << "12.345.678.901.234,00";
    }
    void amounts() {
        QFETCH(qint64, raw);
        QFETCH(QString, grid);
        QFETCH(QString, card);
        QCOMPARE(GridAmountText(Currency::fromRaw(raw)), grid);
        QCOMPARE(CardAmountText(Currency::fromRaw(raw)), card);
    }

    // Grid rows show "AM"/"PM" whatever the system's designators are.
    void gridTime_data() {
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<QString>("text");
        QTest::newRow("midnight") << 0 << 0 << "12:00 AM";
        QTest::newRow("morning") << 9 << 5 << "09:05 AM";
        QTest::newRow("noon") << 12 << 30 << "12:30 PM";
        QTest::newRow("afternoon") << 13 << 5 << "01:05 PM";
        QTest::newRow("last minute") << 23 << 59 << "11:59 PM";
    }
    void gridTime() {
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(QString, text);
        QCOMPARE(GridTimeText(dt::encodeTime(hour, minute)), text);
        // The date part of a stored time of day does not matter.
        QCOMPARE(GridTimeText(dt::encodeDate(2024, 3, 5) + dt::encodeTime(hour, minute)), text);
    }

    void dates_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("dateTime");
        QTest::addColumn<QString>("shortDate");
        const double day = dt::encodeDate(2024, 3, 5);
        QTest::newRow("date only") << day << QChar('/') << "05/03/2024"
                                   << "05/03/2024";
        QTest::newRow("with a time of day")
            << day + dt::encodeTime(13, 5, 9) << QChar('/') << "05/03/2024 01:05:09 p.m."
            << "05/03/2024";
        QTest::newRow("one second after midnight")
            << day + dt::encodeTime(0, 0, 1) << QChar('-') << "05-03-2024 12:00:01 a.m."
            << "05-03-2024";
        // Less than half a millisecond past midnight is midnight.
        QTest::newRow("midnight to the millisecond") << day + 1e-10 << QChar('.') << "05.03.2024"
                                                     << "05.03.2024";
    }
    void dates() {
        QFETCH(double, value);
        QFETCH(QChar, separator);
        QFETCH(QString, dateTime);
        QFETCH(QString, shortDate);
        core::Formats f = core::Formats::current();
        f.dateSeparator = separator;
        core::Formats::setCurrent(f);
        QCOMPARE(DateTimeText(value), dateTime);
        QCOMPARE(ShortDateText(value), shortDate);
    }

    void status() {
        QCOMPARE(StatusText(true), QStringLiteral("P"));
        QCOMPARE(StatusText(false), QStringLiteral("NP"));
    }

    void documentTypes_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("receivable");
        QTest::addColumn<QString>("payable");
        QTest::addColumn<QString>("name");
        QTest::newRow("0") << 0 << ""
                           << ""
                           << "";
        QTest::newRow("1") << 1 << "FACT"
                           << "FACT"
                           << "Factura";
        QTest::newRow("2") << 2 << "N-D"
                           << "N-D"
                           << "N/Débito";
        QTest::newRow("3") << 3 << "GIRO"
                           << "GIRO"
                           << "Giro";
        QTest::newRow("4") << 4 << ""
                           << ""
                           << "";
        QTest::newRow("5") << 5 << "N-C"
                           << "N-C"
                           << "N/Crédito";
        QTest::newRow("6") << 6 << ""
                           << ""
                           << "";
        QTest::newRow("7 receivables only") << 7 << "N-CP"
                                            << ""
                                            << "N/C Pendiente";
        QTest::newRow("8 payables only") << 8 << ""
                                         << "N-DP"
                                         << "N/D Pendiente";
        QTest::newRow("9") << 9 << ""
                           << ""
                           << "";
        QTest::newRow("255") << 255 << ""
                             << ""
                             << "";
    }
    void documentTypes() {
        QFETCH(int, code);
        QFETCH(QString, receivable);
        QFETCH(QString, payable);
        QFETCH(QString, name);
        QCOMPARE(DocumentTypeAbbreviation(DocumentKind::Receivable, code), receivable);
        QCOMPARE(DocumentTypeAbbreviation(DocumentKind::Payable, code), payable);
        QCOMPARE(DocumentTypeName(code), name);
    }

    void abbreviationOrder() {
        const QStringList expected{"FACT", "GIRO", "N-D", "N-DP", "N-C", "N-CP"};
        QStringList actual;
        for (const char* text : DocumentTypeAbbreviations)
            actual << QString::fromLatin1(text);
        QCOMPARE(actual, expected);
    }

    void redRule_data() {
        QTest::addColumn<double>("date");
        QTest::addColumn<bool>("paid");
        QTest::addColumn<bool>("red");
        const double today = dt::encodeDate(2024, 3, 5);
        QTest::newRow("unpaid, yesterday") << today - 1 << false << true;
        QTest::newRow("unpaid, yesterday evening")
            << today - 1 + dt::encodeTime(23, 59) << false << true;
        QTest::newRow("unpaid, today") << today << false << false;
        QTest::newRow("unpaid, later today") << today + dt::encodeTime(10, 0) << false << false;
        QTest::newRow("unpaid, tomorrow") << today + 1 << false << false;
        QTest::newRow("paid, yesterday") << today - 1 << true << false;
        QTest::newRow("paid, last year") << dt::encodeDate(2023, 3, 5) << true << false;
    }
    void redRule() {
        QFETCH(double, date);
        QFETCH(bool, paid);
        QFETCH(bool, red);
        QCOMPARE(IsOverdueUnpaid(date, paid, dt::encodeDate(2024, 3, 5)), red);
    }
};

QTEST_APPLESS_MAIN(TestRowTexts)
#include "tst_rowtexts.moc"

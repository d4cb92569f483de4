#include "controls/NumberRules.h"
#include "controls/TNorvaNumberObject.h"
#include "core/Formats.h"

#include <QTest>

using namespace controls;

Q_DECLARE_METATYPE(controls::NumberField)

namespace {

NumberField amount() {
    return NumberField{};
}

NumberField whole(double min, double max) {
    NumberField f;
    f.tipoDato = TDato::Entero;
    f.decimales = 0;
    f.minValor = min;
    f.maxValor = max;
    return f;
}

NumberField with(NumberField f, TPorcent porcent) {
    f.porcent = porcent;
    return f;
}

NumberField withMin(NumberField f, double min) {
    f.minValor = min;
    return f;
}

NumberField hidden(NumberField f) {
    f.hideSeparator = true;
    return f;
}

core::Formats formatsWith(QChar decimal, QChar thousands) {
    core::Formats f;
    f.decimalSeparator = decimal;
    f.thousandSeparator = thousands;
    return f;
}

} // namespace

class TestNumberRules : public QObject {
    Q_OBJECT
private slots:
    void init() { core::Formats::setCurrent(formatsWith(QLatin1Char(','), QLatin1Char('.'))); }

    void keyFilter_data() {
        QTest::addColumn<NumberField>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("accepted");

        const NumberField upTo24 = whole(1, 24);
        QTest::newRow("max 24 holding 2: 5 refused") << upTo24 << "2" << 1 << 0 << "5" << false;
        QTest::newRow("max 24 holding 2: 4 accepted") << upTo24 << "2" << 1 << 0 << "4" << true;
        QTest::newRow("max 24: a value typed over the selection")
            << upTo24 << "4" << 0 << 1 << "8" << true;
        QTest::newRow("max 24: over part of the text, too big")
            << upTo24 << "12" << 0 << 1 << "3" << false;
        QTest::newRow("max 24: typed before the caret's digit")
            << upTo24 << "9" << 0 << 0 << "1" << true;
        QTest::newRow("fourteenth integer digit refused")
            << amount() << "9999999999999" << 13 << 0 << "9" << false;
        QTest::newRow("thirteenth integer digit accepted")
            << amount() << "999999999999" << 12 << 0 << "9" << true;
        QTest::newRow("third decimal goes through (the change cuts it)")
            << amount() << "1,23" << 4 << 0 << "4" << true;
        QTest::newRow("decimal above the maximum refused")
            << amount() << "9999999999999,99" << 16 << 0 << "9" << false;
        QTest::newRow("second decimal separator refused")
            << amount() << "1,5" << 3 << 0 << "," << false;
        QTest::newRow("separator replacing the selected one")
            << amount() << "1,5" << 1 << 1 << "," << true;
        QTest::newRow("decimal separator in a whole-number field")
            << upTo24 << "1" << 1 << 0 << "," << false;
        QTest::newRow("point is not the separator") << amount() << "1" << 1 << 0 << "." << false;
        QTest::newRow("minus with minimum 0") << amount() << "" << 0 << 0 << "-" << false;
        QTest::newRow("minus first with a negative minimum")
            << withMin(amount(), -100) << "" << 0 << 0 << "-" << true;
        QTest::newRow("minus after text")
            << withMin(amount(), -100) << "5" << 0 << 0 << "-" << false;
        QTest::newRow("minus over the whole text")
            << withMin(amount(), -100) << "5" << 0 << 1 << "-" << true;
        QTest::newRow("letter") << amount() << "12" << 2 << 0 << "a" << false;
        QTest::newRow("blank") << amount() << "12" << 2 << 0 << " " << false;
        QTest::newRow("plus") << amount() << "" << 0 << 0 << "+" << false;
        QTest::newRow("percent in a plain number field")
            << amount() << "12" << 2 << 0 << "%" << false;
        QTest::newRow("percent where it may be typed")
            << with(amount(), TPorcent::Ambos) << "12" << 2 << 0 << "%" << true;
        QTest::newRow("second percent")
            << with(amount(), TPorcent::Ambos) << "12%" << 3 << 0 << "%" << false;
        QTest::newRow("digit into a text holding percent goes through")
            << with(upTo24, TPorcent::Ambos) << "99%" << 2 << 0 << "9" << true;
        QTest::newRow("backspace") << upTo24 << "24" << 2 << 0 << "\b" << true;
    }

    void keyFilter() {
        QFETCH(NumberField, field);
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, key);
        QFETCH(bool, accepted);
        QCOMPARE(numberrules::acceptsKey(text, start, length, key.at(0), field), accepted);
    }

    void changeRule_data() {
        QTest::addColumn<NumberField>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");

        QTest::newRow("empty stays") << amount() << ""
                                     << "";
        QTest::newRow("third decimal cut") << amount() << "1,234"
                                           << "1,23";
        QTest::newRow("two decimals kept") << amount() << "1,23"
                                           << "1,23";
        QTest::newRow("no decimals: cut at the separator") << whole(0, 100) << "1,5"
                                                           << "1,";
        QTest::newRow("above the maximum") << whole(1, 24) << "25"
                                           << "24";
        QTest::newRow("amount above the maximum") << amount() << "99999999999999"
                                                  << "9999999999999,99";
        QTest::newRow("read without thousands separators") << whole(1, 1440) << "1.441"
                                                           << "1440";
        QTest::newRow("thousands separators stay when within") << amount() << "1.234,50"
                                                               << "1.234,50";
        QTest::newRow("percent moved to the end") << with(amount(), TPorcent::Ambos) << "1%2"
                                                  << "12%";
        QTest::newRow("percent kept after the cut") << with(amount(), TPorcent::Ambos) << "1,234%"
                                                    << "1,23%";
        QTest::newRow("maximum keeps the percent") << with(whole(0, 100), TPorcent::Ambos) << "150%"
                                                   << "100%";
        QTest::newRow("a text that does not read stays") << withMin(amount(), -5) << "-"
                                                         << "-";
    }

    void changeRule() {
        QFETCH(NumberField, field);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(numberrules::changedText(text, field), expected);
    }

    void exitRule_data() {
        QTest::addColumn<NumberField>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("reads");
        QTest::addColumn<QString>("expected");

        QTest::newRow("empty amount") << amount() << "" << true << "0,00";
        QTest::newRow("empty, minimum 1") << whole(1, 9999) << "" << true << "1";
        QTest::newRow("below the minimum") << whole(1, 9999) << "0" << true << "1";
        QTest::newRow("no upper test on leaving") << whole(0, 24) << "30" << true << "30";
        QTest::newRow("thousands") << amount() << "1234,5" << true << "1.234,50";
        QTest::newRow("hidden separator") << hidden(amount()) << "1234,5" << true << "1234,50";
        QTest::newRow("whole number") << whole(0, 1000000000) << "1234567" << true << "1.234.567";
        QTest::newRow("negative") << withMin(amount(), -9999) << "-12,5" << true << "-12,50";
        QTest::newRow("percent kept")
            << with(amount(), TPorcent::Ambos) << "15%" << true << "15,00%";
        QTest::newRow("percent alone") << with(amount(), TPorcent::Ambos) << "%" << true << "0,00%";
        QTest::newRow("percent always")
            << with(amount(), TPorcent::Porcentaje) << "15" << true << "15,00%";
        QTest::newRow("a lone minus does not read") << withMin(amount(), -10) << "-" << false << "";
    }

    void exitRule() {
        QFETCH(NumberField, field);
        QFETCH(QString, text);
        QFETCH(bool, reads);
        QFETCH(QString, expected);
        const std::optional<QString> shown = numberrules::exitText(text, field);
        QCOMPARE(shown.has_value(), reads);
        if (reads)
            QCOMPARE(*shown, expected);
    }

    void separators_data() {
        QTest::addColumn<QChar>("decimal");
        QTest::addColumn<QChar>("thousands");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("editing");

        QTest::newRow("comma decimals") << QChar(u',') << QChar(u'.') << "1.234,50"
                                        << "1234,50";
        QTest::newRow("point decimals") << QChar(u'.') << QChar(u',') << "1,234.50"
                                        << "1234.50";
    }

    // 1234.5 shows with thousands separators, is edited without them and
    // reads back the same, whichever separators the system gives.
    void separators() {
        QFETCH(QChar, decimal);
        QFETCH(QChar, thousands);
        QFETCH(QString, shown);
        QFETCH(QString, editing);
        core::Formats::setCurrent(formatsWith(decimal, thousands));

        QCOMPARE(numberrules::shownText(1234.5, false, amount()), shown);
        QCOMPARE(numberrules::editingText(shown), editing);
        QCOMPARE(numberrules::exitText(editing, amount()).value_or(QString()), shown);
        QCOMPARE(numberrules::realValue(shown), 1234.5);
        QCOMPARE(numberrules::pastedValue(shown, amount()).value_or(0), 1234.5);
        QCOMPARE(numberrules::shownText(1234.5, false, hidden(amount())), editing);
    }

    void shownText_data() {
        QTest::addColumn<NumberField>("field");
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("oldPercent");
        QTest::addColumn<QString>("expected");

        QTest::newRow("amount") << amount() << 0.0 << false << "0,00";
        NumberField wholeWithDecimals = whole(1, 1440);
        wholeWithDecimals.decimales = 2;
        QTest::newRow("whole numbers show no decimals")
            << wholeWithDecimals << 111.0 << false << "111";
        QTest::newRow("rounded to the decimals") << amount() << 2.345678 << false << "2,35";
        QTest::newRow("negative") << amount() << -1234.5 << false << "-1.234,50";
        QTest::newRow("old text had percent") << amount() << 5.0 << true << "5,00%";
        QTest::newRow("always percent")
            << with(amount(), TPorcent::Porcentaje) << 5.0 << false << "5,00%";
        QTest::newRow("beyond printing") << amount() << 1e300 << false << "0,00";
    }

    void shownText() {
        QFETCH(NumberField, field);
        QFETCH(double, value);
        QFETCH(bool, oldPercent);
        QFETCH(QString, expected);
        QCOMPARE(numberrules::shownText(value, oldPercent, field), expected);
    }

    void readings_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("real");
        QTest::addColumn<qint64>("whole");

        QTest::newRow("formatted") << "1.234,56" << 1234.56 << qint64(1235);
        QTest::newRow("percent dropped") << "15%" << 15.0 << qint64(15);
        QTest::newRow("half away from zero") << "-2,5" << -2.5 << qint64(-3);
        QTest::newRow("plus sign") << "+7" << 7.0 << qint64(7);
        QTest::newRow("empty") << "" << 0.0 << qint64(0);
        QTest::newRow("not a number") << "-" << 0.0 << qint64(0);
        QTest::newRow("two signs") << "5-3" << 0.0 << qint64(0);
    }

    void readings() {
        QFETCH(QString, text);
        QFETCH(double, real);
        QFETCH(qint64, whole);
        QCOMPARE(numberrules::realValue(text), real);
        QCOMPARE(numberrules::wholeValue(text), whole);
    }

    void paste_data() {
        QTest::addColumn<NumberField>("field");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<bool>("number");
        QTest::addColumn<double>("value");

        QTest::newRow("with thousands separators") << amount() << "1.234,50" << true << 1234.5;
        QTest::newRow("blanks around") << amount() << "  42 " << true << 42.0;
        QTest::newRow("above the maximum") << whole(1, 24) << "99.999" << true << 24.0;
        QTest::newRow("below the minimum") << whole(1, 24) << "0" << true << 1.0;
        QTest::newRow("negative into minimum 0") << amount() << "-5" << true << 0.0;
        QTest::newRow("words") << amount() << "monto" << false << 0.0;
        QTest::newRow("number and words") << amount() << "12 Bs" << false << 0.0;
        QTest::newRow("percent") << amount() << "12%" << false << 0.0;
        QTest::newRow("empty") << amount() << "" << false << 0.0;
    }

    void paste() {
        QFETCH(NumberField, field);
        QFETCH(QString, clipboard);
        QFETCH(bool, number);
        QFETCH(double, value);
        const std::optional<double> pasted = numberrules::pastedValue(clipboard, field);
        QCOMPARE(pasted.has_value(), number);
        if (number)
            QCOMPARE(*pasted, value);
    }

    void calculatorResult_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("shown");
        QTest::newRow("within") << 50.0 << 50.0;
        QTest::newRow("below the minimum") << -3.0 << 1.0;
        QTest::newRow("above the maximum") << 120.0 << 100.0;
    }

    void calculatorResult() {
        QFETCH(double, value);
        QFETCH(double, shown);
        NumberField field = amount();
        field.minValor = 1;
        field.maxValor = 100;
        QCOMPARE(numberrules::calculatorValue(value, field), shown);
    }

    void limitsObjectKeepsItsValuesWithinTheLimits() {
        TNorvaNumberObject limits;
        QCOMPARE(limits.TipoDato(), TDato::Reales);
        QCOMPARE(limits.Decimales(), 2);
        QCOMPARE(limits.MaxValor(), 9999999999999.99);

        limits.SetMinValor(1.006); // rounded, and raises the current value
        QCOMPARE(limits.MinValor(), 1.01);
        QCOMPARE(limits.ActValor(), 1.01);

        limits.SetMaxValor(0.5); // never below the minimum
        QCOMPARE(limits.MaxValor(), 1.01);
        limits.SetMaxValor(24);
        limits.SetActValor(30);
        QCOMPARE(limits.ActValor(), 24.0);
        limits.SetActValor(-3);
        QCOMPARE(limits.ActValor(), 1.01);

        limits.SetMinValor(50); // never above the maximum
        QCOMPARE(limits.MinValor(), 24.0);
        QCOMPARE(limits.ActValor(), 24.0);

        TNorvaNumberObject days;
        days.SetMaxValor(10.75);
        days.SetActValor(10.75);
        days.SetDecimales(0); // re-rounds all three
        QCOMPARE(days.MaxValor(), 11.0);
        QCOMPARE(days.ActValor(), 11.0);
        QCOMPARE(days.MinValor(), 0.0);
    }
};

QTEST_APPLESS_MAIN(TestNumberRules)
#include "tst_numberrules.moc"

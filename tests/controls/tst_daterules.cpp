#include "controls/DateRules.h"
#include "controls/TNorvaDateObject.h"
#include "core/Formats.h"

#include <QTest>

using namespace controls;
using daterules::KeyAction;

Q_DECLARE_METATYPE(controls::daterules::KeyAction::Kind)

namespace {

void useSeparator(QChar separator) {
    core::Formats f;
    f.dateSeparator = separator;
    core::Formats::setCurrent(f);
}

// Types `keys` one by one at the end of `text`, as the field does.
QString typeAtEnd(QString text, const QString& keys) {
    for (QChar c : keys) {
        const KeyAction action = daterules::typedKey(text, int(text.size()), false, c);
        if (action.kind == KeyAction::Replace)
            text = action.text;
        else if (action.kind == KeyAction::Pass)
            text += c;
    }
    return text;
}

const QDate Today(2026, 3, 15);

} // namespace

class TestDateRules : public QObject {
    Q_OBJECT
private slots:
    void init() { useSeparator(QLatin1Char('/')); }

    void typing_data() {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("expected");

        QTest::newRow("31 12 2024") << QChar(u'/') << "31122024"
                                    << "31/12/2024";
        QTest::newRow("01 02 2024") << QChar(u'/') << "01022024"
                                    << "01/02/2024";
        QTest::newRow("other separator") << QChar(u'-') << "31122024"
                                         << "31-12-2024";
        QTest::newRow("separators typed by hand") << QChar(u'/') << "1/2/2024"
                                                  << "1/2/2024";
        QTest::newRow("day typed short") << QChar(u'/') << "1/022024"
                                         << "1/02/2024";
        QTest::newRow("nothing past the full date") << QChar(u'/') << "311220245"
                                                    << "31/12/2024";
        QTest::newRow("letters and signs refused") << QChar(u'/') << "3a1 +1-2"
                                                   << "31/12";
    }

    void typing() {
        QFETCH(QChar, separator);
        QFETCH(QString, keys);
        QFETCH(QString, expected);
        useSeparator(separator);
        QCOMPARE(typeAtEnd(QString(), keys), expected);
    }

    void key_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<bool>("selection");
        QTest::addColumn<QString>("key");
        QTest::addColumn<KeyAction::Kind>("kind");
        QTest::addColumn<QString>("result");

        QTest::newRow("full date, nothing selected: digit refused")
            << "31/12/2024" << 10 << false << "5" << KeyAction::Drop << "";
        QTest::newRow("full date, nothing selected: separator refused")
            << "31/12/2024" << 10 << false << "/" << KeyAction::Drop << "";
        QTest::newRow("full date selected: the digit replaces it")
            << "31/12/2024" << 0 << true << "5" << KeyAction::Replace << "5";
        QTest::newRow("full date: backspace")
            << "31/12/2024" << 10 << false << "\b" << KeyAction::Pass << "";
        QTest::newRow("separator after the day")
            << "31" << 2 << false << "1" << KeyAction::Replace << "31/1";
        QTest::newRow("separator after the month")
            << "31/12" << 5 << false << "2" << KeyAction::Replace << "31/12/2";
        QTest::newRow("year digits") << "31/12/2" << 7 << false << "0" << KeyAction::Pass << "";
        QTest::newRow("caret not at the end") << "31" << 0 << false << "1" << KeyAction::Pass << "";
        QTest::newRow("typed over a selection")
            << "31" << 0 << true << "1" << KeyAction::Pass << "";
        QTest::newRow("letter") << "3" << 1 << false << "a" << KeyAction::Drop << "";
        QTest::newRow("blank") << "3" << 1 << false << " " << KeyAction::Drop << "";
        QTest::newRow("plus") << "" << 0 << false << "+" << KeyAction::Drop << "";
        QTest::newRow("minus") << "" << 0 << false << "-" << KeyAction::Drop << "";
    }

    void key() {
        QFETCH(QString, text);
        QFETCH(int, cursor);
        QFETCH(bool, selection);
        QFETCH(QString, key);
        QFETCH(KeyAction::Kind, kind);
        QFETCH(QString, result);
        const KeyAction action = daterules::typedKey(text, cursor, selection, key.at(0));
        QCOMPARE(action.kind, kind);
        QCOMPARE(action.text, result);
    }

    void partialInput_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("expected");

        QTest::newRow("full") << "31/12/2024" << QDate(2024, 12, 31);
        QTest::newRow("blanks around") << " 01/02/2024 " << QDate(2024, 2, 1);
        QTest::newRow("two-digit year") << "31/12/24" << QDate(2024, 12, 31);
        QTest::newRow("two-digit year 99") << "31/12/99" << QDate(2099, 12, 31);
        QTest::newRow("one-digit parts") << "1/2/5" << QDate(2005, 2, 1);
        QTest::newRow("day alone") << "7" << QDate(2026, 3, 7);
        QTest::newRow("day and month") << "5/7" << QDate(2026, 7, 5);
        QTest::newRow("trailing separator") << "31/12/" << QDate(2026, 12, 31);
        QTest::newRow("digits only") << "31122024" << QDate(2024, 12, 31);
        QTest::newRow("digits, short year") << "311224" << QDate(2024, 12, 31);
        QTest::newRow("digits, day and month") << "3112" << QDate(2026, 12, 31);
        QTest::newRow("no such day") << "31/02/2024" << QDate();
        QTest::newRow("day 32") << "32/01/2024" << QDate();
        QTest::newRow("month 13") << "1/13" << QDate();
        QTest::newRow("three-digit year") << "31/12/202" << QDate();
        QTest::newRow("too many parts") << "1/2/3/4" << QDate();
        QTest::newRow("odd digits") << "312" << QDate();
        QTest::newRow("words") << "hoy" << QDate();
        QTest::newRow("empty") << "" << QDate();
    }

    void partialInput() {
        QFETCH(QString, text);
        QFETCH(QDate, expected);
        QCOMPARE(daterules::readDate(text, Today).value_or(QDate()), expected);
        const QString shown = daterules::interpretedText(text, Today);
        QCOMPARE(shown,
                 expected.isValid() ? expected.toString(QStringLiteral("dd/MM/yyyy")) : text);
    }

    void leaving_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("min");
        QTest::addColumn<QString>("max");
        QTest::addColumn<bool>("allowBlank");
        QTest::addColumn<QString>("expected");

        QTest::newRow("a date stays") << "31/12/2024"
                                      << ""
                                      << "" << false << "31/12/2024";
        QTest::newRow("empty stays without limits") << ""
                                                    << ""
                                                    << "" << false << "";
        QTest::newRow("not a date is emptied") << "31/02/2024"
                                               << ""
                                               << "" << false << "";
        QTest::newRow("before the minimum") << "15/06/2023"
                                            << "01/01/2024"
                                            << "" << false << "01/01/2024";
        QTest::newRow("empty counts as the date zero") << ""
                                                       << "01/01/2024"
                                                       << "" << false << "01/01/2024";
        QTest::newRow("empty allowed blank") << ""
                                             << "01/01/2024"
                                             << "" << true << "";
        QTest::newRow("not a date, allowed blank") << "99/99"
                                                   << "01/01/2024"
                                                   << "" << true << "";
        QTest::newRow("after the maximum") << "01/01/2025"
                                           << ""
                                           << "31/12/2024" << false << "31/12/2024";
        QTest::newRow("within") << "15/06/2024"
                                << "01/01/2024"
                                << "31/12/2024" << false << "15/06/2024";
    }

    void leaving() {
        QFETCH(QString, text);
        QFETCH(QString, min);
        QFETCH(QString, max);
        QFETCH(bool, allowBlank);
        QFETCH(QString, expected);
        TNorvaDateObject limits;
        limits.SetMaxFecha(max);
        limits.SetMinFecha(min);
        QCOMPARE(daterules::exitText(text, limits, allowBlank), expected);
    }

    void paste_data() {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("expected");

        QTest::newRow("a date") << "31/12/2024"
                                << "31/12/2024";
        QTest::newRow("short parts") << "1/2/2024"
                                     << "01/02/2024";
        QTest::newRow("two-digit year") << " 31/12/24 "
                                        << "31/12/2024";
        QTest::newRow("no such day") << "31/02/2024"
                                     << "";
        QTest::newRow("no year") << "31/12"
                                 << "";
        QTest::newRow("other format") << "2024-12-31"
                                      << "";
        QTest::newRow("words") << "mañana"
                               << "";
        QTest::newRow("empty") << ""
                               << "";
    }

    void paste() {
        QFETCH(QString, clipboard);
        QFETCH(QString, expected);
        QCOMPARE(daterules::pastedDate(clipboard).value_or(QString()), expected);
    }

    void limitsObjectKeepsTheCurrentDateWithinTheLimits() {
        TNorvaDateObject limits;
        limits.SetMinFecha(QStringLiteral("no es fecha"));
        QCOMPARE(limits.MinFecha(), QString());
        limits.SetMinFecha(QStringLiteral("1/1/2024"));
        QCOMPARE(limits.MinFecha(), QStringLiteral("01/01/2024"));

        limits.SetMaxFecha(QStringLiteral("31/12/2023")); // never before the minimum
        QCOMPARE(limits.MaxFecha(), QStringLiteral("01/01/2024"));
        limits.SetMaxFecha(QStringLiteral("31/12/2024"));

        limits.SetActFecha(QString()); // empty with both limits: the minimum
        QCOMPARE(limits.ActFecha(), QStringLiteral("01/01/2024"));
        limits.SetActFecha(QStringLiteral("01/01/2030"));
        QCOMPARE(limits.ActFecha(), QStringLiteral("31/12/2024"));
        limits.SetActFecha(QStringLiteral("15/06/2024"));
        QCOMPARE(limits.ActFecha(), QStringLiteral("15/06/2024"));

        limits.SetMaxFecha(QStringLiteral("30/06/2024")); // not lowering the current date
        QCOMPARE(limits.ActFecha(), QStringLiteral("15/06/2024"));
        limits.SetMaxFecha(QStringLiteral("10/06/2024")); // lowering it
        QCOMPARE(limits.ActFecha(), QStringLiteral("10/06/2024"));

        limits.SetMinFecha(QStringLiteral("01/02/2024")); // the current date is after it
        QCOMPARE(limits.ActFecha(), QStringLiteral("10/06/2024"));
        limits.SetMinFecha(QStringLiteral("31/12/2024")); // never after the maximum
        QCOMPARE(limits.MinFecha(), QStringLiteral("10/06/2024"));
        QCOMPARE(limits.ActFecha(), QStringLiteral("10/06/2024"));
        limits.SetMaxFecha(QStringLiteral("31/12/2024"));
        limits.SetMinFecha(QStringLiteral("01/07/2024")); // raises the current date
        QCOMPARE(limits.ActFecha(), QStringLiteral("01/07/2024"));
    }
};

QTEST_APPLESS_MAIN(TestDateRules)
#include "tst_daterules.moc"

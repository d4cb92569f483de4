#include "controls/Calculator.h"
#include "controls/DropDown.h"
#include "controls/Fonts.h"
#include "controls/StatusHint.h"
#include "controls/TMemoNorva.h"
#include "controls/TNorvaDateEdit.h"
#include "controls/TNorvaEdit.h"
#include "controls/TNorvaNumberEdit.h"
#include "core/Formats.h"
#include "support/SetClock.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QFontInfo>
#include <QSignalSpy>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QVBoxLayout>

using namespace controls;

namespace {

// A window with a status line, the way the base form gives one to the edits.
class Window : public QWidget, public StatusTextTarget {
public:
    Window() : layout(new QVBoxLayout(this)), other(new QLineEdit(this)) {
        layout->setSizeConstraint(QLayout::SetNoConstraint); // no size hints for the platform
        layout->addWidget(other);
    }
    void ShowStatusText(const QString& text) override { status = text; }

    template <class Edit> Edit* add() {
        auto* edit = new Edit(this);
        layout->addWidget(edit);
        return edit;
    }
    bool showActive() {
        show();
        activateWindow();
        return QTest::qWaitForWindowActive(this);
    }
    void leave() { other->setFocus(); }

    QVBoxLayout* layout;
    QLineEdit* other;
    QString status = QStringLiteral("(nada)");
};

TNorvaNumberEdit* wholeField(Window& w, double min, double max, double initial) {
    auto* edit = w.add<TNorvaNumberEdit>();
    edit->NorvaNumberObject().SetTipoDato(TDato::Entero);
    edit->NorvaNumberObject().SetMinValor(min);
    edit->NorvaNumberObject().SetMaxValor(max);
    edit->NorvaNumberObject().SetDecimales(0);
    edit->SetInitText(initial);
    return edit;
}

// The offscreen platform says so whenever a pop-up opens.
void expectPopUpWarnings() {
    QTest::ignoreMessage(QtWarningMsg, "This plugin does not support raise()");
    QTest::ignoreMessage(QtWarningMsg, "This plugin does not support grabbing the keyboard");
}

} // namespace

class TestEdits : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installFontSubstitutions(); }
    void init() { core::Formats::setCurrent(core::Formats()); }

    void fontsMapToLiberationSans() {
        QVERIFY(QFont::substitutes(QStringLiteral("MS Sans Serif"))
                    .contains(QStringLiteral("Liberation Sans"), Qt::CaseInsensitive));
        QCOMPARE(QFontInfo(designFont()).family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(QFontInfo(designFont()).pixelSize(), 11); // as on the designer's screen
        QCOMPARE(QFontInfo(QFont(QStringLiteral("Arial"), 10)).family(),
                 QStringLiteral("Liberation Sans"));
    }

    // An amount shows its thousands separators except while it is edited;
    // entering shows the hint in the window's status line.
    void numberFieldShowsSeparatorsOnlyWhenNotEdited() {
        Window w;
        auto* edit = w.add<TNorvaNumberEdit>();
        edit->setToolTip(QStringLiteral("Indique monto total del documento"));
        QCOMPARE(edit->text(), QStringLiteral("0,00"));
        edit->SetInitText(1234.5);
        QCOMPARE(edit->text(), QStringLiteral("1.234,50"));
        QVERIFY(w.showActive());

        QSignalSpy entered(edit, &TNorvaNumberEdit::OnEnter);
        QSignalSpy left(edit, &TNorvaNumberEdit::OnExit);
        edit->setFocus(Qt::TabFocusReason);
        QCOMPARE(edit->text(), QStringLiteral("1234,50"));
        QCOMPARE(edit->selectedText(), QStringLiteral("1234,50"));
        QCOMPARE(w.status, QStringLiteral("Indique monto total del documento"));
        QCOMPARE(entered.count(), 1);

        edit->setProperty("ShowHint", false); // a hint that is not shown
        w.leave();
        QCOMPARE(edit->text(), QStringLiteral("1.234,50"));
        QCOMPARE(left.count(), 1);
        QCOMPARE(edit->RealValue(), 1234.5);
        QCOMPARE(edit->CurrencyValue(), core::Currency::fromDouble(1234.5));
        edit->setFocus();
        QCOMPARE(w.status, QString());
    }

    void numberFieldFiltersWhatIsTyped() {
        Window w;
        TNorvaNumberEdit* hours = wholeField(w, 1, 24, 4);
        auto* amount = w.add<TNorvaNumberEdit>();
        QVERIFY(w.showActive());

        hours->setFocus(Qt::TabFocusReason); // "4" selected: typed over
        QTest::keyClicks(hours, QStringLiteral("25"));
        QCOMPARE(hours->text(), QStringLiteral("2"));
        QTest::keyClicks(hours, QStringLiteral("4x-,"));
        QCOMPARE(hours->text(), QStringLiteral("24"));
        QCOMPARE(hours->WholeValue(), 24);

        amount->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(amount, QStringLiteral("12,345,6"));
        QCOMPARE(amount->text(), QStringLiteral("12,34"));
        amount->selectAll();
        QTest::keyClicks(amount, QStringLiteral("99999999999999"));
        QCOMPARE(amount->text(), QStringLiteral("9999999999999"));
        w.leave();
        QCOMPARE(amount->text(), QStringLiteral("9.999.999.999.999,00"));
    }

    void percentSign() {
        Window w;
        auto* edit = w.add<TNorvaNumberEdit>();
        edit->SetPorcent(TPorcent::Porcentaje);
        QCOMPARE(edit->text(), QStringLiteral("0,00%"));
        edit->SetInitText(12.5);
        QCOMPARE(edit->text(), QStringLiteral("12,50%"));
        QVERIFY(w.showActive());
        edit->setFocus();
        QCOMPARE(edit->text(), QStringLiteral("12,50%"));
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("7%"));
        QCOMPARE(edit->text(), QStringLiteral("7%"));
        w.leave();
        QCOMPARE(edit->text(), QStringLiteral("7,00%"));
        QCOMPARE(edit->RealValue(), 7.0);
        edit->SetPorcent(TPorcent::Numero);
        QCOMPARE(edit->text(), QStringLiteral("7,00"));
        edit->SetWholeValue(1234);
        QCOMPARE(edit->text(), QStringLiteral("1234"));
    }

    void leavingAnEmptyNumberField_data() {
        QTest::addColumn<bool>("whole");
        QTest::addColumn<double>("minimum");
        QTest::addColumn<QString>("shown");
        QTest::newRow("minimum 1") << true << 1.0 << "1";
        QTest::newRow("amount") << false << 0.0 << "0,00";
    }

    void leavingAnEmptyNumberField() {
        QFETCH(bool, whole);
        QFETCH(double, minimum);
        QFETCH(QString, shown);
        Window w;
        TNorvaNumberEdit* edit =
            whole ? wholeField(w, minimum, 9999, 5) : w.add<TNorvaNumberEdit>();
        QVERIFY(w.showActive());
        edit->setFocus();
        edit->clear();
        w.leave();
        QCOMPARE(edit->text(), shown);
    }

    // A window that takes the exit over gets OnExit without the control's
    // own formatting.
    void exitTakenOverByTheWindow() {
        Window w;
        auto* edit = w.add<TNorvaNumberEdit>();
        edit->SetOwnExitHandler(false);
        QSignalSpy left(edit, &TNorvaNumberEdit::OnExit);
        QVERIFY(w.showActive());
        edit->setFocus();
        edit->setText(QStringLiteral("1234,5"));
        w.leave();
        QCOMPARE(edit->text(), QStringLiteral("1234,5"));
        QCOMPARE(left.count(), 1);
        edit->NorvaNumberEditExit();
        QCOMPARE(edit->text(), QStringLiteral("1.234,50"));
    }

    void pasteIntoNumberFieldKeepsTheClipboard_data() {
        QTest::addColumn<bool>("amount"); // an amount, or a whole number from 1 to 24
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("pasted");

        QTest::newRow("number with separators") << true << "1.234,50" << false << "1.234,50" << 1;
        QTest::newRow("above the maximum") << false << "99.999" << false << "24" << 1;
        QTest::newRow("below the minimum") << false << "0" << false << "1" << 1;
        QTest::newRow("not a number") << false << "veinte" << false << "7" << 0;
        QTest::newRow("amount, not a number") << true << "12 Bs" << false << "0,00" << 0;
        QTest::newRow("read-only field") << false << "12" << true << "7" << 0;
    }

    // A paste replaces the whole value or inserts nothing; the user's
    // clipboard keeps what was copied.
    void pasteIntoNumberFieldKeepsTheClipboard() {
        QFETCH(bool, amount);
        QFETCH(QString, clipboard);
        QFETCH(bool, readOnly);
        QFETCH(QString, shown);
        QFETCH(int, pasted);
        Window w;
        TNorvaNumberEdit* edit = amount ? w.add<TNorvaNumberEdit>() : wholeField(w, 1, 24, 7);
        edit->setReadOnly(readOnly);
        QSignalSpy spy(edit, &TNorvaNumberEdit::OnPaste);
        QVERIFY(w.showActive());
        edit->setFocus();
        edit->setCursorPosition(0);

        QGuiApplication::clipboard()->setText(clipboard);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        w.leave();
        QCOMPARE(edit->text(), shown);
        QCOMPARE(spy.count(), pasted);
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
    }

    void altKeysWithoutButtonDoNothing() {
        Window w;
        TNorvaNumberEdit* number = wholeField(w, 0, 9999, 12);
        auto* date = w.add<TNorvaDateEdit>();
        date->SetShowButton(false);
        QVERIFY(w.showActive());
        number->setFocus();
        number->end(false);
        QTest::keyClick(number, Qt::Key_5, Qt::AltModifier);
        QTest::keyClick(number, Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(number->text(), QStringLiteral("12"));
        QVERIFY(!number->isDroppedDown());

        date->setFocus();
        QTest::keyClick(date, Qt::Key_5, Qt::AltModifier);
        QTest::keyClick(date, Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(date->text(), QString());
        QVERIFY(!date->DropDownDate());
    }

    void calculatorHandsItsResultWithinTheLimits_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::newRow("within") << "12,5+3"
                                << "15,50";
        QTest::newRow("above the maximum") << "60*2"
                                           << "100,00";
        QTest::newRow("below the minimum") << "5-10"
                                           << "1,00";
    }

    void calculatorHandsItsResultWithinTheLimits() {
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        Window w;
        auto* edit = w.add<TNorvaNumberEdit>();
        edit->NorvaNumberObject().SetMaxValor(100);
        edit->NorvaNumberObject().SetMinValor(1);
        edit->SetShowButton(true);
        QSignalSpy pasted(edit, &TNorvaNumberEdit::OnPaste);
        QVERIFY(w.showActive());
        edit->setFocus();
        expectPopUpWarnings();
        QTest::keyClick(edit, Qt::Key_Down, Qt::AltModifier);
        QVERIFY(edit->isDroppedDown());

        QTest::keyClicks(edit->calculator(), keys);
        QTest::keyClick(edit->calculator(), Qt::Key_Return);
        QVERIFY(!edit->isDroppedDown());
        QCOMPARE(edit->text(), shown);
        QCOMPARE(pasted.count(), 1);
        QVERIFY(edit->isModified());
        QVERIFY(!edit->hasSelectedText());
        QCOMPARE(edit->cursorPosition(), int(edit->text().size()));
    }

    void dateFieldTyping() {
        Window w;
        auto* date = w.add<TNorvaDateEdit>();
        date->setToolTip(QStringLiteral("Indique fecha de primer pago"));
        QVERIFY(w.showActive());
        date->setFocus(Qt::TabFocusReason);
        QCOMPARE(w.status, QStringLiteral("Indique fecha de primer pago"));

        QTest::keyClicks(date, QStringLiteral("31122024"));
        QCOMPARE(date->text(), QStringLiteral("31/12/2024"));
        QTest::keyClicks(date, QStringLiteral("5"));
        QCOMPARE(date->text(), QStringLiteral("31/12/2024"));
        date->selectAll();
        QTest::keyClicks(date, QStringLiteral("0"));
        QCOMPARE(date->text(), QStringLiteral("0"));
        QTest::keyClicks(date, QStringLiteral("1a 0+2-"));
        QCOMPARE(date->text(), QStringLiteral("01/02"));
    }

    void dateFieldLeaving_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QDate>("date");
        QTest::newRow("full") << "31/12/2024"
                              << "31/12/2024" << QDate(2024, 12, 31);
        QTest::newRow("day and month") << "5/7"
                                       << "05/07/2026" << QDate(2026, 7, 5);
        QTest::newRow("two-digit year") << "1/2/25"
                                        << "01/02/2025" << QDate(2025, 2, 1);
        QTest::newRow("not a date") << "31/02"
                                    << "" << QDate();
        QTest::newRow("empty") << ""
                               << "" << QDate();
    }

    void dateFieldLeaving() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QDate, date);
        SetClock clock(2026, 3, 15, 10, 30);
        Window w;
        auto* edit = w.add<TNorvaDateEdit>();
        QVERIFY(w.showActive());
        edit->setFocus();
        edit->setText(typed);
        w.leave();
        QCOMPARE(edit->text(), shown);
        QCOMPARE(edit->Date(), date.isValid() ? core::dt::fromDate(date) : 0.0);
    }

    // A date edit of the designs' width (81 pixels, the design font) shows a
    // whole date beside its button: the text does not scroll whether the caret
    // is at its start or at its end.
    void aWholeDateFitsBesideTheButton() {
        Window w;
        auto* edit = new TNorvaDateEdit(&w);
        edit->setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
        edit->setGeometry(0, 0, 81, 21);
        edit->SetDate(core::dt::encodeDate(2026, 12, 28));
        edit->setCursorPosition(0);
        const QImage atStart = edit->grab().toImage();
        edit->setCursorPosition(int(edit->text().size()));
        QCOMPARE(edit->grab().toImage(), atStart);
    }

    // The "AM"/"PM" choice of an installment's time, 31 pixels wide, has room
    // for its text beside its arrow.
    void aSmallChoiceShowsItsText() {
        Window w;
        auto* combo = new QComboBox(&w);
        combo->setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
        combo->addItems({QStringLiteral("AM"), QStringLiteral("PM")});
        combo->setGeometry(0, 0, 31, 17);
        useNarrowArrow(combo);
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.rect = combo->rect();
        option.frame = true;
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxEditField, combo);
        QVERIFY2(field.width() >= combo->fontMetrics().horizontalAdvance(QStringLiteral("PM")),
                 qPrintable(QString::number(field.width())));
        const QImage am = combo->grab().toImage();
        combo->setCurrentIndex(1);
        QVERIFY(combo->grab().toImage() != am);
    }

    void dateReadAndWritten() {
        auto edit = std::make_unique<TNorvaDateEdit>();
        QCOMPARE(edit->Date(), 0.0);
        edit->SetDate(core::dt::encodeDate(2024, 12, 31) + 0.5);
        QCOMPARE(edit->text(), QStringLiteral("31/12/2024"));
        QCOMPARE(edit->Date(), core::dt::encodeDate(2024, 12, 31));
        edit->SetDate(0);
        QCOMPARE(edit->text(), QString());
    }

    void pasteIntoDateFieldKeepsTheClipboard_data() {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("shown");
        QTest::newRow("a date") << "1/2/2024"
                                << "01/02/2024";
        QTest::newRow("not a date") << "pronto"
                                    << "31/12/2024";
        QTest::newRow("a date without year") << "01/02"
                                             << "31/12/2024";
    }

    void pasteIntoDateFieldKeepsTheClipboard() {
        QFETCH(QString, clipboard);
        QFETCH(QString, shown);
        Window w;
        auto* edit = w.add<TNorvaDateEdit>();
        edit->setText(QStringLiteral("31/12/2024"));
        QVERIFY(w.showActive());
        edit->setFocus();
        edit->setCursorPosition(3);
        QGuiApplication::clipboard()->setText(clipboard);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text(), shown);
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
    }

    void calendarDropsDownAndPicks() {
        Window w;
        auto* edit = w.add<TNorvaDateEdit>();
        edit->setText(QStringLiteral("15/06/2024"));
        QVERIFY(w.showActive());
        edit->setFocus();
        expectPopUpWarnings();
        QTest::keyClick(edit, Qt::Key_Down, Qt::AltModifier);
        QVERIFY(edit->DropDownDate());
        QCalendarWidget* calendar = edit->calendar();
        QCOMPARE(calendar->selectedDate(), QDate(2024, 6, 15));

        calendar->setSelectedDate(QDate(2024, 6, 20));
        auto* days = calendar->findChild<QAbstractItemView*>();
        QVERIFY(days);
        QTest::keyClick(days, Qt::Key_Return);
        QVERIFY(!edit->DropDownDate());
        QCOMPARE(edit->text(), QStringLiteral("20/06/2024"));
        QVERIFY(edit->hasFocus());

        expectPopUpWarnings();
        QTest::keyClick(edit, Qt::Key_Down, Qt::AltModifier);
        QVERIFY(edit->DropDownDate());
        QTest::keyClick(days, Qt::Key_Escape);
        QVERIFY(!edit->DropDownDate());
        QCOMPARE(edit->text(), QStringLiteral("20/06/2024"));
    }

    void fillCero_data() {
        QTest::addColumn<bool>("fill");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("padded") << true << 6 << "42"
                                << "000042";
        QTest::newRow("empty stays empty") << true << 6 << ""
                                           << "";
        QTest::newRow("already full") << true << 6 << "123456"
                                      << "123456";
        QTest::newRow("no maximum length") << true << 32767 << "42"
                                           << "42";
        QTest::newRow("off") << false << 6 << "42"
                             << "42";
    }

    void fillCero() {
        QFETCH(bool, fill);
        QFETCH(int, maxLength);
        QFETCH(QString, text);
        QFETCH(QString, shown);
        Window w;
        auto* edit = w.add<TNorvaEdit>();
        edit->SetFillCero(fill);
        edit->setMaxLength(maxLength);
        QVERIFY(w.showActive());
        edit->setFocus();
        edit->setText(text);
        w.leave();
        QCOMPARE(edit->text(), shown);
        QCOMPARE(edit->cursorPosition(), 0);
    }

    void memoTakesEnterAndStopsAtItsLastLine() {
        Window w;
        auto* memo = w.add<TMemoNorva>();
        memo->setFixedHeight(memo->fontMetrics().lineSpacing() * 3 + 12);
        QVERIFY(w.showActive());
        memo->setFocus();
        for (int i = 0; i < 6; ++i) {
            QTest::keyClicks(memo, QStringLiteral("linea"));
            QTest::keyClick(memo, Qt::Key_Return);
        }
        // Line breaks stop at the last line; the text goes on along it.
        QCOMPARE(memo->visibleLines(), 3);
        QCOMPARE(memo->toPlainText().count(u'\n'), 2);
        QCOMPARE(memo->lineCount(), 3);
        QVERIFY(memo->toPlainText().endsWith(QStringLiteral("linealinea")));
    }
};

QTEST_MAIN(TestEdits)
#include "tst_edits.moc"

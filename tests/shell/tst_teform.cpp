#include "controls/Fonts.h"
#include "controls/Shape.h"
#include "controls/TMemoNorva.h"
#include "controls/TNorvaNumberEdit.h"
#include "core/Formats.h"
#include "shell/TEForm.h"
#include "shell/TMenuDataModule.h"
#include "support/RecordingMessageBox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSet>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

using namespace shell;

namespace {

// A small dialog on the base form: two fields, a drop-down, an amount, a
// button and a status bar of two panels.
class Dialog : public TEForm {
public:
    Dialog() {
        auto* layout = new QVBoxLayout(this);
        layout->setSizeConstraint(QLayout::SetNoConstraint); // no size hints for the platform
        first = add(new QLineEdit(this), QStringLiteral("Primero"));
        second = add(new QLineEdit(this), QStringLiteral("Segundo"));
        combo = add(new QComboBox(this), QStringLiteral("Elija"));
        combo->addItems({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")});
        amount = add(new controls::TNorvaNumberEdit(this), QString());
        BAceptar001 = add(new QPushButton(QStringLiteral("&Aceptar"), this), QString());
        BAceptar001->setObjectName(QStringLiteral("BAceptar001"));
        QObject::connect(BAceptar001, &QPushButton::clicked, [this] { ++pressed; });
        bar = new QStatusBar(this);
        panel0 = new QLabel(bar);
        panel1 = new QLabel(bar);
        bar->addWidget(panel0, 1);
        bar->addWidget(panel1);
        const QList<QWidget*> fields = {first, second, combo, amount, BAceptar001, bar};
        for (QWidget* w : fields)
            layout->addWidget(w);
    }

    template <class W> W* add(W* w, const QString& hint) {
        w->setToolTip(hint);
        return w;
    }

    bool showActive() {
        show();
        activateWindow();
        return QTest::qWaitForWindowActive(this);
    }

    // A key typed where the focus is.
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = focusWidget() ? focusWidget() : this;
        QTest::keyClick(target, Qt::Key(key), modifiers);
    }

    QLineEdit* first;
    QLineEdit* second;
    QComboBox* combo;
    controls::TNorvaNumberEdit* amount;
    QPushButton* BAceptar001;
    QStatusBar* bar;
    QLabel* panel0;
    QLabel* panel1;

    int pressed = 0;
    int closeChecks = 0;
    bool allowClose = true;
    int ctrlA = 0;
    int ctrlM = 0;
    // The print dialog's answer and where the printer writes.
    bool printConfirmed = true;
    QString printFile;

protected:
    bool FormCloseQuery() override {
        ++closeChecks;
        return allowClose;
    }
    void CtrlAOperation() override { ++ctrlA; }
    void CtrlMOperation() override { ++ctrlM; }
    bool runPrintDialog(QPrinter& printer) override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printFile);
        return printConfirmed;
    }
};

QImage glyph(const QPixmap& picture, int left) {
    return picture.copy(left, 0, 16, 16)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage iconImage(const QIcon& icon, QIcon::Mode mode) {
    return icon.pixmap(QSize(16, 16), 1.0, mode)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

class TestTEForm : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { controls::installFontSubstitutions(); }
    void init() { core::Formats::setCurrent(core::Formats()); }

    void baseFormDefaults() {
        Dialog d;
        QCOMPARE(d.windowTitle(), QStringLiteral("EnterForm"));
        QCOMPARE(QFontInfo(d.font()).family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(d.font().pointSize(), 8);
        QVERIFY(d.EnterMoves());
        d.SetEnterDefault(true);
        QVERIFY(!d.EnterMoves());
        d.SetEnterMoves(true);
        QVERIFY(!d.EnterDefault());
    }

    void enterAndShiftEnterMoveBetweenFields() {
        Dialog d;
        QVERIFY(d.showActive());
        d.first->setFocus();
        QTest::keyClicks(d.first, QStringLiteral("abc"));
        d.press(Qt::Key_Return);
        QVERIFY(d.second->hasFocus());
        QCOMPARE(d.panel0->text(), QStringLiteral("Segundo"));
        d.press(Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(d.combo->hasFocus());
        d.press(Qt::Key_Return, Qt::ShiftModifier);
        QVERIFY(d.second->hasFocus());
        d.press(Qt::Key_Return, Qt::ShiftModifier);
        QVERIFY(d.first->hasFocus());
        QCOMPARE(d.first->text(), QStringLiteral("abc"));
        QCOMPARE(d.panel0->text(), QStringLiteral("Primero"));
        QCOMPARE(d.panel1->text(), QString());
        QCOMPARE(d.pressed, 0);
    }

    void enterOnAButtonPressesIt() {
        Dialog d;
        QVERIFY(d.showActive());
        d.BAceptar001->setFocus();
        d.press(Qt::Key_Return);
        QCOMPARE(d.pressed, 1);
        QVERIFY(d.BAceptar001->hasFocus());
        d.BAceptar001->setEnabled(false);
        d.first->setFocus();
        d.press(Qt::Key_Return);
        QCOMPARE(d.pressed, 1);
    }

    void enterModes_data() {
        QTest::addColumn<int>("mode"); // 0 Enter-moves, 1 Enter-default, 2 neither
        QTest::addColumn<bool>("defaultButton");
        QTest::addColumn<bool>("moved");
        QTest::addColumn<int>("pressed");

        QTest::newRow("moves, with a default button") << 0 << true << true << 0;
        QTest::newRow("default, with a default button") << 1 << true << false << 1;
        QTest::newRow("default, without one") << 1 << false << false << 0;
        QTest::newRow("neither, with a default button") << 2 << true << false << 1;
        QTest::newRow("neither, without one") << 2 << false << true << 0;
    }

    void enterModes() {
        QFETCH(int, mode);
        QFETCH(bool, defaultButton);
        QFETCH(bool, moved);
        QFETCH(int, pressed);
        Dialog d;
        d.BAceptar001->setDefault(defaultButton);
        if (mode == 1)
            d.SetEnterDefault(true);
        if (mode == 2)
            d.SetEnterMoves(false);
        QVERIFY(d.showActive());
        d.first->setFocus();
        d.press(Qt::Key_Return);
        QCOMPARE(d.second->hasFocus(), moved);
        QCOMPARE(d.pressed, pressed);
    }

    void enterInAMemoInsertsALineBreak() {
        Dialog d;
        auto* memo = new controls::TMemoNorva(&d);
        d.layout()->addWidget(memo);
        QVERIFY(d.showActive());
        memo->setFocus();
        QTest::keyClicks(memo, QStringLiteral("uno"));
        d.press(Qt::Key_Return);
        QTest::keyClicks(memo, QStringLiteral("dos"));
        QVERIFY(memo->hasFocus());
        QCOMPARE(memo->toPlainText(), QStringLiteral("uno\ndos"));
    }

    void arrowsMoveBetweenFieldsAndLeaveDropDownsAlone() {
        Dialog d;
        QVERIFY(d.showActive());
        d.combo->setFocus();
        d.press(Qt::Key_Down);
        QVERIFY(d.amount->hasFocus());
        QCOMPARE(d.combo->currentIndex(), 0);
        d.press(Qt::Key_Up);
        QVERIFY(d.combo->hasFocus());
        d.press(Qt::Key_Up);
        QVERIFY(d.second->hasFocus());
        QCOMPARE(d.panel0->text(), QStringLiteral("Segundo"));

        d.SetArrowsOff(true); // the arrows are the controls' again
        d.combo->setFocus();
        d.press(Qt::Key_Down);
        QVERIFY(d.combo->hasFocus());
        QCOMPARE(d.combo->currentIndex(), 1);
    }

    void escClosesThroughTheNormalClose() {
        Dialog d;
        QVERIFY(d.showActive());
        d.first->setFocus();
        d.allowClose = false;
        d.press(Qt::Key_Escape);
        QCOMPARE(d.closeChecks, 1);
        QVERIFY(d.isVisible());

        d.allowClose = true;
        d.press(Qt::Key_Escape);
        QCOMPARE(d.closeChecks, 2);
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Rejected));
    }

    void escEndsAModalDialogAsCancelled() {
        Dialog d;
        d.first->setFocus();
        QTimer::singleShot(0, &d, [&d] {
            QVERIFY(QTest::qWaitForWindowActive(&d));
            d.press(Qt::Key_Escape);
        });
        QCOMPARE(d.exec(), int(QDialog::Rejected));
        QCOMPARE(d.closeChecks, 1);
    }

    void escWithAnOpenListOnlyClosesTheList() {
        Dialog d;
        QVERIFY(d.showActive());
        d.combo->setFocus();
        QTest::ignoreMessage(QtWarningMsg, "This plugin does not support raise()");
        QTest::ignoreMessage(QtWarningMsg, "This plugin does not support grabbing the keyboard");
        d.combo->showPopup();
        QVERIFY(d.combo->view()->isVisible());
        QTest::keyClick(d.combo, Qt::Key_Escape); // the window leaves it to the list
        QVERIFY(d.isVisible());
        QTest::keyClick(d.combo->view(), Qt::Key_Escape);
        QVERIFY(!d.combo->view()->isVisible());
        QVERIFY(d.isVisible());
        QCOMPARE(d.closeChecks, 0);

        d.SetLookupOpen(true); // a lookup selector's list is open
        d.press(Qt::Key_Escape);
        QVERIFY(d.isVisible());
        d.SetLookupOpen(false);
        d.press(Qt::Key_Escape);
        QVERIFY(!d.isVisible());
    }

    void statusLineAndFocusField() {
        Dialog d;
        QVERIFY(d.showActive());
        d.FocusField(d.second);
        QVERIFY(d.second->hasFocus());
        QCOMPARE(d.panel0->text(), QStringLiteral("Segundo"));
        QCOMPARE(d.panel0->textFormat(), Qt::PlainText);

        d.first->hide(); // a hidden field is left alone
        d.FocusField(d.first);
        QVERIFY(d.second->hasFocus());
        d.combo->setEnabled(false);
        d.FocusField(d.combo);
        QVERIFY(d.second->hasFocus());

        d.ShowStatusText(QStringLiteral("<b>Registros</b>"));
        QCOMPARE(d.panel0->text(), QStringLiteral("<b>Registros</b>"));
        QCOMPARE(d.panel1->text(), QString());
        QCOMPARE(d.StatusBar(), d.bar);
    }

    void appearancePass() {
        Dialog d;
        auto* shadow = new controls::Shape(&d);
        shadow->setGeometry(10, 10, 120, 22);
        shadow->hide();
        auto* kept = new controls::Shape(&d);
        kept->setGeometry(10, 40, 120, 22);
        kept->setTag(5000);
        kept->hide();
        auto* line = new controls::Shape(&d);
        line->setGeometry(10, 70, 120, 1);
        line->hide();
        auto* memo = new controls::TMemoNorva(&d);
        memo->setGeometry(10, 80, 120, 40);
        d.amount->NorvaNumberObject().SetDecimales(4);
        d.amount->SetInitText(1.23456);
        QCOMPARE(d.amount->text(), QStringLiteral("1,2346"));

        QVERIFY(d.showActive());
        QVERIFY(shadow->isVisible());
        QVERIFY(!kept->isVisible());
        QVERIFY(!line->isVisible());
        QCOMPARE(d.amount->NorvaNumberObject().Decimales(), 2);
        QCOMPARE(d.amount->text(), QStringLiteral("1,23"));
        QCOMPARE(memo->frameShape(), QFrame::Box);
        QCOMPARE(memo->frameShadow(), QFrame::Plain);
        QVERIFY(!d.BAceptar001->autoDefault());
    }

    void buttonPictureIndex_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::newRow("BGuardar012") << "BGuardar012" << 11;
        QTest::newRow("BEditar030") << "BEditar030" << 29;
        QTest::newRow("BCancelar2002") << "BCancelar2002" << 1;
        QTest::newRow("BBuscarSonido006") << "BBuscarSonido006" << 5;
        QTest::newRow("BSiguiente0033") << "BSiguiente0033" << 32;
        QTest::newRow("no digits") << "BAceptar" << -1;
        QTest::newRow("two digits") << "BVer08" << -1;
        QTest::newRow("zero") << "B000" << -1;
        QTest::newRow("empty") << "" << -1;
    }

    void buttonPictureIndex() {
        QFETCH(QString, name);
        QFETCH(int, index);
        QCOMPARE(TEForm::ButtonPictureIndex(name), index);
    }

    void buttonPicturesByName() {
        TMenuDataModule menus;
        Dialog d;
        auto* guardar = new QPushButton(QStringLiteral("&Guardar"), &d);
        guardar->setObjectName(QStringLiteral("BGuardar012"));
        auto* beyond = new QPushButton(&d);
        beyond->setObjectName(QStringLiteral("BFuera099"));
        auto* plain = new QPushButton(&d);
        plain->setObjectName(QStringLiteral("BSinDibujo"));
        QPixmap own(16, 16);
        own.fill(Qt::red);
        plain->setIcon(QIcon(own));
        beyond->setIcon(QIcon(own));
        const qint64 ownKey = plain->icon().cacheKey();
        const qint64 beyondKey = beyond->icon().cacheKey();
        d.FormCreate();

        const QPixmap& picture = menus.ImageBotones().at(11);
        QCOMPARE(iconImage(guardar->icon(), QIcon::Normal), glyph(picture, 0));
        QCOMPARE(iconImage(guardar->icon(), QIcon::Disabled), glyph(picture, 16));
        QCOMPARE(iconImage(d.BAceptar001->icon(), QIcon::Normal),
                 glyph(menus.ImageBotones().at(0), 0));
        QCOMPARE(plain->icon().cacheKey(), ownKey);
        QCOMPARE(beyond->icon().cacheKey(), beyondKey);
    }

    void thirtyFourPicturesOfTwoGlyphs() {
        TMenuDataModule menus;
        QCOMPARE(TMenuDataModule::instance(), &menus);
        QCOMPARE(menus.ImageBotones().size(), 34);
        QSet<QByteArray> seen;
        for (const QPixmap& picture : menus.ImageBotones()) {
            QCOMPARE(picture.size(), QSize(32, 16));
            const QImage normal = glyph(picture, 0);
            const QImage disabled = glyph(picture, 16);
            QVERIFY(normal != disabled);
            QVERIFY(normal != QImage(16, 16, normal.format()).copy()); // not blank
            seen.insert(QByteArray(reinterpret_cast<const char*>(normal.constBits()),
                                   normal.sizeInBytes()));
        }
        QCOMPARE(seen.size(), 34);
    }

    void ctrlPPrintsAnImageOfTheWindow() {
        QTemporaryDir dir;
        RecordingMessageBox boxes;
        Dialog d;
        d.printFile = dir.filePath(QStringLiteral("forma.pdf"));
        QVERIFY(d.showActive());
        d.first->setFocus();
        d.press(Qt::Key_P, Qt::ControlModifier);
        QCoreApplication::sendPostedEvents(&d);
        QVERIFY(QFileInfo(d.printFile).size() > 0);
        QVERIFY(boxes.calls.isEmpty());
        QCOMPARE(d.first->text(), QString());

        d.printConfirmed = false; // the user cancels the print dialog
        d.printFile = dir.filePath(QStringLiteral("otra.pdf"));
        d.press(Qt::Key_P, Qt::ControlModifier);
        QCoreApplication::sendPostedEvents(&d);
        QVERIFY(!QFileInfo::exists(d.printFile));
        QVERIFY(boxes.calls.isEmpty());
    }

    void aFailedPrintShowsStandardMessage38() {
        RecordingMessageBox boxes;
        Dialog d;
        d.printFile = QStringLiteral("/no/existe/la/carpeta/forma.pdf");
        QVERIFY(d.showActive());
        d.first->setFocus();
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        d.press(Qt::Key_P, Qt::ControlModifier);
        QVERIFY(boxes.calls.isEmpty()); // posted to the window, shown when it comes
        QCoreApplication::sendPostedEvents(&d);
        QCOMPARE(boxes.calls.size(), 1);
        QCOMPARE(boxes.calls[0].icon, platform::MessageBoxService::Icon::Error);
        QCOMPARE(boxes.calls[0].text, QStringLiteral("La forma no puede ser impresa"));
        QCOMPARE(boxes.calls[0].buttons, platform::MessageBoxService::Buttons::Ok);
    }

    void otherCtrlKeysHaveNoEffect() {
        Dialog d;
        QVERIFY(d.showActive());
        d.first->setFocus();
        QTest::keyClicks(d.first, QStringLiteral("abc"));
        for (Qt::Key key : {Qt::Key_S, Qt::Key_D, Qt::Key_T, Qt::Key_M})
            d.press(key, Qt::ControlModifier);
        d.press(Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(d.first->text(), QStringLiteral("abc"));
        QVERIFY(d.first->hasFocus());
        QVERIFY(d.isVisible());
        QCOMPARE(d.ctrlA, 1);
        QCOMPARE(d.ctrlM, 1);
    }
};

QTEST_MAIN(TestTEForm)
#include "tst_teform.moc"

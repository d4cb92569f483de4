#include "controls/TNorvaNumberEdit.h"
#include "notice/Tm3AvisoTiempoForm.h"
#include "shell/TMenuDataModule.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using notice::Tm3AvisoTiempoForm;

class TstPostpone : public QObject {
    Q_OBJECT
    shell::TMenuDataModule menus;

private slots:
    void acceptHandsOverTheWait_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("unit");
        QTest::addColumn<bool>("dontAsk");
        QTest::addColumn<qint64>("waitMs");
        QTest::newRow("five minutes, unchanged") << 5 << 0 << false << qint64(300000);
        QTest::newRow("two hours") << 2 << 1 << false << qint64(7200000);
        QTest::newRow("a day, never ask again") << 1440 << 0 << true << qint64(86400000);
    }
    void acceptHandsOverTheWait() {
        QFETCH(int, value);
        QFETCH(int, unit);
        QFETCH(bool, dontAsk);
        QFETCH(qint64, waitMs);
        Tm3AvisoTiempoForm dialog;
        dialog.setWait(5, 0);
        QCOMPARE(dialog.ETiempoAviso->text(), QStringLiteral("5"));
        QCOMPARE(dialog.MinHora->currentText(), QStringLiteral("Minuto(s)"));
        QVERIFY(!dialog.CBNoMostrar->isChecked());
        dialog.setWait(value, unit);
        dialog.CBNoMostrar->setChecked(dontAsk);
        int calls = 0;
        Tm3AvisoTiempoForm::Answer got;
        dialog.onAccept = [&](const Tm3AvisoTiempoForm::Answer& a) {
            ++calls;
            got = a;
        };
        dialog.show();
        QTest::mouseClick(dialog.BAceptar2001, Qt::LeftButton);
        QCOMPARE(calls, 1);
        QCOMPARE(got.value, value);
        QCOMPARE(got.unitIndex, unit);
        QCOMPARE(got.dontAskAgain, dontAsk);
        QCOMPARE(got.waitMs(), waitMs);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
    }

    void cancelAndEscapeChangeNothing() {
        for (bool escape : {false, true}) {
            Tm3AvisoTiempoForm dialog;
            bool accepted = false;
            dialog.onAccept = [&](const Tm3AvisoTiempoForm::Answer&) { accepted = true; };
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            if (escape)
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                QTest::mouseClick(dialog.BCancelar002, Qt::LeftButton);
            QVERIFY(!accepted);
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QVERIFY(!dialog.isVisible());
        }
    }

    void layoutAndKeys() {
        Tm3AvisoTiempoForm dialog;
        QCOMPARE(dialog.size(), QSize(230, 135));
        QVERIFY(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(dialog.LTituloAvisoTiempo->text(), QStringLiteral("    Tiempo de próximo aviso."));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        // The tab order: the wait, "&Aceptar", "&Cancelar", the unit, the box.
        dialog.ETiempoAviso->setFocus();
        for (QWidget* next :
             {static_cast<QWidget*>(dialog.BAceptar2001),
              static_cast<QWidget*>(dialog.BCancelar002), static_cast<QWidget*>(dialog.MinHora),
              static_cast<QWidget*>(dialog.CBNoMostrar)}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        dialog.MinHora->setFocus();
        QTest::keyClicks(dialog.MinHora, QStringLiteral("H"));
        QCOMPARE(dialog.MinHora->currentIndex(), 0); // typed letters choose nothing
        // The wait stays within 1 to 1440.
        dialog.setWait(5000, 0);
        dialog.onAccept = [](const Tm3AvisoTiempoForm::Answer& a) { QVERIFY(a.value <= 1440); };
        QTest::mouseClick(dialog.BAceptar2001, Qt::LeftButton);
    }
};

QTEST_MAIN(TstPostpone)
#include "tst_postpone.moc"

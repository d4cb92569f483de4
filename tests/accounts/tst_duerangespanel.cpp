#include "accounts/DueRangesPanel.h"
#include "controls/OutlookBar.h"
#include "controls/TNorvaNumberEdit.h"
#include "shell/TAvisoTransaccionesPendientesForm.h"
#include "shell/TMenuDataModule.h"
#include "shell/Tm3TransaccionesPendientesForm.h"
#include "support/SetClock.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace accounts;

namespace {

// The module window with its notice window, not started up: the panel is part
// of the frame.
struct Module {
    shell::TMenuDataModule menus;
    shell::TAvisoTransaccionesPendientesForm notice;
    shell::Tm3TransaccionesPendientesForm window{&notice, nullptr};
    DueRangesPanel& panel = *window.PanelTiempoVencimiento;
};

QString values(const DueRangesPanel& p) {
    QStringList out;
    for (const controls::TNorvaNumberEdit* e :
         {p.EVencen1, p.EVencen2, p.EVencen3, p.EVencen4, p.EVencen5, p.EVencen6, p.EVencen7})
        out << QString::number(e->WholeValue());
    return out.join(QLatin1Char(' '));
}

// Types into a field as the user would (replacing its text) and leaves it.
void typeAndLeave(controls::TNorvaNumberEdit* edit, const QString& text) {
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(edit, &in);
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(edit, &out);
}

} // namespace

class TstDueRangesPanel : public QObject {
    Q_OBJECT
private slots:
    void initialState() {
        Module m;
        DueRangesPanel& p = m.panel;
        QCOMPARE(p.objectName(), QStringLiteral("PanelTiempoVencimiento"));
        QVERIFY(p.isHidden());
        QCOMPARE(p.geometry(), QRect(104, 92, 260, 185));
        QCOMPARE(p.LTitulo->text(), QStringLiteral("Definir Vencimientos"));
        QCOMPARE(p.Label22->text(), QStringLiteral("Entre 1 y 30 días:"));
        QCOMPARE(p.Label35->text(), QStringLiteral("   \"  31 y 60 días:"));
        QCOMPARE(p.Label36->text(), QStringLiteral("   \"  61 y 90 días:"));
        QCOMPARE(p.Label37->text(), QStringLiteral("Mas de 90 días  :"));
        QCOMPARE(p.RGTipoVencimiento->title(), QStringLiteral("Tipo de Análisis"));
        QCOMPARE(p.RBCuentasVencidas->text(), QStringLiteral("Cuentas Vencidas"));
        QCOMPARE(p.RBCuentasPorVencer->text(), QStringLiteral("Cuentas por Vencer"));
        QCOMPARE(p.BAceptar2001->text(), QStringLiteral("Aceptar"));
        QCOMPARE(p.BRestablecer023->text(), QStringLiteral("Restablecer"));
        QCOMPARE(values(p), QStringLiteral("1 30 31 60 61 90 91"));
        QCOMPARE(p.ItemIndex(), 0);
        QCOMPARE(p.Analysis(), DueAnalysis::Vencidas);
        // Only the upper bounds are typed, whole days from 0 to 10000; each
        // bound after them holds the day more that the rules can push it to.
        const QList<controls::TNorvaNumberEdit*> edits{
            p.EVencen1, p.EVencen2, p.EVencen3, p.EVencen4, p.EVencen5, p.EVencen6, p.EVencen7};
        const double maxima[] = {10000, 10000, 10001, 10002, 10003, 10004, 10005};
        for (int i = 0; i < edits.size(); ++i) {
            const controls::TNorvaNumberEdit* e = edits[i];
            QCOMPARE(e->isEnabled(), i % 2 == 1);
            QCOMPARE(e->NorvaNumberObject().TipoDato(), controls::TDato::Entero);
            QCOMPARE(e->NorvaNumberObject().Decimales(), 0);
            QCOMPARE(e->NorvaNumberObject().MinValor(), 0.0);
            QCOMPARE(e->NorvaNumberObject().MaxValor(), maxima[i]);
            QVERIFY(!e->ShowButton());
        }
    }

    // Leaving an upper bound through the field itself keeps the ranges consecutive.
    void leavingAnUpperBound_data() {
        QTest::addColumn<int>("edit"); // 2, 4 or 6
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("values");
        QTest::newRow("EVencen2 0")
            << 2 << QStringLiteral("0") << QStringLiteral("1 2 3 60 61 90 91");
        QTest::newRow("EVencen2 1")
            << 2 << QStringLiteral("1") << QStringLiteral("1 1 2 60 61 90 91");
        QTest::newRow("EVencen2 75")
            << 2 << QStringLiteral("75") << QStringLiteral("1 75 76 77 78 90 91");
        QTest::newRow("EVencen4 200")
            << 4 << QStringLiteral("200") << QStringLiteral("1 30 31 200 201 202 203");
        QTest::newRow("EVencen4 400")
            << 4 << QStringLiteral("400") << QStringLiteral("1 30 31 400 401 402 403");
        QTest::newRow("EVencen6 65")
            << 6 << QStringLiteral("65") << QStringLiteral("1 30 31 60 61 65 66");
        // At the limit the ranges stay consecutive: no day is in two of them.
        QTest::newRow("EVencen2 10000") << 2 << QStringLiteral("10000")
                                        << QStringLiteral("1 10000 10001 10002 10003 10004 10005");
        // The field keeps its maximum while typing: the last digit is refused.
        QTest::newRow("EVencen6 100005")
            << 6 << QStringLiteral("100005") << QStringLiteral("1 30 31 60 61 10000 10001");
    }
    void leavingAnUpperBound() {
        QFETCH(int, edit);
        QFETCH(QString, typed);
        QFETCH(QString, values);
        Module m;
        DueRangesPanel& p = m.panel;
        typeAndLeave(edit == 2 ? p.EVencen2 : edit == 4 ? p.EVencen4 : p.EVencen6, typed);
        QCOMPARE(::values(p), values);
    }

    // "Restablecer" brings back the initial values; the analysis stays.
    void restablecer() {
        Module m;
        DueRangesPanel& p = m.panel;
        typeAndLeave(p.EVencen2, QStringLiteral("500"));
        QCOMPARE(values(p), QStringLiteral("1 500 501 502 503 504 505"));
        p.RBCuentasPorVencer->click();
        p.BRestablecer023->click();
        QCOMPARE(values(p), QStringLiteral("1 30 31 60 61 90 91"));
        QCOMPARE(p.Analysis(), DueAnalysis::PorVencer);
    }

    // The day count and the range test read the panel as it stands.
    void dayCountAndRangesFollowThePanel() {
        SetClock clock(2026, 5, 10, 16, 30);
        const double today = clock.today();
        Module m;
        DueRangesPanel& p = m.panel;
        QCOMPARE(p.DayCount(today - 300), 300);
        QVERIFY(p.InRange(4, 300));
        typeAndLeave(p.EVencen4, QStringLiteral("400"));
        QVERIFY(p.InRange(2, 300));
        QVERIFY(!p.InRange(4, 300));
        p.RBCuentasPorVencer->click();
        QCOMPARE(p.DayCount(today - 300), -300);
        QCOMPARE(p.DayCount(today + 10), 10);
        QVERIFY(p.InRange(1, p.DayCount(today + 10)));
    }

    // "&Avanzado" makes the panel a modal layer; "Aceptar" lifts it.
    void openingAndClosing() {
        Module m;
        DueRangesPanel& p = m.panel;
        shell::Tm3TransaccionesPendientesForm& w = m.window;
        typeAndLeave(p.EVencen2, QStringLiteral("20"));
        p.BAvanzado025Click();
        QVERIFY(!p.isHidden());
        QCOMPARE(p.parentWidget()->children().last(), &p); // in front
        QVERIFY(!w.MenuTransacciones->menuAction()->isEnabled());
        QVERIFY(!w.MenuSistema->menuAction()->isEnabled());
        QVERIFY(!w.PanelReporte->isEnabled());
        QVERIFY(!w.OutlookBar->isEnabled());
        QVERIFY(!m.notice.isEnabled());

        p.BAceptar2001->click();
        QVERIFY(p.isHidden());
        QVERIFY(w.MenuTransacciones->menuAction()->isEnabled());
        QVERIFY(w.MenuSistema->menuAction()->isEnabled());
        QVERIFY(w.PanelReporte->isEnabled());
        QVERIFY(w.OutlookBar->isEnabled());
        QVERIFY(m.notice.isEnabled());
        // Nothing is reset on closing: the values are the ones in force.
        QCOMPARE(values(p), QStringLiteral("1 20 21 60 61 90 91"));
    }
};

QTEST_MAIN(TstDueRangesPanel)
#include "tst_duerangespanel.moc"

#include "BankPages.h"
#include "support/RecordingMessageBox.h"

#include <QSignalSpy>
#include <QStandardItemModel>

using namespace banktest;

namespace {

void clickRow(controls::LookupCombo* bank, int row) {
    QTreeView* view = bank->listView();
    const QRect rect = view->visualRect(view->model()->index(row, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
}

// Banco Dos has a transaction, the other two none.
struct Bank {
    CompanyFixture company{CompanyFixture::Kind::Empty};
    Bank() {
        addBanks(company);
        addTransaction(company, QStringLiteral("0134-002"), QStringLiteral("Banco Dos"),
                       QStringLiteral("Alquiler"), 100, 1);
    }
};

} // namespace

class TstLookup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { useSpanishFormats(); }

    // The selector on its own: titled columns, Enter or a click accepts the
    // highlighted row, Esc or a click elsewhere does not.
    void selectorOnItsOwn() {
        Bank b;
        data::Table table;
        table.setDatabaseName(b.company.dataFolder());
        table.setTableName(QStringLiteral("Sbancos.dat"));
        table.open();
        QWidget window;
        controls::LookupCombo combo(&window);
        combo.setLookupTable(&table);
        combo.setLookupField(QStringLiteral("FB_NOCUENTA"));
        combo.setDisplayField(QStringLiteral("FB_DESCRIPCION"));
        combo.setSelectedColumns({QStringLiteral("FB_DESCRIPCION\t20\tDescripción\tT"),
                                  QStringLiteral("FB_NOCUENTA\t20\tNumero de Cuenta\tT")});
        window.show();
        QSignalSpy drops(&combo, &controls::LookupCombo::dropDown);
        QSignalSpy closes(&combo, &controls::LookupCombo::closedUp);
        QSignalSpy keys(&combo, &controls::LookupCombo::keyDown);
        QSignalSpy values(&combo, &controls::LookupCombo::valueChanged);

        combo.showPopup();
        QVERIFY(combo.isDroppedDown());
        QCOMPARE(drops.count(), 1);
        QCOMPARE(combo.rowCount(), 3);
        QCOMPARE(combo.rowText(1, 0), QStringLiteral("Banco Dos"));
        QCOMPARE(combo.rowText(1, 1), QStringLiteral("0134-002"));
        QCOMPARE(combo.listView()->model()->headerData(1, Qt::Horizontal).toString(),
                 QStringLiteral("Numero de Cuenta"));
        QTest::keyClick(combo.listView(), Qt::Key_Down);
        QTest::keyClick(combo.listView(), Qt::Key_Down);
        QTest::keyClick(combo.listView(), Qt::Key_Return);
        QVERIFY(!combo.isDroppedDown());
        QCOMPARE(keys.count(), 3);
        QCOMPARE(keys.last().at(0).toInt(), int(Qt::Key_Return));
        QCOMPARE(closes.last().at(0).toBool(), true);
        QCOMPARE(combo.lookupValue(), QStringLiteral("0134-002"));
        QCOMPARE(combo.displayText(), QStringLiteral("Banco Dos"));
        QCOMPARE(combo.chosenText(), QStringLiteral("Banco Dos"));
        QCOMPARE(values.count(), 1);

        combo.showPopup();
        QCOMPARE(combo.highlightedRow(), 1); // the chosen row
        combo.setHighlightedRow(2);
        QTest::keyClick(combo.listView(), Qt::Key_Escape);
        QVERIFY(!combo.isDroppedDown());
        QCOMPARE(closes.last().at(0).toBool(), false);
        QCOMPARE(combo.lookupValue(), QStringLiteral("0134-002"));

        combo.showPopup();
        clickRow(&combo, 0);
        QVERIFY(!combo.isDroppedDown());
        QCOMPARE(combo.displayText(), QStringLiteral("Banco Uno"));

        combo.showPopup();
        combo.listPopup()->hide(); // a click elsewhere
        QVERIFY(!combo.isDroppedDown());
        QCOMPARE(closes.last().at(0).toBool(), false);
        QCOMPARE(combo.displayText(), QStringLiteral("Banco Uno"));

        // The arrows on the closed selector do not change the choice; F4 opens.
        QTest::keyClick(&combo, Qt::Key_Down);
        QCOMPARE(combo.lookupValue(), QStringLiteral("0102-001"));
        QTest::keyClick(&combo, Qt::Key_F4);
        QVERIFY(combo.isDroppedDown());
        combo.closeUp(false);

        QVERIFY(combo.selectByDisplayText(QStringLiteral("Banco Tres")));
        QCOMPARE(combo.lookupValue(), QStringLiteral("0108-003"));
        QVERIFY(!combo.selectByDisplayText(QStringLiteral("Banco Inventado")));
        QCOMPARE(combo.lookupValue(), QString());
        QCOMPARE(combo.displayText(), QStringLiteral("Banco Inventado"));
        combo.setLookupValue(QStringLiteral("0134-002"));
        QCOMPARE(combo.chosenText(), QStringLiteral("Banco Dos"));
    }

    // The selection rules of the module window's selectors, on the bank page:
    // every row clicked is the choice.
    void mouseChoicesAreTaken() {
        Bank b;
        RecordingMessageBox boxes;
        Program p;
        bank::PendingPage& page = openBankPage(p);
        bank::LookupSelection& s = *p.module.Lookup;
        controls::LookupCombo* bank = p.module.CBanco;
        QVERIFY(s.LookupMouseSelect);

        bank->showPopup();
        QVERIFY(s.LookupDropped);
        QVERIFY(p.module.LookupOpen());
        clickRow(bank, 1);
        QVERIFY(!bank->isDroppedDown());
        QVERIFY(!s.LookupDropped);
        QVERIFY(!p.module.LookupOpen());
        QCOMPARE(bank->displayText(), QStringLiteral("Banco Dos"));
        QCOMPARE(page.NorvaListTransPendiente->Count(), 1);
        QVERIFY(s.LookupMouseSelect);

        // The next click on a row chooses it at once; the list does not reopen.
        bank->showPopup();
        clickRow(bank, 0);
        QVERIFY(!bank->isDroppedDown());
        QCOMPARE(bank->displayText(), QStringLiteral("Banco Uno"));
        QVERIFY(page.NorvaListTransPendiente->IsPlaceholder());

        // A list closed without a row (a click elsewhere) keeps the choice.
        bank->showPopup();
        bank->hidePopup();
        QVERIFY(!bank->isDroppedDown());
        QCOMPARE(bank->displayText(), QStringLiteral("Banco Uno"));
    }

    void keyChoices() {
        Bank b;
        RecordingMessageBox boxes;
        Program p;
        bank::PendingPage& page = openBankPage(p);
        bank::LookupSelection& s = *p.module.Lookup;
        controls::LookupCombo* bank = p.module.CBanco;

        bank->showPopup();
        bank->setHighlightedRow(0);
        QTest::keyClick(bank->listView(), Qt::Key_Down);
        QCOMPARE(s.LookupKey, int(Qt::Key_Down));
        QVERIFY(s.LookupKeyPressed);
        QTest::keyClick(bank->listView(), Qt::Key_Return);
        QVERIFY(!bank->isDroppedDown());
        QCOMPARE(bank->displayText(), QStringLiteral("Banco Dos"));
        QCOMPARE(page.NorvaListTransPendiente->Count(), 1);
        QVERIFY(s.LookupMouseSelect);
        QCOMPARE(s.LookupKey, 0);
        QVERIFY(!s.LookupKeyPressed); // the bank selector clears it

        // A key, then a click: the list opens again and the row is not taken.
        bank->showPopup();
        QTest::keyClick(bank->listView(), Qt::Key_Up);
        clickRow(bank, 2);
        QVERIFY(bank->isDroppedDown());
        QCOMPARE(bank->displayText(), QStringLiteral("Banco Dos"));
        QCOMPARE(s.LookupKey, 0);
        clickRow(bank, 2);
        QVERIFY(!bank->isDroppedDown());
        QCOMPARE(bank->displayText(), QStringLiteral("Banco Tres"));

        // Alt keys do not count.
        bank->showPopup();
        QTest::keyClick(bank->listView(), Qt::Key_X, Qt::AltModifier);
        QCOMPARE(s.LookupKey, 0);
        bank->closeUp(false);
    }

    // Esc closes only the list: no choice, no new opening, and the window stays.
    void escapeClosesOnlyTheList() {
        Bank b;
        RecordingMessageBox boxes;
        Program p;
        openBankPage(p);
        bank::LookupSelection& s = *p.module.Lookup;
        controls::LookupCombo* bank = p.module.CBanco;
        bank->showPopup();
        bank->setHighlightedRow(1);
        QTest::keyClick(bank->listView(), Qt::Key_Escape);
        QVERIFY(!bank->isDroppedDown());
        QVERIFY(!s.LookupDropped);
        QCOMPARE(bank->displayText(), QString());
        QVERIFY(p.module.isVisible());
    }

    // Closing the window takes the highlighted row and opens nothing again.
    void closingTheWindowAcceptsTheRow() {
        Bank b;
        RecordingMessageBox boxes;
        Program p;
        openBankPage(p);
        controls::LookupCombo* bank = p.module.CBanco;
        p.module.Lookup->LookupMouseSelect = false;
        bank->showPopup();
        bank->setHighlightedRow(2);
        p.module.close();
        QVERIFY(!bank->isDroppedDown());
        QCOMPARE(bank->lookupValue(), QStringLiteral("0108-003"));
        QVERIFY(!p.module.Lookup->LookupDropped);
    }
};

QTEST_MAIN(TstLookup)
#include "tst_lookup.moc"

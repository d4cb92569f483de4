#include "BankPages.h"
#include "controls/ListPainting.h"
#include "controls/TNorvaDateEdit.h"
#include "support/RecordingMessageBox.h"
#include "support/SetClock.h"

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>

using namespace banktest;
namespace dt = core::dt;

namespace {

const QString DeleteQuestion = QStringLiteral("Desea Eliminar la Transacción?");

// Banco Dos holds three transactions, Banco Uno one (between them by key).
struct BankCompany {
    SetClock clock{2024, 5, 10, 9, 0};
    double today = clock.today();
    CompanyFixture company{CompanyFixture::Kind::Empty};
    qint64 rent = 0, phone = 0, light = 0, other = 0;

    BankCompany() {
        addBanks(company);
        rent = addTransaction(company, QStringLiteral("0134-002"), QStringLiteral("Banco Dos"),
                              QStringLiteral("Alquiler"), 600, 3, QStringLiteral("Inmobiliaria"));
        other = addTransaction(company, QStringLiteral("0102-001"), QStringLiteral("Banco Uno"),
                               QStringLiteral("Seguro"), 50, 1);
        phone = addTransaction(company, QStringLiteral("0134-002"), QStringLiteral("Banco Dos"),
                               QStringLiteral("Teléfono"), 60, 2);
        light = addTransaction(company, QStringLiteral("0134-002"), QStringLiteral("Banco Dos"),
                               QStringLiteral("Luz"), 0, 0);
        addInstallment(company, rent, {1, today - 20, 100, true});
        addInstallment(company, rent, {2, today - 1, 200, false});
        addInstallment(company, rent, {3, today + 1, 300, false});
        addInstallment(company, other, {1, today + 2, 50, false});
        addInstallment(company, phone, {1, today - 5, 30, false});
        addInstallment(company, phone, {2, today + 25, 30, false});
    }
};

QImage paint(controls::TNorvaList* list) {
    QFont font = QApplication::font();
    font.setPixelSize(11);
    font.setStyleStrategy(QFont::NoAntialias);
    list->setFont(font);
    list->show();
    QCoreApplication::processEvents();
    return list->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int pixels(const QImage& image, const QRect& area, QRgb colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == colour)
                ++n;
    return n;
}

} // namespace

class TstPending : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { useSpanishFormats(); }

    // On the demo company, a bank chosen with the mouse lists its transactions,
    // also on the bank page the window opens with (no side-bar click first).
    void demoBankChosenWithTheMouse() {
        CompanyFixture company(CompanyFixture::Kind::Demo);
        RecordingMessageBox boxes;
        Program p;
        showModule(p);
        bank::PendingPage& page = *p.module.Pending;
        controls::LookupCombo* bank = p.module.CBanco;
        bank->showPopup();
        QTreeView* view = bank->listView();
        QVERIFY(QTest::qWaitForWindowExposed(view->window()));
        const QRect row = view->visualRect(view->model()->index(0, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(bank->displayText(), QStringLiteral("Banco de Venezuela"));
        QCOMPARE(descriptions(*page.NorvaListTransPendiente),
                 QStringList({QStringLiteral("Alquiler de la oficina"),
                              QStringLiteral("Cargo por servicio de internet")}));
        QVERIFY(boxes.calls.isEmpty());
    }

    // A bank's transactions in key order; the choice is remembered.
    void bankListsItsTransactions() {
        BankCompany c;
        RecordingMessageBox boxes;
        Program p;
        bank::PendingPage& page = openBankPage(p);
        QCOMPARE(page.PageControlPendientes->currentWidget(), page.TabSheetBanco);
        QCOMPARE(page.LBusqueda->text(), QStringLiteral("Banco"));
        QCOMPARE(p.module.CBanco->parentWidget(), p.module.PanelPendiente);
        QCOMPARE(p.module.CBanco->pos(), QPoint(50, 23));
        QVERIFY(!page.BVer008->isEnabled());
        QVERIFY(!page.BBorrar010->isEnabled());
        QVERIFY(!page.BBuscar006->isVisible());
        QVERIFY(!p.module.EFechaDesde->isVisible());
        QVERIFY(page.NorvaListTransPendiente->IsPlaceholder());
        QCOMPARE(p.module.StatusPanels[3]->text(), QStringLiteral("Registros: 0"));

        chooseBank(p.module.CBanco, 1);
        QCOMPARE(descriptions(*page.NorvaListTransPendiente),
                 QStringList({QStringLiteral("Alquiler"), QStringLiteral("Teléfono"),
                              QStringLiteral("Luz")}));
        const auto* first = page.NorvaListTransPendiente->RecordAs<bank::TTransReg>(0);
        QCOMPARE(first->Key, qint32(c.rent));
        QCOMPARE(first->Beneficiario, QStringLiteral("Inmobiliaria"));
        QCOMPARE(first->NroGiros, 3);
        QVERIFY(page.NorvaListTransPendiente->isEnabled());
        QVERIFY(page.BVer008->isEnabled());
        QVERIFY(page.BBorrar010->isEnabled());
        QCOMPARE(p.module.StatusPanels[3]->text(), QStringLiteral("Registros: 3"));
        QCOMPARE(p.module.ViewMemory[0], QStringLiteral("Banco Dos"));
        QVERIFY(!p.module.TablaTransPendientes.isOpen());
        QVERIFY(p.module.OvcMeterRegistros->isHidden());

        // Away and back: the choice and the list are still there.
        p.module.OutlookBar->clickItem(Form::GroupTransaccion, 0);
        QCOMPARE(p.module.CBanco->displayText(), QString());
        p.module.OutlookBar->clickItem(Form::GroupPendientes, 0);
        QCOMPARE(p.module.CBanco->displayText(), QStringLiteral("Banco Dos"));
        QCOMPARE(p.module.CBanco->lookupValue(), QStringLiteral("0134-002"));
        QCOMPARE(page.NorvaListTransPendiente->Count(), 3);
        QVERIFY(page.BVer008->isEnabled());
        QCOMPARE(p.module.StatusPanels[3]->text(), QStringLiteral("Registros: 3"));

        // A bank without transactions.
        chooseBank(p.module.CBanco, 2);
        QVERIFY(page.NorvaListTransPendiente->IsPlaceholder());
        QVERIFY(!page.NorvaListTransPendiente->isEnabled());
        QVERIFY(!page.BVer008->isEnabled());
        QVERIFY(!page.BBorrar010->isEnabled());
        QCOMPARE(p.module.StatusPanels[3]->text(), QStringLiteral("Registros: 0"));
        QCOMPARE(p.module.ViewMemory[0], QStringLiteral("Banco Tres"));
        QVERIFY(boxes.calls.isEmpty());
    }

    // 100 paid, 200 unpaid from yesterday, 300 unpaid for tomorrow: Total
    // 600,00, Por Pagar 500,00, Vencidos 200,00, and the 200 row red.
    void installmentsOfOneTransaction() {
        BankCompany c;
        RecordingMessageBox boxes;
        Program p;
        bank::PendingPage& page = openBankPage(p);
        chooseBank(p.module.CBanco, 1);
        viewTransaction(page, 0);
        QCOMPARE(page.PageControlPendientes->currentWidget(), page.TabSheetMuestra);
        QCOMPARE(page.StaticText1->text(), QStringLiteral(" Descripción: Alquiler"));
        QVERIFY(page.StaticText1->isVisible());
        QCOMPARE(page.NorvaListPendientesBanco->Count(), 3);
        QCOMPARE(trimmed(page.LTotal), QStringLiteral("600,00"));
        QCOMPARE(trimmed(page.LPorPagar), QStringLiteral("500,00"));
        QCOMPARE(trimmed(page.LVencidos), QStringLiteral("200,00"));
        QCOMPARE(page.TotalMonto, money(600));
        QCOMPARE(p.module.StatusPanels[3]->text(), QStringLiteral("Registros: 3"));
        const auto* second = page.NorvaListPendientesBanco->RecordAs<bank::TGirosReg>(1);
        QCOMPARE(second->MontoGiro, money(200));
        QCOMPARE(second->Banco, QStringLiteral("Banco Dos"));
        QCOMPARE(second->Beneficiario, QStringLiteral("Inmobiliaria"));
        QCOMPARE(second->KeyTransaccion, qint32(c.rent));
        const auto* paid = page.NorvaListPendientesBanco->RecordAs<bank::TGirosReg>(0);
        QCOMPARE(paid->FechaPagado, core::formatShortDate(c.today - 20));
        // The frame is held while one transaction is shown.
        QVERIFY(!menusEnabled(p));
        QVERIFY(!p.module.OutlookBar->isEnabled());
        QVERIFY(!p.module.CBanco->isEnabled());
        QVERIFY(!p.tray.Configurar1->isEnabled());
        QVERIFY(!p.tray.Acercade1->isEnabled());
        QVERIFY(!p.notice.isEnabled());
        QVERIFY(page.BTAnterior0032->isVisible());
        QVERIFY(!page.BBorrar010->isVisible());
        QVERIFY(!page.BVer008->isEnabled());

        const QImage image = paint(page.NorvaListPendientesBanco);
        auto rowArea = [&](int row) {
            return page.NorvaListPendientesBanco->ItemRect(row).adjusted(0, 0, -20, 0);
        };
        QCOMPARE(pixels(image, rowArea(0), controls::GridRed), 0);
        QVERIFY(pixels(image, rowArea(1), controls::GridRed) > 20);
        QCOMPARE(pixels(image, rowArea(2), controls::GridRed), 0);

        page.BTAnterior0032->click();
        QCOMPARE(page.PageControlPendientes->currentWidget(), page.TabSheetBanco);
        QVERIFY(menusEnabled(p));
        QVERIFY(p.module.OutlookBar->isEnabled());
        QVERIFY(p.module.CBanco->isEnabled());
        QVERIFY(p.tray.Configurar1->isEnabled());
        QVERIFY(p.notice.isEnabled());
        QVERIFY(!page.BTAnterior0032->isVisible());
        QVERIFY(page.BBorrar010->isVisible());
        QVERIFY(page.BVer008->isEnabled());
        QVERIFY(!page.StaticText1->isVisible());
        QCOMPARE(page.LTotal->text(), QStringLiteral("0,00"));
        QCOMPARE(page.LVencidos->text(), QStringLiteral("0,00"));
        QCOMPARE(p.module.StatusPanels[3]->text(), QStringLiteral("Registros: 3"));
        QVERIFY(boxes.calls.isEmpty());
    }

    void transactionWithoutInstallments() {
        BankCompany c;
        RecordingMessageBox boxes;
        Program p;
        bank::PendingPage& page = openBankPage(p);
        chooseBank(p.module.CBanco, 1);
        const QPoint at = page.NorvaListTransPendiente->ItemRect(2).center();
        QTest::mouseClick(page.NorvaListTransPendiente->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(page.NorvaListTransPendiente->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(page.PageControlPendientes->currentWidget(), page.TabSheetMuestra);
        QVERIFY(page.NorvaListPendientesBanco->IsPlaceholder());
        QVERIFY(!page.NorvaListPendientesBanco->isEnabled());
        QCOMPARE(p.module.StatusPanels[3]->text(), QStringLiteral("Registros: 0"));
        QCOMPARE(page.LTotal->text().trimmed(), QStringLiteral("0,00"));
    }

    // The date search: its three date conditions and the status filter, the
    // totals, and what the page remembers.
    void dateSearch_data() {
        QTest::addColumn<int>("from"); // days from today, 99 = empty
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("status"); // Todas, Pagados, Por Pagar
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<double>("total");
        QTest::addColumn<double>("unpaid");
        QTest::addColumn<double>("overdue");
        QTest::newRow("up to today, unpaid")
            << 99 << 0 << 2
            << QStringList({QStringLiteral("Teléfono #1"), QStringLiteral("Alquiler #2")}) << 230.0
            << 230.0 << 230.0;
        QTest::newRow("from today on, all")
            << 0 << 99 << 0
            << QStringList({QStringLiteral("Alquiler #3"), QStringLiteral("Seguro #1"),
                            QStringLiteral("Teléfono #2")})
            << 380.0 << 380.0 << 0.0;
        QTest::newRow("a range, paid only")
            << -30 << 30 << 1 << QStringList({QStringLiteral("Alquiler #1")}) << 100.0 << 0.0
            << 0.0;
        QTest::newRow("no dates, all")
            << 99 << 99 << 0
            << QStringList({QStringLiteral("Alquiler #1"), QStringLiteral("Teléfono #1"),
                            QStringLiteral("Alquiler #2"), QStringLiteral("Alquiler #3"),
                            QStringLiteral("Seguro #1"), QStringLiteral("Teléfono #2")})
            << 710.0 << 610.0 << 230.0;
        QTest::newRow("a range, unpaid")
            << -5 << 2 << 2
            << QStringList({QStringLiteral("Teléfono #1"), QStringLiteral("Alquiler #2"),
                            QStringLiteral("Alquiler #3"), QStringLiteral("Seguro #1")})
            << 580.0 << 580.0 << 230.0;
        QTest::newRow("nothing found") << 40 << 50 << 0 << QStringList() << 0.0 << 0.0 << 0.0;
    }
    void dateSearch() {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, status);
        QFETCH(QStringList, rows);
        QFETCH(double, total);
        QFETCH(double, unpaid);
        QFETCH(double, overdue);
        BankCompany c;
        RecordingMessageBox boxes;
        Program p;
        bank::PendingPage& page = openDatePage(p);
        QCOMPARE(page.PageControlPendientes->currentWidget(), page.TabSheetFecha);
        QCOMPARE(page.LBusqueda->text(), QStringLiteral("Desde:"));
        QVERIFY(!p.module.CBanco->isVisible());
        QVERIFY(!page.BVer008->isVisible());
        QVERIFY(page.BBuscar006->isVisible());
        QVERIFY(page.CBStatus->isVisible());
        QCOMPARE(page.CBStatus->currentText(), QStringLiteral("Por Pagar"));
        // Showing the window empties the from-date and sets the to-date to today.
        QVERIFY(p.module.EFechaDesde->text().isEmpty());
        QCOMPARE(p.module.EFechaHasta->Date(), c.today);

        p.module.EFechaDesde->SetDate(from == 99 ? 0 : c.today + from);
        p.module.EFechaHasta->SetDate(to == 99 ? 0 : c.today + to);
        page.CBStatus->blockSignals(true);
        page.CBStatus->setCurrentIndex(status);
        page.CBStatus->blockSignals(false);
        page.BBuscar006->click();
        QVERIFY(boxes.calls.isEmpty());
        QCOMPARE(descriptions(*page.NorvaListFecha), rows);
        QCOMPARE(page.TotalMonto, money(total));
        QCOMPARE(page.TotalPorPagar, money(unpaid));
        QCOMPARE(page.TotalVencidos, money(overdue));
        QCOMPARE(trimmed(page.LTotal), core::format15(money(total)).trimmed());
        QCOMPARE(trimmed(page.LVencidos), core::format15(money(overdue)).trimmed());
        QCOMPARE(p.module.StatusPanels[3]->text(),
                 QStringLiteral("Registros: %1").arg(rows.size()));
        QCOMPARE(page.NorvaListFecha->isEnabled(), !rows.isEmpty());
        QCOMPARE(page.NorvaListFecha->IsPlaceholder(), rows.isEmpty());
        QCOMPARE(bank::CurrencyFromText(p.module.ViewMemory[1]), money(total));
        QCOMPARE(bank::CurrencyFromText(p.module.ViewMemory[2]), money(unpaid));
        QCOMPARE(bank::CurrencyFromText(p.module.ViewMemory[3]), money(overdue));
        QVERIFY(!p.module.Query.isOpen());

        // Back on the page later: the last search's totals and rows.
        p.module.OutlookBar->clickItem(Form::GroupPendientes, 0);
        p.module.OutlookBar->clickItem(Form::GroupPendientes, 1);
        QCOMPARE(trimmed(page.LPorPagar), core::format15(money(unpaid)).trimmed());
        QCOMPARE(page.NorvaListFecha->Count(), rows.isEmpty() ? 1 : int(rows.size()));
    }

    void searchRunsOnFilterChangeAndLeavingADate() {
        BankCompany c;
        RecordingMessageBox boxes;
        Program p;
        bank::PendingPage& page = openDatePage(p);
        page.CBStatus->setCurrentIndex(0);         // "Todas"
        QCOMPARE(page.NorvaListFecha->Count(), 3); // everything up to today
        p.module.EFechaDesde->setFocus();
        p.module.EFechaDesde->SetDate(c.today - 5);
        p.module.EFechaHasta->setFocus(); // leaves the from-date
        QCOMPARE(descriptions(*page.NorvaListFecha),
                 QStringList({QStringLiteral("Teléfono #1"), QStringLiteral("Alquiler #2")}));
    }

    void closingFromTheDatePageEmptiesIt() {
        BankCompany c;
        RecordingMessageBox boxes;
        Program p;
        bank::PendingPage& page = openDatePage(p);
        page.BBuscar006->click();
        QVERIFY(!page.NorvaListFecha->IsPlaceholder());
        p.module.close();
        QVERIFY(page.NorvaListFecha->IsPlaceholder());
        QVERIFY(!page.NorvaListFecha->isEnabled());
        QCOMPARE(page.LTotal->text(), QStringLiteral("0,00"));
        QCOMPARE(page.LPorPagar->text(), QStringLiteral("0,00"));
        QCOMPARE(p.module.StatusPanels[3]->text(), QStringLiteral("Registros: 0"));
    }

    void closingFromOneTransactionGoesBack() {
        BankCompany c;
        RecordingMessageBox boxes;
        Program p;
        bank::PendingPage& page = openBankPage(p);
        chooseBank(p.module.CBanco, 1);
        viewTransaction(page, 0);
        p.module.close();
        QCOMPARE(page.PageControlPendientes->currentWidget(), page.TabSheetBanco);
        QVERIFY(menusEnabled(p));
        QVERIFY(p.module.OutlookBar->isEnabled());
        QVERIFY(page.NorvaListTransPendiente->IsPlaceholder());
        QVERIFY(!page.BVer008->isEnabled());
        QVERIFY(!page.BBorrar010->isEnabled());
        QCOMPARE(p.module.StatusPanels[3]->text(), QStringLiteral("Registros: 0"));
    }

    // Deleting a transaction takes all its installments; the others stay.
    void deletingATransaction() {
        BankCompany c;
        RecordingMessageBox boxes;
        Program p;
        bank::PendingPage& page = openBankPage(p);
        chooseBank(p.module.CBanco, 1);
        page.NorvaListTransPendiente->SetItemIndex(0);
        boxes.answerNo();
        page.BBorrar010->click();
        QCOMPARE(transactions(c.company).size(), 4);
        QCOMPARE(page.NorvaListTransPendiente->Count(), 3);
        auto dueOf = [&](qint64 key) {
            int n = 0;
            for (const bank::TGirosRegPtr& g : p.module.DueInstallments)
                n += g->KeyTransaccion == key ? 1 : 0;
            return n;
        };
        QCOMPARE(dueOf(c.rent), 2);

        boxes.answerYes();
        page.BBorrar010->click();
        QCOMPARE(boxes.texts(), QStringList(2, DeleteQuestion));
        QVERIFY(!transaction(c.company, c.rent));
        QVERIFY(installments(c.company, c.rent).isEmpty());
        QCOMPARE(installments(c.company, c.phone).size(), 2);
        QCOMPARE(installments(c.company, c.other).size(), 1);
        QCOMPARE(descriptions(*page.NorvaListTransPendiente),
                 QStringList({QStringLiteral("Teléfono"), QStringLiteral("Luz")}));
        QCOMPARE(p.module.StatusPanels[3]->text(), QStringLiteral("Registros: 2"));
        QCOMPARE(dueOf(c.rent), 0);
        QCOMPARE(dueOf(c.phone), 1);
        QVERIFY(!p.module.TablaGirosPendientes.isOpen());
        QVERIFY(!p.module.TablaTransPendientes.isOpen());

        // The last ones: the list becomes empty.
        page.NorvaListTransPendiente->SetItemIndex(0);
        boxes.answerYes();
        page.BBorrar010->click();
        page.NorvaListTransPendiente->SetItemIndex(0);
        boxes.answerYes();
        page.BBorrar010->click();
        QVERIFY(page.NorvaListTransPendiente->IsPlaceholder());
        QVERIFY(!page.NorvaListTransPendiente->isEnabled());
        QVERIFY(!page.BVer008->isEnabled());
        QCOMPARE(p.module.StatusPanels[3]->text(), QStringLiteral("Registros: 0"));
    }

    // A transaction that cannot be deleted keeps its installments and its row.
    void failedTransactionDeleteKeepsEverything() {
        BankCompany c;
        c.company.exec(QStringLiteral("m3TransPendientes.dat"),
                       QStringLiteral("CREATE TRIGGER refuse BEFORE DELETE ON m3TransPendientes "
                                      "BEGIN SELECT RAISE(ABORT, 'locked'); END"));
        RecordingMessageBox boxes;
        Program p;
        bank::PendingPage& page = openBankPage(p);
        chooseBank(p.module.CBanco, 1);
        page.NorvaListTransPendiente->SetItemIndex(0);
        boxes.answerYes();
        page.BBorrar010->click();
        QCOMPARE(boxes.texts(),
                 QStringList({DeleteQuestion, QStringLiteral("Error al eliminar los datos en la "
                                                             "tabla m3TransPendientes")}));
        QVERIFY(transaction(c.company, c.rent));
        QCOMPARE(installments(c.company, c.rent).size(), 3);
        QCOMPARE(page.NorvaListTransPendiente->Count(), 3);
    }

    // A transaction deleted elsewhere: the user is told, its installments and
    // its row go.
    void deletingATransactionGoneElsewhere() {
        BankCompany c;
        RecordingMessageBox boxes;
        Program p;
        bank::PendingPage& page = openBankPage(p);
        chooseBank(p.module.CBanco, 1);
        c.company.exec(
            QStringLiteral("m3TransPendientes.dat"),
            QStringLiteral("DELETE FROM m3TransPendientes WHERE FTP_AUTOINCKEY = %1").arg(c.rent));
        page.NorvaListTransPendiente->SetItemIndex(0);
        boxes.answerYes();
        page.BBorrar010->click();
        QCOMPARE(boxes.texts(),
                 QStringList({DeleteQuestion, QStringLiteral("Transacción no encontrada. Revise "
                                                             "la tabla m3TransPendientes")}));
        QVERIFY(installments(c.company, c.rent).isEmpty());
        QCOMPARE(transactions(c.company).size(), 3);
        QCOMPARE(page.NorvaListTransPendiente->Count(), 2);
    }

    void bankListErrorIsReported() {
        BankCompany c;
        RecordingMessageBox boxes;
        Program p;
        bank::PendingPage& page = openBankPage(p);
        QVERIFY(QFile::remove(c.company.dataFolder() + QStringLiteral("m3TransPendientes.dat")));
        chooseBank(p.module.CBanco, 1);
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral(
                                    "Error al conectarse con la tabla m3TransPendiestes.")});
        QVERIFY(page.NorvaListTransPendiente->IsPlaceholder());
        QCOMPARE(p.module.StatusPanels[3]->text(), QStringLiteral("Registros: 0"));
        QVERIFY(p.module.OvcMeterRegistros->isHidden());
    }

    void detailItemShowsTheDetailPanel() {
        BankCompany c;
        RecordingMessageBox boxes;
        Program p;
        showModule(p);
        p.module.OutlookBar->clickItem(Form::GroupPendientes, 2);
        QVERIFY(p.module.PanelAviso->isVisible());
        QVERIFY(!p.module.PanelPendiente->isVisible());
        QCOMPARE(p.module.Maintenance->LTituloPendiente->text(),
                 QStringLiteral(" Transacción Bancaria Pendiente"));
        QVERIFY(p.module.StatusPanels[3]->text().isEmpty());
    }
};

QTEST_MAIN(TstPending)
#include "tst_pending.moc"

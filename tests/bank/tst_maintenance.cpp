#include "BankPages.h"
#include "controls/TNorvaDateEdit.h"
#include "controls/TNorvaNumberEdit.h"
#include "support/RecordingMessageBox.h"
#include "support/SetClock.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>

using namespace banktest;
namespace dt = core::dt;
using bank::InstallmentMaintenance;

namespace {

const QString PayQuestion = QStringLiteral(
    "La aplicación no avisará más esta transacción. Desea continuar con la operación?");
const QString NotFound = QStringLiteral("Cuota no encontrada. Revise la tabla m3GirosPendientes");
const QString TransNotFound =
    QStringLiteral("Transacción no encontrada. Revise la tabla m3TransPendientes");
const QString RenewError = QStringLiteral("Error al introducir nueva cuota.");
const QString DeleteQuestion = QStringLiteral("Desea Eliminar la Cuota?");
const QString FixedQuestion =
    QStringLiteral("La cuota a eliminar es fija, si la elimina no se crearan mas cuotas. Desea "
                   "continuar con la operación?");

bank::TGirosReg record(const GiroRow& row) {
    bank::TGirosReg r;
    r.AutoIncKey = qint32(row.key);
    r.KeyTransaccion = qint32(row.transaction);
    r.Giro = row.giro;
    r.FechaGiro = row.fecha;
    r.HoraGiro = row.hora;
    r.MontoGiro = row.amount;
    r.Status = row.paid;
    r.PeriodoFijo = row.periodo;
    r.TipoTrans = quint8(row.tipo);
    return r;
}

// A transaction of Banco Dos whose installments are given; the company has
// the three banks.
struct Company {
    SetClock clock;
    double today;
    CompanyFixture company{CompanyFixture::Kind::Empty};
    qint64 key = 0;

    Company(const QList<Giro>& giros, QDate day = QDate(2024, 5, 10), double total = -1)
        : clock(dt::fromDate(day) + dt::encodeTime(9, 0)), today(clock.today()) {
        addBanks(company);
        double sum = 0;
        for (const Giro& g : giros)
            sum += g.amount;
        key = addTransaction(company, QStringLiteral("0134-002"), QStringLiteral("Banco Dos"),
                             QStringLiteral("Alquiler"), total < 0 ? sum : total, int(giros.size()),
                             QStringLiteral("Inmobiliaria"));
        for (const Giro& g : giros)
            addInstallment(company, key, g);
    }
    QList<GiroRow> rows() const { return installments(company, key); }
    TransRow trans() const { return *transaction(company, key); }
};

// The module window on the installments of the company's transaction.
bank::PendingPage& showInstallments(Program& p) {
    bank::PendingPage& page = openBankPage(p);
    chooseBank(p.module.CBanco, 1);
    viewTransaction(page, 0);
    return page;
}

InstallmentMaintenance& menuOn(Program& p, controls::TNorvaList* list, int row) {
    list->SetItemIndex(row);
    p.module.Maintenance->PreparePopup(list);
    return *p.module.Maintenance;
}

QList<int> numbers(const QList<GiroRow>& rows) {
    QList<int> out;
    for (const GiroRow& r : rows)
        out << r.giro;
    return out;
}

} // namespace

class TstMaintenance : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { useSpanishFormats(); }

    // The renewal: the next installment one period later with the same amount,
    // time and code; the code leaves the renewed one; the count grows.
    void renewal_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<int>("code");
        QTest::addColumn<QDate>("next");
        QTest::newRow("monthly 31 January") << QDate(2023, 1, 31) << 1 << QDate(2023, 2, 28);
        QTest::newRow("monthly 31 January, leap") << QDate(2024, 1, 31) << 1 << QDate(2024, 2, 29);
        QTest::newRow("quarterly") << QDate(2024, 1, 31) << 3 << QDate(2024, 4, 30);
        QTest::newRow("fortnight 10 March") << QDate(2024, 3, 10) << 2 << QDate(2024, 3, 26);
        QTest::newRow("fortnight 26 March") << QDate(2024, 3, 26) << 2 << QDate(2024, 4, 10);
        QTest::newRow("fortnight 31 December") << QDate(2023, 12, 31) << 2 << QDate(2024, 1, 15);
        QTest::newRow("weekly from a Friday") << QDate(2024, 3, 8) << 7 << QDate(2024, 3, 15);
        QTest::newRow("yearly") << QDate(2024, 2, 29) << 12 << QDate(2025, 2, 28);
    }
    void renewal() {
        QFETCH(QDate, date);
        QFETCH(int, code);
        QFETCH(QDate, next);
        const double d = dt::fromDate(date);
        Company c({{1, d - 60, 500, true},
                   {2, d - 30, 500, true},
                   {3, d, 500, false, code, dt::encodeTime(14, 45), 1}});
        RecordingMessageBox boxes;
        Program p;
        QVERIFY(p.module.Maintenance->RenewFixedInstallment(record(c.rows().at(2))));
        QVERIFY(boxes.calls.isEmpty());
        const QList<GiroRow> rows = c.rows();
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows[2].periodo, 0);
        const GiroRow& added = rows[3];
        QCOMPARE(added.giro, 4);
        QCOMPARE(dt::toDate(added.fecha), next);
        QCOMPARE(added.amount, money(500));
        QCOMPARE(added.hora, dt::encodeTime(14, 45));
        QCOMPARE(added.periodo, code);
        QCOMPARE(added.tipo, 1);
        QVERIFY(!added.paid);
        QVERIFY(added.paidDate.isEmpty());
        QCOMPARE(c.trans().count, 4);
        QVERIFY(!p.module.TablaGirosPendientes.isOpen());
        QVERIFY(!p.module.TablaTransPendientes.isOpen());

        // The renewed one holds 0 now: it is never renewed twice.
        QVERIFY(!p.module.Maintenance->RenewFixedInstallment(record(c.rows().at(2))));
        QCOMPARE(c.rows().size(), 4);
        QCOMPARE(c.trans().count, 4);
    }

    // A renewal that cannot write the new installment keeps the series: the
    // code stays on the renewed one and the count does not grow.
    void failedRenewalKeepsTheSeries_data() {
        QTest::addColumn<QString>("tableFile");
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("renewed");
        QTest::newRow("new installment refused")
            << QStringLiteral("m3GirosPendientes.dat")
            << QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON m3GirosPendientes BEGIN "
                              "SELECT RAISE(ABORT, 'disk full'); END")
            << RenewError << 3 << 3 << false;
        QTest::newRow("code cannot leave the renewed one")
            << QStringLiteral("m3GirosPendientes.dat")
            << QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE OF FGP_PERIODOFIJO ON "
                              "m3GirosPendientes BEGIN SELECT RAISE(ABORT, 'locked'); END")
            << RenewError << 3 << 3 << false;
        QTest::newRow("count cannot be raised")
            << QStringLiteral("m3TransPendientes.dat")
            << QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON m3TransPendientes BEGIN "
                              "SELECT RAISE(ABORT, 'locked'); END")
            << QStringLiteral("Error al editar \"FTP_NROGIROS\" de la tabla TablaTransPendientes.")
            << 4 << 3 << true;
    }
    void failedRenewalKeepsTheSeries() {
        QFETCH(QString, tableFile);
        QFETCH(QString, trigger);
        QFETCH(QString, message);
        QFETCH(int, rows);
        QFETCH(int, count);
        QFETCH(bool, renewed);
        Company c({{1, 0, 100, true}, {2, 0, 100, true}, {3, 0, 100, false, 1}});
        const double d = dt::encodeDate(2024, 5, 1);
        c.company.exec(QStringLiteral("m3GirosPendientes.dat"),
                       QStringLiteral("UPDATE m3GirosPendientes SET FGP_FECHAGIRO = %1").arg(d));
        c.company.exec(tableFile, trigger);
        RecordingMessageBox boxes;
        Program p;
        QCOMPARE(p.module.Maintenance->RenewFixedInstallment(record(c.rows().at(2))), renewed);
        QCOMPARE(boxes.texts(), QStringList{message});
        QCOMPARE(boxes.calls.first().icon, platform::MessageBoxService::Icon::Error);
        const QList<GiroRow> after = c.rows();
        QCOMPARE(after.size(), rows);
        QCOMPARE(after[2].periodo, renewed ? 0 : 1);
        QCOMPARE(after.last().periodo, 1); // the series goes on from its newest installment
        QCOMPARE(c.trans().count, count);
        QVERIFY(!p.module.TablaGirosPendientes.isOpen());
        QVERIFY(!p.module.TablaTransPendientes.isOpen());
    }

    // An installment or transaction deleted elsewhere is not renewed.
    void renewalOfRowsGoneElsewhere_data() {
        QTest::addColumn<QString>("tableFile");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QList<int>>("left");
        QTest::newRow("installment gone")
            << QStringLiteral("m3GirosPendientes.dat")
            << QStringLiteral("DELETE FROM m3GirosPendientes WHERE FGP_GIRO = 3") << NotFound
            << QList<int>({1, 2});
        QTest::newRow("transaction gone") << QStringLiteral("m3TransPendientes.dat")
                                          << QStringLiteral("DELETE FROM m3TransPendientes")
                                          << TransNotFound << QList<int>({1, 2, 3});
    }
    void renewalOfRowsGoneElsewhere() {
        QFETCH(QString, tableFile);
        QFETCH(QString, sql);
        QFETCH(QString, message);
        QFETCH(QList<int>, left);
        Company c({{1, 45000, 100, true}, {2, 45030, 100, true}, {3, 45060, 100, false, 1}});
        RecordingMessageBox boxes;
        Program p;
        const bank::TGirosReg r = record(c.rows().at(2));
        c.company.exec(tableFile, sql);
        QVERIFY(!p.module.Maintenance->RenewFixedInstallment(r));
        QCOMPARE(boxes.texts(), QStringList{message});
        const QList<GiroRow> rows = c.rows();
        QCOMPARE(numbers(rows), left);
        if (rows.size() == 3)
            QCOMPARE(rows[2].periodo, 1);
        if (const std::optional<TransRow> t = transaction(c.company, c.key))
            QCOMPARE(t->count, 3);
    }

    // "&Ya Pagada": status and today's date, the totals lowered, the due list
    // read again.
    void markPaidFromTheBankList() {
        Company c({{1, 0, 100, true}, {2, 0, 200, false}, {3, 0, 300, false}});
        c.company.exec(QStringLiteral("m3GirosPendientes.dat"),
                       QStringLiteral("UPDATE m3GirosPendientes SET FGP_FECHAGIRO = %1 + "
                                      "(FGP_GIRO - 2) * 2")
                           .arg(c.today - 1));
        RecordingMessageBox boxes;
        Program p;
        bank::PendingPage& page = showInstallments(p);
        QCOMPARE(int(p.module.DueInstallments.size()), 2);
        const int row = rowOfGiro(*page.NorvaListPendientesBanco, 2);

        boxes.answerNo();
        menuOn(p, page.NorvaListPendientesBanco, row).YaPagada1->trigger();
        QVERIFY(!c.rows()[1].paid);
        QCOMPARE(trimmed(page.LPorPagar), QStringLiteral("500,00"));

        boxes.answerYes();
        menuOn(p, page.NorvaListPendientesBanco, row).YaPagada1->trigger();
        QCOMPARE(boxes.texts(), QStringList(2, PayQuestion));
        QCOMPARE(boxes.calls.last().icon, platform::MessageBoxService::Icon::Confirmation);
        const GiroRow paid = c.rows()[1];
        QVERIFY(paid.paid);
        QCOMPARE(paid.paidDate, core::formatShortDate(c.today));
        QCOMPARE(c.rows().size(), 3); // not fixed: nothing renewed
        QCOMPARE(trimmed(page.LPorPagar), QStringLiteral("300,00"));
        QCOMPARE(trimmed(page.LVencidos), QStringLiteral("0,00"));
        QCOMPARE(trimmed(page.LTotal), QStringLiteral("600,00"));
        QVERIFY(page.NorvaListPendientesBanco->RecordAs<bank::TGirosReg>(row)->Status);
        QCOMPARE(int(p.module.DueInstallments.size()), 1);
        QVERIFY(page.NorvaListPendientesBanco->hasFocus());
        QVERIFY(!p.module.TablaGirosPendientes.isOpen());

        // Once more: it is paid already.
        boxes.clear();
        menuOn(p, page.NorvaListPendientesBanco, row).YaPagada1->trigger();
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Ya se encuentra procesada!")});
        boxes.clear();
        menuOn(p, page.NorvaListPendientesBanco, row).Procesar1->trigger();
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Ya se encuentra procesada.")});
        boxes.clear();
        menuOn(p, page.NorvaListPendientesBanco, -1).YaPagada1->trigger();
        QCOMPARE(boxes.texts(),
                 QStringList{QStringLiteral("Seleccione un ítem antes de modificar!")});
    }

    // Paying the newest installment of a fixed series goes on with the series,
    // from the lists and from the detail panel alike.
    void payingTheNewestFixedInstallmentRenewsIt_data() {
        QTest::addColumn<QString>("from");
        QTest::newRow("Ya Pagada, bank list") << QStringLiteral("bank");
        QTest::newRow("Ya Pagada, date list") << QStringLiteral("date");
        QTest::newRow("Pagado, detail panel") << QStringLiteral("detail");
    }
    void payingTheNewestFixedInstallmentRenewsIt() {
        QFETCH(QString, from);
        Company c({{1, 0, 350, true}, {2, 0, 350, true}, {3, 0, 350, false, 1}});
        c.company.exec(QStringLiteral("m3GirosPendientes.dat"),
                       QStringLiteral("UPDATE m3GirosPendientes SET FGP_FECHAGIRO = CASE "
                                      "FGP_GIRO WHEN 1 THEN 45306 WHEN 2 THEN 45337 ELSE 45366 "
                                      "END")); // 15 January, 15 February, 15 March 2024
        RecordingMessageBox boxes;
        Program p;
        bank::PendingPage* page = nullptr;
        controls::TNorvaList* list = nullptr;
        if (from == QLatin1String("date")) {
            page = &openDatePage(p);
            page->CBStatus->setCurrentIndex(0);
            list = page->NorvaListFecha;
        } else {
            page = &showInstallments(p);
            list = page->NorvaListPendientesBanco;
        }
        const int row = rowOfGiro(*list, 3);
        QVERIFY(row >= 0);
        const QString before = page->LPorPagar->text();
        boxes.answerYes();
        if (from == QLatin1String("detail")) {
            menuOn(p, list, row).Detalle1->trigger();
            QVERIFY(p.module.PanelAviso->isVisible());
            QVERIFY(p.module.Maintenance->BProcesar022->isEnabled());
            p.module.Maintenance->BProcesar022->click();
        } else {
            menuOn(p, list, row).YaPagada1->trigger();
        }
        QCOMPARE(boxes.texts(), QStringList{PayQuestion});
        const QList<GiroRow> rows = c.rows();
        QCOMPARE(rows.size(), 4);
        QVERIFY(rows[2].paid);
        QCOMPARE(rows[2].periodo, 0);
        QCOMPARE(rows[3].giro, 4);
        QCOMPARE(dt::toDate(rows[3].fecha), QDate(2024, 4, 15));
        QCOMPARE(rows[3].periodo, 1);
        QVERIFY(!rows[3].paid);
        QCOMPARE(c.trans().count, 4);
        if (from == QLatin1String("detail")) {
            // The detail panel's payment leaves the browse totals alone, and
            // the refresh clears the panel.
            QCOMPARE(page->LPorPagar->text(), before);
            QCOMPARE(p.module.Maintenance->LNroDoc->text(), QStringLiteral("-"));
            QVERIFY(!p.module.Maintenance->BProcesar022->isEnabled());
        } else {
            QCOMPARE(trimmed(page->LPorPagar), QStringLiteral("0,00"));
        }
        if (from == QLatin1String("date")) {
            QCOMPARE(bank::CurrencyFromText(p.module.ViewMemory[2]), core::Currency());
            QCOMPARE(bank::CurrencyFromText(p.module.ViewMemory[3]), core::Currency());
        }
    }

    void markPaidOfAnInstallmentGoneElsewhere() {
        Company c({{1, 45400, 100, false}, {2, 45430, 100, false, 1}});
        RecordingMessageBox boxes;
        Program p;
        bank::PendingPage& page = showInstallments(p);
        c.company.exec(QStringLiteral("m3GirosPendientes.dat"),
                       QStringLiteral("DELETE FROM m3GirosPendientes WHERE FGP_GIRO = 2"));
        boxes.answerYes();
        menuOn(p, page.NorvaListPendientesBanco, 1).YaPagada1->trigger();
        QCOMPARE(boxes.texts(), QStringList({PayQuestion, NotFound}));
        QCOMPARE(c.rows().size(), 1);
        QVERIFY(!c.rows()[0].paid);
        QCOMPARE(c.trans().count, 2);
        QCOMPARE(page.NorvaListPendientesBanco->Count(), 1); // read again
        QCOMPARE(trimmed(page.LTotal), QStringLiteral("100,00"));
    }

    // Deleting installment 2 of four renumbers the rest in index order and
    // lowers the transaction's count and amount.
    void deletingInstallmentTwoOfFour() {
        Company c({{1, 45400, 100.25, false},
                   {2, 45430, 150.5, false},
                   {3, 45460, 200, false},
                   {4, 45490, 250, true}},
                  QDate(2024, 5, 10), 700.75);
        RecordingMessageBox boxes;
        Program p;
        bank::PendingPage& page = showInstallments(p);
        const QList<GiroRow> before = c.rows();
        boxes.answerNo();
        menuOn(p, page.NorvaListPendientesBanco, 1).Eliminar1->trigger();
        QCOMPARE(c.rows().size(), 4);

        page.NorvaListPendientesBanco->SetItemIndex(1);
        boxes.answerYes();
        menuOn(p, page.NorvaListPendientesBanco, 1).Eliminar1->trigger();
        QCOMPARE(boxes.texts(), QStringList(2, DeleteQuestion));
        const QList<GiroRow> rows = c.rows();
        QCOMPARE(numbers(rows), QList<int>({1, 2, 3}));
        QCOMPARE(rows[0].key, before[0].key);
        QCOMPARE(rows[1].key, before[2].key);
        QCOMPARE(rows[2].key, before[3].key);
        QCOMPARE(c.trans().count, 3);
        QCOMPARE(c.trans().total, 550.25);
        // The installments of the transaction are listed again.
        QCOMPARE(page.PageControlPendientes->currentWidget(), page.TabSheetMuestra);
        QCOMPARE(page.NorvaListPendientesBanco->Count(), 3);
        QCOMPARE(trimmed(page.LTotal), QStringLiteral("550,25"));
        QCOMPARE(page.NorvaListTransPendiente->RecordAs<bank::TTransReg>(0)->NroGiros, 3);
        QVERIFY(!p.module.TablaGirosPendientes.isOpen());
        QVERIFY(!p.module.TablaTransPendientes.isOpen());
    }

    void deletingTheFixedInstallmentAsksAgain_data() {
        QTest::addColumn<bool>("yes");
        QTest::newRow("No keeps everything") << false;
        QTest::newRow("Yes ends the series") << true;
    }
    void deletingTheFixedInstallmentAsksAgain() {
        QFETCH(bool, yes);
        Company c({{1, 45400, 100, true}, {2, 45430, 100, false, 1}});
        RecordingMessageBox boxes;
        Program p;
        bank::PendingPage& page = showInstallments(p);
        const QString total = page.LTotal->text();
        boxes.answerYes();
        if (yes)
            boxes.answerYes();
        else
            boxes.answerNo();
        menuOn(p, page.NorvaListPendientesBanco, 1).Eliminar1->trigger();
        QCOMPARE(boxes.texts(), QStringList({DeleteQuestion, FixedQuestion}));
        QCOMPARE(c.rows().size(), yes ? 1 : 2);
        QCOMPARE(c.trans().count, yes ? 1 : 2);
        QCOMPARE(page.NorvaListPendientesBanco->Count(), yes ? 1 : 2);
        if (!yes)
            QCOMPARE(page.LTotal->text(), total);
    }

    // Once the row is gone the count and amount follow, also when the
    // renumbering of the others fails.
    void failedRenumberingStillLowersTheCount() {
        Company c({{1, 45400, 100, false}, {2, 45430, 150, false}, {3, 45460, 200, false}});
        c.company.exec(QStringLiteral("m3GirosPendientes.dat"),
                       QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE OF FGP_GIRO ON "
                                      "m3GirosPendientes BEGIN SELECT RAISE(ABORT, 'locked'); "
                                      "END"));
        RecordingMessageBox boxes;
        Program p;
        bank::PendingPage& page = showInstallments(p);
        boxes.answerYes();
        menuOn(p, page.NorvaListPendientesBanco, 0).Eliminar1->trigger();
        QCOMPARE(boxes.texts(),
                 QStringList({DeleteQuestion, QStringLiteral("Error al eliminar los datos en la "
                                                             "tabla m3GirosPendientes")}));
        QCOMPARE(numbers(c.rows()), QList<int>({2, 3}));
        QCOMPARE(c.trans().count, 2);
        QCOMPARE(c.trans().total, 350.0);
    }

    void deletingAnInstallmentGoneElsewhere() {
        Company c({{1, 45400, 100, false}, {2, 45430, 150, false}, {3, 45460, 200, false}});
        RecordingMessageBox boxes;
        Program p;
        bank::PendingPage& page = showInstallments(p);
        c.company.exec(QStringLiteral("m3GirosPendientes.dat"),
                       QStringLiteral("DELETE FROM m3GirosPendientes WHERE FGP_GIRO = 2"));
        boxes.answerYes();
        menuOn(p, page.NorvaListPendientesBanco, 1).Eliminar1->trigger();
        QCOMPARE(boxes.texts(), QStringList({DeleteQuestion, NotFound}));
        QCOMPARE(numbers(c.rows()), QList<int>({1, 3}));
        QCOMPARE(c.trans().count, 3);
        QCOMPARE(c.trans().total, 450.0);
        QCOMPARE(page.NorvaListPendientesBanco->Count(), 2); // read again
    }

    void deletingNeedsASelectedRow() {
        Company c({{1, 45400, 100, false}});
        RecordingMessageBox boxes;
        Program p;
        bank::PendingPage& page = showInstallments(p);
        menuOn(p, page.NorvaListPendientesBanco, -1).Eliminar1->trigger();
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Seleccione un ítem a eliminar!")});
        QCOMPARE(c.rows().size(), 1);
    }

    // "&Modificar" with the edit panel.
    void editingAnInstallment() {
        Company c({{1, 0, 100, true}, {2, 0, 200, false}, {3, 0, 300, false}});
        c.company.exec(QStringLiteral("m3GirosPendientes.dat"),
                       QStringLiteral("UPDATE m3GirosPendientes SET FGP_FECHAGIRO = %1 + "
                                      "(FGP_GIRO - 2) * 2, FGP_HORAGIRO = 0.5")
                           .arg(c.today - 1));
        RecordingMessageBox boxes;
        Program p;
        bank::PendingPage& page = showInstallments(p);
        InstallmentMaintenance& m = *p.module.Maintenance;

        menuOn(p, page.NorvaListPendientesBanco, 0).Modificar1->trigger();
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Ya se encuentra pagada!")});
        QVERIFY(!m.PanelEditar->isVisible());

        boxes.clear();
        menuOn(p, page.NorvaListPendientesBanco, 1).Modificar1->trigger();
        QVERIFY(m.PanelEditar->isVisible());
        QCOMPARE(m.LTituloEditar->text(), QStringLiteral(" Modificar Cuota"));
        QCOMPARE(m.ENorDocumento->WholeValue(), c.rows()[1].key);
        QCOMPARE(m.EFechaVencimiento->Date(), c.today - 1);
        QCOMPARE(m.EMontoPagar->RealValue(), 200.0);
        QVERIFY(!p.module.PanelPendiente->isEnabled());
        QVERIFY(!p.module.OutlookBar->isEnabled());
        QVERIFY(!page.BTAnterior0032->isEnabled());
        QVERIFY(!p.tray.VisualizarVentanadeAviso1->isEnabled());

        m.EMontoPagar->clear();
        m.BEditar001->click();
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Faltan campos por llenar.")});
        QCOMPARE(boxes.calls.first().icon, platform::MessageBoxService::Icon::Warning);
        QVERIFY(m.PanelEditar->isVisible());

        m.EFechaVencimiento->SetDate(c.today + 10);
        m.EMontoPagar->SetInitText(250.5);
        m.BEditar001->click();
        QCOMPARE(boxes.calls.size(), 1);
        const GiroRow edited = c.rows()[1];
        QCOMPARE(edited.fecha, c.today + 10);
        QCOMPARE(edited.amount, money(250.5));
        QCOMPARE(edited.hora, 0.5);       // the time stays
        QCOMPARE(c.trans().total, 600.0); // the transaction is not touched
        QCOMPARE(trimmed(page.LTotal), QStringLiteral("650,50"));
        QCOMPARE(trimmed(page.LPorPagar), QStringLiteral("550,50"));
        QCOMPARE(trimmed(page.LVencidos), QStringLiteral("250,50"));
        const auto* r = page.NorvaListPendientesBanco->RecordAs<bank::TGirosReg>(1);
        QCOMPARE(r->MontoGiro, money(250.5));
        QCOMPARE(r->FechaGiro, c.today + 10);
        QVERIFY(!m.PanelEditar->isVisible());
        QVERIFY(p.module.PanelPendiente->isEnabled());
        QVERIFY(page.BTAnterior0032->isEnabled());
        // One transaction's installments keep the frame held until "&Regresar".
        QVERIFY(!menusEnabled(p));
        QVERIFY(!p.module.OutlookBar->isEnabled());
        QVERIFY(!p.tray.VisualizarVentanadeAviso1->isEnabled());
        page.BTAnterior0032->click();
        QVERIFY(menusEnabled(p));
        QVERIFY(p.module.OutlookBar->isEnabled());
    }

    void editingFromTheDateListGivesTheFrameBack_data() {
        QTest::addColumn<bool>("accept");
        QTest::newRow("Aceptar") << true;
        QTest::newRow("Cancelar") << false;
    }
    void editingFromTheDateListGivesTheFrameBack() {
        QFETCH(bool, accept);
        Company c({{1, 0, 100, false}});
        c.company.exec(
            QStringLiteral("m3GirosPendientes.dat"),
            QStringLiteral("UPDATE m3GirosPendientes SET FGP_FECHAGIRO = %1").arg(c.today));
        RecordingMessageBox boxes;
        Program p;
        bank::PendingPage& page = openDatePage(p);
        page.BBuscar006->click();
        InstallmentMaintenance& m = menuOn(p, page.NorvaListFecha, 0);
        m.Modificar1->trigger();
        QVERIFY(!menusEnabled(p));
        m.EMontoPagar->SetInitText(80);
        (accept ? m.BEditar001 : m.BCancelar3002)->click();
        QVERIFY(!m.PanelEditar->isVisible());
        QVERIFY(menusEnabled(p));
        QVERIFY(p.module.OutlookBar->isEnabled());
        QVERIFY(p.tray.Acercade1->isEnabled());
        QVERIFY(p.notice.isEnabled());
        QCOMPARE(c.rows()[0].amount, money(accept ? 80 : 100));
        QCOMPARE(boxes.calls.size(), 0);
    }

    void editingAnInstallmentGoneElsewhere() {
        Company c({{1, 45400, 100, false}, {2, 45430, 100, false}});
        RecordingMessageBox boxes;
        Program p;
        bank::PendingPage& page = showInstallments(p);
        InstallmentMaintenance& m = menuOn(p, page.NorvaListPendientesBanco, 1);
        m.Modificar1->trigger();
        c.company.exec(QStringLiteral("m3GirosPendientes.dat"),
                       QStringLiteral("DELETE FROM m3GirosPendientes WHERE FGP_GIRO = 2"));
        m.BEditar001->click();
        QCOMPARE(boxes.texts(), QStringList{NotFound});
        QCOMPARE(c.rows().size(), 1);
        QVERIFY(!m.PanelEditar->isVisible());
        QCOMPARE(page.NorvaListPendientesBanco->Count(), 1);
    }

    // The detail panel shows the installment and goes back with "&Regresar".
    void detailPanel() {
        Company c({{1, 45400, 100, true}, {2, 45430, 1234.5, false, 0, 0, 1}});
        RecordingMessageBox boxes;
        Program p;
        bank::PendingPage& page = showInstallments(p);
        InstallmentMaintenance& m = menuOn(p, page.NorvaListPendientesBanco, 1);
        m.Detalle1->trigger();
        QVERIFY(p.module.PanelAviso->isVisible());
        QVERIFY(!p.module.PanelPendiente->isVisible());
        QCOMPARE(p.module.OutlookBar->selectedItem(Form::GroupPendientes), 2);
        QCOMPARE(m.LTipoTrans->text(), QStringLiteral("Nota Débito"));
        QCOMPARE(m.LDescrip->text(), QStringLiteral("Alquiler"));
        QCOMPARE(m.LFecha->text(), core::formatShortDate(45430));
        QCOMPARE(m.LDetalleMonto->text(), QStringLiteral("1.234,50"));
        QCOMPARE(m.LNroDoc->text(), QString::number(c.rows()[1].key));
        QCOMPARE(m.LBanco->text(), QStringLiteral("Banco Dos"));
        QCOMPARE(m.LBeneficiario->text(), QStringLiteral("Inmobiliaria"));
        QCOMPARE(m.LCoutaDetalle->text(), QStringLiteral("2"));
        QCOMPARE(m.LFechaPagado->text(), QString());
        QVERIFY(m.LTBanco->isEnabled());
        QVERIFY(m.LTFechaPagado->isEnabled());
        QVERIFY(m.ImagenDetalle->isVisible());
        QVERIFY(m.BProcesar022->isEnabled());
        QVERIFY(m.BVolver2032->isVisible());

        m.BVolver2032->click();
        QVERIFY(!m.BVolver2032->isVisible());
        QVERIFY(p.module.PanelPendiente->isVisible());
        QCOMPARE(p.module.OutlookBar->selectedItem(Form::GroupPendientes), 0);
        QCOMPARE(page.PageControlPendientes->currentWidget(), page.TabSheetMuestra);

        // A paid installment: "&Pagado" stays off, the paid date shows.
        menuOn(p, page.NorvaListPendientesBanco, 0).Detalle1->trigger();
        QVERIFY(!m.BProcesar022->isEnabled());
        QCOMPARE(m.LFechaPagado->text(), core::formatShortDate(45400));
        QCOMPARE(m.LTipoTrans->text(), QStringLiteral("Cheque"));

        // The refresh clears the panel.
        p.module.RefreshDueInstallments();
        for (QLabel* value : {m.LNroDoc, m.LTipoTrans, m.LDescrip, m.LFecha, m.LDetalleMonto,
                              m.LBanco, m.LBeneficiario, m.LCoutaDetalle, m.LFechaPagado})
            QCOMPARE(value->text(), QStringLiteral("-"));
        for (QLabel* caption : {m.LTNroDoc, m.LTTipoTrans, m.LTDescrip, m.LTFecha, m.LTMonto,
                                m.LTMasDetalle, m.LTBanco, m.LTBenefi, m.LTCouta, m.LTFechaPagado})
            QVERIFY(!caption->isEnabled());
        QVERIFY(!m.BProcesar022->isEnabled());
        QVERIFY(!m.ImagenDetalle->isVisible());
        QVERIFY(!m.BLimpiar010->isVisible());
        QVERIFY(boxes.calls.isEmpty());
    }

    // Which items of the pop-up menu serve which list.
    void popupItemsPerList() {
        Company c({{1, 45400, 100, false}});
        RecordingMessageBox boxes;
        Program p;
        InstallmentMaintenance& m = *p.module.Maintenance;
        controls::TNorvaList documents;
        m.AttachPopup(&documents, InstallmentMaintenance::ListKind::Documents);
        auto enabled = [&] {
            QList<bool> out;
            // "&Procesar" is hidden on every list.
            for (QAction* a : {m.YaPagada1, m.Imprimir1, m.Eliminar1, m.Detalle1, m.Modificar1})
                out << a->isEnabled();
            return out;
        };
        m.PreparePopup(&documents);
        QCOMPARE(enabled(), QList<bool>({false, true, false, false, false}));
        m.PreparePopup(p.module.Pending->NorvaListPendientesBanco);
        QCOMPARE(enabled(), QList<bool>({true, true, true, true, true}));
        m.PreparePopup(p.module.Pending->NorvaListFecha);
        QCOMPARE(enabled(), QList<bool>({true, true, false, true, true}));
        QVERIFY(!m.Procesar1->isVisible());
        QStringList captions;
        for (QAction* a : m.PopupMenuProcesar->actions())
            captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(captions, QStringList({QStringLiteral("&Procesar"), QStringLiteral("&Ya Pagada"),
                                        QStringLiteral("-"), QStringLiteral("&Imprimir"),
                                        QStringLiteral("-"), QStringLiteral("&Eliminar"),
                                        QStringLiteral("&Detalle"), QStringLiteral("&Modificar")}));
    }
};

QTEST_MAIN(TstMaintenance)
#include "tst_maintenance.moc"

#include "BankFixture.h"
#include "bank/DueInstallments.h"
#include "support/RecordingMessageBox.h"
#include "support/SetClock.h"

#include <QFile>
#include <QTest>
#include <QTimer>

using namespace banktest;
namespace dt = core::dt;

namespace {
const QString QueryError =
    QStringLiteral("Error de Consulta al obtener datos de la Tabla m3GirosPendientes.");

QStringList due(const bank::TGirosList& list) {
    QStringList out;
    for (const bank::TGirosRegPtr& g : list)
        out << QStringLiteral("%1 #%2").arg(g->Descripcion).arg(g->Giro);
    return out;
}
} // namespace

class TstDue : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { useSpanishFormats(); }

    // Unpaid installments up to today plus the horizon (3 days by default), by
    // date and then time of day, with their transaction's texts.
    void startUpLoadsTheDueInstallments() {
        SetClock clock(2024, 5, 10, 9, 0);
        const double today = clock.today();
        CompanyFixture company(CompanyFixture::Kind::Empty);
        const qint64 rent =
            addTransaction(company, QStringLiteral("0102-001"), QStringLiteral("Banco Uno"),
                           QStringLiteral("Alquiler"), 400, 4, QStringLiteral("Inmobiliaria"));
        const qint64 phone =
            addTransaction(company, QStringLiteral("0134-002"), QStringLiteral("Banco Dos"),
                           QStringLiteral("Teléfono"), 90, 3);
        addInstallment(company, rent, {1, today - 365, 100, false, 0, dt::encodeTime(8, 0)});
        addInstallment(company, rent, {2, today - 1, 100, true});
        addInstallment(company, rent, {3, today + 3, 100, false, 1, dt::encodeTime(7, 0), 1});
        addInstallment(company, rent, {4, today + 4, 100, false});
        addInstallment(company, phone, {1, today, 30, false, 0, dt::encodeTime(15, 30)});
        addInstallment(company, phone, {2, today, 30, false, 0, dt::encodeTime(8, 15)});
        addInstallment(company, phone, {3, today + 3, 30, false, 0, dt::encodeTime(6, 0)});
        addInstallment(company, 999, {1, today, 50, false}); // its transaction is gone

        RecordingMessageBox boxes;
        Program p;
        QVERIFY(boxes.calls.isEmpty());
        QCOMPARE(due(p.module.DueInstallments),
                 QStringList({QStringLiteral("Alquiler #1"), QStringLiteral("Teléfono #2"),
                              QStringLiteral("Teléfono #1"), QStringLiteral("Teléfono #3"),
                              QStringLiteral("Alquiler #3")}));
        const bank::TGirosReg& fixed = *p.module.DueInstallments.back();
        QCOMPARE(fixed.Beneficiario, QStringLiteral("Inmobiliaria"));
        QCOMPARE(fixed.Banco, QStringLiteral("Banco Uno"));
        QCOMPARE(fixed.KeyTransaccion, qint32(rent));
        QCOMPARE(fixed.PeriodoFijo, 1);
        QCOMPARE(fixed.TipoTrans, quint8(1));
        QCOMPARE(fixed.MontoGiro, money(100));
        QCOMPARE(fixed.FechaGiro, today + 3);
        QCOMPARE(fixed.HoraGiro, dt::encodeTime(7, 0));
        QVERIFY(!fixed.Status);
        QVERIFY(fixed.AutoIncKey > 0);
        QVERIFY(fixed.FechaPagado.isEmpty());
    }

    void horizonGivenToTheQuery_data() {
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("loaded");
        QTest::newRow("none ahead") << 0 << 1;
        QTest::newRow("three ahead") << 3 << 2;
        QTest::newRow("a week ahead") << 7 << 3;
    }
    void horizonGivenToTheQuery() {
        QFETCH(int, days);
        QFETCH(int, loaded);
        SetClock clock(2024, 5, 10, 23, 59);
        const double today = clock.today();
        CompanyFixture company(CompanyFixture::Kind::Empty);
        const qint64 t = addTransaction(company, QStringLiteral("1"), QStringLiteral("B"),
                                        QStringLiteral("T"), 3, 3);
        addInstallment(company, t, {1, today, 1, false, 0, dt::encodeTime(23, 0)});
        addInstallment(company, t, {2, today + 3, 1, false});
        addInstallment(company, t, {3, today + 7, 1, false});
        data::Query query;
        query.setDatabaseName(company.dataFolder());
        bank::TGirosList list;
        RecordingMessageBox boxes;
        QCOMPARE(&bank::LoadDueInstallments(query, list, days, nullptr), &list);
        QCOMPARE(int(list.size()), loaded);
        QVERIFY(!query.isOpen());
        QVERIFY(boxes.calls.isEmpty());
    }

    void missingInstallmentTableIsReportedAndStartUpGoesOn() {
        CompanyFixture company(CompanyFixture::Kind::Empty);
        QVERIFY(QFile::remove(company.dataFolder() + QStringLiteral("m3GirosPendientes.dat")));
        RecordingMessageBox boxes;
        Program p;
        QCOMPARE(boxes.texts(), QStringList{QueryError});
        QCOMPARE(boxes.calls.first().icon, platform::MessageBoxService::Icon::Error);
        QVERIFY(p.module.DueInstallments.empty());
        QVERIFY(p.module.TimerBusqueda->isActive()); // the later steps ran
        QVERIFY(!QFile::exists(company.dataFolder() + QStringLiteral("m3GirosPendientes.dat")));
    }

    // The refresh reads the tables again (rows written by another program too),
    // resets the bank total, and hurries the notice check only while the notice
    // is on screen.
    void refreshReadsAgain() {
        SetClock clock(2024, 5, 10, 9, 0);
        CompanyFixture company(CompanyFixture::Kind::Empty);
        const qint64 t = addTransaction(company, QStringLiteral("1"), QStringLiteral("B"),
                                        QStringLiteral("Luz"), 2, 2);
        addInstallment(company, t, {1, clock.today(), 1, false});
        RecordingMessageBox boxes;
        Program p;
        QCOMPARE(int(p.module.DueInstallments.size()), 1);
        const bank::TGirosRegPtr kept = p.module.DueInstallments.front();
        addInstallment(company, t, {2, clock.today() + 1, 1, false});
        p.module.BankTotal = money(80);
        const int interval = p.module.TimerEspera->interval();
        p.module.RefreshDueInstallments();
        QCOMPARE(due(p.module.DueInstallments),
                 QStringList({QStringLiteral("Luz #1"), QStringLiteral("Luz #2")}));
        QVERIFY(p.module.DueInstallments.front() != kept); // new records
        QCOMPARE(p.module.BankTotal, core::Currency());
        QCOMPARE(p.module.TimerEspera->interval(), interval);
        QVERIFY(boxes.calls.isEmpty());
    }

    void refreshHurriesAVisibleNotice() {
        CompanyFixture company(CompanyFixture::Kind::Empty);
        RecordingMessageBox boxes;
        Program p;
        const bool running = p.module.TimerEspera->isActive();
        p.notice.setVisible(true);
        p.module.RefreshDueInstallments();
        QCOMPARE(p.module.TimerEspera->interval(), 1);
        QCOMPARE(p.module.TimerEspera->isActive(), running);
        p.notice.setVisible(false);
    }
};

QTEST_MAIN(TstDue)
#include "tst_due.moc"

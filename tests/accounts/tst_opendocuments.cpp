#include "accounts/OpenDocuments.h"
#include "data/Query.h"
#include "support/CompanyFixture.h"
#include "support/RecordingMessageBox.h"
#include "support/SetClock.h"

#include "platform/AccessMarker.h"
#include "platform/Paths.h"
#include "platform/SystemInfo.h"
#include "shell/Application.h"
#include "shell/TAvisoTransaccionesPendientesForm.h"
#include "shell/TMenuDataModule.h"
#include "shell/Tm3TransaccionesPendientesForm.h"
#include "shell/Tm3TrayIconTransaccionesPenForm.h"

#include <QFile>
#include <QTest>
#include <memory>

using namespace accounts;
using core::Currency;

namespace {

enum Kind { Receivables, Payables };

// One record as "name|number|type|due date in days from today|balance in ten-thousandths".
QString row(const TCuentas& c, double today) {
    return QStringLiteral("%1|%2|%3|%4|%5")
        .arg(c.Descripcion, c.Numero)
        .arg(c.TipoTransaccion)
        .arg(c.FechaVencimiento - today)
        .arg(c.SaldoDocumento.raw());
}

QStringList rows(const TCuentasList& list, double today) {
    QStringList out;
    for (const TCuentasPtr& c : list)
        out << row(*c, today);
    return out;
}

QStringList names(const TCuentasList& list) {
    QStringList out;
    for (const TCuentasPtr& c : list)
        out << c->Descripcion;
    return out;
}

// A company with empty tables that the test fills with plain SQL, as the suite would.
class Documents {
public:
    explicit Documents(double today) : company(CompanyFixture::Kind::Empty), m_today(today) {}

    void party(Kind kind, const QString& code, const QString& name) {
        const QString table =
            kind == Receivables ? QStringLiteral("Sclientes") : QStringLiteral("SProveedor");
        const QString p = kind == Receivables ? QStringLiteral("FC") : QStringLiteral("FP");
        company.exec(
            table + QStringLiteral(".dat"),
            QStringLiteral("INSERT INTO %1 (%2_CODIGO, %2_DESCRIPCION) VALUES ('%3', '%4')")
                .arg(table, p, code, name));
    }

    // dueOffset in days from today; balance in ten-thousandths.
    void document(Kind kind, const QString& code, const QString& number, int type, qint64 balance,
                  int dueOffset) {
        const QString table = kind == Receivables ? QStringLiteral("SCuentasxCobrar")
                                                  : QStringLiteral("SCuentasxPagar");
        const QString d = kind == Receivables ? QStringLiteral("FCC") : QStringLiteral("FCP");
        company.exec(table + QStringLiteral(".dat"),
                     QStringLiteral("INSERT INTO %1 (%2_CODIGO, %2_NUMERO, %2_SALDODOCUMENTO, "
                                    "%2_FECHAVENCIMIENTO, %2_TIPOTRANSACCION) "
                                    "VALUES ('%3', '%4', %5, %6, %7)")
                         .arg(table, d, code, number)
                         .arg(balance)
                         .arg(m_today + dueOffset, 0, 'f', 1)
                         .arg(type));
    }

    TCuentasList load(Kind kind, int daysAhead) {
        data::Query query;
        query.setDatabaseName(company.dataFolder());
        TCuentasList list;
        return kind == Receivables ? LoadOpenReceivables(query, nullptr, daysAhead, list)
                                   : LoadOpenPayables(query, nullptr, daysAhead, list);
    }

    CompanyFixture company;

private:
    double m_today;
};

const double Today = core::dt::encodeDate(2026, 5, 10);

QString receivablesError() {
    return QStringLiteral("Error de Consulta al obtener datos de la Tabla SCuentasxCobrar.");
}

} // namespace

class TstOpenDocuments : public QObject {
    Q_OBJECT
private slots:
    // The statements, text for text: the heads of start-up and the appended
    // conditions (two blanks before the first AND).
    void statements_data() {
        QTest::addColumn<QString>("spelled");
        QTest::addColumn<QString>("built");
        QTest::addColumn<QString>("statement");
        QTest::newRow("receivables")
            << QStringLiteral(
                   "SELECT FCC_CODIGO, FCC_NUMERO, FCC_SALDODOCUMENTO, FCC_FECHAEMISION, "
                   "FCC_FECHAVENCIMIENTO, FCC_TIPOTRANSACCION, FCC_DESCRIPCIONMOV, FC_DESCRIPCION, "
                   "FC_TELEFONO, FC_DIRECCION1 , SUM(FCC_SALDODOCUMENTO) AS FCC_SALDODOCUMENTO "
                   "FROM SCuentasxcobrar, SClientes WHERE (FCC_SALDODOCUMENTO > 0) AND "
                   "(FCC_CODIGO = FC_CODIGO) ")
            << ReceivablesSelect + ReceivablesSum + ReceivablesFrom
            << QStringLiteral(
                   "SELECT FCC_CODIGO, FCC_NUMERO, FCC_SALDODOCUMENTO, FCC_FECHAEMISION, "
                   "FCC_FECHAVENCIMIENTO, FCC_TIPOTRANSACCION, FCC_DESCRIPCIONMOV, FC_DESCRIPCION, "
                   "FC_TELEFONO, FC_DIRECCION1 , SUM(FCC_SALDODOCUMENTO) AS FCC_SALDODOCUMENTO , "
                   "MIN(FCC_FECHAVENCIMIENTO) AS FCC_FECHAVENCIMIENTO "
                   "FROM SCuentasxcobrar, SClientes WHERE (FCC_SALDODOCUMENTO > 0) AND "
                   "(FCC_CODIGO = FC_CODIGO)  AND (FCC_FECHAVENCIMIENTO <= :Fecha) AND "
                   "FCC_TIPOTRANSACCION IN (1 , 2 , 3 , 5 , 7) GROUP BY FC_DESCRIPCION "
                   "ORDER BY FC_DESCRIPCION, FCC_FECHAVENCIMIENTO ASC");
        QTest::newRow("payables")
            << QStringLiteral(
                   "SELECT FCP_CODIGO, FCP_NUMERO, FCP_SALDODOCUMENTO, FCP_FECHAEMISION, "
                   "FCP_FECHAVENCIMIENTO, FCP_TIPOTRANSACCION, FCP_DESCRIPCIONMOV, FP_DESCRIPCION, "
                   "FP_TELEFONO, FP_DIRECCION1 , SUM(FCP_SALDODOCUMENTO) AS FCP_SALDODOCUMENTO "
                   "FROM SCuentasxpagar, Sproveedor WHERE (FCP_SALDODOCUMENTO > 0) AND "
                   "(FCP_CODIGO = FP_CODIGO) ")
            << PayablesSelect + PayablesSum + PayablesFrom
            << QStringLiteral(
                   "SELECT FCP_CODIGO, FCP_NUMERO, FCP_SALDODOCUMENTO, FCP_FECHAEMISION, "
                   "FCP_FECHAVENCIMIENTO, FCP_TIPOTRANSACCION, FCP_DESCRIPCIONMOV, FP_DESCRIPCION, "
                   "FP_TELEFONO, FP_DIRECCION1 , SUM(FCP_SALDODOCUMENTO) AS FCP_SALDODOCUMENTO , "
                   "MIN(FCP_FECHAVENCIMIENTO) AS FCP_FECHAVENCIMIENTO "
                   "FROM SCuentasxpagar, Sproveedor WHERE (FCP_SALDODOCUMENTO > 0) AND "
                   "(FCP_CODIGO = FP_CODIGO)  AND (FCP_FECHAVENCIMIENTO <= :Fecha) AND "
                   "FCP_TIPOTRANSACCION IN (1 , 2 , 3 , 5 , 8) GROUP BY FP_DESCRIPCION "
                   "ORDER BY FP_DESCRIPCION, FCP_FECHAVENCIMIENTO ASC");
    }
    void statements() {
        QFETCH(QString, spelled);
        QFETCH(QString, built);
        QFETCH(QString, statement);
        QCOMPARE(built, spelled);
        const bool receivables = QTest::currentDataTag() == QByteArray("receivables");
        const QString head = receivables ? OpenReceivablesHead() : OpenPayablesHead();
        QCOMPARE(receivables ? OpenDocumentsStatement(head, QStringLiteral("FCC"),
                                                      QStringLiteral("FC"), ReceivablesOwnType)
                             : OpenDocumentsStatement(head, QStringLiteral("FCP"),
                                                      QStringLiteral("FP"), PayablesOwnType),
                 statement);
    }

    // The demo company: same-named parties taken as one, types 4 and 6, balances
    // of 0, type 8 among receivables and 7 among payables never read.
    void demoCompany_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("daysAhead");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("receivables, 3 days")
            << int(Receivables) << 3
            << QStringList{QStringLiteral("Abastos El Llanero|000101|1|-40|21602500"),
                           QStringLiteral("Comercial Los Andes, C.A.|000120|1|-15|41954000"),
                           QStringLiteral("Ferretería La Esquina|000115|1|2|28756000")};
        QTest::newRow("receivables, 30 days")
            << int(Receivables) << 30
            << QStringList{QStringLiteral("Abastos El Llanero|000101|1|-40|21602500"),
                           QStringLiteral("Comercial Los Andes, C.A.|000120|1|-15|61754000"),
                           QStringLiteral("Distribuidora Zulia|000144|1|14|33408000"),
                           QStringLiteral("Ferretería La Esquina|000115|1|2|30856000"),
                           QStringLiteral("Panadería San José|000130|7|20|1500000")};
        QTest::newRow("payables, 3 days")
            << int(Payables) << 3
            << QStringList{QStringLiteral("Alimentos Polar Comercial|A-55120|1|-10|73300000"),
                           QStringLiteral("Transporte Rápido Oriente|TRO-889|5|-6|1200000")};
        QTest::newRow("payables, 30 days")
            << int(Payables) << 30
            << QStringList{QStringLiteral("Alimentos Polar Comercial|A-55120|1|-10|73300000"),
                           QStringLiteral("Papelera Guaicaipuro|PG-1020|1|4|9057500"),
                           QStringLiteral("Suministros Industriales Lara|SIL-305|1|21|27152000"),
                           QStringLiteral("Transporte Rápido Oriente|TRO-889|5|-6|1955000")};
    }
    void demoCompany() {
        QFETCH(int, kind);
        QFETCH(int, daysAhead);
        QFETCH(QStringList, expected);
        SetClock clock(Today + core::dt::encodeTime(9, 30));
        CompanyFixture company(CompanyFixture::Kind::Demo, Today);
        RecordingMessageBox boxes;
        data::Query query;
        query.setDatabaseName(company.dataFolder());
        // The document query is shared with the browse: a statement left open is closed first.
        query.addSql(QStringLiteral("SELECT FC_CODIGO FROM Sclientes"));
        query.open();
        TCuentasList list;
        TCuentasList& result = kind == Receivables
                                   ? LoadOpenReceivables(query, nullptr, daysAhead, list)
                                   : LoadOpenPayables(query, nullptr, daysAhead, list);
        QCOMPARE(&result, &list);
        QCOMPARE(rows(list, Today), expected);
        QVERIFY(boxes.calls.isEmpty());
        QVERIFY(!query.isOpen());
        QVERIFY(query.sql().isEmpty());
    }

    // One company for the horizon and type cases: a party per due date
    // ("Vence <days from today>", an invoice) and per type ("Tipo <code>",
    // due yesterday), in both kinds of account.
    void initTestCase() {
        m_cases = std::make_unique<Documents>(Today);
        int code = 0;
        for (Kind kind : {Receivables, Payables}) {
            for (int offset : {-365, 0, 1, 3, 4, 400, 401}) {
                const QString c = QStringLiteral("V%1").arg(++code);
                m_cases->party(kind, c, QStringLiteral("Vence %1").arg(offset));
                m_cases->document(kind, c, QStringLiteral("N%1").arg(code), 1, 10000, offset);
            }
            for (int type = 0; type <= 9; ++type) {
                const QString c = QStringLiteral("T%1").arg(++code);
                m_cases->party(kind, c, QStringLiteral("Tipo %1").arg(type));
                m_cases->document(kind, c, QStringLiteral("N%1").arg(code), type, 10000, -1);
            }
        }
    }
    void cleanupTestCase() { m_cases.reset(); }

    // A document due on the horizon day counts, one due the day after does not,
    // however old an open document is it counts.
    void horizon_data() {
        QTest::addColumn<int>("daysAhead");
        QTest::addColumn<int>("dueOffset");
        QTest::addColumn<bool>("loaded");
        QTest::newRow("3 days, due 13 May") << 3 << 3 << true;
        QTest::newRow("3 days, due 14 May") << 3 << 4 << false;
        QTest::newRow("3 days, due last year") << 3 << -365 << true;
        QTest::newRow("3 days, due today") << 3 << 0 << true;
        QTest::newRow("0 days, due today") << 0 << 0 << true;
        QTest::newRow("0 days, due tomorrow") << 0 << 1 << false;
        QTest::newRow("400 days, due in 400") << 400 << 400 << true;
        QTest::newRow("400 days, due in 401") << 400 << 401 << false;
    }
    void horizon() {
        QFETCH(int, daysAhead);
        QFETCH(int, dueOffset);
        QFETCH(bool, loaded);
        // The time of day of "now" does not move the horizon.
        SetClock clock(Today + core::dt::encodeTime(23, 59));
        const QString party = QStringLiteral("Vence %1").arg(dueOffset);
        for (Kind kind : {Receivables, Payables})
            QCOMPARE(names(m_cases->load(kind, daysAhead)).contains(party), loaded);
    }

    // Every kind admits 1, 2, 3, 5 and its own code: 7 receivables, 8 payables.
    void admittedTypes_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("admitted");
        for (int type = 0; type <= 9; ++type) {
            const bool common = type == 1 || type == 2 || type == 3 || type == 5;
            QTest::addRow("receivables, type %d", type)
                << int(Receivables) << type << (common || type == 7);
            QTest::addRow("payables, type %d", type)
                << int(Payables) << type << (common || type == 8);
        }
    }
    void admittedTypes() {
        QFETCH(int, kind);
        QFETCH(int, type);
        QFETCH(bool, admitted);
        SetClock clock(Today);
        const TCuentasList list = m_cases->load(Kind(kind), 3);
        const QString party = QStringLiteral("Tipo %1").arg(type);
        QCOMPARE(names(list).contains(party), admitted);
        for (const TCuentasPtr& c : list)
            if (c->Descripcion == party)
                QCOMPARE(int(c->TipoTransaccion), type);
    }

    // Only documents with a balance above 0 count: one of 0 or below neither
    // gives a record nor reduces the party's total.
    void openBalances_data() {
        QTest::addColumn<QList<qint64>>("balances");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("0") << QList<qint64>{0} << QStringList{};
        QTest::newRow("negative") << QList<qint64>{-500000} << QStringList{};
        QTest::newRow("0 and negative") << QList<qint64>{0, -1} << QStringList{};
        QTest::newRow("one ten-thousandth")
            << QList<qint64>{1} << QStringList{QStringLiteral("Parte|N0|1|-1|1")};
        QTest::newRow("open and negative") << QList<qint64>{1000000, -300000}
                                           << QStringList{QStringLiteral("Parte|N0|1|-1|1000000")};
        QTest::newRow("negative first, then open")
            << QList<qint64>{-300000, 0, 1000000}
            << QStringList{QStringLiteral("Parte|N2|1|-1|1000000")};
    }
    void openBalances() {
        QFETCH(QList<qint64>, balances);
        QFETCH(QStringList, expected);
        SetClock clock(Today);
        Documents docs(Today);
        for (Kind kind : {Receivables, Payables}) {
            docs.party(kind, QStringLiteral("X1"), QStringLiteral("Parte"));
            for (int i = 0; i < balances.size(); ++i)
                docs.document(kind, QStringLiteral("X1"), QStringLiteral("N%1").arg(i), 1,
                              balances[i], -1);
            QCOMPARE(rows(docs.load(kind, 3), Today), expected);
        }
    }

    // One record per party name, in name order, with the total of the party's
    // open balances; number, type and due date come from its oldest due document.
    void onePartyOneRecord() {
        SetClock clock(Today);
        Documents docs(Today);
        for (Kind kind : {Receivables, Payables}) {
            // Parties stored out of name order; two of them share a name.
            docs.party(kind, QStringLiteral("Z1"), QStringLiteral("Zapatería Central"));
            docs.party(kind, QStringLiteral("F1"), QStringLiteral("Ferretería La Llave"));
            docs.party(kind, QStringLiteral("A1"), QStringLiteral("Abastos Mérida"));
            docs.party(kind, QStringLiteral("F2"), QStringLiteral("Ferretería La Llave"));
            docs.party(kind, QStringLiteral("B1"), QStringLiteral("Bodega Sin Deudas"));
            // Three invoices of one party: one record with their total.
            docs.document(kind, QStringLiteral("Z1"), QStringLiteral("Z-1"), 1, 1000000, -1);
            docs.document(kind, QStringLiteral("Z1"), QStringLiteral("Z-2"), 1, 2500000, 2);
            docs.document(kind, QStringLiteral("Z1"), QStringLiteral("Z-3"), 1, 125000, 3);
            // The oldest document is neither the first nor the last stored.
            docs.document(kind, QStringLiteral("F1"), QStringLiteral("F-10"), 1, 200000, -2);
            docs.document(kind, QStringLiteral("F2"), QStringLiteral("F-20"), 3, 50000, -9);
            docs.document(kind, QStringLiteral("F1"), QStringLiteral("F-11"), 2, 1, 1);
            docs.document(kind, QStringLiteral("F2"), QStringLiteral("F-21"), 5, 70000, 2);
            // Not counted: due after the horizon, or of a type never read.
            docs.document(kind, QStringLiteral("F1"), QStringLiteral("F-12"), 1, 990000, 4);
            docs.document(kind, QStringLiteral("F2"), QStringLiteral("F-22"), 4, 990000, -30);
            docs.document(kind, QStringLiteral("B1"), QStringLiteral("B-1"), 6, 990000, -1);
            docs.document(kind, QStringLiteral("A1"), QStringLiteral("A-1"), 2, 4321, 0);
        }
        const QStringList expected{QStringLiteral("Abastos Mérida|A-1|2|0|4321"),
                                   QStringLiteral("Ferretería La Llave|F-20|3|-9|320001"),
                                   QStringLiteral("Zapatería Central|Z-1|1|-1|3625000")};
        QCOMPARE(rows(docs.load(Receivables, 3), Today), expected);
        QCOMPARE(rows(docs.load(Payables, 3), Today), expected);
    }

    // The totals are exact sums of ten-thousandths, also beyond what a double holds.
    void sumsAreExact() {
        SetClock clock(Today);
        Documents docs(Today);
        docs.party(Receivables, QStringLiteral("X1"), QStringLiteral("Parte"));
        // 2^53 + 1 cannot be held by a double: the sum is odd only when it is exact.
        docs.document(Receivables, QStringLiteral("X1"), QStringLiteral("N1"), 1,
                      Q_INT64_C(9007199254740001), -3);
        docs.document(Receivables, QStringLiteral("X1"), QStringLiteral("N2"), 1, 2, -2);
        docs.document(Receivables, QStringLiteral("X1"), QStringLiteral("N3"), 1, 1000, -1);
        docs.document(Receivables, QStringLiteral("X1"), QStringLiteral("N4"), 1, 2000, 0);
        const TCuentasList list = docs.load(Receivables, 3);
        QCOMPARE(list.size(), size_t(1));
        QCOMPARE(list[0]->SaldoDocumento, Currency::fromRaw(Q_INT64_C(9007199254743003)));
    }

    // A missing payables table names itself; the receivables load as before,
    // and records already in the list stay.
    void missingPayablesTable() {
        SetClock clock(Today);
        CompanyFixture company(CompanyFixture::Kind::Demo, Today);
        const QString file = company.dataFolder() + QStringLiteral("SCuentasxPagar.dat");
        QVERIFY(QFile::remove(file));
        RecordingMessageBox boxes;
        data::Query query;
        query.setDatabaseName(company.dataFolder());
        TCuentasList receivables;
        LoadOpenReceivables(query, nullptr, 3, receivables);
        QCOMPARE(receivables.size(), size_t(3));
        QVERIFY(boxes.calls.isEmpty());

        TCuentasList payables{std::make_shared<TCuentas>()};
        payables[0]->Descripcion = QStringLiteral("antes");
        TCuentasList& result = LoadOpenPayables(query, nullptr, 3, payables);
        QCOMPARE(&result, &payables);
        QCOMPARE(payables.size(), size_t(1));
        QCOMPARE(payables[0]->Descripcion, QStringLiteral("antes"));
        QCOMPARE(boxes.calls.size(), 1);
        QCOMPARE(boxes.calls[0].text,
                 QStringLiteral("Error de Consulta al obtener datos de la Tabla SCuentasxPagar."));
        QCOMPARE(boxes.calls[0].icon, platform::MessageBoxService::Icon::Error);
        QCOMPARE(boxes.calls[0].buttons, platform::MessageBoxService::Buttons::Ok);
        QVERIFY(!QFile::exists(file)); // the module never makes a suite table

        // The query is usable again at its next use.
        TCuentasList again;
        LoadOpenReceivables(query, nullptr, 3, again);
        QCOMPARE(rows(again, Today), rows(receivables, Today));
    }

    // A failure on a row (here a head without the number column) keeps what the
    // list held, shows the message and lets the suite's table go: the suite can
    // write it at once.
    void failureOnARowReleasesTheTable() {
        SetClock clock(Today);
        Documents docs(Today);
        docs.party(Receivables, QStringLiteral("X1"), QStringLiteral("Parte"));
        docs.document(Receivables, QStringLiteral("X1"), QStringLiteral("N1"), 1, 10000, -1);
        RecordingMessageBox boxes;
        data::Query query;
        query.setDatabaseName(docs.company.dataFolder());
        TCuentasList list{std::make_shared<TCuentas>()};
        const QString head =
            QStringLiteral("SELECT FCC_CODIGO, FCC_SALDODOCUMENTO, FCC_FECHAVENCIMIENTO, "
                           "FCC_TIPOTRANSACCION, FC_DESCRIPCION ") +
            ReceivablesSum + ReceivablesFrom;
        LoadOpenDocuments(query, nullptr, 3, QStringLiteral("FCC"), QStringLiteral("FC"), head,
                          ReceivablesOwnType, ReceivablesTable, list);
        QCOMPARE(list.size(), size_t(1));
        QCOMPARE(boxes.texts(), QStringList{receivablesError()});
        bool written = true;
        try {
            docs.document(Receivables, QStringLiteral("X1"), QStringLiteral("N2"), 1, 10000, -1);
        } catch (const std::exception& e) {
            qWarning("%s", e.what());
            written = false;
        }
        QVERIFY(written);
        QVERIFY(!query.isOpen());
        QCOMPARE(rows(docs.load(Receivables, 3), Today),
                 QStringList{QStringLiteral("Parte|N1|1|-1|20000")});
    }

    // Start-up fills both lists with the notice horizon of the settings (3 days).
    void startUpLoadsBothLists() {
        SetClock clock(Today + core::dt::encodeTime(9, 0));
        CompanyFixture company(CompanyFixture::Kind::Demo, Today);
        QVERIFY(platform::accessmarker::create(
            platform::paths::accessMarker(platform::computerName())));
        RecordingMessageBox boxes;
        shell::TMenuDataModule menus;
        shell::TAvisoTransaccionesPendientesForm notice;
        shell::Tm3TrayIconTransaccionesPenForm tray;
        shell::Tm3TransaccionesPendientesForm module{&notice, &tray};
        shell::application::resetTerminate();
        module.FormCreate();
        QVERIFY(!shell::application::terminateRequested());
        QVERIFY(!boxes.texts().contains(receivablesError()));
        QCOMPARE(rows(module.OpenReceivables, Today),
                 (QStringList{QStringLiteral("Abastos El Llanero|000101|1|-40|21602500"),
                              QStringLiteral("Comercial Los Andes, C.A.|000120|1|-15|41954000"),
                              QStringLiteral("Ferretería La Esquina|000115|1|2|28756000")}));
        QCOMPARE(rows(module.OpenPayables, Today),
                 (QStringList{QStringLiteral("Alimentos Polar Comercial|A-55120|1|-10|73300000"),
                              QStringLiteral("Transporte Rápido Oriente|TRO-889|5|-6|1200000")}));
        QVERIFY(!module.QueryCtas.isOpen());
    }

private:
    std::unique_ptr<Documents> m_cases;
};

QTEST_MAIN(TstOpenDocuments)
#include "tst_opendocuments.moc"

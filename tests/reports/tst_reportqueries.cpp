#include "core/DateTime.h"
#include "core/Formats.h"
#include "data/Query.h"
#include "reports/ReportQueries.h"
#include "reports/engine/Report.h"
#include "support/CompanyFixture.h"
#include "support/RecordingMessageBox.h"

#include <QTest>

using namespace reports;

namespace {

core::TDateTime day(int y, int m, int d) {
    return core::dt::encodeDate(y, m, d);
}

// The text of the bank statements up to their conditions.
const QString DetailHead = QStringLiteral(
    "SELECT FX_SALDO, FGP_FECHAGIRO, FGP_GIRO, FGP_MONTOGIRO, FGP_STATUS, FGP_HORAGIRO, "
    "FGP_KEYTRANSACCION, FGP_TIPOTRANS, FTP_AUTOINCKEY, FTP_DESCRIPCION, FTP_BENEFICIARIO, "
    "FTP_NROCUENTA, FTP_NROGIROS, FTP_BANCO FROM m3GirosPendientes, m3TransPendientes , "
    "\"SFixed\"  WHERE (FTP_AUTOINCKEY = FGP_KEYTRANSACCION) AND (FX_CODIGO = FTP_NROCUENTA) ");
const QString DetailOrder = QStringLiteral(" ORDER BY FTP_DESCRIPCION, FGP_KEYTRANSACCION, "
                                           "FGP_FECHAGIRO, FGP_KEYTRANSACCION, FGP_GIRO");
const QString ReceivablesHeadText = QStringLiteral(
    "SELECT FCC_CODIGO, FCC_NUMERO, FCC_SALDODOCUMENTO, FCC_FECHAEMISION, FCC_FECHAVENCIMIENTO, "
    "FCC_TIPOTRANSACCION, FCC_DESCRIPCIONMOV, FC_DESCRIPCION, FC_TELEFONO, FC_DIRECCION1 FROM "
    "SCuentasxcobrar, SClientes WHERE (FCC_SALDODOCUMENTO > 0) AND (FCC_CODIGO = FC_CODIGO) ");

// A company with two accounts, each with its balance row, and installments:
// "Alquiler" (O'Brien, two cheques on 0102), "Luz" (a debit note on 0134) and
// "Sin saldo" on an account without a balance row, which is never reported.
struct Company {
    CompanyFixture fixture{CompanyFixture::Kind::Empty};

    Company() {
        fixture.exec(QStringLiteral("SFixed.dat"),
                     QStringLiteral("INSERT INTO SFixed VALUES ('0102-001', 10000000);"
                                    "INSERT INTO SFixed VALUES ('0134-002', 5000000);"));
        fixture.exec(QStringLiteral("m3TransPendientes.dat"),
                     QStringLiteral("INSERT INTO m3TransPendientes (FTP_AUTOINCKEY, FTP_NROCUENTA, "
                                    "FTP_BANCO, FTP_BENEFICIARIO, FTP_DESCRIPCION, FTP_MONTO, "
                                    "FTP_NROGIROS) VALUES "
                                    "(1, '0102-001', 'Banco Uno', 'O''Brien', 'Alquiler', 300, 2),"
                                    "(2, '0134-002', 'Banco Dos', 'Eléctrica', 'Luz', 50, 1),"
                                    "(3, '9999-999', 'Banco Nada', 'Nadie', 'Sin saldo', 10, 1);"));
        const auto giro = [](int key, int t, int n, core::TDateTime date, qint64 raw, int paid,
                             int kind) {
            return QStringLiteral("INSERT INTO m3GirosPendientes (FGP_AUTOINCKEY, "
                                  "FGP_KEYTRANSACCION, FGP_GIRO, FGP_FECHAGIRO, FGP_HORAGIRO, "
                                  "FGP_MONTOGIRO, FGP_STATUS, FGP_PERIODOFIJO, FGP_TIPOTRANS) "
                                  "VALUES (%1, %2, %3, %4, 0.5, %5, %6, 0, %7);")
                .arg(key)
                .arg(t)
                .arg(n)
                .arg(date)
                .arg(raw)
                .arg(paid)
                .arg(kind);
        };
        fixture.exec(QStringLiteral("m3GirosPendientes.dat"),
                     giro(1, 1, 1, day(2024, 5, 10), 1000000, 1, 0) +
                         giro(2, 1, 2, day(2024, 6, 10), 2000000, 0, 0) +
                         giro(3, 2, 1, day(2024, 5, 20), 500000, 0, 1) +
                         giro(4, 3, 1, day(2024, 5, 20), 100000, 0, 0));
    }

    void prepare(ReportRun& run) const { run.Context.dataFolder = fixture.dataFolder(); }
};

ReportChoices sections(bool bank, bool receivables, bool payables) {
    ReportChoices c;
    c.CheckBTransP = bank;
    c.CheckBCtsxCobrar = receivables;
    c.CheckBCtsxPagar = payables;
    return c;
}

// The rows of the open query: the given field of each, from where it stands.
QStringList column(data::Query& q, const QString& name) {
    QStringList out;
    for (; !q.eof(); q.next())
        out << q.fieldByName(name).asString();
    return out;
}

} // namespace

class TstReportQueries : public QObject {
    Q_OBJECT

    RecordingMessageBox* boxes = nullptr;

private slots:
    void initTestCase() { core::Formats::setCurrent(core::Formats()); }
    void init() { boxes = new RecordingMessageBox; }
    void cleanup() {
        // Nothing said what it was not asked to.
        if (!QTest::currentTestFailed() &&
            QByteArray(QTest::currentTestFunction()) != "queryErrors")
            QCOMPARE(boxes->texts(), QStringList());
        delete boxes;
    }

    void quoting_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("quoted");
        QTest::newRow("plain") << "Banco"
                               << "'Banco'";
        QTest::newRow("one quote") << "O'Brien"
                                   << "'O''Brien'";
        QTest::newRow("quotes only") << "''"
                                     << "''''''";
        QTest::newRow("closing attempt") << "x') OR (1=1"
                                         << "'x'') OR (1=1'";
        QTest::newRow("empty") << ""
                               << "''";
    }
    void quoting() {
        QFETCH(QString, text);
        QFETCH(QString, quoted);
        QCOMPARE(QuotedSql(text), quoted);
    }

    // The conditions of the bank statement and the condition lines of the title.
    void bankConditions_data() {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("beneficiary");
        QTest::addColumn<bool>("filters");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("conditions");
        QTest::addColumn<QString>("lines");
        QTest::addColumn<int>("shift");

        QTest::newRow("Ambas, no filters") << 0 << 0 << "0102-001"
                                           << "O'Brien" << false << ""
                                           << ""
                                           << "Condiciones: Por Pagar/Pagadas\r\n"
                                           << 0;
        QTest::newRow("Pagadas") << 1 << 0 << ""
                                 << "" << false << ""
                                 << " AND (FGP_STATUS)"
                                 << "Condiciones: Pagadas\r\n"
                                 << 0;
        QTest::newRow("Por Pagar") << 2 << 0 << ""
                                   << "" << false << ""
                                   << " AND NOT(FGP_STATUS)"
                                   << "Condiciones: Por Pagar\r\n"
                                   << 0;
        QTest::newRow("filters: account, O'Brien, cheques")
            << 2 << 1 << "0102-001"
            << "O'Brien" << true << ""
            << " AND NOT(FGP_STATUS) AND (FTP_NROCUENTA = '0102-001') AND (FTP_BENEFICIARIO = "
               "'O''Brien') AND (FGP_TIPOTRANS = 0)"
            << "Condiciones: Por Pagar\r\nNro de Cuenta: 0102-001\r\nBeneficiario: "
               "O'Brien\r\nTipo: Cheques\r\n"
            << 45;
        QTest::newRow("filters: debit notes only")
            << 3 << 2 << ""
            << "" << true << ""
            << " AND (FGP_TIPOTRANS = 1)"
            << "Condiciones: Por Pagar/Pagadas\r\nTipo: Notas de Débito\r\n"
            << 15;
        QTest::newRow("filters: both kinds, one transaction")
            << 3 << 3 << "0102-001"
            << "O'Brien" << true << "1"
            << " AND (FTP_NROCUENTA = '0102-001') AND (FTP_BENEFICIARIO = 'O''Brien') AND "
               "(FTP_AUTOINCKEY = 1)"
            << "Condiciones: Por Pagar/Pagadas\r\nNro de Cuenta: 0102-001\r\nBeneficiario: "
               "O'Brien\r\nTipo: Cheques/ND\r\n"
            << 45;
        QTest::newRow("a key that is no number is compared as text")
            << 0 << 0 << ""
            << "" << false << "1) OR (1=1"
            << " AND (FTP_AUTOINCKEY = '1) OR (1=1')"
            << "Condiciones: Por Pagar/Pagadas\r\n"
            << 0;
    }
    void bankConditions() {
        QFETCH(int, status);
        QFETCH(int, kind);
        QFETCH(QString, account);
        QFETCH(QString, beneficiary);
        QFETCH(bool, filters);
        QFETCH(QString, key);
        QFETCH(QString, conditions);
        QFETCH(QString, lines);
        QFETCH(int, shift);

        Company company;
        ReportRun run;
        company.prepare(run);
        run.TitleShift = 99; // left from an earlier build
        engine::ReportLabel label;
        data::Query q;
        BuildBankReportQuery(run, status, kind, account, 0, 0, beneficiary, filters, key, &label,
                             q);
        QCOMPARE(run.BankDetailSql, DetailHead + conditions + DetailOrder);
        QCOMPARE(run.ConditionText, lines);
        QCOMPARE(label.text, lines);
        QCOMPARE(run.TitleShift, shift);
        QVERIFY(run.BankQueryBuilt);
        QVERIFY(q.isOpen());
    }

    // The dates go as parameters, and the statement and its parameters follow
    // the same two tests.
    void bankDates_data() {
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QStringList>("rows"); // transaction and installment, in the report's order
        // Transactions by description ("Alquiler" before "Luz"), then by date;
        // "Sin saldo" has no balance row.
        QTest::newRow("no dates") << 0.0 << 0.0 << ""
                                  << QStringList{"Alquiler 1", "Alquiler 2", "Luz 1"};
        QTest::newRow("from only")
            << day(2024, 5, 15) << 0.0 << " AND (FGP_FECHAGIRO >= :FechaDesde)"
            << QStringList{"Alquiler 2", "Luz 1"};
        QTest::newRow("to only: from the earliest date")
            << 0.0 << day(2024, 5, 31)
            << " AND (FGP_FECHAGIRO BETWEEN :FechaDesde and :FechaHasta) "
            << QStringList{"Alquiler 1", "Luz 1"};
        QTest::newRow("both, bounds included")
            << day(2024, 5, 10) << day(2024, 5, 20)
            << " AND (FGP_FECHAGIRO BETWEEN :FechaDesde and :FechaHasta) "
            << QStringList{"Alquiler 1", "Luz 1"};
        QTest::newRow("none in the dates") << day(2024, 7, 1) << day(2024, 7, 31)
                                           << " AND (FGP_FECHAGIRO BETWEEN :FechaDesde and "
                                              ":FechaHasta) "
                                           << QStringList{};
    }
    void bankDates() {
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(QString, condition);
        QFETCH(QStringList, rows);

        Company company;
        ReportRun run;
        company.prepare(run);
        data::Query q;
        const bool hasRows = BuildBankReportQuery(run, 0, 0, QString(), from, to, QString(), false,
                                                  QString(), nullptr, q);
        QCOMPARE(run.BankDetailSql, DetailHead + condition + DetailOrder);
        QCOMPARE(hasRows, !rows.isEmpty());
        QCOMPARE(run.DateFrom, from);
        QCOMPARE(run.DateTo, to);
        QCOMPARE(RecordCount(run, q), rows.size());
        QStringList read;
        for (; !q.eof(); q.next())
            read << q.fieldByName(QStringLiteral("FTP_DESCRIPCION")).asString() + QLatin1Char(' ') +
                        q.fieldByName(QStringLiteral("FGP_GIRO")).asString();
        QCOMPARE(read, rows);
    }

    // The balance rows: the sum names the balance table by its path; by
    // account, the unpaid group first, its sum under the amount's name.
    void bankBalances() {
        Company company;
        ReportRun run;
        company.prepare(run);
        data::Query q;
        QVERIFY(BuildBankReportQuery(run, 0, 0, QString(), 0, 0, QString(), false, QString(),
                                     nullptr, q));
        QCOMPARE(run.BankSumSql,
                 QStringLiteral("SELECT FX_SALDO, FGP_FECHAGIRO, FGP_GIRO, FGP_MONTOGIRO, "
                                "FGP_STATUS, FGP_HORAGIRO, FGP_KEYTRANSACCION, FGP_TIPOTRANS, "
                                "FTP_AUTOINCKEY, FTP_DESCRIPCION, FTP_BENEFICIARIO, FTP_NROCUENTA, "
                                "FTP_NROGIROS, FTP_BANCO , SUM(FGP_MONTOGIRO) AS FGP_MONTOGIRO "
                                "FROM m3GirosPendientes, m3TransPendientes , \"") +
                     company.fixture.dataFolder() +
                     QStringLiteral("SFixed\"  WHERE (FTP_AUTOINCKEY = FGP_KEYTRANSACCION) AND "
                                    "(FX_CODIGO = FTP_NROCUENTA) "));
        data::Query sums;
        sums.setDatabaseName(company.fixture.dataFolder());
        QVERIFY(OpenReportQuery(run, sums, run.BankSumSql + BankBalanceGrouping));
        QStringList rows;
        for (; !sums.eof(); sums.next())
            rows << sums.fieldByName(QStringLiteral("FTP_NROCUENTA")).asString() +
                        QLatin1Char(' ') +
                        sums.fieldByName(QStringLiteral("FGP_STATUS")).asString() +
                        QLatin1Char(' ') +
                        core::format15(
                            sums.fieldByName(QStringLiteral("FGP_MONTOGIRO")).asCurrency())
                            .trimmed() +
                        QLatin1Char(' ') +
                        core::format15(sums.fieldByName(QStringLiteral("FX_SALDO")).asCurrency())
                            .trimmed();
        QCOMPARE(rows,
                 (QStringList{"0102-001 False 200,00 1.000,00", "0102-001 True 100,00 1.000,00",
                              "0134-002 False 50,00 500,00"}));
    }

    // The document types of an accounts statement.
    void accountTypes_data() {
        QTest::addColumn<int>(
            "flags"); // invoices 1, drafts 2, debit notes 4, credit notes 8, pending 16
        QTest::addColumn<bool>("payables");
        QTest::addColumn<QString>("types");
        QTest::newRow("none: receivables")
            << 0 << false << " AND FCC_TIPOTRANSACCION IN (1 , 2 , 3 , 5 , 7)";
        QTest::newRow("all: receivables")
            << 31 << false << " AND FCC_TIPOTRANSACCION IN (1 , 2 , 3 , 5 , 7)";
        QTest::newRow("none: payables")
            << 0 << true << " AND FCP_TIPOTRANSACCION IN (1 , 2 , 3 , 5 , 8)";
        QTest::newRow("all: payables")
            << 31 << true << " AND FCP_TIPOTRANSACCION IN (1 , 2 , 3 , 5 , 8)";
        QTest::newRow("pending notes only")
            << 16 << false << " AND FCC_TIPOTRANSACCION IN (7 ,  -1)";
        QTest::newRow("four: drafts before debit notes")
            << 15 << true << " AND FCP_TIPOTRANSACCION IN (1 , 3 , 2 , 5 ,  -1)";
        QTest::newRow("debit and pending notes")
            << 20 << true << " AND FCP_TIPOTRANSACCION IN (2 , 8 ,  -1)";
    }
    void accountTypes() {
        QFETCH(int, flags);
        QFETCH(bool, payables);
        QFETCH(QString, types);
        Company company;
        ReportRun run;
        company.prepare(run);
        run.Context.choices = sections(false, !payables, payables);
        data::Query q;
        const QString head = payables ? PayablesReportHead() : ReceivablesReportHead();
        BuildAccountsReportQuery(run, 2, flags & 1, flags & 2, 0, 0, flags & 4, flags & 8,
                                 flags & 16, head, payables ? "FCP" : "FCC", payables ? "FP" : "FC",
                                 payables ? "8" : "7", QString(), q);
        QCOMPARE(run.AccountsSql, head + types);
        QCOMPARE(run.DocPrefix, payables ? QStringLiteral("FCP") : QStringLiteral("FCC"));
        QCOMPARE(run.PartyPrefix, payables ? QStringLiteral("FP") : QStringLiteral("FC"));
        // The box of the section is ticked: the statement is opened, ordered by code.
        QVERIFY(q.isOpen());
        QCOMPARE(q.sql(), head + types +
                              (payables ? QStringLiteral(" ORDER BY FCP_CODIGO")
                                        : QStringLiteral(" ORDER BY FCC_CODIGO")));
    }

    // The example: receivables of all customers, invoices and credit notes,
    // from 1 March on; then a customer by name and the party status.
    void accountsStatement() {
        Company company;
        company.fixture.exec(
            QStringLiteral("Sclientes.dat"),
            QStringLiteral("INSERT INTO Sclientes VALUES ('C1', 'O''Brien', '555', 'Calle 1', 1);"
                           "INSERT INTO Sclientes VALUES ('C2', 'Otro', '556', 'Calle 2', 0);"));
        company.fixture.exec(
            QStringLiteral("SCuentasxCobrar.dat"),
            QStringLiteral("INSERT INTO SCuentasxCobrar VALUES ('C1', 'F1', 10000000, %1, %2, 1, "
                           "'Factura 1');"
                           "INSERT INTO SCuentasxCobrar VALUES ('C1', 'N1', 2000000, %1, %1, 5, "
                           "'Crédito');"
                           "INSERT INTO SCuentasxCobrar VALUES ('C2', 'F2', 3000000, %1, %2, 1, "
                           "'Factura 2');"
                           "INSERT INTO SCuentasxCobrar VALUES ('C2', 'D2', 3000000, %1, %2, 2, "
                           "'Débito');")
                .arg(day(2024, 2, 1))
                .arg(day(2024, 3, 15)));
        ReportRun run;
        company.prepare(run);
        run.Context.choices = sections(false, true, false);
        data::Query q;
        QVERIFY(BuildAccountsReportQuery(run, 2, true, false, day(2024, 3, 1), 0, false, true,
                                         false, ReceivablesReportHead(), "FCC", "FC", "7",
                                         QString(), q));
        QCOMPARE(q.sql(), ReceivablesHeadText +
                              QStringLiteral(" AND (FCC_FECHAVENCIMIENTO >= :FechaDesde) AND "
                                             "FCC_TIPOTRANSACCION IN (1 , 5 ,  -1) ORDER BY "
                                             "FCC_CODIGO"));
        QCOMPARE(column(q, QStringLiteral("FCC_NUMERO")), (QStringList{"F1", "F2"}));
        QCOMPARE(run.ConditionText, QString());

        QVERIFY(BuildAccountsReportQuery(run, 0, false, false, 0, day(2024, 3, 31), false, false,
                                         false, ReceivablesReportHead(), "FCC", "FC", "7",
                                         QStringLiteral("O'Brien"), q));
        QCOMPARE(
            run.AccountsSql,
            ReceivablesHeadText +
                QStringLiteral(" AND (FC_DESCRIPCION = 'O''Brien')  AND "
                               "(FCC_FECHAVENCIMIENTO BETWEEN :FechaDesde and :FechaHasta)  "
                               "AND FC_STATUS AND FCC_TIPOTRANSACCION IN (1 , 2 , 3 , 5 , 7)"));
        QCOMPARE(column(q, QStringLiteral("FCC_NUMERO")), (QStringList{"F1", "N1"}));

        QVERIFY(!BuildAccountsReportQuery(run, 1, true, true, 0, 0, true, true, true,
                                          ReceivablesReportHead(), "FCC", "FC", "7",
                                          QStringLiteral("O'Brien"), q));
        QVERIFY(
            run.AccountsSql.endsWith(QStringLiteral(" AND NOT(FC_STATUS) AND "
                                                    "FCC_TIPOTRANSACCION IN (1 , 2 , 3 , 5 , 7)")));
    }

    // A run with a bank section that has rows opens its accounts sections
    // itself: the builder only builds the statement.
    void accountsAfterBank() {
        Company company;
        ReportRun run;
        company.prepare(run);
        run.Context.choices = sections(true, true, false);
        data::Query q;
        run.ReportHasData = BuildBankReportQuery(run, 0, 0, QString(), 0, 0, QString(), false,
                                                 QString(), nullptr, q);
        QVERIFY(run.ReportHasData);
        QVERIFY(!BuildReceivablesReportQuery(run, q));
        QVERIFY(run.BankQueryBuilt);
        QVERIFY(!run.AccountsSql.isEmpty());
        QCOMPARE(q.sql(), run.BankDetailSql); // the bank statement stays open
        QVERIFY(!run.FirstAccounts.valid);

        // Without rows in the bank section the run starts with the receivables.
        run.ReportHasData = false;
        BuildReceivablesReportQuery(run, q);
        QVERIFY(!run.BankQueryBuilt);
        QCOMPARE(q.sql(), run.AccountsSql + QStringLiteral(" ORDER BY FCC_CODIGO"));
        QVERIFY(run.FirstAccounts.valid);
        QCOMPARE(run.FirstAccounts.docPrefix, QStringLiteral("FCC"));

        // A section whose box is not ticked stays closed.
        QVERIFY(!BuildPayablesReportQuery(run, q));
        QVERIFY(!q.isOpen());
    }

    // A statement that cannot run is reported with its message and the query
    // is left closed; no rows is no error.
    void queryErrors() {
        Company company;
        ReportRun run;
        company.prepare(run);
        data::Query q;
        q.setDatabaseName(company.fixture.dataFolder());
        QVERIFY(!OpenReportQuery(run, q, QStringLiteral("SELECT NOCOLUMN FROM SFixed")));
        QVERIFY(!q.isOpen());
        QCOMPARE(boxes->texts(), QStringList{"Error de Consulta al obtener datos de la Tabla."});
        QCOMPARE(boxes->calls.first().icon, platform::MessageBoxService::Icon::Error);

        boxes->clear();
        QVERIFY(!BuildBankReportQuery(run, 0, 0, QString(), day(2030, 1, 1), 0, QString(), false,
                                      QString(), nullptr, q));
        QVERIFY(q.isOpen());
        QVERIFY(boxes->calls.isEmpty());
        QCOMPARE(RecordCount(run, q), 0);
    }
};

QTEST_MAIN(TstReportQueries)
#include "tst_reportqueries.moc"

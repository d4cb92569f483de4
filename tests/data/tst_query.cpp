#include "data/DataFixture.h"
#include "data/EngineError.h"
#include "data/Query.h"
#include "data/Schema.h"
#include "data/Table.h"
#include "data/TableFileWriter.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using core::TDateTime;
using data::EngineError;
using data::Query;
namespace schema = data::schema;

Q_DECLARE_METATYPE(data::FieldKind)

namespace {

constexpr TDateTime Today = 45000; // 15/03/2023

// The statements of the module, as it builds them.
const QString ReceivablesHead = QStringLiteral(
    "SELECT FCC_CODIGO, FCC_NUMERO, FCC_SALDODOCUMENTO, FCC_FECHAEMISION, FCC_FECHAVENCIMIENTO, "
    "FCC_TIPOTRANSACCION, FCC_DESCRIPCIONMOV, FC_DESCRIPCION, FC_TELEFONO, FC_DIRECCION1 "
    ", SUM(FCC_SALDODOCUMENTO) AS FCC_SALDODOCUMENTO "
    "FROM SCuentasxcobrar, SClientes WHERE (FCC_SALDODOCUMENTO > 0) AND (FCC_CODIGO = FC_CODIGO) "
    " AND (FCC_FECHAVENCIMIENTO <= :Fecha) AND FCC_TIPOTRANSACCION IN (1 , 2 , 3 , 5 , 7) "
    "GROUP BY FC_DESCRIPCION ORDER BY FC_DESCRIPCION, FCC_FECHAVENCIMIENTO ASC");

QString bankSumSql(const QString& balanceTable) {
    return QStringLiteral(
               "SELECT FX_SALDO, FGP_FECHAGIRO, FGP_GIRO, FGP_MONTOGIRO, FGP_STATUS, "
               "FGP_HORAGIRO, FGP_KEYTRANSACCION, FGP_TIPOTRANS, FTP_AUTOINCKEY, FTP_DESCRIPCION, "
               "FTP_BENEFICIARIO, FTP_NROCUENTA, FTP_NROGIROS, FTP_BANCO "
               ", SUM(FGP_MONTOGIRO) AS FGP_MONTOGIRO FROM m3GirosPendientes, m3TransPendientes "
               ", \"") +
           balanceTable +
           QStringLiteral("\"  WHERE (FTP_AUTOINCKEY = FGP_KEYTRANSACCION) AND (FX_CODIGO = "
                          "FTP_NROCUENTA)  GROUP BY FTP_NROCUENTA, FGP_STATUS");
}

} // namespace

class TestQuery : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QString m_previousFolder;
    QString dataFolder() const { return m_root.filePath("Empre001"); }

    // Every value of the field, one per row.
    QStringList column(Query& q, const QString& field) {
        QStringList values;
        for (; !q.eof(); q.next())
            values << q.fieldByName(field).asString();
        return values;
    }

    void openOn(Query& q, const QString& sql) {
        q.close();
        q.setDatabaseName(dataFolder());
        q.clearSql();
        q.addSql(sql);
        q.open();
    }

    void writeBalances(const QString& folder, double first, double second) {
        QVERIFY(QDir(m_root.path()).mkpath(folder));
        const QString dir = m_root.filePath(folder);
        if (!QFile::exists(QDir(dir).filePath("SFixed.dat")))
            schema::createTableFile(dir, schema::Fixed);
        data::TableFileWriter fixed(dir, schema::Fixed);
        fixed.insert({{"FX_CODIGO", "A1"}, {"FX_SALDO", first}});
        fixed.insert({{"FX_CODIGO", "A2"}, {"FX_SALDO", second}});
    }

private slots:
    void initTestCase() {
        datatest::useTestFormats();
        QVERIFY(m_root.isValid());
        m_previousFolder = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_root.path())); // paths in statements are relative to it
        QVERIFY(QDir(m_root.path()).mkpath("Empre001"));
        const QString dir = dataFolder();
        for (const QString& table : schema::companyTables())
            schema::createTableFile(dir, table);

        data::TableFileWriter clients(dir, schema::Clientes);
        const QList<QStringList> parties{
            {"C1", "Beta SA"}, {"C2", "Alfa CA"}, {"C3", "Alfa CA"}, {"C4", "Casa D'Ávila"}};
        for (const QStringList& p : parties)
            clients.insert({{"FC_CODIGO", p[0]}, {"FC_DESCRIPCION", p[1]}, {"FC_STATUS", true}});

        struct Document {
            const char* code;
            const char* number;
            double balance;
            int type;
            TDateTime due;
        };
        const Document documents[] = {
            {"C1", "001", 0.1, 1, Today - 2},   {"C1", "002", 0.2, 3, Today},
            {"C2", "010", 100.5, 1, Today + 1}, {"C3", "011", 50.25, 2, Today + 3},
            {"C2", "012", 10, 4, Today},     // a type the module never reads
            {"C2", "013", 0, 1, Today},      // nothing left to pay
            {"C1", "003", 5, 1, Today + 30}, // beyond the horizon
        };
        data::TableFileWriter receivables(dir, schema::CuentasxCobrar);
        for (const Document& d : documents)
            receivables.insert({{"FCC_CODIGO", d.code},
                                {"FCC_NUMERO", d.number},
                                {"FCC_SALDODOCUMENTO", d.balance},
                                {"FCC_FECHAEMISION", d.due - 30},
                                {"FCC_FECHAVENCIMIENTO", d.due},
                                {"FCC_TIPOTRANSACCION", d.type}});

        data::TableFileWriter trans(dir, schema::TransPendientes);
        data::TableFileWriter giros(dir, schema::GirosPendientes);
        const qint64 t1 = trans.insert({{"FTP_NROCUENTA", "A1"},
                                        {"FTP_BANCO", "Banco Uno"},
                                        {"FTP_DESCRIPCION", "Alquiler"},
                                        {"FTP_MONTO", 300.0},
                                        {"FTP_NROGIROS", 2}});
        const qint64 t2 = trans.insert({{"FTP_NROCUENTA", "A2"},
                                        {"FTP_BANCO", "Banco Dos"},
                                        {"FTP_DESCRIPCION", "Seguro"},
                                        {"FTP_MONTO", 50.0},
                                        {"FTP_NROGIROS", 1}});
        QCOMPARE(t1, 1);
        QCOMPARE(t2, 2);
        giros.insert({{"FGP_KEYTRANSACCION", t1},
                      {"FGP_GIRO", 1},
                      {"FGP_FECHAGIRO", QDate(2023, 3, 1)},
                      {"FGP_MONTOGIRO", 100.0},
                      {"FGP_STATUS", true},
                      {"FGP_TIPOTRANS", 0}});
        giros.insert({{"FGP_KEYTRANSACCION", t1},
                      {"FGP_GIRO", 2},
                      {"FGP_FECHAGIRO", QDate(2023, 4, 1)},
                      {"FGP_MONTOGIRO", 200.0},
                      {"FGP_STATUS", false},
                      {"FGP_TIPOTRANS", 1}});
        giros.insert({{"FGP_KEYTRANSACCION", t2},
                      {"FGP_GIRO", 1},
                      {"FGP_FECHAGIRO", Today},
                      {"FGP_MONTOGIRO", 50.0},
                      {"FGP_STATUS", false},
                      {"FGP_TIPOTRANS", 0}});

        writeBalances("Empre001", 1000.5, 20);
        writeBalances("Empre002", 7.25, 3);
    }

    void cleanupTestCase() { QDir::setCurrent(m_previousFolder); }

    void dateParameters_data() {
        QTest::addColumn<bool>("dropTime");
        QTest::addColumn<QString>("fromName");
        QTest::addColumn<QString>("toName");
        QTest::addColumn<TDateTime>("from");
        QTest::addColumn<TDateTime>("to");
        QTest::addColumn<QStringList>("numbers");
        QTest::newRow("dates drop the time") << true << ":FechaDesde"
                                             << "FechaHasta" << Today + 0.9 << Today + 1.2
                                             << QStringList{"002", "010", "012", "013"};
        QTest::newRow("date-times keep it")
            << false << ":FechaDesde"
            << ":FechaHasta" << Today + 0.9 << Today + 1.2 << QStringList{"010"};
        QTest::newRow("names in any case")
            << false << "fechadesde"
            << ":FECHAHASTA" << Today - 2 << Today - 2 << QStringList{"001"};
    }

    void dateParameters() {
        QFETCH(bool, dropTime);
        QFETCH(QString, fromName);
        QFETCH(QString, toName);
        QFETCH(TDateTime, from);
        QFETCH(TDateTime, to);
        QFETCH(QStringList, numbers);
        Query q;
        q.setDatabaseName(dataFolder());
        q.addSql("SELECT FCC_NUMERO FROM SCuentasxCobrar");
        q.addSql("WHERE FCC_FECHAVENCIMIENTO BETWEEN :FechaDesde and :FechaHasta ORDER BY "
                 "FCC_NUMERO");
        if (dropTime) {
            q.setParamDate(fromName, from);
            q.setParamDate(toName, to);
        } else {
            q.setParamDateTime(fromName, from);
            q.setParamDateTime(toName, to);
        }
        q.open();
        QCOMPARE(column(q, "FCC_NUMERO"), numbers);
    }

    void textParameter() {
        Query q;
        q.setDatabaseName(dataFolder());
        q.addSql("SELECT FC_CODIGO FROM Sclientes WHERE FC_DESCRIPCION = :Nombre ORDER BY 1");
        q.setParamString(":Nombre", "Alfa CA");
        q.open();
        QCOMPARE(column(q, "FC_CODIGO"), (QStringList{"C2", "C3"}));
        q.close();
        q.setParamString("nombre", "Casa D'Ávila");
        q.open();
        QCOMPARE(column(q, "FC_CODIGO"), QStringList{"C4"});
    }

    void tableNamesResolveWithoutLetterCase_data() {
        QTest::addColumn<QString>("sql");
        QTest::newRow("upper case") << "SELECT FCC_NUMERO FROM SCUENTASXCOBRAR";
        QTest::newRow("lower case") << "select fcc_numero from scuentasxcobrar";
        QTest::newRow("quoted name") << "SELECT FCC_NUMERO FROM \"SCuentasxcobrar\"";
        QTest::newRow("quoted file name") << "SELECT FCC_NUMERO FROM \"scuentasxcobrar.DAT\"";
        QTest::newRow("qualified column")
            << "SELECT SCuentasxCobrar.FCC_NUMERO FROM scuentasxcobrar";
        QTest::newRow("alias and comments")
            << "SELECT c.FCC_NUMERO /* Sclientes */ FROM SCuentasXCobrar c -- SFixed";
    }

    void tableNamesResolveWithoutLetterCase() {
        QFETCH(QString, sql);
        Query q;
        openOn(q, sql);
        QCOMPARE(column(q, "FCC_NUMERO").size(), 7);
    }

    void tableNamedByItsPath_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<qint64>("balanceA1");
        QTest::addColumn<qint64>("balanceA2");
        QTest::newRow("relative, backslashes")
            << "Empre001\\SFixed" << qint64(10005000) << qint64(200000);
        QTest::newRow("absolute") << m_root.filePath("Empre001/SFixed") << qint64(10005000)
                                  << qint64(200000);
        QTest::newRow("letter case and extension")
            << "EMPRE001\\sfixed.dat" << qint64(10005000) << qint64(200000);
        QTest::newRow("bare name, in the query's folder")
            << "SFixed" << qint64(10005000) << qint64(200000);
        QTest::newRow("another company's folder")
            << "Empre002\\SFixed" << qint64(72500) << qint64(30000);
    }

    // The bank balance statement: bare columns, a sum under the name of one
    // of them, the balances table by its path, groups by account and status.
    void tableNamedByItsPath() {
        QFETCH(QString, table);
        QFETCH(qint64, balanceA1);
        QFETCH(qint64, balanceA2);
        Query q;
        openOn(q, bankSumSql(table));
        QStringList rows;
        for (; !q.eof(); q.next()) {
            const data::Field& sum = q.fieldByName("FGP_MONTOGIRO");
            QCOMPARE(sum.kind(), data::FieldKind::Currency);
            const QString account = q.fieldByName("FTP_NROCUENTA").asString();
            QCOMPARE(q.fieldByName("FX_SALDO").asCurrency().raw(),
                     account == "A1" ? balanceA1 : balanceA2);
            rows << QStringLiteral("%1 %2 %3")
                        .arg(account, q.fieldByName("FGP_STATUS").asBoolean() ? "P" : "NP")
                        .arg(sum.asCurrency().raw());
        }
        rows.sort();
        QCOMPARE(rows, (QStringList{"A1 NP 2000000", "A1 P 1000000", "A2 NP 500000"}));
    }

    void booleanConditions_data() {
        QTest::addColumn<QString>("condition");
        QTest::addColumn<QStringList>("keys");
        QTest::newRow("column") << "(FGP_STATUS)" << QStringList{"1"};
        QTest::newRow("NOT(column)") << "NOT(FGP_STATUS)" << QStringList{"2", "3"};
        QTest::newRow("with other conditions")
            << "(FTP_AUTOINCKEY = FGP_KEYTRANSACCION) AND NOT(FGP_STATUS) AND (FGP_TIPOTRANS = 0)"
            << QStringList{"3"};
    }

    void booleanConditions() {
        QFETCH(QString, condition);
        QFETCH(QStringList, keys);
        Query q;
        openOn(q, "SELECT FGP_AUTOINCKEY FROM m3GirosPendientes, m3TransPendientes WHERE "
                  "(FTP_AUTOINCKEY = FGP_KEYTRANSACCION) AND " +
                      condition + " ORDER BY FGP_AUTOINCKEY");
        QCOMPARE(column(q, "FGP_AUTOINCKEY"), keys);
    }

    // The open receivables: one row per party name, the last of the two
    // FCC_SALDODOCUMENTO columns being the exact sum.
    // A query opened again on another statement finds its fields anew: a name
    // found (or not found) before says nothing of the new columns.
    void reopenedQueryFindsItsNewColumns() {
        Query q;
        openOn(q, QStringLiteral("SELECT 1 AS A, 2 AS B"));
        QCOMPARE(q.fieldByName("b").asInteger(), 2);
        QVERIFY(!q.findField(QStringLiteral("C")));
        openOn(q, QStringLiteral("SELECT 3 AS C, 4 AS b, 5 AS B"));
        QCOMPARE(q.fieldByName("C").asInteger(), 3);
        QCOMPARE(q.fieldByName("b").asInteger(), 5);
        QCOMPARE(&q.fieldByName("B"), &q.field(2));
        QVERIFY(!q.findField(QStringLiteral("A")));
    }

    void groupByPartyGivesTheLastSameNamedColumn() {
        Query q;
        q.setDatabaseName(dataFolder());
        q.addSql(ReceivablesHead);
        q.setParamDateTime("Fecha", Today + 3);
        q.open();
        QCOMPARE(q.fieldCount(), 11);
        QCOMPARE(q.field(2).name(), QStringLiteral("FCC_SALDODOCUMENTO"));
        QCOMPARE(&q.fieldByName("fcc_saldodocumento"), &q.field(10));

        QCOMPARE(q.fieldByName("FC_DESCRIPCION").asString(), QStringLiteral("Alfa CA"));
        QCOMPARE(q.fieldByName("FCC_SALDODOCUMENTO").asCurrency().raw(), 1507500);
        const qint64 one = q.field(2).asCurrency().raw(); // a bare column: one document's
        QVERIFY2(one == 1005000 || one == 502500, qPrintable(QString::number(one)));
        q.next();
        QCOMPARE(q.fieldByName("FC_DESCRIPCION").asString(), QStringLiteral("Beta SA"));
        QCOMPARE(q.fieldByName("FCC_SALDODOCUMENTO").asCurrency(), core::Currency::fromDouble(0.3));
        QCOMPARE(q.fieldByName("FCC_SALDODOCUMENTO").asString(), QStringLiteral("0,3"));
        q.next();
        QVERIFY(q.eof());
    }

    void columnKinds_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<data::FieldKind>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("declared column under an alias")
            << "SELECT FCC_FECHAVENCIMIENTO AS VENCE FROM SCuentasxCobrar WHERE FCC_NUMERO = "
               "'001'"
            << data::FieldKind::Date << "13/03/2023";
        QTest::newRow("expression named as a column")
            << "SELECT MIN(FCC_FECHAVENCIMIENTO) AS FCC_FECHAVENCIMIENTO FROM SCuentasxCobrar"
            << data::FieldKind::Date << "13/03/2023";
        QTest::newRow("currency sum, name in other case")
            << "SELECT SUM(FGP_MONTOGIRO) AS fgp_montogiro FROM m3GirosPendientes"
            << data::FieldKind::Currency << "350";
        QTest::newRow("count") << "SELECT COUNT(*) AS N FROM Sclientes" << data::FieldKind::Integer
                               << "4";
        QTest::newRow("quoted alias that looks like a path")
            << "SELECT COUNT(*) AS \"Clientes/Total\" FROM Sclientes" << data::FieldKind::Integer
            << "4";
        QTest::newRow("float sum under a new name")
            << "SELECT SUM(FTP_MONTO) / 4 AS PROMEDIO FROM m3TransPendientes"
            << data::FieldKind::Float << "87,5";
        QTest::newRow("text") << "SELECT MAX(FCC_NUMERO) AS ULTIMO FROM SCuentasxCobrar"
                              << data::FieldKind::String << "013";
    }

    void columnKinds() {
        QFETCH(QString, sql);
        QFETCH(data::FieldKind, kind);
        QFETCH(QString, text);
        Query q;
        openOn(q, sql);
        QCOMPARE(q.fieldCount(), 1);
        QCOMPARE(q.field(0).kind(), kind);
        QCOMPARE(q.field(0).asString(), text);
    }

    void failuresRaise_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("message"); // part of the error text
        QTest::newRow("missing table") << "SELECT * FROM SNoExiste"
                                       << "SNoExiste";
        QTest::newRow("missing folder in a path") << "SELECT FX_SALDO FROM \"Empre009\\SFixed\""
                                                  << "SFixed";
        QTest::newRow("syntax") << "SELECT FROM WHERE SCuentasxCobrar"
                                << "syntax";
        QTest::newRow("not a database") << "SELECT * FROM SRota"
                                        << "not a database";
        QTest::newRow("two statements") << "SELECT 1 FROM Sclientes; SELECT 2"
                                        << "instrucción";
        QTest::newRow("writes") << "DELETE FROM SCuentasxCobrar"
                                << "readonly";
        QTest::newRow("writes to a module table") << "UPDATE m3GirosPendientes SET FGP_STATUS = 1"
                                                  << "readonly";
    }

    void failuresRaise() {
        QFETCH(QString, sql);
        QFETCH(QString, message);
        const QString broken = QDir(dataFolder()).filePath("SRota.dat");
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not an SQLite file, but long enough to hold a header of one..........");
        file.close();
        const QStringList before = datatest::entries(dataFolder());
        const QStringList rootBefore = datatest::entries(m_root.path());

        Query q;
        q.setDatabaseName(dataFolder());
        q.addSql(sql);
        try {
            q.open();
            QFAIL("the statement ran");
        } catch (const EngineError& e) {
            QVERIFY2(e.text().contains(message, Qt::CaseInsensitive), qPrintable(e.text()));
        }
        QVERIFY(!q.isOpen());
        QVERIFY(q.eof());
        QCOMPARE(datatest::entries(dataFolder()), before);
        QCOMPARE(datatest::entries(m_root.path()), rootBefore);
        QFile::remove(broken);

        openOn(q, "SELECT COUNT(*) AS N FROM SCuentasxCobrar, m3GirosPendientes");
        QCOMPARE(q.fieldByName("N").asInteger(), 21); // nothing was written
    }

    void walkOpenAndClose() {
        Query q;
        openOn(q, "SELECT FC_CODIGO, FC_DESCRIPCION FROM Sclientes WHERE FC_CODIGO > :Desde");
        QVERIFY(q.isOpen());
        QVERIFY(q.eof()); // an unset parameter is null: no row
        QCOMPARE(q.fieldCount(), 2);
        QCOMPARE(q.fieldByName("FC_CODIGO").asString(), QString());
        QVERIFY(!q.findField("FP_CODIGO"));
        QVERIFY_THROWS_EXCEPTION(EngineError, q.fieldByName("FP_CODIGO"));

        q.close();
        q.setParamString("Desde", "C2");
        q.open();
        QCOMPARE(q.fieldByName("FC_CODIGO").asString(), QStringLiteral("C3"));
        q.next();
        q.next();
        QVERIFY(q.eof());
        QVERIFY(q.fieldByName("FC_CODIGO").isNull());
        q.next(); // stays at the end
        QVERIFY(q.eof());

        q.addSql("AND (FC_STATUS) ORDER BY FC_CODIGO DESC"); // closes the query
        QVERIFY(!q.isOpen());
        QVERIFY_THROWS_EXCEPTION(EngineError, q.next());
        q.open();
        QCOMPARE(column(q, "FC_CODIGO"), (QStringList{"C4", "C3"}));
    }

    // Once a query has reached its end and a table sits on a row, neither
    // keeps a lock: another program can write the file at once.
    void idleReadersLetOthersWrite() {
        Query q;
        openOn(q, "SELECT FGP_AUTOINCKEY FROM m3GirosPendientes");
        while (!q.eof())
            q.next();
        data::Table t;
        t.setDatabaseName(dataFolder());
        t.setTableName(schema::GirosPendientes);
        t.open();
        data::TableFileWriter other(dataFolder(), schema::GirosPendientes);
        const qint64 key = other.insert({{"FGP_KEYTRANSACCION", 9}, {"FGP_GIRO", 1}});
        QVERIFY(t.findKey({key}));
        t.remove();
        QVERIFY(q.isOpen());
    }
};

QTEST_GUILESS_MAIN(TestQuery)
#include "tst_query.moc"

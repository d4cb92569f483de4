#include "data/DataFixture.h"
#include "data/EngineError.h"
#include "data/Schema.h"
#include "data/Table.h"
#include "data/TableFileWriter.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using data::EngineError;
using data::FieldKind;
namespace schema = data::schema;

Q_DECLARE_METATYPE(data::FieldKind)

namespace {

// The named indexes of a table file as "NAME(column, column)", by name.
QStringList indexesOf(const QString& path, const QString& table) {
    QStringList result;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        return {"cannot open"};
    }
    sqlite3_stmt* list = nullptr;
    sqlite3_prepare_v2(db,
                       QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index' AND "
                                      "tbl_name = '%1' ORDER BY name")
                           .arg(table)
                           .toUtf8()
                           .constData(),
                       -1, &list, nullptr);
    while (sqlite3_step(list) == SQLITE_ROW) {
        const QString name =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(list, 0)));
        sqlite3_stmt* info = nullptr;
        sqlite3_prepare_v2(
            db, QStringLiteral("PRAGMA index_info(\"%1\")").arg(name).toUtf8().constData(), -1,
            &info, nullptr);
        QStringList columns;
        while (sqlite3_step(info) == SQLITE_ROW)
            columns << QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(info, 2)));
        sqlite3_finalize(info);
        result << name + "(" + columns.join(", ") + ")";
    }
    sqlite3_finalize(list);
    sqlite3_close(db);
    return result;
}

} // namespace

class TestSchema : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { datatest::useTestFormats(); }

    void createsEveryTable_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("indexes");
        QTest::addColumn<QStringList>("fields"); // a few, with their kinds
        QTest::addColumn<QList<FieldKind>>("kinds");

        QTest::newRow("transactions")
            << schema::TransPendientes << QStringList{"FTP_NROCUENTA(FTP_NROCUENTA)"}
            << QStringList{"FTP_AUTOINCKEY", "FTP_MONTO", "FTP_NROGIROS", "FTP_BENEFICIARIO"}
            << QList<FieldKind>{FieldKind::Integer, FieldKind::Float, FieldKind::Integer,
                                FieldKind::String};
        QTest::newRow("installments")
            << schema::GirosPendientes
            << QStringList{"FGP_FECHAGIRO(FGP_FECHAGIRO)",
                           "FGP_KEYTRANSACCION2(FGP_KEYTRANSACCION, FGP_GIRO)"}
            << QStringList{"FGP_FECHAGIRO",   "FGP_HORAGIRO", "FGP_MONTOGIRO",   "FGP_STATUS",
                           "FGP_FECHAPAGADO", "FGP_GIRO",     "FGP_PERIODOFIJO", "FGP_TIPOTRANS"}
            << QList<FieldKind>{FieldKind::Date,    FieldKind::Time,   FieldKind::Currency,
                                FieldKind::Boolean, FieldKind::Date,   FieldKind::Integer,
                                FieldKind::Integer, FieldKind::Integer};
        QTest::newRow("company") << schema::Empresas << QStringList{}
                                 << QStringList{"FE_DIRDATOS", "FE_DIRREPORTES", "FE_DIRECCION1",
                                                "FE_NOMBRE"}
                                 << QList<FieldKind>(4, FieldKind::String);
        QTest::newRow("banks") << schema::Bancos << QStringList{}
                               << QStringList{"FB_NOCUENTA", "FB_DESCRIPCION"}
                               << QList<FieldKind>(2, FieldKind::String);
        QTest::newRow("beneficiaries") << schema::Beneficiarios << QStringList{}
                                       << QStringList{"FBE_CODIGO", "FBE_DESCRIPCION"}
                                       << QList<FieldKind>(2, FieldKind::String);
        QTest::newRow("customers")
            << schema::Clientes << QStringList{"FC_KEYDESCRIPCION(FC_DESCRIPCION)"}
            << QStringList{"FC_CODIGO", "FC_TELEFONO", "FC_DIRECCION1", "FC_STATUS"}
            << QList<FieldKind>{FieldKind::String, FieldKind::String, FieldKind::String,
                                FieldKind::Boolean};
        QTest::newRow("suppliers")
            << schema::Proveedores << QStringList{"FP_KEYDESCRIPCION(FP_DESCRIPCION)"}
            << QStringList{"FP_CODIGO", "FP_TELEFONO", "FP_DIRECCION1", "FP_STATUS"}
            << QList<FieldKind>{FieldKind::String, FieldKind::String, FieldKind::String,
                                FieldKind::Boolean};
        for (const char* prefix : {"FCC", "FCP"}) {
            const QString p = QString::fromLatin1(prefix);
            QTest::newRow(prefix) << (p == "FCC" ? schema::CuentasxCobrar : schema::CuentasxPagar)
                                  << QStringList{}
                                  << QStringList{p + "_CODIGO",           p + "_NUMERO",
                                                 p + "_SALDODOCUMENTO",   p + "_FECHAEMISION",
                                                 p + "_FECHAVENCIMIENTO", p + "_TIPOTRANSACCION",
                                                 p + "_DESCRIPCIONMOV"}
                                  << QList<FieldKind>{FieldKind::String,   FieldKind::String,
                                                      FieldKind::Currency, FieldKind::Date,
                                                      FieldKind::Date,     FieldKind::Integer,
                                                      FieldKind::String};
        }
        QTest::newRow("balances") << schema::Fixed << QStringList{}
                                  << QStringList{"FX_CODIGO", "FX_SALDO"}
                                  << QList<FieldKind>{FieldKind::String, FieldKind::Currency};
        QTest::newRow("users") << schema::Usuarios << QStringList{"CLAVE(CLAVE)"}
                               << QStringList{"Nombre", "CLAVE", "AccesoProduc"}
                               << QList<FieldKind>{FieldKind::String, FieldKind::String,
                                                   FieldKind::Boolean};
    }

    void createsEveryTable() {
        QFETCH(QString, table);
        QFETCH(QStringList, indexes);
        QFETCH(QStringList, fields);
        QFETCH(QList<FieldKind>, kinds);
        QTemporaryDir dir;
        schema::createTableFile(dir.path(), table);
        QCOMPARE(datatest::entries(dir.path()), QStringList{table + ".dat"});
        const QString path = dir.filePath(table + ".dat");
        QCOMPARE(indexesOf(path, table), indexes);

        data::Table t;
        t.setDatabaseName(dir.path());
        t.setTableName(table + ".dat");
        t.open();
        QVERIFY(t.eof());
        QCOMPARE(t.isReadOnly(), !schema::isModuleTable(table));
        for (qsizetype i = 0; i < fields.size(); ++i) {
            const data::Field* f = t.findField(fields[i]);
            QVERIFY2(f, qPrintable(fields[i]));
            QCOMPARE(f->name(), fields[i]);
            QVERIFY2(f->kind() == kinds[i], qPrintable(fields[i]));
        }
    }

    void everyTableIsListed() {
        QStringList all = schema::suiteTables() + schema::moduleTables();
        QCOMPARE(all.size(), 11);
        QCOMPARE(schema::companyTables().size(), 10);
        QVERIFY(!schema::companyTables().contains(schema::Empresas));
        QTemporaryDir dir;
        for (const QString& table : schema::companyTables())
            schema::createTableFile(dir.path(), table);
        QCOMPARE(datatest::entries(dir.path()).size(), 10);
    }

    void existingFileIsNeverTouched_data() {
        QTest::addColumn<QString>("existing");
        QTest::addColumn<QString>("requested");
        QTest::newRow("same name") << "Sbancos.dat"
                                   << "Sbancos";
        QTest::newRow("other letter case") << "sbancos.DAT"
                                           << "SBancos.dat";
        QTest::newRow("module table") << "M3GirosPendientes.dat"
                                      << "m3GirosPendientes";
    }

    void existingFileIsNeverTouched() {
        QFETCH(QString, existing);
        QFETCH(QString, requested);
        QTemporaryDir dir;
        const QString path = dir.filePath(existing);
        datatest::runSql(path, "CREATE TABLE Keep (A); INSERT INTO Keep VALUES (1);");
        const QByteArray before = datatest::fileHash(path);
        QVERIFY_THROWS_EXCEPTION(EngineError, schema::createTableFile(dir.path(), requested));
        QCOMPARE(datatest::fileHash(path), before);
        QCOMPARE(datatest::entries(dir.path()), QStringList{existing});
    }

    void unknownTableOrFolderRaises() {
        QTemporaryDir dir;
        QVERIFY_THROWS_EXCEPTION(EngineError, schema::createTableFile(dir.path(), "SInventario"));
        QVERIFY_THROWS_EXCEPTION(EngineError,
                                 schema::createTableFile(dir.filePath("Falta"), schema::Bancos));
        QCOMPARE(datatest::entries(dir.path()), QStringList{});
    }

    void moduleTables_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("module");
        QTest::newRow("transactions") << "m3TransPendientes" << true;
        QTest::newRow("installments, file name") << "m3GirosPendientes.dat" << true;
        QTest::newRow("other case") << "M3GIROSPENDIENTES.DAT" << true;
        QTest::newRow("with a folder") << "Empre001\\m3TransPendientes.dat" << true;
        QTest::newRow("suite table") << "SCuentasxPagar" << false;
        QTest::newRow("company table") << "sempresas.Dat" << false;
        QTest::newRow("prefix only") << "m3TransPendientesX" << false;
        QTest::newRow("empty") << "" << false;
    }

    void moduleTables() {
        QFETCH(QString, name);
        QFETCH(bool, module);
        QCOMPARE(schema::isModuleTable(name), module);
    }

    void writerConvertsNaturalValues() {
        QTemporaryDir dir;
        schema::createTableFile(dir.path(), schema::GirosPendientes);
        data::TableFileWriter w(dir.path(), "M3GIROSPENDIENTES");
        QCOMPARE(w.tableName(), schema::GirosPendientes);
        const qint64 first =
            w.insert({{"FGP_KEYTRANSACCION", qint64(4)},
                      {"FGP_GIRO", 2},
                      {"FGP_FECHAGIRO", QDate(2023, 3, 15)},
                      {"FGP_HORAGIRO", QTime(18, 0)},
                      {"FGP_MONTOGIRO", 0.1 + 0.2},
                      {"FGP_STATUS", true},
                      {"FGP_FECHAPAGADO", QDateTime(QDate(2023, 3, 16), QTime(9, 30))}});
        const qint64 second = w.insert({{"fgp_fechagiro", 45001.75}, {"FGP_MONTOGIRO", 12}});
        QCOMPARE(first, 1);
        QCOMPARE(second, 2);
        QVERIFY_THROWS_EXCEPTION(EngineError, w.insert({{"FGP_NOEXISTE", 1}}));
        QVERIFY_THROWS_EXCEPTION(EngineError, w.insert({{"FGP_GIRO", "dos"}}));

        data::Table t;
        t.setDatabaseName(dir.path());
        t.setTableName(schema::GirosPendientes);
        t.open();
        QCOMPARE(t.fieldByName("FGP_KEYTRANSACCION").asInteger(), 4);
        QCOMPARE(t.fieldByName("FGP_FECHAGIRO").asDateTime(), 45000.0);
        QCOMPARE(t.fieldByName("FGP_HORAGIRO").asDateTime(), 0.75);
        QCOMPARE(t.fieldByName("FGP_MONTOGIRO").asCurrency().raw(), 3000);
        QCOMPARE(t.fieldByName("FGP_STATUS").asBoolean(), true);
        QCOMPARE(t.fieldByName("FGP_FECHAPAGADO").asString(), QStringLiteral("16/03/2023"));
        t.next();
        QCOMPARE(t.fieldByName("FGP_FECHAGIRO").asDateTime(), 45001.0);
        QCOMPARE(t.fieldByName("FGP_MONTOGIRO").asCurrency().raw(), 120000);
        QVERIFY(t.fieldByName("FGP_STATUS").isNull());
        t.next();
        QVERIFY(t.eof());
    }

    void writerBulkInsertAndMissingTable() {
        QTemporaryDir dir;
        schema::createTableFile(dir.path(), schema::Clientes);
        {
            data::TableFileWriter w(dir.path(), schema::Clientes);
            w.begin();
            for (int i = 0; i < 500; ++i)
                w.insert({{"FC_CODIGO", QString::number(i)}});
            w.execute("INSERT INTO Sclientes (FC_CODIGO) SELECT FC_CODIGO || 'b' FROM Sclientes");
            w.commit();
            w.begin();
            w.insert({{"FC_CODIGO", "rolled back"}});
        } // left open: rolled back
        data::Table t;
        t.setDatabaseName(dir.path());
        t.setTableName(schema::Clientes);
        t.open();
        QCOMPARE(t.recordCount(), 1000);

        const QStringList before = datatest::entries(dir.path());
        QVERIFY_THROWS_EXCEPTION(EngineError, data::TableFileWriter(dir.path(), schema::Bancos));
        QCOMPARE(datatest::entries(dir.path()), before);
    }
};

QTEST_GUILESS_MAIN(TestSchema)
#include "tst_schema.moc"

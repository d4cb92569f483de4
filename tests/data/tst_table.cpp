#include "data/DataFixture.h"
#include "data/EngineError.h"
#include "data/Schema.h"
#include "data/Table.h"
#include "data/TableFileWriter.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using data::EngineError;
using data::Table;

namespace {

const QString GirosDdl = QStringLiteral(
    "CREATE TABLE m3GirosPendientes (FGP_AUTOINCKEY INTEGER PRIMARY KEY AUTOINCREMENT, "
    "FGP_KEYTRANSACCION INTEGER, FGP_GIRO SMALLINT, FGP_FECHAGIRO DATE, FGP_HORAGIRO TIME, "
    "FGP_MONTOGIRO CURRENCY, FGP_STATUS BOOLEAN, FGP_FECHAPAGADO DATE, FGP_PERIODOFIJO SMALLINT, "
    "FGP_TIPOTRANS SMALLINT);"
    "CREATE INDEX FGP_KEYTRANSACCION2 ON m3GirosPendientes (FGP_KEYTRANSACCION, FGP_GIRO);"
    "CREATE INDEX FGP_FECHAGIRO ON m3GirosPendientes (FGP_FECHAGIRO);");

// Installments stored out of every index order:
//   key  transaction  number  due date
//   1    2            2       45005
//   2    1            1       45001
//   3    2            1       45003
//   4    1            2       45003
//   5    2            3       45001
const QString GirosRows = QStringLiteral(
    "INSERT INTO m3GirosPendientes (FGP_KEYTRANSACCION, FGP_GIRO, FGP_FECHAGIRO, FGP_HORAGIRO, "
    "FGP_MONTOGIRO, FGP_STATUS) VALUES "
    "(2, 2, 45005, 0.5, 2000000, 0), (1, 1, 45001, 0.25, 1000000, 1), "
    "(2, 1, 45003, 0, 1500000, 0), (1, 2, 45003, 0.75, 1200000, 0), "
    "(2, 3, 45001, 0.5, 3000000, 1);");

qint64 key(Table& t) {
    return t.fieldByName(QStringLiteral("FGP_AUTOINCKEY")).asInteger();
}

// The keys from the current row to the end.
QList<qint64> walk(Table& t) {
    QList<qint64> keys;
    while (!t.eof()) {
        keys << key(t);
        t.next();
    }
    return keys;
}

} // namespace

class TestTable : public QObject {
    Q_OBJECT

private:
    QTemporaryDir* m_dir = nullptr;
    QString folder() const { return m_dir->path(); }
    QString girosFile() const { return QDir(folder()).filePath("m3GirosPendientes.dat"); }

    void openGiros(Table& t, const QString& index = QString()) {
        t.setDatabaseName(folder());
        t.setTableName(QStringLiteral("m3GirosPendientes.dat"));
        t.setIndexName(index);
        t.open();
    }

private slots:
    void initTestCase() { datatest::useTestFormats(); }

    void init() {
        m_dir = new QTemporaryDir;
        QVERIFY(m_dir->isValid());
        datatest::runSql(girosFile(), GirosDdl + GirosRows);
    }

    void cleanup() {
        delete m_dir;
        m_dir = nullptr;
    }

    void walksInIndexOrder_data() {
        QTest::addColumn<QString>("index");
        QTest::addColumn<QList<qint64>>("order");
        QTest::newRow("primary: by key") << QString() << QList<qint64>{1, 2, 3, 4, 5};
        QTest::newRow("transaction, number")
            << QStringLiteral("FGP_KEYTRANSACCION2") << QList<qint64>{2, 4, 3, 1, 5};
        QTest::newRow("due date, ties by row")
            << QStringLiteral("fgp_fechagiro") << QList<qint64>{2, 5, 3, 4, 1};
    }

    void walksInIndexOrder() {
        QFETCH(QString, index);
        QFETCH(QList<qint64>, order);
        Table t;
        openGiros(t, index);
        QVERIFY(!t.eof());
        QCOMPARE(t.recordCount(), 5);
        QCOMPARE(walk(t), order);
        QVERIFY(t.eof());
        t.first();
        QCOMPARE(key(t), order.first());
    }

    void namedIndexFollowsItsCollation() {
        const QString path = QDir(folder()).filePath("Sbancos.dat");
        datatest::runSql(path, "CREATE TABLE Sbancos (FB_NOCUENTA VARCHAR(30), "
                               "FB_DESCRIPCION VARCHAR(60));"
                               "CREATE INDEX NOMBRE ON Sbancos (FB_DESCRIPCION COLLATE NOCASE "
                               "DESC);"
                               "INSERT INTO Sbancos VALUES ('1', 'beta'), ('2', 'Alpha'), "
                               "('3', 'alpha'), ('4', 'Gamma');");
        Table t;
        t.setDatabaseName(folder());
        t.setTableName("Sbancos");
        t.setIndexName("NOMBRE");
        t.open();
        QStringList names;
        for (; !t.eof(); t.next())
            names << t.fieldByName("FB_DESCRIPCION").asString();
        QCOMPARE(names, (QStringList{"Gamma", "beta", "Alpha", "alpha"}));

        QVERIFY(t.findKey({QStringLiteral("ALPHA")}));
        QCOMPARE(t.fieldByName("FB_NOCUENTA").asString(), QStringLiteral("2"));
    }

    void unknownIndexRaises() {
        Table t;
        openGiros(t);
        QVERIFY_THROWS_EXCEPTION(EngineError, t.setIndexName("FGP_NOEXISTE"));
        QCOMPARE(walk(t), (QList<qint64>{1, 2, 3, 4, 5})); // the primary index stays
    }

    void rangeShowsOnlyMatchingRows_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QList<qint64>>("visible");
        QTest::newRow("transaction 2") << QVariant(2) << QList<qint64>{3, 1, 5};
        QTest::newRow("transaction 1") << QVariant(qint64(1)) << QList<qint64>{2, 4};
        QTest::newRow("key given as text") << QVariant("2") << QList<qint64>{3, 1, 5};
        QTest::newRow("no installments") << QVariant(9) << QList<qint64>{};
    }

    void rangeShowsOnlyMatchingRows() {
        QFETCH(QVariant, value);
        QFETCH(QList<qint64>, visible);
        Table t;
        openGiros(t, "FGP_KEYTRANSACCION2");
        t.cancelRange();
        t.setRange(value, value);
        QCOMPARE(t.recordCount(), int(visible.size()));
        QCOMPARE(t.eof(), visible.isEmpty());
        QCOMPARE(walk(t), visible);

        t.cancelRange();
        t.first();
        QCOMPARE(t.recordCount(), 5);
        QCOMPARE(walk(t), (QList<qint64>{2, 4, 3, 1, 5}));
    }

    void cancelRangeKeepsTheCurrentRow() {
        Table t;
        openGiros(t, "FGP_KEYTRANSACCION2");
        t.setRange(1, 1);
        t.next(); // on key 4, the last of the range
        t.cancelRange();
        QCOMPARE(key(t), 4);
        t.next();
        QCOMPARE(key(t), 3);
    }

    void findKey_data() {
        QTest::addColumn<QString>("index");
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<qint64>("found"); // -1: not found

        QTest::newRow("primary, found") << QString() << QVariantList{4} << qint64(4);
        QTest::newRow("primary, absent") << QString() << QVariantList{99} << qint64(-1);
        QTest::newRow("first field: first in index order")
            << "FGP_KEYTRANSACCION2" << QVariantList{2} << qint64(3);
        QTest::newRow("both fields") << "FGP_KEYTRANSACCION2" << QVariantList{2, 3} << qint64(5);
        QTest::newRow("both fields, absent")
            << "FGP_KEYTRANSACCION2" << QVariantList{1, 9} << qint64(-1);
        QTest::newRow("date index by QDate")
            << "FGP_FECHAGIRO" << QVariantList{QDate(2023, 3, 18)} << qint64(3);
        QTest::newRow("date index drops the time")
            << "FGP_FECHAGIRO" << QVariantList{45005.6} << qint64(1);
    }

    void findKey() {
        QFETCH(QString, index);
        QFETCH(QVariantList, values);
        QFETCH(qint64, found);
        Table t;
        openGiros(t, index);
        t.next();
        const qint64 before = key(t);
        QCOMPARE(t.findKey(values), found >= 0);
        QCOMPARE(key(t), found >= 0 ? found : before);
        QVERIFY(!t.eof());
    }

    void findKeyStaysInsideTheRange() {
        Table t;
        openGiros(t, "FGP_KEYTRANSACCION2");
        t.setRange(2, 2);
        QVERIFY(!t.findKey({1, 1}));
        QCOMPARE(key(t), 3);
        QVERIFY(t.findKey({2, 2}));
        t.next();
        QCOMPARE(key(t), 5);
    }

    void postedInsertKeepsTheCursorOnTheNewRow_data() {
        QTest::addColumn<QString>("index");
        QTest::addColumn<QVariant>("range");
        QTest::addColumn<int>("number");
        QTest::addColumn<QList<qint64>>("after"); // rows that follow the new one
        QTest::newRow("primary") << QString() << QVariant() << 4 << QList<qint64>{};
        QTest::newRow("range, placed first")
            << "FGP_KEYTRANSACCION2" << QVariant(2) << 0 << QList<qint64>{3, 1, 5};
        QTest::newRow("range, placed inside") // after the other number 1 (ties by row)
            << "FGP_KEYTRANSACCION2" << QVariant(2) << 1 << QList<qint64>{1, 5};
    }

    void postedInsertKeepsTheCursorOnTheNewRow() {
        QFETCH(QString, index);
        QFETCH(QVariant, range);
        QFETCH(int, number);
        QFETCH(QList<qint64>, after);
        Table t;
        openGiros(t, index);
        if (range.isValid())
            t.setRange(range, range);
        const int count = t.recordCount();
        walk(t); // the rows seen before the insert
        t.first();
        t.insert();
        t.fieldByName("FGP_KEYTRANSACCION").setAsInteger(2);
        t.fieldByName("FGP_GIRO").setAsInteger(number);
        t.fieldByName("FGP_FECHAGIRO").setAsDateTime(45010);
        t.fieldByName("FGP_MONTOGIRO").setAsCurrency(core::Currency::fromRaw(1234567));
        t.post();

        QCOMPARE(key(t), 6);
        QCOMPARE(t.fieldByName("FGP_GIRO").asInteger(), number);
        QCOMPARE(t.fieldByName("FGP_MONTOGIRO").asCurrency().raw(), 1234567);
        QVERIFY(t.fieldByName("FGP_FECHAPAGADO").isNull());
        QCOMPARE(t.recordCount(), count + 1);
        t.next();
        QCOMPARE(walk(t), after);
        t.close();

        Table again;
        openGiros(again);
        QVERIFY(again.findKey({6}));
        QCOMPARE(again.fieldByName("FGP_FECHAGIRO").asDateTime(), 45010.0);
        QCOMPARE(again.recordCount(), 6);
    }

    void postedEditStaysOnTheRow() {
        Table t;
        openGiros(t);
        t.next();
        t.edit();
        t.fieldByName("FGP_MONTOGIRO").setAsFloat(0.1 + 0.2);
        t.fieldByName("FGP_STATUS").setAsBoolean(true);
        t.fieldByName("FGP_FECHAPAGADO").setAsDateTime(45002.7);
        t.post();
        QCOMPARE(key(t), 2);
        QCOMPARE(t.fieldByName("FGP_MONTOGIRO").asCurrency().raw(), 3000);
        QCOMPARE(t.fieldByName("FGP_FECHAPAGADO").asString(), QStringLiteral("17/03/2023"));
        t.next();
        QCOMPARE(key(t), 3);

        // Nothing else changed.
        Table again;
        openGiros(again);
        QVERIFY(again.findKey({1}));
        QCOMPARE(again.fieldByName("FGP_MONTOGIRO").asCurrency().raw(), 2000000);
        QVERIFY(again.findKey({2}));
        QCOMPARE(again.fieldByName("FGP_MONTOGIRO").asCurrency(), core::Currency::fromDouble(0.3));
    }

    // An edit that moves the row inside the index: the cursor follows it.
    void editedRowMovesInTheIndex() {
        Table t;
        openGiros(t, "FGP_KEYTRANSACCION2");
        t.setRange(1, 1); // 2 (number 1), 4 (number 2)
        t.next();
        t.edit();
        t.fieldByName("FGP_GIRO").setAsInteger(0);
        t.post();
        QCOMPARE(key(t), 4);
        t.next();
        QCOMPARE(walk(t), QList<qint64>{2});
        t.first();
        QCOMPARE(walk(t), (QList<qint64>{4, 2}));
    }

    // An edit that takes the row out of the range: the cursor stays on it, and
    // the next rows are those that follow where it now stands.
    void editedRowLeavesTheRange_data() {
        QTest::addColumn<qint64>("edited");
        QTest::addColumn<int>("transaction");
        QTest::addColumn<QList<qint64>>("following");
        QTest::newRow("first, moved before the range") << qint64(3) << 1 << QList<qint64>{1, 5};
        QTest::newRow("middle, moved after the range") << qint64(1) << 3 << QList<qint64>{};
    }

    void editedRowLeavesTheRange() {
        QFETCH(qint64, edited);
        QFETCH(int, transaction);
        QFETCH(QList<qint64>, following);
        Table t;
        openGiros(t, "FGP_KEYTRANSACCION2");
        t.setRange(2, 2); // 3, 1, 5
        while (key(t) != edited)
            t.next();
        t.edit();
        t.fieldByName("FGP_KEYTRANSACCION").setAsInteger(transaction);
        t.post();
        QCOMPARE(key(t), edited);
        QCOMPARE(t.fieldByName("FGP_KEYTRANSACCION").asInteger(), transaction);
        QCOMPARE(t.recordCount(), 2);
        t.next();
        QCOMPARE(t.eof(), following.isEmpty());
        QCOMPARE(walk(t), following);
    }

    void remove_data() {
        QTest::addColumn<QString>("index");
        QTest::addColumn<QVariant>("range");
        QTest::addColumn<qint64>("removed");
        QTest::addColumn<QList<qint64>>("following");
        QTest::newRow("primary, middle")
            << QString() << QVariant() << qint64(3) << QList<qint64>{4, 5};
        QTest::newRow("primary, last") << QString() << QVariant() << qint64(5) << QList<qint64>{};
        QTest::newRow("named index")
            << "FGP_KEYTRANSACCION2" << QVariant() << qint64(3) << QList<qint64>{1, 5};
        QTest::newRow("range, middle")
            << "FGP_KEYTRANSACCION2" << QVariant(2) << qint64(1) << QList<qint64>{5};
        QTest::newRow("range, last")
            << "FGP_KEYTRANSACCION2" << QVariant(2) << qint64(5) << QList<qint64>{};
    }

    void remove() {
        QFETCH(QString, index);
        QFETCH(QVariant, range);
        QFETCH(qint64, removed);
        QFETCH(QList<qint64>, following);
        Table t;
        openGiros(t, index);
        if (range.isValid())
            t.setRange(range, range);
        const int count = t.recordCount();
        while (key(t) != removed)
            t.next();
        t.remove();
        QCOMPARE(t.eof(), following.isEmpty());
        QCOMPARE(walk(t), following);
        QCOMPARE(t.recordCount(), count - 1);
        t.setIndexName(QString());
        QVERIFY(!t.findKey({removed}));
    }

    // The walk that renumbers the installments of a transaction after one is
    // deleted: a range on the transaction, edit and post each row in turn.
    void renumbersInsideARange() {
        Table t;
        openGiros(t, "FGP_KEYTRANSACCION2");
        t.setRange(2, 2);
        QVERIFY(t.findKey({2, 2}));
        t.remove();
        QCOMPARE(key(t), 5);
        t.first();
        int number = 0;
        while (!t.eof()) {
            t.edit();
            t.fieldByName("FGP_GIRO").setAsInteger(++number);
            t.post();
            t.next();
        }
        QCOMPARE(number, 2);
        t.first();
        QStringList rows;
        for (; !t.eof(); t.next())
            rows << QStringLiteral("%1:%2").arg(key(t)).arg(t.fieldByName("FGP_GIRO").asInteger());
        QCOMPARE(rows, (QStringList{"3:1", "5:2"}));
    }

    void movingPostsAChangedBufferAndCloseDropsIt() {
        {
            Table t;
            openGiros(t);
            t.edit();
            t.fieldByName("FGP_GIRO").setAsInteger(7);
            t.next(); // posts
            t.edit();
            t.fieldByName("FGP_GIRO").setAsInteger(8);
            t.close(); // drops
        }
        Table t;
        openGiros(t);
        QCOMPARE(t.fieldByName("FGP_GIRO").asInteger(), 7);
        t.next();
        QCOMPARE(t.fieldByName("FGP_GIRO").asInteger(), 1);
    }

    void cancelDropsTheBuffer() {
        Table t;
        openGiros(t);
        t.insert();
        t.fieldByName("FGP_GIRO").setAsInteger(9);
        t.cancel();
        QCOMPARE(key(t), 1);
        t.edit();
        t.fieldByName("FGP_GIRO").setAsInteger(9);
        t.cancel();
        QCOMPARE(t.fieldByName("FGP_GIRO").asInteger(), 2);
        QCOMPARE(t.recordCount(), 5);
        QVERIFY_THROWS_EXCEPTION(EngineError, t.post()); // not in insert or edit state
        QVERIFY_THROWS_EXCEPTION(EngineError, t.fieldByName("FGP_GIRO").setAsInteger(3));
    }

    void emptyTableAfterRemovingEveryRow() {
        Table t;
        openGiros(t);
        while (!t.eof())
            t.remove();
        QCOMPARE(t.recordCount(), 0);
        QVERIFY_THROWS_EXCEPTION(EngineError, t.edit());
        QVERIFY_THROWS_EXCEPTION(EngineError, t.remove());
        t.insert();
        t.fieldByName("FGP_GIRO").setAsInteger(1);
        t.post();
        QCOMPARE(key(t), 6); // keys are never reused
    }

    void missingTableRaisesAndCreatesNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("suite table") << "Sbancos.dat";
        QTest::newRow("module table") << "m3TransPendientes";
    }

    void missingTableRaisesAndCreatesNothing() {
        QFETCH(QString, name);
        const QStringList before = datatest::entries(folder());
        Table t;
        t.setDatabaseName(folder());
        t.setTableName(name);
        try {
            t.open();
            QFAIL("the table opened");
        } catch (const EngineError& e) {
            QVERIFY2(e.text().contains(data::schema::isModuleTable(name) ? "m3TransPendientes"
                                                                         : "Sbancos"),
                     qPrintable(e.text()));
        }
        QVERIFY(!t.isOpen());
        QCOMPARE(datatest::entries(folder()), before);
    }

    void unusableFileRaises_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("ddl");
        QTest::newRow("not a database")
            << QByteArray("legacy table header\x01\x02", 21) << QString();
        QTest::newRow("empty file") << QByteArray() << QString();
        QTest::newRow("another table")
            << QByteArray() << "CREATE TABLE Otra (FGP_AUTOINCKEY INTEGER);";
    }

    void unusableFileRaises() {
        QFETCH(QByteArray, content);
        QFETCH(QString, ddl);
        for (const QString& name :
             {QStringLiteral("Sbancos"), QStringLiteral("m3TransPendientes")}) {
            const QString path = QDir(folder()).filePath(name + ".dat");
            if (ddl.isEmpty()) {
                QFile file(path);
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write(content);
            } else {
                datatest::runSql(path, ddl);
            }
            const QByteArray before = datatest::fileHash(path);
            const QStringList files = datatest::entries(folder());
            Table t;
            t.setDatabaseName(folder());
            t.setTableName(name);
            QVERIFY_THROWS_EXCEPTION(EngineError, t.open());
            QVERIFY(!t.isOpen());
            QCOMPARE(datatest::fileHash(path), before);
            QCOMPARE(datatest::entries(folder()), files);
        }
    }

    void suiteTablesAreReadOnly() {
        data::schema::createTableFile(folder(), data::schema::Bancos);
        data::TableFileWriter(folder(), data::schema::Bancos)
            .insert({{"FB_NOCUENTA", "0102"}, {"FB_DESCRIPCION", "Banco"}});
        const QString path = QDir(folder()).filePath("Sbancos.dat");
        const QByteArray before = datatest::fileHash(path);

        Table t;
        t.setDatabaseName(folder());
        t.setTableName("SBANCOS.DAT");
        t.open();
        QVERIFY(t.isReadOnly());
        QCOMPARE(t.fieldByName("fb_descripcion").asString(), QStringLiteral("Banco"));
        QVERIFY_THROWS_EXCEPTION(EngineError, t.insert());
        QVERIFY_THROWS_EXCEPTION(EngineError, t.edit());
        QVERIFY_THROWS_EXCEPTION(EngineError, t.remove());
        QVERIFY_THROWS_EXCEPTION(EngineError, t.fieldByName("FB_DESCRIPCION").setAsString("Otro"));
        QVERIFY_THROWS_EXCEPTION(EngineError, t.post());
        QCOMPARE(t.fieldByName("FB_DESCRIPCION").asString(), QStringLiteral("Banco"));
        t.close();
        QCOMPARE(datatest::fileHash(path), before);

        Table giros;
        openGiros(giros);
        QVERIFY(!giros.isReadOnly());
    }

    void namesMatchWithoutLetterCase_data() {
        QTest::addColumn<QString>("subfolder");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("folderGiven");
        QTest::addColumn<QString>("nameGiven");
        QTest::newRow("same spelling") << ""
                                       << "Sclientes.dat"
                                       << "Sclientes"
                                       << ""
                                       << "Sclientes.dat";
        QTest::newRow("other case, no extension") << ""
                                                  << "sclientes.dat"
                                                  << "SCLIENTES"
                                                  << ""
                                                  << "SClientes";
        QTest::newRow("upper-case extension") << ""
                                              << "SCLIENTES.DAT"
                                              << "sclientes"
                                              << ""
                                              << "sClientes.Dat";
        QTest::newRow("folder in other case, backslashes") << "Empre001"
                                                           << "Sclientes.dat"
                                                           << "Sclientes"
                                                           << "EMPRE001\\"
                                                           << "SClientes";
    }

    void namesMatchWithoutLetterCase() {
        QFETCH(QString, subfolder);
        QFETCH(QString, file);
        QFETCH(QString, stored);
        QFETCH(QString, folderGiven);
        QFETCH(QString, nameGiven);
        QVERIFY(QDir(folder()).mkpath(subfolder.isEmpty() ? "." : subfolder));
        const QString dir = QDir(folder()).filePath(subfolder);
        datatest::runSql(QDir(dir).filePath(file),
                         QStringLiteral("CREATE TABLE %1 (FC_CODIGO VARCHAR(10), FC_DESCRIPCION "
                                        "VARCHAR(60)); CREATE INDEX FC_KEYDESCRIPCION ON %1 "
                                        "(FC_DESCRIPCION); INSERT INTO %1 VALUES ('C2', 'Beta'), "
                                        "('C1', 'Alfa');")
                             .arg(stored));
        Table t;
        t.setDatabaseName(folderGiven.isEmpty() ? folder() : folder() + "/" + folderGiven);
        t.setTableName(nameGiven);
        t.setIndexName("fc_keydescripcion");
        t.open();
        QCOMPARE(t.fieldByName("FC_CODIGO").asString(), QStringLiteral("C1"));
        QCOMPARE(datatest::entries(dir).filter("clientes", Qt::CaseInsensitive), QStringList{file});
    }

    void workingFolderWhenNoFolderIsGiven() {
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder()));
        Table t;
        t.setTableName("M3GIROSPENDIENTES.DAT");
        bool opened = false;
        try {
            t.open();
            opened = true;
        } catch (const EngineError&) {
        }
        QDir::setCurrent(previous);
        QVERIFY(opened);
        QCOMPARE(t.recordCount(), 5);
    }

    void nullsReadAsEmpty() {
        datatest::runSql(girosFile(),
                         "INSERT INTO m3GirosPendientes (FGP_KEYTRANSACCION) VALUES (7);");
        Table t;
        openGiros(t);
        QVERIFY(t.findKey({6}));
        for (const char* name : {"FGP_GIRO", "FGP_FECHAGIRO", "FGP_HORAGIRO", "FGP_MONTOGIRO",
                                 "FGP_STATUS", "FGP_FECHAPAGADO", "FGP_PERIODOFIJO"}) {
            const data::Field& f = t.fieldByName(name);
            QVERIFY2(f.isNull(), name);
            QCOMPARE(f.asString(), QString());
            QCOMPARE(f.asInteger(), 0);
            QCOMPARE(f.asFloat(), 0.0);
            QCOMPARE(f.asCurrency().raw(), 0);
            QCOMPARE(f.asDateTime(), 0.0);
            QCOMPARE(f.asBoolean(), false);
        }
    }

    void fieldLookup() {
        Table t;
        openGiros(t);
        QCOMPARE(t.fieldCount(), 10);
        QCOMPARE(t.field(0).name(), QStringLiteral("FGP_AUTOINCKEY"));
        QCOMPARE(t.findField("fgp_giro"), &t.fieldByName("FGP_GIRO"));
        QVERIFY(!t.findField("FGP_NOEXISTE"));
        QVERIFY_THROWS_EXCEPTION(EngineError, t.fieldByName("FGP_NOEXISTE"));
        QVERIFY_THROWS_EXCEPTION(EngineError, t.field(10));
    }

    void readsStoredValues_data() {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("literal");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        QTest::addColumn<qint64>("whole"); // for text: -1 when it is no whole number (raises)
        QTest::addColumn<qint64>("raw");   // as currency

        QTest::newRow("date stored as integer")
            << "D"
            << "45000"
            << "15/03/2023" << 45000.0 << qint64(45000) << qint64(450000000);
        QTest::newRow("date written as a whole real")
            << "D"
            << "45000.0"
            << "15/03/2023" << 45000.0 << qint64(45000) << qint64(450000000);
        QTest::newRow("time") << "T"
                              << "0.75"
                              << "06:00 PM" << 0.75 << qint64(0) << qint64(7500);
        QTest::newRow("timestamp")
            << "TS"
            << "45000.5"
            << "15/03/2023 12:00 PM" << 45000.5 << qint64(45000) << qint64(450005000);
        QTest::newRow("currency") << "C"
                                  << "12345"
                                  << "1,2345" << 1.2345 << qint64(1) << qint64(12345);
        QTest::newRow("negative currency") << "C"
                                           << "-25000"
                                           << "-2,5" << -2.5 << qint64(-3) << qint64(-25000);
        QTest::newRow("float") << "F"
                               << "2.5"
                               << "2,5" << 2.5 << qint64(3) << qint64(25000);
        QTest::newRow("float stored whole") << "F"
                                            << "7"
                                            << "7" << 7.0 << qint64(7) << qint64(70000);
        QTest::newRow("boolean") << "B"
                                 << "1"
                                 << "True" << 1.0 << qint64(1) << qint64(10000);
        QTest::newRow("small integer") << "I"
                                       << "-4"
                                       << "-4" << -4.0 << qint64(-4) << qint64(-40000);
        QTest::newRow("number as text") << "S"
                                        << "'42'"
                                        << "42" << 42.0 << qint64(42) << qint64(420000);
        QTest::newRow("decimal comma text")
            << "S"
            << "' 1.234,5'"
            << " 1.234,5" << 1234.5 << qint64(-1) << qint64(12345000);
    }

    void readsStoredValues() {
        QFETCH(QString, column);
        QFETCH(QString, literal);
        QFETCH(QString, text);
        QFETCH(double, number);
        QFETCH(qint64, whole);
        QFETCH(qint64, raw);
        datatest::runSql(QDir(folder()).filePath("STipos.dat"),
                         QStringLiteral("CREATE TABLE STipos (D DATE, T TIME, TS TIMESTAMP, C "
                                        "CURRENCY, F FLOAT, B BOOLEAN, I SMALLINT, S "
                                        "VARCHAR(20)); INSERT INTO STipos (%1) VALUES (%2);")
                             .arg(column, literal));
        Table t;
        t.setDatabaseName(folder());
        t.setTableName("STipos");
        t.open();
        const data::Field& f = t.fieldByName(column);
        QCOMPARE(f.asString(), text);
        QCOMPARE(f.asFloat(), number);
        if (whole >= 0 || f.kind() != data::FieldKind::String)
            QCOMPARE(f.asInteger(), whole);
        else
            QVERIFY_THROWS_EXCEPTION(EngineError, f.asInteger()); // not a whole number
        QCOMPARE(f.asCurrency().raw(), raw);
    }

    void writesConvertToTheColumnType() {
        Table t;
        openGiros(t);
        t.insert();
        data::Field& date = t.fieldByName("FGP_FECHAGIRO");
        data::Field& time = t.fieldByName("FGP_HORAGIRO");
        data::Field& amount = t.fieldByName("FGP_MONTOGIRO");
        data::Field& number = t.fieldByName("FGP_GIRO");
        date.setAsDateTime(45000.75); // the date keeps no time
        time.setAsDateTime(45000.75); // the time keeps no date
        amount.setAsString("1234,56");
        number.setAsString("3");
        t.fieldByName("FGP_STATUS").setAsBoolean(false);
        t.fieldByName("FGP_FECHAPAGADO").setAsString("16/03/2023");
        QVERIFY_THROWS_EXCEPTION(EngineError, number.setAsString("tres"));
        QVERIFY_THROWS_EXCEPTION(EngineError, date.setAsString("32/01/2023"));
        t.post();

        QCOMPARE(date.asDateTime(), 45000.0);
        QCOMPARE(date.storedValue(), QVariant(qint64(45000)));
        QCOMPARE(time.asDateTime(), 0.75);
        QCOMPARE(time.asString(), QStringLiteral("06:00 PM"));
        QCOMPARE(amount.asCurrency().raw(), 12345600);
        QCOMPARE(amount.storedValue(), QVariant(qint64(12345600)));
        QCOMPARE(number.asInteger(), 3);
        QCOMPARE(t.fieldByName("FGP_STATUS").storedValue(), QVariant(qint64(0)));
        QCOMPARE(t.fieldByName("FGP_FECHAPAGADO").asDateTime(), 45001.0);
    }
};

QTEST_GUILESS_MAIN(TestTable)
#include "tst_table.moc"

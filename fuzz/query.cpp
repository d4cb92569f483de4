// The query's statement preparation under any statement text and parameters,
// over a folder with a receivables table and an installments table: the
// query runs or raises EngineError, never more; and no statement writes or
// creates a file.

#include "data/Query.h"
#include "data/EngineError.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sqlite3.h>

namespace {

QTemporaryDir* dir = nullptr;

void table(const char* file, const char* sql) {
    sqlite3* db = nullptr;
    const QByteArray path = QDir(dir->path()).filePath(QString::fromLatin1(file)).toUtf8();
    if (sqlite3_open(path.constData(), &db) != SQLITE_OK ||
        sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        std::abort();
    sqlite3_close(db);
}

// The folder as it stands: names, sizes and times of its files.
QStringList listing() {
    QStringList out;
    const QFileInfoList files =
        QDir(dir->path())
            .entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& f : files)
        out << f.fileName() + QLatin1Char(' ') + QString::number(f.size()) + QLatin1Char(' ') +
                   QString::number(f.lastModified().toMSecsSinceEpoch());
    return out;
}

QStringList before;

// Texts that make SQLite itself compute without end or fill the memory: the
// engine is not what is tested here.
bool tooCostly(const QByteArray& sql) {
    const QByteArray lower = sql.toLower();
    for (const char* word : {"recursive", "blob", "printf", "format", "replace", "char(", "hex",
                             "zero", "repeat", "like", "glob", "substr", "instr"})
        if (lower.contains(word))
            return true;
    return lower.count("select") > 3 || lower.count(",") > 24;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    dir = new QTemporaryDir;
    table("SCuentasxCobrar.dat",
          "CREATE TABLE SCuentasxCobrar (FCC_AUTOINCKEY INTEGER PRIMARY KEY AUTOINCREMENT, "
          "FCC_CODIGO VARCHAR(10), FCC_NUMERO VARCHAR(20), FCC_SALDODOCUMENTO CURRENCY, "
          "FCC_FECHAVENCIMIENTO DATE, FCC_TIPOTRANSACCION SMALLINT, FCC_DESCRIPCIONMOV "
          "VARCHAR(60));"
          "INSERT INTO SCuentasxCobrar VALUES (NULL, 'C1', '001', 1500000, 45000, 1, 'x''y');"
          "INSERT INTO SCuentasxCobrar VALUES (NULL, 'C2', '002', 0, 45001.5, 5, NULL);");
    table("m3GirosPendientes.dat",
          "CREATE TABLE m3GirosPendientes (FGP_AUTOINCKEY INTEGER PRIMARY KEY AUTOINCREMENT, "
          "FGP_KEYTRANSACCION INTEGER, FGP_GIRO SMALLINT, FGP_FECHAGIRO DATE, FGP_HORAGIRO TIME, "
          "FGP_MONTOGIRO CURRENCY, FGP_STATUS BOOLEAN);"
          "CREATE INDEX FGP_FECHAGIRO ON m3GirosPendientes (FGP_FECHAGIRO);"
          "INSERT INTO m3GirosPendientes VALUES (NULL, 1, 1, 45000, 0.5, 1000000, 0);");
    QDir::setCurrent(dir->path());
    before = listing();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 400)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (tooCostly(bytes))
        return 0;
    data::Query q;
    q.setDatabaseName(size % 2 ? dir->path() + QLatin1Char('/') : QStringLiteral(""));
    q.addSql(QString::fromUtf8(bytes));
    q.setParamDate(QStringLiteral(":Fecha"), 45000.75);
    q.setParamDateTime(QStringLiteral("FechaHasta"), 45001);
    q.setParamString(QStringLiteral(":Nombre"), QStringLiteral("O'Brien %"));
    try {
        q.open();
        for (int row = 0; row < 16 && !q.eof(); ++row) {
            for (int i = 0; i < q.fieldCount(); ++i) {
                data::Field& f = q.field(i);
                f.asString();
                f.asFloat();
                f.asCurrency();
                f.asDateTime();
                f.asBoolean();
            }
            q.next();
        }
    } catch (const data::EngineError&) {
    }
    q.close();
    if (listing() != before) {
        std::fprintf(stderr, "a query changed the folder\n");
        std::abort();
    }
    return 0;
}

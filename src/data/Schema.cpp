#include "data/Schema.h"

#include "data/EngineError.h"
#include "data/Sqlite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <vector>

namespace data::schema {

namespace {

struct IndexDef {
    const char* name;
    const char* columns;
};

struct TableDef {
    const QString* name;
    const char* columns;
    std::vector<IndexDef> indexes;
};

const std::vector<TableDef>& definitions() {
    static const std::vector<TableDef> tables{
        {&TransPendientes,
         "FTP_AUTOINCKEY INTEGER PRIMARY KEY AUTOINCREMENT, FTP_NROCUENTA VARCHAR(30), "
         "FTP_BANCO VARCHAR(60), FTP_BENEFICIARIO VARCHAR(80), FTP_DESCRIPCION VARCHAR(120), "
         "FTP_MONTO FLOAT, FTP_NROGIROS INTEGER",
         {{"FTP_NROCUENTA", "FTP_NROCUENTA"}}},
        {&GirosPendientes,
         "FGP_AUTOINCKEY INTEGER PRIMARY KEY AUTOINCREMENT, FGP_KEYTRANSACCION INTEGER, "
         "FGP_GIRO SMALLINT, FGP_FECHAGIRO DATE, FGP_HORAGIRO TIME, FGP_MONTOGIRO CURRENCY, "
         "FGP_STATUS BOOLEAN, FGP_FECHAPAGADO DATE, FGP_PERIODOFIJO SMALLINT, "
         "FGP_TIPOTRANS SMALLINT",
         {{"FGP_KEYTRANSACCION2", "FGP_KEYTRANSACCION, FGP_GIRO"},
          {"FGP_FECHAGIRO", "FGP_FECHAGIRO"}}},
        {&Empresas,
         "FE_NOMBRE VARCHAR(60), FE_DIRDATOS VARCHAR(255), FE_DIRREPORTES VARCHAR(255), "
         "FE_DIRECCION1 VARCHAR(120)",
         {}},
        {&Bancos, "FB_NOCUENTA VARCHAR(30), FB_DESCRIPCION VARCHAR(60)", {}},
        {&Beneficiarios, "FBE_CODIGO VARCHAR(10), FBE_DESCRIPCION VARCHAR(80)", {}},
        {&Clientes,
         "FC_CODIGO VARCHAR(10), FC_DESCRIPCION VARCHAR(80), FC_TELEFONO VARCHAR(30), "
         "FC_DIRECCION1 VARCHAR(120), FC_STATUS BOOLEAN",
         {{"FC_KEYDESCRIPCION", "FC_DESCRIPCION"}}},
        {&Proveedores,
         "FP_CODIGO VARCHAR(10), FP_DESCRIPCION VARCHAR(80), FP_TELEFONO VARCHAR(30), "
         "FP_DIRECCION1 VARCHAR(120), FP_STATUS BOOLEAN",
         {{"FP_KEYDESCRIPCION", "FP_DESCRIPCION"}}},
        {&CuentasxCobrar,
         "FCC_CODIGO VARCHAR(10), FCC_NUMERO VARCHAR(20), FCC_SALDODOCUMENTO CURRENCY, "
         "FCC_FECHAEMISION DATE, FCC_FECHAVENCIMIENTO DATE, FCC_TIPOTRANSACCION SMALLINT, "
         "FCC_DESCRIPCIONMOV VARCHAR(120)",
         {}},
        {&CuentasxPagar,
         "FCP_CODIGO VARCHAR(10), FCP_NUMERO VARCHAR(20), FCP_SALDODOCUMENTO CURRENCY, "
         "FCP_FECHAEMISION DATE, FCP_FECHAVENCIMIENTO DATE, FCP_TIPOTRANSACCION SMALLINT, "
         "FCP_DESCRIPCIONMOV VARCHAR(120)",
         {}},
        {&Fixed, "FX_CODIGO VARCHAR(30), FX_SALDO CURRENCY", {}},
        {&Usuarios,
         "Nombre VARCHAR(40), CLAVE VARCHAR(60), AccesoProduc BOOLEAN",
         {{"CLAVE", "CLAVE"}}},
    };
    return tables;
}

const TableDef* definition(const QString& table) {
    const QString base = sqlite::baseTableName(table);
    for (const TableDef& def : definitions()) {
        if (def.name->compare(base, Qt::CaseInsensitive) == 0)
            return &def;
    }
    return nullptr;
}

} // namespace

bool isModuleTable(const QString& name) {
    const QString base = sqlite::baseTableName(name);
    return base.compare(TransPendientes, Qt::CaseInsensitive) == 0 ||
           base.compare(GirosPendientes, Qt::CaseInsensitive) == 0;
}

QStringList moduleTables() {
    return {TransPendientes, GirosPendientes};
}

QStringList suiteTables() {
    return {Empresas,       Bancos,        Beneficiarios, Clientes, Proveedores,
            CuentasxCobrar, CuentasxPagar, Fixed,         Usuarios};
}

QStringList companyTables() {
    QStringList tables = suiteTables().mid(1);
    tables << moduleTables();
    return tables;
}

QStringList tableDdl(const QString& table) {
    const TableDef* def = definition(table);
    if (!def)
        throw EngineError(QStringLiteral("\"%1\" no es una tabla de la empresa.")
                              .arg(sqlite::baseTableName(table)));
    const QString name = sqlite::baseTableName(table);
    QStringList statements;
    statements << QStringLiteral("CREATE TABLE %1 (%2)")
                      .arg(sqlite::quoteIdentifier(name), QString::fromLatin1(def->columns));
    for (const IndexDef& index : def->indexes)
        statements << QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                          .arg(sqlite::quoteIdentifier(QString::fromLatin1(index.name)),
                               sqlite::quoteIdentifier(name), QString::fromLatin1(index.columns));
    return statements;
}

void createTableFile(const QString& folder, const QString& table) {
    const QStringList statements = tableDdl(table);
    const QString name = sqlite::baseTableName(table);
    const QString dir = sqlite::resolveFolder(folder);
    if (!QFileInfo(dir).isDir())
        throw EngineError(QStringLiteral("La carpeta \"%1\" no existe.").arg(folder));
    if (!sqlite::findTableFile(dir, name).isEmpty())
        throw EngineError(
            QStringLiteral("La tabla \"%1\" ya existe en la carpeta \"%2\".").arg(name, folder));
    const QString path = QDir(dir).filePath(name + QStringLiteral(".dat"));
    const QString lead = QStringLiteral("No se pudo crear la tabla \"%1\"").arg(name);
    {
        // The empty file is made first, failing when one exists, so that a file
        // that appeared meanwhile is never touched; SQLite takes an empty file
        // as an empty database.
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            throw EngineError(lead + QStringLiteral(": ") + file.errorString());
    }
    try {
        sqlite::Connection db;
        db.open(path, SQLITE_OPEN_READWRITE, lead);
        for (const QString& sql : statements)
            db.exec(sql, lead);
    } catch (...) {
        QFile::remove(path);
        throw;
    }
}

} // namespace data::schema

#pragma once

#include <QString>
#include <QStringList>

// The tables of a company: the module's own two tables, which it reads and
// writes, and the suite's tables, which it only reads. Each table is a file
// "<name>.dat" holding one SQLite table of that name and its indexes.
namespace data::schema {

// The module's tables.
inline const QString TransPendientes = QStringLiteral("m3TransPendientes");
inline const QString GirosPendientes = QStringLiteral("m3GirosPendientes");

// The suite's tables. "sempresas" lives in the working folder, the others in
// the company's data folder.
inline const QString Empresas = QStringLiteral("sempresas");
inline const QString Bancos = QStringLiteral("Sbancos");
inline const QString Beneficiarios = QStringLiteral("Sbeneficiario");
inline const QString Clientes = QStringLiteral("Sclientes");
inline const QString Proveedores = QStringLiteral("SProveedor");
inline const QString CuentasxCobrar = QStringLiteral("SCuentasxCobrar");
inline const QString CuentasxPagar = QStringLiteral("SCuentasxPagar");
inline const QString Fixed = QStringLiteral("SFixed");
inline const QString Usuarios = QStringLiteral("Susuarios");

// Named indexes ("" is the primary index: the auto-increment key, or the row order).
inline const QString KeyTransaccionIndex =
    QStringLiteral("FGP_KEYTRANSACCION2"); // key, installment
inline const QString FechaGiroIndex = QStringLiteral("FGP_FECHAGIRO");
inline const QString NroCuentaIndex = QStringLiteral("FTP_NROCUENTA");
inline const QString ClaveIndex = QStringLiteral("CLAVE");
inline const QString ClientesDescripcionIndex = QStringLiteral("FC_KEYDESCRIPCION");
inline const QString ProveedorDescripcionIndex = QStringLiteral("FP_KEYDESCRIPCION");

// True for the module's two tables, named with or without ".dat", in any letter
// case. Only these are opened for writing; every other table is read-only.
bool isModuleTable(const QString& name);

QStringList moduleTables();
// The suite's nine tables, "sempresas" first.
QStringList suiteTables();
// The tables of a company's data folder: every table but "sempresas".
QStringList companyTables();

// The statements that create the table and its indexes, under the given
// spelling of the name. EngineError for a table that is not one of the above.
QStringList tableDdl(const QString& table);

// Creates "<table>.dat" in the folder with its table and indexes. EngineError
// when the file exists already (in any letter case) or cannot be made. For the
// company tool and tests: the module never creates a table.
void createTableFile(const QString& folder, const QString& table);

} // namespace data::schema

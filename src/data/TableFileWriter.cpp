#include "data/TableFileWriter.h"

#include "data/EngineError.h"
#include "data/Field.h"
#include "data/Sqlite.h"
#include "data/Values.h"

#include <QDir>
#include <QStringList>
#include <map>
#include <vector>

namespace data {

struct TableFileWriter::Impl {
    QString path;
    QString storedName;
    sqlite::Connection db;
    struct Column {
        QString name;
        FieldKind kind;
    };
    std::vector<Column> columns;
    std::map<QString, std::unique_ptr<sqlite::Statement>> inserts;
    bool inTransaction = false;

    QString lead() const {
        return QStringLiteral("Error al escribir la tabla \"%1\"").arg(storedName);
    }

    const Column& column(const QString& name) const {
        for (const Column& c : columns) {
            if (c.name.compare(name, Qt::CaseInsensitive) == 0)
                return c;
        }
        throw EngineError(
            QStringLiteral("El campo \"%1\" no existe en la tabla \"%2\".").arg(name, storedName));
    }
};

TableFileWriter::TableFileWriter(const QString& folder, const QString& table)
    : d(std::make_unique<Impl>()) {
    const QString base = sqlite::baseTableName(table);
    d->path = sqlite::findTableFile(folder, table);
    if (d->path.isEmpty())
        throw EngineError(QStringLiteral("La tabla \"%1\" no existe en la carpeta \"%2\".")
                              .arg(base, folder.isEmpty() ? QDir::currentPath() : folder));
    const QString lead = QStringLiteral("No se pudo abrir la tabla \"%1\"").arg(base);
    d->db.open(d->path, SQLITE_OPEN_READWRITE, lead);
    d->storedName = sqlite::storedTableName(d->db.handle(), QStringLiteral("main"), base, lead);
    if (d->storedName.isEmpty())
        throw EngineError(QStringLiteral("El archivo \"%1\" no contiene la tabla \"%2\".")
                              .arg(QDir::toNativeSeparators(d->path), base));
    sqlite::Statement s(
        d->db.handle(),
        QStringLiteral("PRAGMA table_info(%1)").arg(sqlite::quoteIdentifier(d->storedName)), lead);
    while (s.step())
        d->columns.push_back({s.text(1), kindFromDeclaredType(s.text(2))});
}

TableFileWriter::~TableFileWriter() {
    d->inserts.clear();
    if (d->inTransaction)
        sqlite3_exec(d->db.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

qint64 TableFileWriter::insert(const QVariantMap& values) {
    std::vector<QVariant> stored;
    QStringList names, params;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const Impl::Column& c = d->column(it.key());
        stored.push_back(values::toStored(c.kind, it.value(), c.name));
        names << sqlite::quoteIdentifier(c.name);
        params << QStringLiteral("?%1").arg(stored.size());
    }
    const QString table = sqlite::quoteIdentifier(d->storedName);
    const QString sql = names.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                                        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                              .arg(table, names.join(QStringLiteral(", ")),
                                                   params.join(QStringLiteral(", ")));
    auto found = d->inserts.find(sql);
    if (found == d->inserts.end())
        found = d->inserts
                    .emplace(sql, std::make_unique<sqlite::Statement>(d->db.handle(), sql,
                                                                      d->lead(), true))
                    .first;
    sqlite::Statement& s = *found->second;
    sqlite::Statement::Scope scope(s);
    for (size_t i = 0; i < stored.size(); ++i)
        s.bind(int(i) + 1, stored[i]);
    s.step();
    return sqlite3_last_insert_rowid(d->db.handle());
}

void TableFileWriter::execute(const QString& sql) {
    d->db.exec(sql, d->lead());
}

void TableFileWriter::begin() {
    d->db.exec(QStringLiteral("BEGIN"), d->lead());
    d->inTransaction = true;
}

void TableFileWriter::commit() {
    d->db.exec(QStringLiteral("COMMIT"), d->lead());
    d->inTransaction = false;
}

QString TableFileWriter::path() const {
    return d->path;
}

QString TableFileWriter::tableName() const {
    return d->storedName;
}

} // namespace data

#include "data/Table.h"

#include "data/EngineError.h"
#include "data/Schema.h"
#include "data/Sqlite.h"
#include "data/Values.h"

#include <QDir>
#include <QStringList>
#include <algorithm>
#include <map>
#include <vector>

namespace data {

namespace {

struct IndexColumn {
    QString name; // "rowid" for the row order
    QString collation;
    bool descending = false;
    bool rowid = false;
    FieldKind kind = FieldKind::Integer;

    // The column with the index's collation, for comparisons and ordering.
    QString expression() const {
        if (rowid)
            return QStringLiteral("rowid");
        return sqlite::quoteIdentifier(name) + QStringLiteral(" COLLATE ") +
               sqlite::quoteIdentifier(collation);
    }
};

void bindNamed(sqlite::Statement& s, const char* name, const QVariant& value) {
    const int index = sqlite3_bind_parameter_index(s.handle(), name);
    if (index > 0)
        s.bind(index, value);
}

} // namespace

// The cursor is the rowid of the current row. The primary index without a
// range walks the table by rowid with indexed look-ups (nothing is built, so a
// large table stays cheap to search and to post into). A named index, or any
// range, keeps the rowids of the visible rows in index order (the key set),
// built on first need with one SELECT and rebuilt only when a write may have
// changed the order; the current row's place in it is found when needed.
struct Table::Impl {
    enum class State { Browse, Insert, Edit };

    QString folder;
    QString tableName;
    QString indexName;

    sqlite::Connection db;
    QString storedName; // the table's name inside the file
    QString quotedName;
    bool readOnly = true;
    int keyColumn = -1; // the auto-increment key (the rowid), -1 when the table has none
    std::vector<Field> fields;

    std::vector<IndexColumn> index; // columns of the current index
    bool primary = true;
    QString orderBy;
    bool ranged = false;
    QVariant rangeFrom, rangeTo;

    State state = State::Browse;
    bool hasRow = false; // the cursor is on a row (also at eof after the last one)
    qint64 rowid = 0;
    bool atEof = true;

    bool keysValid = false;
    std::vector<qint64> keys;
    bool located = false;
    size_t pos = 0;     // in keys: the current row, or the row that follows it
    bool onKey = false; // keys[pos] is the current row

    std::map<QString, std::unique_ptr<sqlite::Statement>> statements;
    QString columnList; // every field, for reading a row
    sqlite::Statement* loadStatement = nullptr;
    sqlite::Statement* nextStatement = nullptr;

    // -----------------------------------------------------------------------

    QString displayName() const { return sqlite::baseTableName(tableName); }
    QString lead() const { return QStringLiteral("Error en la tabla \"%1\"").arg(displayName()); }
    bool walksByRowid() const { return primary && !ranged; }

    void requireOpen() const {
        if (!db.isOpen())
            throw EngineError(
                QStringLiteral("La tabla \"%1\" no está abierta.").arg(displayName()));
    }

    bool engineReadOnly() const {
        return readOnly || sqlite3_db_readonly(db.handle(), "main") == 1;
    }

    void requireWritable() const {
        requireOpen();
        if (engineReadOnly())
            throw EngineError(
                QStringLiteral("La tabla \"%1\" es de solo lectura.").arg(displayName()));
    }

    sqlite::Statement& statement(const QString& sql) {
        auto it = statements.find(sql);
        if (it == statements.end())
            it = statements
                     .emplace(sql,
                              std::make_unique<sqlite::Statement>(db.handle(), sql, lead(), true))
                     .first;
        return *it->second;
    }

    QString from() const { return QStringLiteral(" FROM ") + quotedName; }

    // The range as a condition on the first index field (":rf", ":rt"), or "".
    QString rangeCondition() const {
        if (!ranged)
            return QString();
        const QString column = index.front().expression();
        if (rangeFrom.isNull() && rangeTo.isNull())
            return column + QStringLiteral(" IS NULL");
        QStringList parts;
        if (!rangeFrom.isNull())
            parts << column + QStringLiteral(" >= :rf");
        if (!rangeTo.isNull())
            parts << column + QStringLiteral(" <= :rt");
        return parts.join(QStringLiteral(" AND "));
    }

    void bindRange(sqlite::Statement& s) const {
        bindNamed(s, ":rf", rangeFrom);
        bindNamed(s, ":rt", rangeTo);
    }

    void setWritable(bool writable) {
        for (Field& f : fields)
            f.setWritable(writable);
    }

    void clearFields() {
        for (Field& f : fields) {
            f.setStoredValue(QVariant());
            f.setModified(false);
        }
    }

    // Fields from the statement's columns, starting at `offset`.
    void readRow(const sqlite::Statement& s, int offset) {
        for (size_t i = 0; i < fields.size(); ++i) {
            fields[i].setStoredValue(s.value(offset + int(i)));
            fields[i].setModified(false);
        }
    }

    bool loadRow() {
        if (!loadStatement)
            loadStatement = &statement(QStringLiteral("SELECT ") + columnList + from() +
                                       QStringLiteral(" WHERE rowid = :cur"));
        sqlite::Statement& s = *loadStatement;
        sqlite::Statement::Scope scope(s);
        bindNamed(s, ":cur", rowid);
        if (!s.step()) {
            clearFields();
            return false;
        }
        readRow(s, 0);
        return true;
    }

    void moveTo(qint64 id) {
        hasRow = true;
        rowid = id;
        atEof = false;
        located = false;
        loadRow();
    }

    void noRow() {
        hasRow = false;
        atEof = true;
        located = false;
        clearFields();
    }

    void invalidateKeys() {
        keysValid = false;
        located = false;
        keys.clear();
    }

    void ensureKeys() {
        if (keysValid)
            return;
        keys.clear();
        QString sql = QStringLiteral("SELECT rowid") + from();
        const QString condition = rangeCondition();
        if (!condition.isEmpty())
            sql += QStringLiteral(" WHERE ") + condition;
        sql += QStringLiteral(" ORDER BY ") + orderBy;
        sqlite::Statement s(db.handle(), sql, lead());
        bindRange(s);
        while (s.step())
            keys.push_back(s.int64(0));
        keysValid = true;
        located = false;
    }

    // Finds the current row's place in the key set.
    void locate() {
        ensureKeys();
        if (located)
            return;
        located = true;
        onKey = false;
        pos = 0;
        if (!hasRow)
            return;
        const auto it = std::find(keys.begin(), keys.end(), rowid);
        if (it != keys.end()) {
            pos = size_t(it - keys.begin());
            onKey = true;
            return;
        }
        // The current row is outside the range (an edit moved it out): its
        // place is where it would stand among the visible rows.
        pos = keys.size();
        if (!ranged)
            return;
        sqlite::Statement s(db.handle(),
                            QStringLiteral("SELECT rowid") + from() + QStringLiteral(" WHERE (") +
                                rangeCondition() + QStringLiteral(") OR rowid = :cur ORDER BY ") +
                                orderBy,
                            lead());
        bindRange(s);
        bindNamed(s, ":cur", rowid);
        size_t before = 0;
        while (s.step()) {
            if (s.int64(0) == rowid) {
                pos = before;
                return;
            }
            ++before;
        }
    }

    // The first visible row, found without building the key set.
    void first() {
        QString sql = QStringLiteral("SELECT rowid") + from();
        const QString condition = rangeCondition();
        if (!condition.isEmpty())
            sql += QStringLiteral(" WHERE ") + condition;
        sqlite::Statement& s =
            statement(sql + QStringLiteral(" ORDER BY ") + orderBy + QStringLiteral(" LIMIT 1"));
        sqlite::Statement::Scope scope(s);
        bindRange(s);
        if (s.step())
            moveTo(s.int64(0));
        else
            noRow();
    }

    // Moves to the row after the current one by rowid, reading it with the
    // same statement; false when there is none.
    bool nextByRowid() {
        if (!nextStatement)
            nextStatement =
                &statement(QStringLiteral("SELECT rowid, ") + columnList + from() +
                           QStringLiteral(" WHERE rowid > :cur ORDER BY rowid LIMIT 1"));
        sqlite::Statement& s = *nextStatement;
        sqlite::Statement::Scope scope(s);
        bindNamed(s, ":cur", rowid);
        if (!s.step())
            return false;
        hasRow = true;
        rowid = s.int64(0);
        atEof = false;
        located = false;
        readRow(s, 1);
        return true;
    }

    void next() {
        if (!hasRow) {
            atEof = true;
            return;
        }
        if (walksByRowid()) {
            if (!nextByRowid())
                atEof = true;
            return;
        }
        locate();
        const size_t n = onKey ? pos + 1 : pos;
        if (n < keys.size()) {
            moveTo(keys[n]);
            pos = n;
            onKey = true;
            located = true;
        } else {
            atEof = true;
        }
    }

    // Leaves insert or edit state the way the cursor moves do: a changed
    // buffer is posted, an unchanged one dropped.
    void browseMode();
    void post();
    void cancel() {
        if (state == State::Browse)
            return;
        state = State::Browse;
        setWritable(false);
        if (hasRow)
            loadRow();
        else
            clearFields();
    }

    void useIndex(const QString& name) {
        if (name.trimmed().isEmpty()) {
            IndexColumn rowidColumn;
            rowidColumn.name = QStringLiteral("rowid");
            rowidColumn.rowid = true;
            index = {rowidColumn};
            primary = true;
            orderBy = QStringLiteral("rowid");
            return;
        }
        QString found;
        {
            sqlite::Statement s(db.handle(),
                                QStringLiteral("PRAGMA index_list(%1)").arg(quotedName), lead());
            while (s.step()) {
                const QString candidate = s.text(1);
                if (candidate.compare(name.trimmed(), Qt::CaseInsensitive) == 0) {
                    found = candidate;
                    break;
                }
            }
        }
        if (found.isEmpty())
            throw EngineError(QStringLiteral("El índice \"%1\" no existe en la tabla \"%2\".")
                                  .arg(name, displayName()));
        std::vector<IndexColumn> columns;
        sqlite::Statement s(
            db.handle(),
            QStringLiteral("PRAGMA index_xinfo(%1)").arg(sqlite::quoteIdentifier(found)), lead());
        while (s.step()) {
            if (s.int64(5) == 0) // not a key column
                continue;
            const qint64 cid = s.int64(1);
            IndexColumn c;
            c.descending = s.int64(3) != 0;
            c.collation = s.text(4).isEmpty() ? QStringLiteral("BINARY") : s.text(4);
            if (cid == -1) {
                c.rowid = true;
                c.name = QStringLiteral("rowid");
            } else if (cid < 0 || cid >= qint64(fields.size())) {
                throw EngineError(
                    QStringLiteral("El índice \"%1\" de la tabla \"%2\" no es de campos.")
                        .arg(found, displayName()));
            } else {
                c.name = fields[size_t(cid)].name();
                c.kind = fields[size_t(cid)].kind();
            }
            columns.push_back(c);
        }
        QStringList order;
        for (const IndexColumn& c : columns)
            order << c.expression() + (c.descending ? QStringLiteral(" DESC") : QString());
        order << QStringLiteral("rowid");
        index = std::move(columns);
        primary = false;
        orderBy = order.join(QStringLiteral(", "));
    }

    void openFile();
    void closeFile() {
        state = State::Browse;
        loadStatement = nextStatement = nullptr;
        statements.clear();
        db.close();
        fields.clear();
        index.clear();
        ranged = false;
        rangeFrom = rangeTo = QVariant();
        invalidateKeys();
        hasRow = false;
        atEof = true;
        keyColumn = -1;
    }

    Field* find(const QString& name) {
        for (Field& f : fields) {
            if (f.name().compare(name, Qt::CaseInsensitive) == 0)
                return &f;
        }
        return nullptr;
    }
};

void Table::Impl::openFile() {
    const QString base = displayName();
    if (base.isEmpty())
        throw EngineError(QStringLiteral("No se indicó el nombre de la tabla."));
    const QString path = sqlite::findTableFile(folder, tableName);
    if (path.isEmpty())
        throw EngineError(QStringLiteral("La tabla \"%1\" no existe en la carpeta \"%2\".")
                              .arg(base, folder.isEmpty() ? QDir::currentPath() : folder));
    readOnly = !schema::isModuleTable(base);
    try {
        db.open(path, readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE,
                QStringLiteral("No se pudo abrir la tabla \"%1\"").arg(base));
        const QString openLead = QStringLiteral("No se pudo abrir la tabla \"%1\"").arg(base);
        storedName = sqlite::storedTableName(db.handle(), QStringLiteral("main"), base, openLead);
        if (storedName.isEmpty())
            throw EngineError(QStringLiteral("El archivo \"%1\" no contiene la tabla \"%2\".")
                                  .arg(QDir::toNativeSeparators(path), base));
        quotedName = sqlite::quoteIdentifier(storedName);

        int keys = 0;
        int integerKey = -1;
        {
            sqlite::Statement s(db.handle(),
                                QStringLiteral("PRAGMA table_info(%1)").arg(quotedName), openLead);
            while (s.step()) {
                const QString name = s.text(1);
                const QString type = s.text(2);
                fields.emplace_back(name, kindFromDeclaredType(type));
                if (s.int64(5) > 0) {
                    ++keys;
                    if (type.trimmed().compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0)
                        integerKey = int(fields.size()) - 1;
                }
            }
        }
        keyColumn = keys == 1 ? integerKey : -1;
        QStringList columns;
        for (const Field& f : fields)
            columns << sqlite::quoteIdentifier(f.name());
        columnList = columns.join(QStringLiteral(", "));
        useIndex(indexName);
        first();
    } catch (...) {
        closeFile();
        throw;
    }
}

void Table::Impl::browseMode() {
    if (state == State::Browse)
        return;
    const bool changed =
        std::any_of(fields.begin(), fields.end(), [](const Field& f) { return f.isModified(); });
    if (changed)
        post();
    else
        cancel();
}

void Table::Impl::post() {
    requireOpen();
    if (state == State::Browse)
        throw EngineError(QStringLiteral("La tabla \"%1\" no está en modo de inserción o edición.")
                              .arg(displayName()));
    std::vector<size_t> changed;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].isModified())
            changed.push_back(i);
    }

    if (state == State::Insert) {
        QStringList columns, values;
        for (size_t i : changed) {
            columns << sqlite::quoteIdentifier(fields[i].name());
            values << QStringLiteral(":v%1").arg(i);
        }
        const QString sql =
            changed.empty()
                ? QStringLiteral("INSERT INTO ") + quotedName + QStringLiteral(" DEFAULT VALUES")
                : QStringLiteral("INSERT INTO ") + quotedName + QStringLiteral(" (") +
                      columns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (") +
                      values.join(QStringLiteral(", ")) + QLatin1Char(')');
        sqlite::Statement& s = statement(sql);
        sqlite::Statement::Scope scope(s);
        for (size_t i : changed)
            bindNamed(s, QStringLiteral(":v%1").arg(i).toLatin1().constData(),
                      fields[i].storedValue());
        s.step();
        const qint64 id = sqlite3_last_insert_rowid(db.handle());
        state = State::Browse;
        setWritable(false);
        if (!walksByRowid())
            invalidateKeys();
        moveTo(id);
        return;
    }

    // Edit
    if (changed.empty()) {
        cancel();
        return;
    }
    QStringList assignments;
    for (size_t i : changed)
        assignments << sqlite::quoteIdentifier(fields[i].name()) + QStringLiteral(" = :v%1").arg(i);
    sqlite::Statement& s =
        statement(QStringLiteral("UPDATE ") + quotedName + QStringLiteral(" SET ") +
                  assignments.join(QStringLiteral(", ")) + QStringLiteral(" WHERE rowid = :cur"));
    {
        sqlite::Statement::Scope scope(s);
        for (size_t i : changed)
            bindNamed(s, QStringLiteral(":v%1").arg(i).toLatin1().constData(),
                      fields[i].storedValue());
        bindNamed(s, ":cur", rowid);
        s.step();
    }
    if (sqlite3_changes(db.handle()) == 0)
        throw EngineError(
            QStringLiteral("El registro de la tabla \"%1\" ya no existe.").arg(displayName()));

    bool reordered = false;
    qint64 newRowid = rowid;
    for (size_t i : changed) {
        if (int(i) == keyColumn) {
            newRowid = fields[i].asInteger();
            reordered = true;
        }
        for (const IndexColumn& c : index) {
            if (!c.rowid && c.name == fields[i].name())
                reordered = true;
        }
    }
    state = State::Browse;
    setWritable(false);
    rowid = newRowid;
    loadRow();
    if (reordered && !walksByRowid())
        invalidateKeys();
}

// ---------------------------------------------------------------------------

Table::Table() : d(std::make_unique<Impl>()) {}

Table::~Table() {
    close();
}

void Table::setDatabaseName(const QString& folder) {
    if (isOpen())
        throw EngineError(QStringLiteral("La tabla \"%1\" está abierta: no se puede cambiar su "
                                         "carpeta.")
                              .arg(d->displayName()));
    d->folder = folder;
}

QString Table::databaseName() const {
    return d->folder;
}

void Table::setTableName(const QString& name) {
    if (isOpen())
        throw EngineError(QStringLiteral("La tabla \"%1\" está abierta: no se puede cambiar su "
                                         "nombre.")
                              .arg(d->displayName()));
    d->tableName = name;
}

QString Table::tableName() const {
    return d->tableName;
}

void Table::open() {
    if (isOpen())
        return;
    d->openFile();
}

void Table::close() {
    if (d)
        d->closeFile();
}

bool Table::isOpen() const {
    return d->db.isOpen();
}

bool Table::isReadOnly() const {
    if (!isOpen())
        return !schema::isModuleTable(d->tableName);
    return d->engineReadOnly();
}

void Table::setIndexName(const QString& name) {
    if (!isOpen()) {
        d->indexName = name;
        return;
    }
    d->browseMode();
    d->useIndex(name); // raises, keeping the current index, when there is no such index
    d->indexName = name;
    d->ranged = false;
    d->rangeFrom = d->rangeTo = QVariant();
    d->invalidateKeys();
    if (d->hasRow)
        d->atEof = false;
    else
        d->first();
}

QString Table::indexName() const {
    return d->indexName;
}

bool Table::findKey(const QVariantList& values) {
    d->requireOpen();
    d->browseMode();
    if (values.isEmpty() || size_t(values.size()) > d->index.size())
        throw EngineError(QStringLiteral("La búsqueda en la tabla \"%1\" lleva %2 valores y el "
                                         "índice tiene %3 campos.")
                              .arg(d->displayName())
                              .arg(values.size())
                              .arg(d->index.size()));
    QStringList conditions;
    const QString range = d->rangeCondition();
    if (!range.isEmpty())
        conditions << range;
    std::vector<QVariant> stored;
    for (qsizetype i = 0; i < values.size(); ++i) {
        const IndexColumn& c = d->index[size_t(i)];
        stored.push_back(values::toStored(c.kind, values[i], c.name));
        if (stored.back().isNull())
            conditions << c.expression() + QStringLiteral(" IS NULL");
        else
            conditions << c.expression() + QStringLiteral(" = :k%1").arg(i);
    }
    sqlite::Statement& s =
        d->statement(QStringLiteral("SELECT rowid") + d->from() + QStringLiteral(" WHERE ") +
                     conditions.join(QStringLiteral(" AND ")) + QStringLiteral(" ORDER BY ") +
                     d->orderBy + QStringLiteral(" LIMIT 1"));
    qint64 id = 0;
    {
        sqlite::Statement::Scope scope(s);
        d->bindRange(s);
        for (size_t i = 0; i < stored.size(); ++i)
            bindNamed(s, QStringLiteral(":k%1").arg(i).toLatin1().constData(), stored[i]);
        if (!s.step())
            return false;
        id = s.int64(0);
    }
    d->moveTo(id);
    return true;
}

void Table::setRange(const QVariant& from, const QVariant& to) {
    d->requireOpen();
    d->browseMode();
    const IndexColumn& c = d->index.front();
    const QVariant lower = values::toStored(c.kind, from, c.name);
    const QVariant upper = values::toStored(c.kind, to, c.name);
    d->ranged = true;
    d->rangeFrom = lower;
    d->rangeTo = upper;
    d->invalidateKeys();
    d->first();
}

void Table::cancelRange() {
    d->requireOpen();
    d->browseMode();
    if (!d->ranged)
        return;
    d->ranged = false;
    d->rangeFrom = d->rangeTo = QVariant();
    d->invalidateKeys();
    if (d->hasRow)
        d->atEof = false;
    else
        d->first();
}

void Table::first() {
    d->requireOpen();
    d->browseMode();
    d->first();
}

void Table::next() {
    d->requireOpen();
    d->browseMode();
    d->next();
}

bool Table::eof() const {
    return !isOpen() || d->atEof;
}

int Table::recordCount() const {
    d->requireOpen();
    if (d->keysValid)
        return int(d->keys.size());
    QString sql = QStringLiteral("SELECT COUNT(*)") + d->from();
    const QString condition = d->rangeCondition();
    if (!condition.isEmpty())
        sql += QStringLiteral(" WHERE ") + condition;
    sqlite::Statement& s = d->statement(sql);
    sqlite::Statement::Scope scope(s);
    d->bindRange(s);
    return s.step() ? int(s.int64(0)) : 0;
}

void Table::insert() {
    d->requireWritable();
    d->browseMode();
    d->state = Impl::State::Insert;
    d->clearFields();
    d->setWritable(true);
}

void Table::edit() {
    d->requireWritable();
    if (d->state != Impl::State::Browse)
        return;
    if (!d->hasRow)
        throw EngineError(QStringLiteral("La tabla \"%1\" no tiene un registro actual que "
                                         "modificar.")
                              .arg(d->displayName()));
    if (!d->loadRow())
        throw EngineError(
            QStringLiteral("El registro de la tabla \"%1\" ya no existe.").arg(d->displayName()));
    d->state = Impl::State::Edit;
    d->setWritable(true);
}

void Table::post() {
    d->post();
}

void Table::cancel() {
    if (isOpen())
        d->cancel();
}

void Table::remove() {
    d->requireWritable();
    if (d->state == Impl::State::Insert) {
        d->cancel();
        return;
    }
    if (d->state == Impl::State::Edit) {
        d->state = Impl::State::Browse;
        d->setWritable(false);
    }
    if (!d->hasRow)
        throw EngineError(QStringLiteral("La tabla \"%1\" no tiene un registro actual que "
                                         "eliminar.")
                              .arg(d->displayName()));
    if (!d->walksByRowid())
        d->locate();
    {
        sqlite::Statement& s = d->statement(QStringLiteral("DELETE") + d->from() +
                                            QStringLiteral(" WHERE rowid = :cur"));
        sqlite::Statement::Scope scope(s);
        bindNamed(s, ":cur", d->rowid);
        s.step();
    }
    if (sqlite3_changes(d->db.handle()) == 0)
        throw EngineError(
            QStringLiteral("El registro de la tabla \"%1\" ya no existe.").arg(d->displayName()));

    if (d->walksByRowid()) {
        if (!d->nextByRowid())
            d->noRow();
        return;
    }
    size_t n = d->pos;
    if (d->onKey)
        d->keys.erase(d->keys.begin() + std::ptrdiff_t(n));
    if (n < d->keys.size()) {
        d->moveTo(d->keys[n]);
        d->pos = n;
        d->onKey = true;
        d->located = true;
    } else {
        d->noRow();
    }
}

Field& Table::fieldByName(const QString& name) {
    if (Field* f = d->find(name))
        return *f;
    throw EngineError(QStringLiteral("El campo \"%1\" no existe en la tabla \"%2\".")
                          .arg(name, d->displayName()));
}

Field* Table::findField(const QString& name) {
    return d->find(name);
}

int Table::fieldCount() const {
    return int(d->fields.size());
}

Field& Table::field(int index) {
    if (index < 0 || size_t(index) >= d->fields.size())
        throw EngineError(QStringLiteral("La tabla \"%1\" no tiene el campo número %2.")
                              .arg(d->displayName())
                              .arg(index));
    return d->fields[size_t(index)];
}

} // namespace data

#include "data/Query.h"

#include "data/EngineError.h"
#include "data/Schema.h"
#include "data/Sqlite.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStringList>
#include <algorithm>
#include <vector>

namespace data {

namespace {

// An identifier of the statement text that may name a table.
struct Token {
    qsizetype begin = 0;
    qsizetype end = 0;
    QString text;
    bool quoted = false;
};

bool isIdentifierStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_');
}

bool isIdentifierChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

// The identifiers of the statement outside literals, comments and parameters,
// leaving out those that follow a "." (columns of a qualified name).
std::vector<Token> identifiers(const QString& sql) {
    std::vector<Token> tokens;
    const qsizetype n = sql.size();
    auto at = [&](qsizetype i) { return i < n ? sql[i] : QChar(); };
    bool afterDot = false;
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c == QLatin1Char('-') && at(i + 1) == QLatin1Char('-')) {
            while (i < n && sql[i] != QLatin1Char('\n'))
                ++i;
            continue;
        }
        if (c == QLatin1Char('/') && at(i + 1) == QLatin1Char('*')) {
            i += 2;
            while (i < n && !(sql[i] == QLatin1Char('*') && at(i + 1) == QLatin1Char('/')))
                ++i;
            i += 2;
            continue;
        }
        if (c.isSpace()) {
            ++i;
            continue;
        }
        if (c == QLatin1Char('\'')) {
            ++i;
            while (i < n) {
                if (sql[i] == QLatin1Char('\'')) {
                    if (at(i + 1) == QLatin1Char('\'')) {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            afterDot = false;
            continue;
        }
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('[')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            Token t;
            t.begin = i;
            t.quoted = true;
            ++i;
            while (i < n) {
                if (sql[i] == close) {
                    if (close != QLatin1Char(']') && at(i + 1) == close) {
                        t.text += close;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                t.text += sql[i];
                ++i;
            }
            t.end = i;
            if (!afterDot)
                tokens.push_back(t);
            afterDot = false;
            continue;
        }
        if ((c == QLatin1Char(':') || c == QLatin1Char('@') || c == QLatin1Char('$') ||
             c == QLatin1Char('?')) &&
            isIdentifierChar(at(i + 1))) {
            ++i;
            while (i < n && isIdentifierChar(sql[i]))
                ++i;
            afterDot = false;
            continue;
        }
        if (c.isDigit()) {
            while (i < n && (isIdentifierChar(sql[i]) || sql[i] == QLatin1Char('.')))
                ++i;
            afterDot = false;
            continue;
        }
        if (isIdentifierStart(c)) {
            Token t;
            t.begin = i;
            while (i < n && isIdentifierChar(sql[i]))
                ++i;
            t.end = i;
            t.text = sql.mid(t.begin, t.end - t.begin);
            if (!afterDot)
                tokens.push_back(t);
            afterDot = false;
            continue;
        }
        afterDot = c == QLatin1Char('.');
        ++i;
    }
    return tokens;
}

bool namesFile(const QString& quoted) {
    return quoted.contains(QLatin1Char('/')) || quoted.contains(QLatin1Char('\\')) ||
           quoted.endsWith(QStringLiteral(".dat"), Qt::CaseInsensitive);
}

} // namespace

// The statement runs on an in-memory connection to which every table file it
// names is attached read-only (nothing can be written or created through a
// query). SQLite finds an unqualified table in the attached files without
// regard to letter case; a table named by its path is rewritten to the
// attached file's table. Each next() is one step of the prepared statement,
// and a field reads its column only when asked.
struct Query::Impl {
    QString folder;
    QStringList lines;
    std::vector<std::pair<QString, QVariant>> params;

    sqlite::Connection db;
    sqlite::Statement statement;
    std::vector<Field> fields;
    bool atEof = true;

    struct Attached {
        QString path;
        QString alias;
        QString storedName;
    };
    std::vector<Attached> attached;
    QHash<QString, QString> declaredTypes; // lower-case column name -> declared type
    // The fields asked for by name, as spelled by the caller: a load asks for
    // the same names on every row, and the search without regard to letter
    // case costs more than reading the value.
    QHash<QString, int> lookups; // name as asked -> index in fields, -1 when absent

    static QString lead() { return QStringLiteral("Error en la consulta"); }
    static constexpr int AttachedCacheKiB = 16384; // the page cache of each attached file

    void closeAll() {
        fields.clear();
        lookups.clear();
        statement.finalize();
        db.close();
        attached.clear();
        declaredTypes.clear();
        atEof = true;
    }

    const Attached& attach(const QString& path, const QString& table) {
        const QString key = QFileInfo(path).canonicalFilePath();
        for (const Attached& a : attached) {
            if (a.path == key)
                return a;
        }
        Attached a;
        a.path = key.isEmpty() ? path : key;
        a.alias = QStringLiteral("t%1").arg(attached.size());
        const QString openLead = QStringLiteral("No se pudo abrir la tabla \"%1\"").arg(table);
        if (schema::isModuleTable(table))
            sqlite::recoverHotJournal(QFileInfo(path).absoluteFilePath());
        {
            sqlite::Statement s(db.handle(),
                                QStringLiteral("ATTACH DATABASE ?1 AS ") +
                                    sqlite::quoteIdentifier(a.alias),
                                openLead);
            s.bind(1, sqlite::readOnlyUri(QFileInfo(path).absoluteFilePath()));
            s.step();
        }
        // The due installments are read in date order through an index, so
        // their rows come from all over the file: with the engine's default
        // page cache (2 MB) a large table is read from the system page by page
        // more than once. The cache lives only while the query is open.
        db.exec(QStringLiteral("PRAGMA %1.cache_size = %2")
                    .arg(sqlite::quoteIdentifier(a.alias))
                    .arg(-AttachedCacheKiB),
                openLead);
        a.storedName = sqlite::storedTableName(db.handle(), a.alias, table, openLead);
        if (a.storedName.isEmpty())
            throw EngineError(QStringLiteral("El archivo \"%1\" no contiene la tabla \"%2\".")
                                  .arg(QDir::toNativeSeparators(path), table));
        sqlite::Statement columns(
            db.handle(),
            QStringLiteral("PRAGMA %1.table_info(%2)")
                .arg(sqlite::quoteIdentifier(a.alias), sqlite::quoteIdentifier(a.storedName)),
            openLead);
        while (columns.step()) {
            const QString name = columns.text(1).toLower();
            if (!declaredTypes.contains(name))
                declaredTypes.insert(name, columns.text(2));
        }
        attached.push_back(a);
        return attached.back();
    }

    // Attaches the tables the statement names and gives the text to prepare.
    QString prepareTables(const QString& sql) {
        const QString dir = sqlite::resolveFolder(folder);
        QHash<QString, QString> files; // lower-case table name -> file
        const QStringList entries = QDir(dir).entryList(QDir::Files | QDir::Hidden);
        for (const QString& entry : entries) {
            if (entry.endsWith(QStringLiteral(".dat"), Qt::CaseInsensitive)) {
                const QString base = sqlite::baseTableName(entry).toLower();
                if (!files.contains(base) || entry.compare(base + QStringLiteral(".dat")) != 0)
                    files.insert(base, QDir(dir).filePath(entry));
            }
        }

        struct Rewrite {
            qsizetype begin, end;
            QString text;
        };
        std::vector<Rewrite> rewrites;
        for (const Token& t : identifiers(sql)) {
            if (t.quoted && namesFile(t.text)) {
                QString path = t.text;
                path.replace(QLatin1Char('\\'), QLatin1Char('/'));
                const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
                const QString table = sqlite::baseTableName(path);
                QString tableDir = dir;
                if (slash == 0)
                    tableDir = QStringLiteral("/");
                else if (slash > 0)
                    tableDir = path.left(slash); // relative to the working folder
                const QString file = sqlite::findTableFile(tableDir, table);
                if (file.isEmpty())
                    continue; // no such file: SQLite reports the table when it is one
                const Attached& a = attach(file, table);
                rewrites.push_back({t.begin, t.end,
                                    sqlite::quoteIdentifier(a.alias) + QLatin1Char('.') +
                                        sqlite::quoteIdentifier(a.storedName)});
                continue;
            }
            const auto it = files.constFind(t.text.toLower());
            if (it != files.constEnd())
                attach(it.value(), t.text);
        }
        QString text = sql;
        std::sort(rewrites.begin(), rewrites.end(),
                  [](const Rewrite& a, const Rewrite& b) { return a.begin > b.begin; });
        for (const Rewrite& r : rewrites)
            text.replace(r.begin, r.end - r.begin, r.text);
        return text;
    }

    void bindParams() {
        sqlite3_stmt* s = statement.handle();
        const int count = sqlite3_bind_parameter_count(s);
        for (int i = 1; i <= count; ++i) {
            const char* raw = sqlite3_bind_parameter_name(s, i);
            if (!raw)
                continue;
            const QString name = QString::fromUtf8(raw + 1);
            for (const auto& p : params) {
                if (p.first.compare(name, Qt::CaseInsensitive) == 0) {
                    statement.bind(i, p.second);
                    break;
                }
            }
        }
    }

    FieldKind kindOf(int column, bool onRow) const {
        sqlite3_stmt* s = statement.handle();
        if (const char* declared = sqlite3_column_decltype(s, column))
            return kindFromDeclaredType(QString::fromUtf8(declared));
        const QString name = QString::fromUtf8(sqlite3_column_name(s, column)).toLower();
        const auto it = declaredTypes.constFind(name);
        if (it != declaredTypes.constEnd())
            return kindFromDeclaredType(it.value());
        if (onRow) {
            switch (sqlite3_column_type(s, column)) {
            case SQLITE_INTEGER:
                return FieldKind::Integer;
            case SQLITE_FLOAT:
                return FieldKind::Float;
            default:
                break;
            }
        }
        return FieldKind::String;
    }

    void setParam(const QString& name, const QVariant& value) {
        QString key = name.trimmed();
        if (key.startsWith(QLatin1Char(':')))
            key.remove(0, 1);
        for (auto& p : params) {
            if (p.first.compare(key, Qt::CaseInsensitive) == 0) {
                p.second = value;
                return;
            }
        }
        params.emplace_back(key, value);
    }

    void rowChanged(bool onRow) {
        for (Field& f : fields)
            f.rowChanged(onRow);
    }

    Field* find(const QString& name) {
        if (const auto known = lookups.constFind(name); known != lookups.constEnd())
            return known.value() < 0 ? nullptr : &fields[size_t(known.value())];
        // Where two result columns share a name, the last one answers.
        int found = -1;
        for (size_t i = fields.size(); i-- > 0;) {
            if (fields[i].name().compare(name, Qt::CaseInsensitive) == 0) {
                found = int(i);
                break;
            }
        }
        lookups.insert(name, found);
        return found < 0 ? nullptr : &fields[size_t(found)];
    }
};

Query::Query() : d(std::make_unique<Impl>()) {}

Query::~Query() {
    close();
}

void Query::setDatabaseName(const QString& folder) {
    if (isOpen())
        throw EngineError(
            QStringLiteral("La consulta está abierta: no se puede cambiar su carpeta."));
    d->folder = folder;
}

QString Query::databaseName() const {
    return d->folder;
}

void Query::close() {
    if (d)
        d->closeAll();
}

bool Query::isOpen() const {
    return d->statement.isValid();
}

void Query::clearSql() {
    close();
    d->lines.clear();
}

void Query::addSql(const QString& text) {
    close();
    d->lines << text;
}

QString Query::sql() const {
    return d->lines.join(QLatin1Char('\n'));
}

void Query::setParamDateTime(const QString& name, core::TDateTime value) {
    d->setParam(name, value);
}

void Query::setParamDate(const QString& name, core::TDateTime value) {
    d->setParam(name, core::dt::datePart(value));
}

void Query::setParamString(const QString& name, const QString& value) {
    d->setParam(name, value);
}

void Query::open() {
    if (isOpen())
        return;
    const QString text = sql();
    if (text.trimmed().isEmpty())
        throw EngineError(QStringLiteral("La consulta no tiene instrucción."));
    try {
        d->db.open(QStringLiteral(":memory:"),
                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_MEMORY |
                       SQLITE_OPEN_URI,
                   Impl::lead());
        const QString prepared = d->prepareTables(text);

        // The statement reads the files attached above and nothing else: it
        // may attach no file of its own (an ATTACH or VACUUM INTO would make one).
        sqlite3_limit(d->db.handle(), SQLITE_LIMIT_ATTACHED, int(d->attached.size()));
        QString rest;
        d->statement = sqlite::Statement(d->db.handle(), prepared, Impl::lead(), false, &rest);
        if (!d->statement.isValid())
            throw EngineError(QStringLiteral("La consulta no tiene instrucción."));
        if (!sqlite3_stmt_readonly(d->statement.handle()))
            throw EngineError(Impl::lead() +
                              QStringLiteral(": attempt to write a readonly database"));
        if (!std::all_of(rest.begin(), rest.end(),
                         [](QChar c) { return c == QLatin1Char(';') || c.isSpace(); }))
            throw EngineError(QStringLiteral("La consulta lleva más de una instrucción."));
        d->bindParams();
        const bool onRow = d->statement.step();
        d->atEof = !onRow;

        sqlite3_stmt* s = d->statement.handle();
        const int columns = sqlite3_column_count(s);
        d->lookups.clear();
        d->fields.reserve(size_t(columns));
        for (int i = 0; i < columns; ++i) {
            d->fields.emplace_back(QString::fromUtf8(sqlite3_column_name(s, i)),
                                   d->kindOf(i, onRow));
            d->fields.back().bindColumn(s, i);
            d->fields.back().rowChanged(onRow);
        }
        if (!onRow)
            d->statement.reset(); // releases the read locks
    } catch (...) {
        d->closeAll();
        throw;
    }
}

void Query::next() {
    if (!isOpen())
        throw EngineError(QStringLiteral("La consulta no está abierta."));
    if (d->atEof)
        return;
    if (d->statement.step()) {
        d->rowChanged(true);
        return;
    }
    d->atEof = true;
    d->rowChanged(false);
    d->statement.reset();
}

bool Query::eof() const {
    return !isOpen() || d->atEof;
}

Field& Query::fieldByName(const QString& name) {
    if (Field* f = d->find(name))
        return *f;
    throw EngineError(QStringLiteral("El campo \"%1\" no existe en la consulta.").arg(name));
}

Field* Query::findField(const QString& name) {
    return d->find(name);
}

int Query::fieldCount() const {
    return int(d->fields.size());
}

Field& Query::field(int index) {
    if (index < 0 || size_t(index) >= d->fields.size())
        throw EngineError(QStringLiteral("La consulta no tiene el campo número %1.").arg(index));
    return d->fields[size_t(index)];
}

} // namespace data

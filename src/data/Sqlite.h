#pragma once

// The thin layer over the SQLite 3 C interface shared by the table cursor, the
// query, the schema and the file writer. Private to the data layer.

#include <QString>
#include <QVariant>
#include <sqlite3.h>

namespace data::sqlite {

// Every connection waits this long for a lock held by another program.
constexpr int BusyTimeoutMs = 5000;

// Raises EngineError with the lead text followed by the engine's own text.
[[noreturn]] void raise(const QString& lead, sqlite3* db);

// Owns one connection. Opening never creates a file unless the flags say so.
class Connection {
public:
    Connection() = default;
    ~Connection() { close(); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void open(const QString& filename, int flags, const QString& errorLead);
    void close();
    bool isOpen() const { return m_db != nullptr; }
    sqlite3* handle() const { return m_db; }

    // Runs statements that return no rows.
    void exec(const QString& sql, const QString& errorLead);

private:
    sqlite3* m_db = nullptr;
};

// Owns one prepared statement. A statement that has been stepped holds a read
// lock on its databases until it is reset, so every user resets it as soon as
// the rows it needs are read (Statement::Scope does it on leaving a block).
class Statement {
public:
    Statement() = default;
    // Prepares the first statement of the text; `rest`, when given, receives what follows it.
    Statement(sqlite3* db, const QString& sql, const QString& errorLead, bool persistent = false,
              QString* rest = nullptr);
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    sqlite3_stmt* handle() const { return m_stmt; }
    bool isValid() const { return m_stmt != nullptr; }

    void bind(int index, const QVariant& value);
    void bindInt64(int index, qint64 value);
    // True when a row is ready, false when the statement is done.
    bool step();
    void reset();
    void finalize();

    QVariant value(int column) const;
    qint64 int64(int column) const { return sqlite3_column_int64(m_stmt, column); }
    QString text(int column) const;

    struct Scope {
        explicit Scope(Statement& s) : statement(s) {}
        ~Scope() { statement.reset(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
        Statement& statement;
    };

private:
    sqlite3_stmt* m_stmt = nullptr;
    QString m_errorLead;
};

// The value of a result column as the fields hold it: null, qint64, double,
// QString (text) or QByteArray (blob).
QVariant columnValue(sqlite3_stmt* stmt, int column);
// Binds null, integral, floating, boolean, text or blob values.
int bindValue(sqlite3_stmt* stmt, int index, const QVariant& value);

// "name" with inner double quotes doubled.
QString quoteIdentifier(const QString& name);

// A writer killed while it wrote a table file leaves a hot journal beside
// it, which only a connection that may write can roll back: until then every
// read-only opening of the file fails. Opens the file for writing once, when
// such a journal is there, so that SQLite restores it; failures are left to
// the read that follows.
void recoverHotJournal(const QString& absolutePath);

// A URI that opens the file read-only and never creates it.
QString readOnlyUri(const QString& absolutePath);

// The table name without a trailing ".dat" (in any letter case) and without any folder.
QString baseTableName(const QString& name);

// A folder of the program as this system sees it: backslashes are separators,
// "" is the working folder, and each existing component is matched without
// regard to letter case. Absolute, without a trailing separator.
QString resolveFolder(const QString& folder);

// The file "<table>.dat" of the folder, matched without regard to letter case:
// its absolute path, or "" when the folder has no such file.
QString findTableFile(const QString& folder, const QString& table);

// The stored spelling of the table in schema `schemaName` of the connection, or "" when absent.
QString storedTableName(sqlite3* db, const QString& schemaName, const QString& table,
                        const QString& errorLead);

} // namespace data::sqlite

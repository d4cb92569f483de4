#include "data/Sqlite.h"

#include "data/EngineError.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace data::sqlite {

namespace {

QString engineText(sqlite3* db) {
    if (!db)
        return QStringLiteral("sin conexión");
    return QString::fromUtf8(sqlite3_errmsg(db));
}

EngineError failure(const QString& lead, const QString& engine) {
    if (lead.isEmpty())
        return EngineError(engine);
    return EngineError(lead + QStringLiteral(": ") + engine);
}

} // namespace

void raise(const QString& lead, sqlite3* db) {
    throw failure(lead, engineText(db));
}

// ---------------------------------------------------------------------------

void Connection::open(const QString& filename, int flags, const QString& errorLead) {
    close();
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(filename.toUtf8().constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString text = db ? engineText(db) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close_v2(db);
        throw failure(errorLead, text);
    }
    sqlite3_busy_timeout(db, BusyTimeoutMs);
    m_db = db;
}

void Connection::close() {
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

void Connection::exec(const QString& sql, const QString& errorLead) {
    char* message = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        const QString text = message ? QString::fromUtf8(message) : engineText(m_db);
        sqlite3_free(message);
        throw failure(errorLead, text);
    }
}

// ---------------------------------------------------------------------------

Statement::Statement(sqlite3* db, const QString& sql, const QString& errorLead, bool persistent,
                     QString* rest)
    : m_errorLead(errorLead) {
    const QByteArray utf8 = sql.toUtf8();
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v3(db, utf8.constData(), int(utf8.size()),
                                      persistent ? SQLITE_PREPARE_PERSISTENT : 0, &m_stmt, &tail);
    if (rest)
        *rest = tail ? QString::fromUtf8(tail) : QString();
    if (rc != SQLITE_OK) {
        const QString text = engineText(db);
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw failure(errorLead, text);
    }
}

Statement::~Statement() {
    finalize();
}

Statement::Statement(Statement&& other) noexcept
    : m_stmt(other.m_stmt), m_errorLead(std::move(other.m_errorLead)) {
    other.m_stmt = nullptr;
}

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        finalize();
        m_stmt = other.m_stmt;
        m_errorLead = std::move(other.m_errorLead);
        other.m_stmt = nullptr;
    }
    return *this;
}

void Statement::finalize() {
    if (m_stmt) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
}

void Statement::bind(int index, const QVariant& value) {
    if (bindValue(m_stmt, index, value) != SQLITE_OK)
        raise(m_errorLead, sqlite3_db_handle(m_stmt));
}

void Statement::bindInt64(int index, qint64 value) {
    if (sqlite3_bind_int64(m_stmt, index, value) != SQLITE_OK)
        raise(m_errorLead, sqlite3_db_handle(m_stmt));
}

bool Statement::step() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const QString text = engineText(sqlite3_db_handle(m_stmt));
    sqlite3_reset(m_stmt);
    throw failure(m_errorLead, text);
}

void Statement::reset() {
    if (m_stmt)
        sqlite3_reset(m_stmt);
}

QVariant Statement::value(int column) const {
    return columnValue(m_stmt, column);
}

QString Statement::text(int column) const {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    return p ? QString::fromUtf8(p, sqlite3_column_bytes(m_stmt, column)) : QString();
}

// ---------------------------------------------------------------------------

QVariant columnValue(sqlite3_stmt* stmt, int column) {
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt, column));
    case SQLITE_TEXT: {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
        return QVariant(QString::fromUtf8(p, sqlite3_column_bytes(stmt, column)));
    }
    case SQLITE_BLOB: {
        const auto* p = static_cast<const char*>(sqlite3_column_blob(stmt, column));
        return QVariant(QByteArray(p, sqlite3_column_bytes(stmt, column)));
    }
    default:
        return QVariant();
    }
}

int bindValue(sqlite3_stmt* stmt, int index, const QVariant& value) {
    if (value.isNull())
        return sqlite3_bind_null(stmt, index);
    switch (value.typeId()) {
    case QMetaType::Bool:
        return sqlite3_bind_int64(stmt, index, value.toBool() ? 1 : 0);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return sqlite3_bind_int64(stmt, index, value.toLongLong());
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return sqlite3_bind_int64(stmt, index, qint64(value.toULongLong()));
    case QMetaType::Double:
    case QMetaType::Float:
        return sqlite3_bind_double(stmt, index, value.toDouble());
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return sqlite3_bind_blob64(stmt, index, bytes.constData(), sqlite3_uint64(bytes.size()),
                                   SQLITE_TRANSIENT);
    }
    default: {
        const QByteArray utf8 = value.toString().toUtf8();
        return sqlite3_bind_text64(stmt, index, utf8.constData(), sqlite3_uint64(utf8.size()),
                                   SQLITE_TRANSIENT, SQLITE_UTF8);
    }
    }
}

QString quoteIdentifier(const QString& name) {
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void recoverHotJournal(const QString& absolutePath) {
    if (QFileInfo(absolutePath + QStringLiteral("-journal")).size() <= 0)
        return;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(absolutePath).constData(), &db, SQLITE_OPEN_READWRITE,
                        nullptr) == SQLITE_OK) {
        sqlite3_busy_timeout(db, BusyTimeoutMs);
        sqlite3_exec(db, "SELECT COUNT(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    sqlite3_close(db);
}

QString readOnlyUri(const QString& absolutePath) {
    return QStringLiteral("file:") +
           QString::fromLatin1(QUrl::toPercentEncoding(absolutePath, QByteArrayLiteral("/"))) +
           QStringLiteral("?mode=ro");
}

QString baseTableName(const QString& name) {
    QString base = name.trimmed();
    const qsizetype cut =
        qMax(base.lastIndexOf(QLatin1Char('/')), base.lastIndexOf(QLatin1Char('\\')));
    if (cut >= 0)
        base = base.mid(cut + 1);
    if (base.endsWith(QStringLiteral(".dat"), Qt::CaseInsensitive))
        base.chop(4);
    return base;
}

QString resolveFolder(const QString& folder) {
    QString path = folder.trimmed();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    path = QDir::cleanPath(
        QDir::current().absoluteFilePath(path.isEmpty() ? QStringLiteral(".") : path));
    if (QFileInfo(path).isDir())
        return path;

    // Some component differs in letter case, or is missing: match each one.
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString current = path.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        QString next = QDir(current).filePath(part);
        if (!QFileInfo::exists(next)) {
            const QStringList entries =
                QDir(current).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
            QString match;
            for (const QString& entry : entries) {
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    match = entry;
                    break;
                }
            }
            if (match.isEmpty()) {
                // Nothing to match: keep the rest as given.
                QStringList rest = parts.mid(i);
                return QDir::cleanPath(QDir(current).filePath(rest.join(QLatin1Char('/'))));
            }
            next = QDir(current).filePath(match);
        }
        current = next;
    }
    return QDir::cleanPath(current);
}

QString findTableFile(const QString& folder, const QString& table) {
    const QString dir = resolveFolder(folder);
    const QString wanted = baseTableName(table) + QStringLiteral(".dat");
    if (baseTableName(table).isEmpty())
        return QString();
    const QString exact = QDir(dir).filePath(wanted);
    if (QFileInfo(exact).isFile())
        return exact;
    const QStringList files = QDir(dir).entryList(QDir::Files | QDir::Hidden);
    for (const QString& file : files) {
        if (file.compare(wanted, Qt::CaseInsensitive) == 0)
            return QDir(dir).filePath(file);
    }
    return QString();
}

QString storedTableName(sqlite3* db, const QString& schemaName, const QString& table,
                        const QString& errorLead) {
    Statement s(db,
                QStringLiteral("SELECT name FROM %1.sqlite_master WHERE type = 'table' AND "
                               "name = ?1 COLLATE NOCASE")
                    .arg(quoteIdentifier(schemaName)),
                errorLead);
    s.bind(1, table);
    return s.step() ? s.text(0) : QString();
}

} // namespace data::sqlite

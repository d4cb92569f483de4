#pragma once

#include "core/Currency.h"
#include "core/DateTime.h"

#include <QString>
#include <QVariant>

struct sqlite3_stmt;

namespace data {

// How a column's value is converted, taken from its declared type:
// INTEGER/SMALLINT -> Integer, FLOAT/REAL -> Float, CURRENCY -> Currency (an
// INTEGER count of ten-thousandths), DATE/TIME/TIMESTAMP -> Date/Time/Timestamp
// (REAL days since 30/12/1899), BOOLEAN -> Boolean (0/1), anything else -> String.
enum class FieldKind { String, Integer, Float, Currency, Date, Time, Timestamp, Boolean };

FieldKind kindFromDeclaredType(const QString& declaredType);

// One field of the current row of a table or query. Reading a null gives "", 0,
// false or the date zero. Writing is allowed only while the table is in insert
// or edit state; the value is stored in the column's own representation.
class Field {
public:
    Field(QString name, FieldKind kind);

    const QString& name() const { return m_name; }
    FieldKind kind() const { return m_kind; }
    bool isNull() const { return value().isNull(); }

    QString asString() const; // a date field gives the short date, empty when null
    qint64 asInteger() const;
    double asFloat() const;
    core::Currency asCurrency() const;
    core::TDateTime asDateTime() const;
    bool asBoolean() const;

    void setAsString(const QString& value);
    void setAsInteger(qint64 value);
    void setAsFloat(double value);
    void setAsCurrency(core::Currency value);
    void setAsDateTime(core::TDateTime value);
    void setAsBoolean(bool value);
    void clear();

    // The stored value as SQLite holds it (null, qint64, double, QString, or
    // QByteArray for a blob).
    const QVariant& storedValue() const { return value(); }
    void setStoredValue(const QVariant& value) {
        m_value = value;
        m_pending = false;
    }

    // Set by a query: the value is read from the statement's column the first
    // time it is wanted after each step, so columns that are not read cost nothing.
    void bindColumn(sqlite3_stmt* statement, int column);
    // The statement moved to another row (or past the last one: the field reads as null).
    void rowChanged(bool onRow);

    // Set by the owning table: writes outside insert/edit raise EngineError.
    void setWritable(bool writable) { m_writable = writable; }
    bool isModified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }

private:
    const QVariant& value() const {
        if (m_pending)
            fetch();
        return m_value;
    }
    void fetch() const;
    void store(const QVariant& value);

    QString m_name;
    FieldKind m_kind;
    mutable QVariant m_value;
    sqlite3_stmt* m_statement = nullptr;
    int m_column = -1;
    mutable bool m_pending = false;
    bool m_writable = false;
    bool m_modified = false;
};

} // namespace data

#include "data/Field.h"

#include "core/Formats.h"
#include "data/EngineError.h"
#include "data/Sqlite.h"
#include "data/Values.h"

#include <QStringList>
#include <cmath>
#include <optional>

namespace data {

namespace {

using core::Currency;
using core::TDateTime;

enum class Stored { Null, Integer, Real, Text, Blob };

Stored storedType(const QVariant& v) {
    if (v.isNull())
        return Stored::Null;
    switch (v.typeId()) {
    case QMetaType::LongLong:
        return Stored::Integer;
    case QMetaType::Double:
        return Stored::Real;
    case QMetaType::QByteArray:
        return Stored::Blob;
    default:
        return Stored::Text;
    }
}

double storedNumber(const QVariant& v) {
    return v.typeId() == QMetaType::LongLong ? double(v.toLongLong()) : v.toDouble();
}

// Ten-thousandths to whole units, halves away from zero.
qint64 roundRaw(qint64 raw) {
    return raw >= 0 ? (raw + Currency::Scale / 2) / Currency::Scale
                    : -((-(raw + 1) + 1 + Currency::Scale / 2) / Currency::Scale);
}

qint64 currencyRaw(const QVariant& v) {
    return v.typeId() == QMetaType::LongLong ? v.toLongLong() : qint64(std::llround(v.toDouble()));
}

QString numberText(double value) {
    QString text = QString::number(value, 'g', 15);
    const QChar decimal = core::Formats::current().decimalSeparator;
    if (decimal != QLatin1Char('.'))
        text.replace(QLatin1Char('.'), decimal);
    return text;
}

// The amount with its decimals, no trailing zeros and no thousands separators.
QString currencyText(qint64 raw) {
    const bool negative = raw < 0;
    const quint64 magnitude = negative ? quint64(-(raw + 1)) + 1 : quint64(raw);
    QString text = QString::number(magnitude / quint64(Currency::Scale));
    const quint64 fraction = magnitude % quint64(Currency::Scale);
    if (fraction != 0) {
        QString digits = QStringLiteral("%1").arg(fraction, 4, 10, QLatin1Char('0'));
        while (digits.endsWith(QLatin1Char('0')))
            digits.chop(1);
        text += core::Formats::current().decimalSeparator + digits;
    }
    return negative ? QLatin1Char('-') + text : text;
}

std::optional<double> parseNumber(const QString& input) {
    QString text = input.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    const core::Formats& f = core::Formats::current();
    if (f.decimalSeparator != QLatin1Char('.') && text.contains(f.decimalSeparator)) {
        text.remove(f.thousandSeparator);
        text.replace(f.decimalSeparator, QLatin1Char('.'));
    }
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<qint64> parseInteger(const QString& input) {
    bool ok = false;
    const qint64 value = input.trimmed().toLongLong(&ok);
    if (ok)
        return value;
    const std::optional<double> number = parseNumber(input);
    if (number && *number == std::trunc(*number) && std::fabs(*number) < 9.0e18)
        return qint64(*number);
    return std::nullopt;
}

std::optional<bool> parseBoolean(const QString& input) {
    const QString text = input.trimmed().toUpper();
    if (text.isEmpty())
        return std::nullopt;
    if (text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("0"))
        return false;
    switch (text.at(0).unicode()) {
    case 'T':
    case 'Y':
    case 'S':
        return true;
    case 'F':
    case 'N':
        return false;
    default:
        return std::nullopt;
    }
}

std::optional<TDateTime> parseTime(const QString& input) {
    QString text = input.trimmed();
    const core::Formats& f = core::Formats::current();
    int designator = 0; // 1 before noon, 2 after
    const QString am[] = {f.amText, QStringLiteral("AM")};
    const QString pm[] = {f.pmText, QStringLiteral("PM")};
    for (int i = 0; i < 2 && designator == 0; ++i) {
        if (!am[i].isEmpty() && text.endsWith(am[i], Qt::CaseInsensitive)) {
            designator = 1;
            text.chop(am[i].size());
        } else if (!pm[i].isEmpty() && text.endsWith(pm[i], Qt::CaseInsensitive)) {
            designator = 2;
            text.chop(pm[i].size());
        }
    }
    const QStringList parts = text.trimmed().split(QLatin1Char(':'));
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    int numbers[3] = {0, 0, 0};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        bool ok = false;
        numbers[i] = parts[i].trimmed().toInt(&ok);
        if (!ok || numbers[i] < 0)
            return std::nullopt;
    }
    int hour = numbers[0];
    if (designator != 0) {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + (designator == 2 ? 12 : 0);
    }
    if (hour > 23 || numbers[1] > 59 || numbers[2] > 59)
        return std::nullopt;
    return core::dt::encodeTime(hour, numbers[1], numbers[2]);
}

std::optional<TDateTime> parseDate(const QString& input) {
    const QString text = input.trimmed();
    if (const std::optional<TDateTime> date = core::parseShortDate(text))
        return date;
    const QDate iso = QDate::fromString(text, Qt::ISODate);
    if (iso.isValid())
        return core::dt::fromDate(iso);
    return std::nullopt;
}

// A date, a date and a time of day separated by a blank, or an ISO date-time.
std::optional<TDateTime> parseTimestamp(const QString& input) {
    const QString text = input.trimmed();
    if (const std::optional<TDateTime> date = parseDate(text))
        return date;
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    if (blank > 0) {
        const std::optional<TDateTime> date = parseDate(text.left(blank));
        const std::optional<TDateTime> time = parseTime(text.mid(blank + 1));
        if (date && time)
            return *date + *time;
    }
    const QDateTime iso = QDateTime::fromString(text, Qt::ISODate);
    if (iso.isValid())
        return core::dt::fromDateTime(iso);
    return std::nullopt;
}

std::optional<TDateTime> parseDateTimeText(FieldKind kind, const QString& text) {
    if (kind == FieldKind::Time) {
        if (const std::optional<TDateTime> time = parseTime(text))
            return time;
        return parseTimestamp(text);
    }
    if (const std::optional<TDateTime> value = parseTimestamp(text))
        return value;
    return parseTime(text);
}

QString dateTimeText(TDateTime value) {
    QString text = core::formatShortDate(value);
    if (core::dt::timePart(value) != 0)
        text += QLatin1Char(' ') + core::formatShortTime(value);
    return text;
}

[[noreturn]] void badValue(const QString& field, const QString& text) {
    throw EngineError(
        QStringLiteral("\"%1\" no es un valor válido para el campo \"%2\".").arg(text, field));
}

[[noreturn]] void badAssignment(const QString& field, const QString& what) {
    throw EngineError(QStringLiteral("No se puede asignar %1 al campo \"%2\".").arg(what, field));
}

void requireFinite(const QString& field, double value) {
    if (!std::isfinite(value))
        badValue(field, QString::number(value));
}

QString textOf(const QVariant& v) {
    return v.typeId() == QMetaType::QByteArray ? QString::fromUtf8(v.toByteArray()) : v.toString();
}

} // namespace

// ---------------------------------------------------------------------------

FieldKind kindFromDeclaredType(const QString& declaredType) {
    QString type = declaredType.trimmed().toUpper();
    const qsizetype paren = type.indexOf(QLatin1Char('('));
    if (paren >= 0)
        type.truncate(paren);
    const qsizetype blank = type.indexOf(QLatin1Char(' '));
    if (blank >= 0)
        type.truncate(blank);
    type = type.trimmed();

    static const QStringList integers{"INTEGER",   "INT",  "SMALLINT", "BIGINT",   "TINYINT",
                                      "MEDIUMINT", "WORD", "AUTOINC",  "LARGEINT", "BYTE"};
    static const QStringList floats{"FLOAT", "REAL", "DOUBLE", "NUMERIC", "DECIMAL", "BCD"};
    if (integers.contains(type))
        return FieldKind::Integer;
    if (floats.contains(type))
        return FieldKind::Float;
    if (type == QLatin1String("CURRENCY") || type == QLatin1String("MONEY"))
        return FieldKind::Currency;
    if (type == QLatin1String("DATE"))
        return FieldKind::Date;
    if (type == QLatin1String("TIME"))
        return FieldKind::Time;
    if (type == QLatin1String("TIMESTAMP") || type == QLatin1String("DATETIME"))
        return FieldKind::Timestamp;
    if (type == QLatin1String("BOOLEAN") || type == QLatin1String("BOOL") ||
        type == QLatin1String("LOGICAL"))
        return FieldKind::Boolean;
    return FieldKind::String;
}

Field::Field(QString name, FieldKind kind) : m_name(std::move(name)), m_kind(kind) {}

void Field::bindColumn(sqlite3_stmt* statement, int column) {
    m_statement = statement;
    m_column = column;
    m_pending = statement != nullptr;
}

void Field::rowChanged(bool onRow) {
    if (onRow && m_statement) {
        m_pending = true;
    } else {
        m_pending = false;
        m_value = QVariant();
    }
}

void Field::fetch() const {
    m_value = sqlite::columnValue(m_statement, m_column);
    m_pending = false;
}

void Field::store(const QVariant& value) {
    if (!m_writable)
        throw EngineError(QStringLiteral("El campo \"%1\" no se puede modificar: la tabla no está "
                                         "en modo de inserción o edición.")
                              .arg(m_name));
    m_value = value;
    m_pending = false;
    m_modified = true;
}

// ---------------------------------------------------------------------------
// Reading

QString Field::asString() const {
    const QVariant& v = value();
    switch (storedType(v)) {
    case Stored::Null:
        return QString();
    case Stored::Text:
    case Stored::Blob:
        return textOf(v);
    default:
        break;
    }
    switch (m_kind) {
    case FieldKind::Date:
        return core::formatShortDate(storedNumber(v));
    case FieldKind::Time:
        return core::formatShortTime(storedNumber(v));
    case FieldKind::Timestamp:
        return core::formatShortDate(storedNumber(v)) + QLatin1Char(' ') +
               core::formatShortTime(storedNumber(v));
    case FieldKind::Boolean:
        return storedNumber(v) != 0 ? QStringLiteral("True") : QStringLiteral("False");
    case FieldKind::Currency:
        return currencyText(currencyRaw(v));
    default:
        return v.typeId() == QMetaType::LongLong ? QString::number(v.toLongLong())
                                                 : numberText(v.toDouble());
    }
}

qint64 Field::asInteger() const {
    const QVariant& v = value();
    switch (storedType(v)) {
    case Stored::Null:
        return 0;
    case Stored::Text:
    case Stored::Blob: {
        const QString text = textOf(v);
        if (text.trimmed().isEmpty())
            return 0;
        if (const std::optional<qint64> n = parseInteger(text))
            return *n;
        badValue(m_name, text);
    }
    case Stored::Integer:
        return m_kind == FieldKind::Currency ? roundRaw(v.toLongLong()) : v.toLongLong();
    case Stored::Real:
        break;
    }
    const double d = v.toDouble();
    switch (m_kind) {
    case FieldKind::Currency:
        return qint64(std::llround(d / double(Currency::Scale)));
    case FieldKind::Date:
    case FieldKind::Time:
    case FieldKind::Timestamp:
        return qint64(std::trunc(d));
    default:
        return qint64(std::llround(d));
    }
}

double Field::asFloat() const {
    const QVariant& v = value();
    switch (storedType(v)) {
    case Stored::Null:
        return 0;
    case Stored::Text:
    case Stored::Blob: {
        const QString text = textOf(v);
        if (text.trimmed().isEmpty())
            return 0;
        if (const std::optional<double> n = parseNumber(text))
            return *n;
        badValue(m_name, text);
    }
    default:
        break;
    }
    if (m_kind == FieldKind::Currency)
        return double(currencyRaw(v)) / double(Currency::Scale);
    return storedNumber(v);
}

core::Currency Field::asCurrency() const {
    const QVariant& v = value();
    switch (storedType(v)) {
    case Stored::Null:
        return Currency();
    case Stored::Text:
    case Stored::Blob: {
        const QString text = textOf(v);
        if (text.trimmed().isEmpty())
            return Currency();
        if (const std::optional<double> n = parseNumber(text))
            return Currency::fromDouble(*n);
        badValue(m_name, text);
    }
    case Stored::Integer:
        if (m_kind == FieldKind::Currency)
            return Currency::fromRaw(v.toLongLong());
        return Currency::fromRaw(v.toLongLong() * Currency::Scale);
    case Stored::Real:
        break;
    }
    if (m_kind == FieldKind::Currency)
        return Currency::fromRaw(currencyRaw(v));
    return Currency::fromDouble(v.toDouble());
}

core::TDateTime Field::asDateTime() const {
    const QVariant& v = value();
    switch (storedType(v)) {
    case Stored::Null:
        return 0;
    case Stored::Text:
    case Stored::Blob: {
        const QString text = textOf(v);
        if (text.trimmed().isEmpty())
            return 0;
        if (const std::optional<TDateTime> d = parseDateTimeText(m_kind, text))
            return *d;
        badValue(m_name, text);
    }
    default:
        break;
    }
    if (m_kind == FieldKind::Currency)
        return double(currencyRaw(v)) / double(Currency::Scale);
    return storedNumber(v);
}

bool Field::asBoolean() const {
    const QVariant& v = value();
    switch (storedType(v)) {
    case Stored::Null:
        return false;
    case Stored::Text:
    case Stored::Blob: {
        const QString text = textOf(v);
        if (text.trimmed().isEmpty())
            return false;
        if (const std::optional<bool> b = parseBoolean(text))
            return *b;
        badValue(m_name, text);
    }
    default:
        return storedNumber(v) != 0;
    }
}

// ---------------------------------------------------------------------------
// Writing

void Field::setAsString(const QString& text) {
    if (m_kind == FieldKind::String) {
        store(text);
        return;
    }
    if (text.trimmed().isEmpty()) {
        store(QVariant());
        return;
    }
    switch (m_kind) {
    case FieldKind::Integer:
        if (const std::optional<qint64> n = parseInteger(text))
            return store(*n);
        break;
    case FieldKind::Float:
        if (const std::optional<double> n = parseNumber(text))
            return store(*n);
        break;
    case FieldKind::Currency:
        if (const std::optional<double> n = parseNumber(text))
            return store(Currency::fromDouble(*n).raw());
        break;
    case FieldKind::Date:
        if (const std::optional<TDateTime> d = parseDateTimeText(m_kind, text))
            return store(core::dt::datePart(*d));
        break;
    case FieldKind::Time:
        if (const std::optional<TDateTime> d = parseDateTimeText(m_kind, text))
            return store(core::dt::timePart(*d));
        break;
    case FieldKind::Timestamp:
        if (const std::optional<TDateTime> d = parseDateTimeText(m_kind, text))
            return store(*d);
        break;
    case FieldKind::Boolean:
        if (const std::optional<bool> b = parseBoolean(text))
            return store(qint64(*b ? 1 : 0));
        break;
    case FieldKind::String:
        break;
    }
    badValue(m_name, text);
}

void Field::setAsInteger(qint64 v) {
    switch (m_kind) {
    case FieldKind::String:
        return store(QString::number(v));
    case FieldKind::Integer:
        return store(v);
    case FieldKind::Currency:
        return store(v * Currency::Scale);
    case FieldKind::Boolean:
        return store(qint64(v != 0 ? 1 : 0));
    case FieldKind::Time:
        return store(0.0);
    default:
        return store(double(v));
    }
}

void Field::setAsFloat(double v) {
    requireFinite(m_name, v);
    switch (m_kind) {
    case FieldKind::String:
        return store(numberText(v));
    case FieldKind::Integer:
        return store(qint64(std::llround(v)));
    case FieldKind::Float:
    case FieldKind::Timestamp:
        return store(v);
    case FieldKind::Currency:
        return store(Currency::fromDouble(v).raw());
    case FieldKind::Date:
        return store(core::dt::datePart(v));
    case FieldKind::Time:
        return store(core::dt::timePart(v));
    case FieldKind::Boolean:
        return store(qint64(v != 0 ? 1 : 0));
    }
}

void Field::setAsCurrency(core::Currency v) {
    switch (m_kind) {
    case FieldKind::String:
        return store(currencyText(v.raw()));
    case FieldKind::Integer:
        return store(roundRaw(v.raw()));
    case FieldKind::Currency:
        return store(v.raw());
    case FieldKind::Boolean:
        return store(qint64(v.isZero() ? 0 : 1));
    default:
        return setAsFloat(v.toDouble());
    }
}

void Field::setAsDateTime(core::TDateTime v) {
    requireFinite(m_name, v);
    switch (m_kind) {
    case FieldKind::String:
        return store(dateTimeText(v));
    case FieldKind::Integer:
        return store(qint64(std::trunc(v)));
    case FieldKind::Boolean:
        badAssignment(m_name, QStringLiteral("una fecha"));
    default:
        return setAsFloat(v);
    }
}

void Field::setAsBoolean(bool v) {
    switch (m_kind) {
    case FieldKind::String:
        return store(v ? QStringLiteral("True") : QStringLiteral("False"));
    case FieldKind::Integer:
    case FieldKind::Boolean:
        return store(qint64(v ? 1 : 0));
    case FieldKind::Float:
        return store(v ? 1.0 : 0.0);
    default:
        badAssignment(m_name, QStringLiteral("un valor lógico"));
    }
}

void Field::clear() {
    store(QVariant());
}

// ---------------------------------------------------------------------------

QVariant values::toStored(FieldKind kind, const QVariant& natural, const QString& fieldName) {
    if (!natural.isValid() || natural.isNull())
        return QVariant();
    Field f(fieldName, kind);
    f.setWritable(true);
    switch (natural.typeId()) {
    case QMetaType::QString:
        f.setAsString(natural.toString());
        break;
    case QMetaType::Bool:
        f.setAsBoolean(natural.toBool());
        break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        f.setAsInteger(natural.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        f.setAsFloat(natural.toDouble());
        break;
    case QMetaType::QDate:
        f.setAsDateTime(core::dt::fromDate(natural.toDate()));
        break;
    case QMetaType::QTime:
        f.setAsDateTime(core::dt::fromTime(natural.toTime()));
        break;
    case QMetaType::QDateTime:
        f.setAsDateTime(core::dt::fromDateTime(natural.toDateTime()));
        break;
    case QMetaType::QByteArray:
        return natural;
    default:
        if (!natural.canConvert<QString>())
            badValue(fieldName, QString::fromLatin1(natural.typeName()));
        f.setAsString(natural.toString());
        break;
    }
    return f.storedValue();
}

} // namespace data

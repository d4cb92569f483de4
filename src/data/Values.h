#pragma once

// Conversions of the data layer shared by the cursor, the query and the file writer.

#include "data/Field.h"

#include <QString>
#include <QVariant>

namespace data::values {

// A natural value (QString, an integral type, double, bool, QDate, QTime,
// QDateTime) in the stored representation of a column of the given kind: a
// double is an amount for a currency column and a day count for a date column.
// EngineError when the value does not fit the kind.
QVariant toStored(FieldKind kind, const QVariant& natural, const QString& fieldName);

} // namespace data::values

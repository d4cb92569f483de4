#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace core {

// The date-time model shared by the whole program and the stored tables: a
// count of days since 30 December 1899 whose fraction is the time of day.
// 0 is the "date zero", which an empty date field reads as.
using TDateTime = double;

namespace dt {

constexpr qint64 MsPerDay = 86400000;

QDate epoch(); // 30 December 1899

TDateTime fromDate(const QDate& date);
TDateTime fromTime(const QTime& time);
TDateTime fromDateTime(const QDateTime& value);
TDateTime encodeDate(int year, int month, int day);
TDateTime encodeTime(int hour, int minute, int second = 0, int ms = 0);

// The whole days (truncated towards zero) and the time of day of a value.
TDateTime datePart(TDateTime value);
TDateTime timePart(TDateTime value);

QDate toDate(TDateTime value);
QTime toTime(TDateTime value);
QDateTime toDateTime(TDateTime value);

// Adds months, keeping the day of the month where the target month has it and
// taking the month's last day where it does not (31 January + 1 = 28/29 February).
TDateTime incMonth(TDateTime value, int months);

// Whole days from the date of `from` to the date of `to`.
int daysBetween(TDateTime from, TDateTime to);

} // namespace dt
} // namespace core

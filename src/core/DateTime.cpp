#include "core/DateTime.h"

#include <cmath>

namespace core::dt {

QDate epoch() {
    return QDate(1899, 12, 30);
}

TDateTime fromDate(const QDate& date) {
    if (!date.isValid())
        return 0;
    return TDateTime(epoch().daysTo(date));
}

TDateTime fromTime(const QTime& time) {
    if (!time.isValid())
        return 0;
    return TDateTime(time.msecsSinceStartOfDay()) / TDateTime(MsPerDay);
}

TDateTime fromDateTime(const QDateTime& value) {
    return fromDate(value.date()) + fromTime(value.time());
}

TDateTime encodeDate(int year, int month, int day) {
    return fromDate(QDate(year, month, day));
}

TDateTime encodeTime(int hour, int minute, int second, int ms) {
    return fromTime(QTime(hour, minute, second, ms));
}

TDateTime datePart(TDateTime value) {
    return std::trunc(value);
}

TDateTime timePart(TDateTime value) {
    return std::fabs(value - std::trunc(value));
}

namespace {
// Splits a value into whole days and milliseconds of the day, carrying a
// fraction that rounds up to a whole day into the next day.
void split(TDateTime value, qint64& days, qint64& ms) {
    days = qint64(std::trunc(value));
    ms = qint64(std::llround(timePart(value) * double(MsPerDay)));
    if (ms >= MsPerDay) {
        ms -= MsPerDay;
        days += value < 0 ? -1 : 1;
    }
}
} // namespace

QDate toDate(TDateTime value) {
    qint64 days, ms;
    split(value, days, ms);
    return epoch().addDays(days);
}

QTime toTime(TDateTime value) {
    qint64 days, ms;
    split(value, days, ms);
    return QTime::fromMSecsSinceStartOfDay(int(ms));
}

QDateTime toDateTime(TDateTime value) {
    return QDateTime(toDate(value), toTime(value));
}

TDateTime incMonth(TDateTime value, int months) {
    const QDate d = toDate(value);
    int total = d.year() * 12 + (d.month() - 1) + months;
    int year = total / 12;
    int month = total % 12 + 1;
    int day = qMin(d.day(), QDate(year, month, 1).daysInMonth());
    return fromDate(QDate(year, month, day)) + timePart(value);
}

int daysBetween(TDateTime from, TDateTime to) {
    return int(std::trunc(to) - std::trunc(from));
}

} // namespace core::dt

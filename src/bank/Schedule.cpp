#include "bank/Schedule.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>
#include <algorithm>

namespace bank {

namespace dt = core::dt;

int PeriodCodeOfItem(int index) {
    if (index < 0 || index >= int(PeriodCodes.size()))
        return 0;
    return PeriodCodes[size_t(index)];
}

bool IsPeriodCode(int code) {
    return std::find(PeriodCodes.begin(), PeriodCodes.end(), code) != PeriodCodes.end();
}

bool IsMonthPeriod(int code) {
    return code == 1 || code == 3 || code == 6 || code == 12;
}

int FortnightMode(core::TDateTime date) {
    return dt::toDate(date).day() <= 15 ? 2 : 1;
}

core::TDateTime NextFortnightDate(core::TDateTime date, int mode) {
    const QDate d = dt::toDate(date);
    const int day = d.day();
    if (day == 30 || day == 31 || ((day == 28 || day == 29) && d.month() == 2)) {
        if (d.month() == 12)
            return dt::encodeDate(d.year() + 1, 1, 15) + dt::timePart(date);
        return date + 15;
    }
    if (mode == 1)
        return date + 15;
    return dt::incMonth(date, 1) - 15;
}

namespace {

// One step of a series with a fixed fortnight mode.
core::TDateTime step(core::TDateTime date, int code, int fortnightMode) {
    if (IsMonthPeriod(code))
        return dt::incMonth(date, code);
    if (code == WeeklyPeriod)
        return date + 7;
    return NextFortnightDate(date, fortnightMode);
}

} // namespace

std::optional<core::TDateTime> NextPeriodDate(core::TDateTime date, int code) {
    if (!IsPeriodCode(code))
        return std::nullopt;
    return step(date, code, FortnightMode(date));
}

int CatchUpCount(core::TDateTime start, core::TDateTime today, int code) {
    if (!IsPeriodCode(code) || !(today > start))
        return 1;
    const int mode = FortnightMode(start);
    int count = 0;
    for (core::TDateTime d = start; today >= d; d = step(d, code, mode))
        ++count;
    return count;
}

std::vector<core::TDateTime> ScheduleDates(core::TDateTime start, int count, int code) {
    std::vector<core::TDateTime> dates;
    dates.reserve(size_t(qMax(0, count)));
    for (int i = 1; i <= count; ++i) {
        if (IsMonthPeriod(code))
            dates.push_back(dt::incMonth(start, (i - 1) * code));
        else if (code == WeeklyPeriod)
            dates.push_back(start + (i - 1) * 7.0);
        else if (i == 1)
            dates.push_back(start);
        else
            dates.push_back(NextFortnightDate(dates.back(), FortnightMode(dates.back())));
    }
    return dates;
}

core::Currency InstallmentAmount(double total, int count, bool fixed) {
    if (fixed || count <= 0)
        return core::Currency::fromDouble(total);
    return core::Currency::fromDouble(total / double(count));
}

TGirosList BuildSchedule(const ScheduleRequest& request) {
    TGirosList giros;
    const std::vector<core::TDateTime> dates =
        ScheduleDates(request.start, request.count, request.periodCode);
    const core::Currency amount = InstallmentAmount(request.total, request.count, request.fixed);
    int number = 0;
    for (core::TDateTime date : dates) {
        auto giro = std::make_shared<TGirosReg>();
        giro->Giro = ++number;
        giro->TipoTrans = request.tipoTrans;
        giro->FechaGiro = date;
        giro->MontoGiro = amount;
        giro->HoraGiro = request.noticeTime;
        giros.push_back(std::move(giro));
    }
    return giros;
}

namespace {
const QRegularExpression& timePattern() {
    static const QRegularExpression pattern(QStringLiteral("^(\\d\\d):(\\d\\d)$"));
    return pattern;
}
} // namespace

QString CheckedNoticeText(const QString& text) {
    const QString reset = QStringLiteral("12:00");
    const QRegularExpressionMatch m = timePattern().match(text);
    if (!m.hasMatch())
        return reset;
    const int h = m.captured(1).toInt();
    const int minute = m.captured(2).toInt();
    if (!QTime::isValid(h, minute, 0) || h * 60 + minute > 12 * 60 + 59)
        return reset;
    return text;
}

std::optional<core::TDateTime> NoticeTime(const QString& text, bool pm) {
    const QRegularExpressionMatch m = timePattern().match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const int h = m.captured(1).toInt();
    const int minute = m.captured(2).toInt();
    int hour;
    if (pm)
        hour = h == 12 ? 12 : h + 12;
    else
        hour = h == 12 ? 0 : h;
    if (!QTime::isValid(hour, minute, 0))
        return std::nullopt;
    return dt::encodeTime(hour, minute);
}

QString TwelveHourText(core::TDateTime time) {
    const QTime t = dt::toTime(time);
    int hour = t.hour() % 12;
    if (hour == 0)
        hour = 12;
    return QStringLiteral("%1:%2")
        .arg(hour, 2, 10, QLatin1Char('0'))
        .arg(t.minute(), 2, 10, QLatin1Char('0'));
}

bool IsAfternoon(core::TDateTime time) {
    return dt::toTime(time).hour() >= 12;
}

} // namespace bank

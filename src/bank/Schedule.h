#pragma once

#include "bank/Records.h"
#include "core/Currency.h"
#include "core/DateTime.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

// The rules of an installment schedule: the period codes, the date steps, the
// catch-up of a fixed transaction that starts in the past, the amounts and the
// notice time of day. No widgets: the new-transaction page and the renewal of
// fixed installments use them.
namespace bank {

// The items of the period chooser, in order, and the code each gives: 7 days,
// 2 the fortnight, otherwise the number of months.
inline const QStringList PeriodItems{QStringLiteral("Semanal"),   QStringLiteral("Quincenal"),
                                     QStringLiteral("Mensual"),   QStringLiteral("Trimestral"),
                                     QStringLiteral("Semestral"), QStringLiteral("Anual")};
inline constexpr std::array<int, 6> PeriodCodes{7, 2, 1, 3, 6, 12};

inline constexpr int WeeklyPeriod = 7;
inline constexpr int FortnightPeriod = 2;

// The code of a chooser item; 0 (not fixed) for an index out of range.
int PeriodCodeOfItem(int index);
bool IsPeriodCode(int code);
// 1, 3, 6 and 12: steps of whole months.
bool IsMonthPeriod(int code);

// The fortnight mode a date is stepped from: 2 when its day is 15 or less, else 1.
int FortnightMode(core::TDateTime date);
// The next date of a fortnightly series: from the 30th or 31st, or from the 28th
// or 29th of February, 15 days later (15 January of the next year from December);
// otherwise mode 1 gives 15 days later and mode 2 one month later less 15 days.
core::TDateTime NextFortnightDate(core::TDateTime date, int mode);

// The date one period after `date`, as a renewal steps: months for 1, 3, 6 and
// 12, 7 days for 7, the fortnight rule (mode by the date's day) for 2; nullopt
// for a code that is none of these.
std::optional<core::TDateTime> NextPeriodDate(core::TDateTime date, int code);

// The catch-up of a fixed transaction that starts before today: the number of
// period dates from the start up to and including today, stepping each date
// from the previous one (the fortnight mode taken from the start date for every
// step). 1 when today is not later than the start.
int CatchUpCount(core::TDateTime start, core::TDateTime today, int code);

// The dates of a schedule of `count` installments: month periods always counted
// from the start (the day of month kept where the month has it), weeks in steps
// of 7 days, fortnights each from the previous date by the fortnight rule.
std::vector<core::TDateTime> ScheduleDates(core::TDateTime start, int count, int code);

// The amount of each installment: the whole total for a fixed transaction (one
// period's amount each), otherwise total / count computed in floating point and
// rounded to the nearest ten-thousandth (100.00 in three gives 33.3333 each).
core::Currency InstallmentAmount(double total, int count, bool fixed);

struct ScheduleRequest {
    core::TDateTime start = 0;
    int count = 1;
    int periodCode = 7;
    double total = 0;
    bool fixed = false;
    quint8 tipoTrans = 0;
    core::TDateTime noticeTime = 0;
};

// The installments of a new transaction, numbered from 1.
TGirosList BuildSchedule(const ScheduleRequest& request);

// The notice time text after leaving its edit: "12:00" when the text is the
// empty mask, still holds a blank, is not a time of day or is later than 12:59.
QString CheckedNoticeText(const QString& text);
// The time of day of a twelve-hour text "hh:mm" with its half: with A.M. 12 is
// hour 0, with P.M. 12 stays 12 and the others get 12 added. nullopt when the
// text is not two digits, a colon and two digits, or gives no time of day.
std::optional<core::TDateTime> NoticeTime(const QString& text, bool pm);
// The editor's text for a time of day: "hh:mm" on the twelve-hour clock, and
// whether it is the afternoon half (12:00 or later).
QString TwelveHourText(core::TDateTime time);
bool IsAfternoon(core::TDateTime time);

} // namespace bank

#pragma once

#include "core/Currency.h"
#include "core/DateTime.h"

#include <QChar>
#include <QString>
#include <optional>

namespace core {

// The program-wide formats: set once at start from the system's settings, before
// any window exists, and read by every window, list and report. Tests set them.
struct Formats {
    QChar dateSeparator = QLatin1Char('/');
    QChar decimalSeparator = QLatin1Char(',');
    QChar thousandSeparator = QLatin1Char('.');
    QString amText = QStringLiteral("AM");
    QString pmText = QStringLiteral("PM");

    // "dd", separator, "MM", separator, "yyyy".
    QString shortDatePattern() const;

    // Where the system gives the same character for decimals and thousands, the
    // decimal separator becomes "." and the thousands separator ",".
    void applySeparatorRule();

    // The system's separators and designators, with the separator rule applied.
    static Formats fromSystem();

    static const Formats& current();
    static void setCurrent(const Formats& formats);
};

// "%<width>.<decimals>N": the value with thousands separators and the given
// decimals, right-aligned in `width` characters (never cut).
QString formatNumber(double value, int width, int decimals = 2);
QString formatAmount(Currency value, int width, int decimals = 2);

// The three amount formats of the program.
inline QString format15(Currency v) {
    return formatAmount(v, 15);
} // labels and totals
inline QString format12(Currency v) {
    return formatAmount(v, 12);
} // grid rows, report columns
inline QString format10(Currency v) {
    return formatAmount(v, 10);
} // the notice window's totals

// The short date "dd/MM/yyyy" with the system's separator; the date zero shows as such.
QString formatShortDate(TDateTime value);
// "hh:mm AMPM" and "hh:mm:ss AMPM": twelve-hour clock with the system's designators.
QString formatShortTime(TDateTime value);
QString formatLongTime(TDateTime value);
// "hh:mm AM/PM": twelve-hour clock with the literal designators, for grid rows.
QString formatGridTime(TDateTime value);

// Reads a short date typed as day, month and year with the current separator.
std::optional<TDateTime> parseShortDate(const QString& text);

} // namespace core

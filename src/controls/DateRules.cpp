#include "controls/DateRules.h"

#include "core/Formats.h"

#include <QStringList>

namespace controls {
namespace daterules {

namespace {

QChar separator() {
    return core::Formats::current().dateSeparator;
}

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool allDigits(const QString& text) {
    for (QChar c : text)
        if (!isDigit(c))
            return false;
    return true;
}

// A year of one or two digits falls in 2000 to 2099; four digits stand as typed.
std::optional<int> yearOf(const QString& text) {
    if (text.isEmpty() || !allDigits(text))
        return std::nullopt;
    if (text.size() <= 2)
        return 2000 + text.toInt();
    if (text.size() == 4)
        return text.toInt();
    return std::nullopt;
}

} // namespace

KeyAction typedKey(const QString& text, int cursor, bool hasSelection, QChar c) {
    if (c == QLatin1Char('\b'))
        return {KeyAction::Pass, {}};
    const QChar sep = separator();
    const bool digit = isDigit(c);
    if (!digit && c != sep)
        return {KeyAction::Drop, {}};

    const int full = int(core::Formats::current().shortDatePattern().size());
    if (text.size() >= full) {
        if (!hasSelection)
            return {KeyAction::Drop, {}};
        return {KeyAction::Replace, QString(c)};
    }

    if (digit && !hasSelection && cursor == text.size()) {
        const QStringList parts = text.split(sep);
        if (parts.size() <= 2 && parts.last().size() == 2)
            return {KeyAction::Replace, text + sep + c};
    }
    return {KeyAction::Pass, {}};
}

std::optional<QDate> readDate(const QString& text, const QDate& today) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    QString day, month, year;
    const QChar sep = separator();
    if (t.contains(sep)) {
        const QStringList parts = t.split(sep);
        if (parts.size() > 3)
            return std::nullopt;
        day = parts[0];
        month = parts.value(1);
        year = parts.value(2);
        if (day.isEmpty() || day.size() > 2 || month.size() > 2)
            return std::nullopt;
    } else {
        if (!allDigits(t) || (t.size() != 1 && t.size() % 2 != 0) || t.size() > 8)
            return std::nullopt;
        day = t.left(2);
        month = t.mid(2, 2);
        year = t.mid(4);
    }
    if (!allDigits(day) || !allDigits(month))
        return std::nullopt;
    int y = today.year();
    if (!year.isEmpty()) {
        const std::optional<int> typed = yearOf(year);
        if (!typed)
            return std::nullopt;
        y = *typed;
    }
    const int m = month.isEmpty() ? today.month() : month.toInt();
    const QDate date(y, m, day.toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString interpretedText(const QString& text, const QDate& today) {
    const std::optional<QDate> date = readDate(text, today);
    if (!date)
        return text;
    return core::formatShortDate(core::dt::fromDate(*date));
}

QString exitText(const QString& text, const TNorvaDateObject& limits, bool allowBlank) {
    const std::optional<core::TDateTime> typed = core::parseShortDate(text);
    QString out = typed ? text : QString();
    if (out.isEmpty() && allowBlank)
        return out;
    core::TDateTime value = typed.value_or(0);
    if (const auto min = core::parseShortDate(limits.MinFecha()); min && value < *min) {
        out = limits.MinFecha();
        value = *min;
    }
    if (const auto max = core::parseShortDate(limits.MaxFecha()); max && value > *max)
        out = limits.MaxFecha();
    return out;
}

std::optional<QString> pastedDate(const QString& clipboardText) {
    // A whole date: day, month and year, each given.
    const QString t = clipboardText.trimmed();
    const QStringList parts = t.split(separator());
    if (parts.size() != 3 || parts[1].isEmpty() || parts[2].isEmpty())
        return std::nullopt;
    const std::optional<QDate> date = readDate(t, QDate());
    if (!date)
        return std::nullopt;
    return core::formatShortDate(core::dt::fromDate(*date));
}

} // namespace daterules
} // namespace controls

#include "notice/DueRules.h"

#include <cmath>

namespace notice {

int timeOfDayMs(core::TDateTime value) {
    const qint64 ms = std::llround(core::dt::timePart(value) * double(core::dt::MsPerDay));
    return int(ms % core::dt::MsPerDay);
}

bool installmentDueNow(core::TDateTime installmentTime, core::TDateTime now,
                       core::TDateTime startDate) {
    if (core::dt::datePart(now) > core::dt::datePart(startDate))
        return true;
    return timeOfDayMs(installmentTime) <= timeOfDayMs(now);
}

std::optional<core::TDateTime> reminderTime(const QString& text, int half) {
    if (text.size() < 5 || text.at(2) != QLatin1Char(':'))
        return std::nullopt;
    const QString hourText = text.mid(0, 2);
    bool okHour = false, okMinute = false;
    int hour = hourText.toInt(&okHour);
    const int minute = text.mid(3, 2).toInt(&okMinute);
    if (!okHour || !okMinute || !hourText.at(0).isDigit() || !hourText.at(1).isDigit() ||
        !text.at(3).isDigit() || !text.at(4).isDigit())
        return std::nullopt;
    if (half == 1) {
        if (hourText != QLatin1String("12"))
            hour += 12;
    } else if (hourText == QLatin1String("12")) {
        hour -= 12;
    }
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59)
        return std::nullopt;
    return core::dt::encodeTime(hour, minute);
}

bool documentsDueNow(core::TDateTime reminder, core::TDateTime now) {
    return timeOfDayMs(now) >= timeOfDayMs(reminder);
}

NoticeGroup noticeGroup(bool included, bool hasItems, bool wasDown) {
    NoticeGroup g;
    if (!included)
        return g;
    g.enabled = hasItems;
    g.down = wasDown && hasItems;
    g.listVisible = g.down;
    g.result = hasItems;
    return g;
}

} // namespace notice

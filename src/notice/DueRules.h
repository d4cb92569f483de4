#pragma once

#include "core/DateTime.h"

#include <QString>
#include <optional>

// The rules by which the notice check decides what is due at this moment.
namespace notice {

// Milliseconds since midnight of a value's time of day (rounded, so values a
// float's breadth apart compare equal).
int timeOfDayMs(core::TDateTime value);

// An installment loaded for the notice is due now when its time of day has
// come, or on any day after the day the program started (from then on every
// loaded installment is due at once).
bool installmentDueNow(core::TDateTime installmentTime, core::TDateTime now,
                       core::TDateTime startDate);

// The daily reminder time of receivables and payables from the reminder edit's
// text ("hh:mm") and its half of the day (0 A.M., 1 P.M.): with P.M. 12 is
// added unless the hour is "12"; with A.M. "12" means hour 0. nullopt when the
// text is not a valid time of day.
std::optional<core::TDateTime> reminderTime(const QString& text, int half);

// Whether the documents are handed over at `now`: once the reminder time has passed.
bool documentsDueNow(core::TDateTime reminder, core::TDateTime now);

// One group of the notice window (its button and its list) as the check leaves it.
struct NoticeGroup {
    bool enabled = false;     // the button
    bool down = false;        // the button pressed
    bool listVisible = false; // its list shown
    bool result = false;      // what the check is told: the group has items
};

// A check never presses a button: a group the user was looking at stays on
// screen while it has items; a group that is not included is hidden.
NoticeGroup noticeGroup(bool included, bool hasItems, bool wasDown);

} // namespace notice

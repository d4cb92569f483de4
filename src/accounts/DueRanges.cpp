#include "accounts/DueRanges.h"

#include <climits>
#include <cmath>

namespace accounts {

namespace {

// Whole days of a difference, truncated towards zero; a value beyond the
// range of an int (a date no table holds) is held at its end.
int wholeDays(double difference) {
    if (std::isnan(difference))
        return 0;
    const double days = std::trunc(difference);
    if (days >= double(INT_MAX))
        return INT_MAX;
    if (days <= double(INT_MIN))
        return INT_MIN;
    return int(days);
}

// An upper bound below its lower bound becomes the lower bound + 1; the next
// lower bound follows it.
void keepConsecutive(int lower, int& upper, int& nextLower) {
    if (upper < lower)
        upper = lower + 1;
    nextLower = upper + 1;
}

} // namespace

DueRangeBounds DefaultDueRanges() {
    return DueRangeBounds{};
}

void RestoreDueRanges(DueRangeBounds& bounds) {
    bounds = DefaultDueRanges();
}

int DueDayCount(DueAnalysis analysis, core::TDateTime dueDate, core::TDateTime today) {
    const core::TDateTime day = core::dt::datePart(today);
    return wholeDays(analysis == DueAnalysis::Vencidas ? day - dueDate : dueDate - day);
}

bool InDueRange(const DueRangeBounds& bounds, int range, int days) {
    switch (range) {
    case 1:
        return bounds.EVencen1 <= days && days <= bounds.EVencen2;
    case 2:
        return bounds.EVencen3 <= days && days <= bounds.EVencen4;
    case 3:
        return bounds.EVencen5 <= days && days <= bounds.EVencen6;
    case 4:
        return days >= bounds.EVencen7;
    default:
        return false;
    }
}

int DueRangeOf(const DueRangeBounds& bounds, int days) {
    for (int range = 1; range <= DueRangeCount; ++range)
        if (InDueRange(bounds, range, days))
            return range;
    return 0;
}

void LeaveEVencen2(DueRangeBounds& bounds) {
    keepConsecutive(bounds.EVencen1, bounds.EVencen2, bounds.EVencen3);
    LeaveEVencen4(bounds);
}

void LeaveEVencen4(DueRangeBounds& bounds) {
    keepConsecutive(bounds.EVencen3, bounds.EVencen4, bounds.EVencen5);
    LeaveEVencen6(bounds);
}

void LeaveEVencen6(DueRangeBounds& bounds) {
    keepConsecutive(bounds.EVencen5, bounds.EVencen6, bounds.EVencen7);
}

} // namespace accounts

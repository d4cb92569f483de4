#pragma once

#include "core/DateTime.h"

// The due-date analysis: how far an item is from its due date, and the four
// ranges of days into which the notice's grouping and the due-date report sort
// the items. The panel "Definir Vencimientos" holds the values in its edits
// EVencen1 to EVencen7; these are its rules.
namespace accounts {

// The entries of "Tipo de Análisis" (RGTipoVencimiento), by item index.
enum class DueAnalysis {
    Vencidas = 0, // "Cuentas Vencidas": days overdue
    PorVencer = 1 // "Cuentas por Vencer": days until due
};

// The bounds of the four ranges: range 1 is EVencen1..EVencen2, range 2
// EVencen3..EVencen4, range 3 EVencen5..EVencen6 (both ends included), range 4
// EVencen7 and beyond. The members start at the panel's initial values.
struct DueRangeBounds {
    int EVencen1 = 1;
    int EVencen2 = 30;
    int EVencen3 = 31;
    int EVencen4 = 60;
    int EVencen5 = 61;
    int EVencen6 = 90;
    int EVencen7 = 91;

    bool operator==(const DueRangeBounds&) const = default;
};

inline constexpr int DueRangeCount = 4;

// The initial values, which "Restablecer" brings back: 1, 30, 31, 60, 61, 90, 91.
DueRangeBounds DefaultDueRanges();
// "Restablecer": the seven values become the initial ones.
void RestoreDueRanges(DueRangeBounds& bounds);

// The day count of an item due on `dueDate`, in whole days truncated towards
// zero: days overdue (today's date minus the due date) or days until due (the
// due date minus today's date). Not-yet-due items count negative when overdue
// items are analysed, and the reverse.
int DueDayCount(DueAnalysis analysis, core::TDateTime dueDate, core::TDateTime today);

// Whether a day count falls in range 1 to 4 (false for any other range number).
bool InDueRange(const DueRangeBounds& bounds, int range, int days);
// The first range a day count falls in, or 0 when it falls in none (a count of
// 0 or below with the initial values).
int DueRangeOf(const DueRangeBounds& bounds, int days);

// Keeping the ranges consecutive when an upper bound is left: an upper bound
// below its lower bound becomes the lower bound + 1 (one equal to it is kept),
// and the next range starts the day after. Leaving EVencen2 then applies the
// rules of EVencen4 and EVencen6, leaving EVencen4 the rule of EVencen6.
void LeaveEVencen2(DueRangeBounds& bounds);
void LeaveEVencen4(DueRangeBounds& bounds);
void LeaveEVencen6(DueRangeBounds& bounds);

} // namespace accounts

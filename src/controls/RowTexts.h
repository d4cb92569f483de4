#pragma once

#include "core/Currency.h"
#include "core/DateTime.h"

#include <QString>
#include <array>

namespace controls {

// The texts shown in the rows of the lists.

// "%12.2N": grid rows.
QString GridAmountText(core::Currency amount);
// "%15.2N" without the leading blanks: notice cards.
QString CardAmountText(core::Currency amount);
// "hh:mm AM/PM": the time of day of an installment in a grid row.
QString GridTimeText(core::TDateTime time);
// The short date only.
QString ShortDateText(core::TDateTime date);
// The short date and, only when the value has a time of day, a blank and the
// long time.
QString DateTimeText(core::TDateTime value);
// Installment status: "P" paid, "NP" not paid.
QString StatusText(bool paid);

// The document type abbreviations, in this order.
inline constexpr std::array<const char*, 6> DocumentTypeAbbreviations = {"FACT", "GIRO", "N-D",
                                                                         "N-DP", "N-C",  "N-CP"};

enum class DocumentKind { Receivable, Payable };

// Receivables: 1 "FACT", 2 "N-D", 3 "GIRO", 5 "N-C", 7 "N-CP"; payables the same
// with 8 "N-DP" in place of 7; any other code an empty text.
QString DocumentTypeAbbreviation(DocumentKind kind, int typeCode);
// 1 "Factura", 2 "N/Débito", 3 "Giro", 5 "N/Crédito", 7 "N/C Pendiente",
// 8 "N/D Pendiente"; any other code an empty text.
QString DocumentTypeName(int typeCode);

// The red rule of the installment grids: today (time of day zero) is strictly
// later than the installment's date and the installment is not paid.
bool IsOverdueUnpaid(core::TDateTime installmentDate, bool paid, core::TDateTime today);

} // namespace controls

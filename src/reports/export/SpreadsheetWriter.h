#pragma once

#include "reports/engine/PageStore.h"

#include <QByteArray>
#include <QString>

namespace reports::exporting {

// "Excel": the XML Spreadsheet 2003 format (SpreadsheetML), which LibreOffice
// Calc and Excel both open from a file named .Xls. One row per printed line,
// page after page. The columns are the places where labels line up across the
// whole report (left edges, the right edges of right-aligned labels, the middles
// of centred ones; places within ColumnTolerance pixels are one column). A label
// marked as an amount whose text reads as an amount with the program's
// separators is a Number cell (format "#,##0.00"); every other text is a String
// cell without its surrounding blanks. Bold labels are bold cells.
class SpreadsheetWriter {
public:
    static constexpr qreal ColumnTolerance = 6;

    static QByteArray bytes(const engine::PageStore& store);
    static bool write(const engine::PageStore& store, const QString& path,
                      QString* error = nullptr);
};

} // namespace reports::exporting

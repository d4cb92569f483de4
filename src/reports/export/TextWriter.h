#pragma once

#include "reports/engine/PageStore.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace reports::exporting {

// "Ascii": the pages as plain text. Every printed line is one text line, each
// label from the column its position gives (one character per ColumnWidth
// design pixels from the left margin; a right-aligned label ends at the column
// of its right edge, a centred one is centred on its middle). A label that would
// run into the one before it moves right, one blank after it, so no text is
// lost. A gap between lines of RowHeight pixels or more gives a blank line per
// RowHeight. Pages are separated by a form feed; the file is Windows-1252 with
// CR LF line ends, like the program's other text files.
class TextWriter {
public:
    static constexpr qreal ColumnWidth = 6;
    static constexpr qreal RowHeight = 16;

    static QStringList pageLines(const engine::PageStore& store, const engine::StoredPage& page);
    static QString text(const engine::PageStore& store);
    static QByteArray bytes(const engine::PageStore& store);
    static bool write(const engine::PageStore& store, const QString& path,
                      QString* error = nullptr);
};

} // namespace reports::exporting

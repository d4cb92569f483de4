#pragma once

#include "reports/engine/PageStore.h"

#include <QString>

namespace reports::exporting {

// The export formats in the order of the export choice; the five first keep
// the indexes they have always had, "Pdf" comes after them.
enum class ExportFormat { Ascii = 0, Documento = 1, Excel = 2, Html = 3, Pravix = 4, Pdf = 5 };

constexpr int ExportFormatCount = 6;

// ".Txt", ".Doc", ".Xls", ".Html", ".MTF", ".Pdf"
QString extensionOf(ExportFormat format);
// "Ascii", "Documento", "Excel", "Html", "Pravix", "Pdf"
QString captionOf(ExportFormat format);

// Writes the store in the format; false with the reason when the file cannot
// be written (then no file of that name is left half-written, and an old one
// stays as it was).
bool exportStore(ExportFormat format, const engine::PageStore& store, const QString& path,
                 QString* error = nullptr);

} // namespace reports::exporting

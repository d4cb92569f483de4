#include "reports/export/ExportFormat.h"

#include "reports/export/HtmlWriter.h"
#include "reports/export/PdfWriter.h"
#include "reports/export/RtfWriter.h"
#include "reports/export/SavedReport.h"
#include "reports/export/SpreadsheetWriter.h"
#include "reports/export/TextWriter.h"

namespace reports::exporting {

QString extensionOf(ExportFormat format) {
    switch (format) {
    case ExportFormat::Ascii:
        return QStringLiteral(".Txt");
    case ExportFormat::Documento:
        return QStringLiteral(".Doc");
    case ExportFormat::Excel:
        return QStringLiteral(".Xls");
    case ExportFormat::Html:
        return QStringLiteral(".Html");
    case ExportFormat::Pravix:
        return QStringLiteral(".MTF");
    case ExportFormat::Pdf:
        return QStringLiteral(".Pdf");
    }
    return QString();
}

QString captionOf(ExportFormat format) {
    switch (format) {
    case ExportFormat::Ascii:
        return QStringLiteral("Ascii");
    case ExportFormat::Documento:
        return QStringLiteral("Documento");
    case ExportFormat::Excel:
        return QStringLiteral("Excel");
    case ExportFormat::Html:
        return QStringLiteral("Html");
    case ExportFormat::Pravix:
        return QStringLiteral("Pravix");
    case ExportFormat::Pdf:
        return QStringLiteral("Pdf");
    }
    return QString();
}

bool exportStore(ExportFormat format, const engine::PageStore& store, const QString& path,
                 QString* error) {
    switch (format) {
    case ExportFormat::Ascii:
        return TextWriter::write(store, path, error);
    case ExportFormat::Documento:
        return RtfWriter::write(store, path, error);
    case ExportFormat::Excel:
        return SpreadsheetWriter::write(store, path, error);
    case ExportFormat::Html:
        return HtmlWriter::write(store, path, error);
    case ExportFormat::Pravix:
        return SavedReport::save(store, path, error);
    case ExportFormat::Pdf:
        return PdfWriter::write(store, path, error);
    }
    return false;
}

} // namespace reports::exporting

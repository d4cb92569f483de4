#include "reports/export/SpreadsheetWriter.h"

#include "reports/export/ExportFile.h"

#include <QBuffer>
#include <QXmlStreamWriter>
#include <algorithm>
#include <map>

namespace reports::exporting {

namespace {

const QString SpreadsheetNs = QStringLiteral("urn:schemas-microsoft-com:office:spreadsheet");

// The columns: each anchor of the report, sorted, with anchors closer than the
// tolerance to the one before them in the same column. Gives the left anchor
// of every column.
std::vector<qreal> columnsOf(const std::vector<std::vector<PrintedLine>>& pages) {
    std::vector<qreal> anchors;
    for (const auto& lines : pages) {
        for (const PrintedLine& line : lines) {
            for (const TextOp* op : line.texts)
                anchors.push_back(anchorOf(*op));
        }
    }
    std::sort(anchors.begin(), anchors.end());
    std::vector<qreal> columns;
    qreal previous = 0;
    for (size_t i = 0; i < anchors.size(); ++i) {
        if (i == 0 || anchors[i] - previous > SpreadsheetWriter::ColumnTolerance)
            columns.push_back(anchors[i]);
        previous = anchors[i];
    }
    return columns;
}

int columnIndex(const std::vector<qreal>& columns, qreal anchor) {
    auto it = std::upper_bound(columns.begin(), columns.end(), anchor);
    return std::max(0, int(it - columns.begin()) - 1);
}

QString sheetName(const QString& title) {
    QString name;
    for (QChar c : title) {
        if (!QStringLiteral("[]:*?/\\").contains(c))
            name += c;
    }
    name = name.trimmed().left(31);
    return name.isEmpty() ? QStringLiteral("Reporte") : name;
}

struct Cell {
    QString text;
    bool bold = false;
    std::optional<QString> number;
};

} // namespace

QByteArray SpreadsheetWriter::bytes(const engine::PageStore& store) {
    std::vector<std::vector<PrintedLine>> pages;
    for (const engine::StoredPage& page : store.pages)
        pages.push_back(printedLines(page));
    const std::vector<qreal> columns = columnsOf(pages);

    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QXmlStreamWriter xml(&buffer);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(1);
    xml.writeStartDocument();
    xml.writeProcessingInstruction(QStringLiteral("mso-application"),
                                   QStringLiteral("progid=\"Excel.Sheet\""));
    xml.writeStartElement(QStringLiteral("Workbook"));
    xml.writeAttribute(QStringLiteral("xmlns"), SpreadsheetNs);
    xml.writeAttribute(QStringLiteral("xmlns:o"),
                       QStringLiteral("urn:schemas-microsoft-com:office:office"));
    xml.writeAttribute(QStringLiteral("xmlns:x"),
                       QStringLiteral("urn:schemas-microsoft-com:office:excel"));
    xml.writeAttribute(QStringLiteral("xmlns:ss"), SpreadsheetNs);

    xml.writeStartElement(QStringLiteral("Styles"));
    auto style = [&xml](const char* id, bool bold, bool number) {
        xml.writeStartElement(QStringLiteral("Style"));
        xml.writeAttribute(QStringLiteral("ss:ID"), QString::fromLatin1(id));
        if (qstrcmp(id, "Default") == 0)
            xml.writeAttribute(QStringLiteral("ss:Name"), QStringLiteral("Normal"));
        xml.writeEmptyElement(QStringLiteral("Font"));
        xml.writeAttribute(QStringLiteral("ss:FontName"), QStringLiteral("Arial"));
        xml.writeAttribute(QStringLiteral("ss:Size"), QStringLiteral("9"));
        if (bold)
            xml.writeAttribute(QStringLiteral("ss:Bold"), QStringLiteral("1"));
        if (number) {
            xml.writeEmptyElement(QStringLiteral("NumberFormat"));
            xml.writeAttribute(QStringLiteral("ss:Format"), QStringLiteral("#,##0.00"));
        }
        xml.writeEndElement();
    };
    style("Default", false, false);
    style("b", true, false);
    style("n", false, true);
    style("nb", true, true);
    xml.writeEndElement(); // Styles

    xml.writeStartElement(QStringLiteral("Worksheet"));
    xml.writeAttribute(QStringLiteral("ss:Name"), sheetName(store.title));
    xml.writeStartElement(QStringLiteral("Table"));
    for (size_t i = 0; i < columns.size(); ++i) {
        const qreal next = i + 1 < columns.size() ? columns[i + 1] : columns[i] + 80;
        xml.writeEmptyElement(QStringLiteral("Column"));
        xml.writeAttribute(
            QStringLiteral("ss:Width"),
            QString::number(std::max<qreal>(24, (next - columns[i]) * 0.75), 'f', 1));
    }
    for (const auto& lines : pages) {
        for (const PrintedLine& line : lines) {
            std::map<int, Cell> cells;
            for (const TextOp* op : line.texts) {
                Cell& cell = cells[columnIndex(columns, anchorOf(*op))];
                const QString text = op->text.trimmed();
                if (cell.text.isEmpty()) {
                    cell.text = text;
                    cell.bold = op->font.bold;
                    if (op->amount)
                        cell.number = plainNumber(text);
                } else {
                    // Two labels in one column share the cell, as text.
                    cell.text += QLatin1Char(' ') + text;
                    cell.number.reset();
                }
            }
            xml.writeStartElement(QStringLiteral("Row"));
            int expected = 0;
            for (const auto& [index, cell] : cells) {
                xml.writeStartElement(QStringLiteral("Cell"));
                if (index != expected)
                    xml.writeAttribute(QStringLiteral("ss:Index"), QString::number(index + 1));
                if (cell.number || cell.bold)
                    xml.writeAttribute(
                        QStringLiteral("ss:StyleID"),
                        cell.number ? (cell.bold ? QStringLiteral("nb") : QStringLiteral("n"))
                                    : QStringLiteral("b"));
                xml.writeStartElement(QStringLiteral("Data"));
                xml.writeAttribute(QStringLiteral("ss:Type"), cell.number
                                                                  ? QStringLiteral("Number")
                                                                  : QStringLiteral("String"));
                xml.writeCharacters(cell.number ? *cell.number : cell.text);
                xml.writeEndElement(); // Data
                xml.writeEndElement(); // Cell
                expected = index + 1;
            }
            xml.writeEndElement(); // Row
        }
    }
    xml.writeEndElement(); // Table
    xml.writeEndElement(); // Worksheet
    xml.writeEndElement(); // Workbook
    xml.writeEndDocument();
    return out;
}

bool SpreadsheetWriter::write(const engine::PageStore& store, const QString& path, QString* error) {
    return saveFile(path, bytes(store), error);
}

} // namespace reports::exporting

#include "reports/export/RtfWriter.h"

#include "reports/export/ExportFile.h"

#include <algorithm>
#include <cmath>

namespace reports::exporting {

namespace {

// Twentieths of a point: 15 to the design pixel.
int twips(qreal px) {
    return int(std::lround(px * 15.0));
}

QByteArray escaped(const QString& text) {
    QByteArray out;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u >= 0x20 && u < 0x80) {
            out += char(u);
        } else if (u >= 0x80) {
            // Unicode with "?" for readers that know only the code page.
            out += "\\u" + QByteArray::number(qint16(u)) + '?';
        }
    }
    return out;
}

QByteArray paragraph(const PrintedLine& line, qreal spaceBefore, const engine::PageStore& store,
                     bool pageBreak) {
    const qreal margin = store.margins.left();
    QByteArray out = "\\pard\\plain";
    if (pageBreak)
        out += "\\pagebb";
    out += "\\sb" + QByteArray::number(twips(std::max<qreal>(0, spaceBefore)));
    out += "\\sl-" + QByteArray::number(std::max(1, twips(line.bottom - line.top)));
    // Tab stops must grow from left to right; a label without room for its own
    // stop follows the one before it after a blank.
    QByteArray tabs;
    QByteArray content;
    int lastStop = 0;
    for (const TextOp* op : line.texts) {
        const int stop = twips(anchorOf(*op) - margin);
        const QString text = op->align == engine::Align::Left ? op->text : op->text.trimmed();
        if (stop > lastStop) {
            if (op->align == engine::Align::Right)
                tabs += "\\tqr";
            else if (op->align == engine::Align::Center)
                tabs += "\\tqc";
            tabs += "\\tx" + QByteArray::number(stop);
            content += "\\tab";
            lastStop = stop;
        } else if (!content.isEmpty()) {
            content += ' ';
        }
        content +=
            "{\\fs" + QByteArray::number(std::max(2, int(std::lround(op->font.pixelSize * 1.5))));
        if (op->font.bold)
            content += "\\b";
        content += ' ' + escaped(text) + '}';
    }
    return out + tabs + content + "\\par\n";
}

} // namespace

QByteArray RtfWriter::bytes(const engine::PageStore& store) {
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n"
                     "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\n";
    const QSizeF paper = store.paperSize;
    out += "\\paperw" + QByteArray::number(twips(paper.width())) + "\\paperh" +
           QByteArray::number(twips(paper.height()));
    if (paper.width() > paper.height())
        out += "\\landscape";
    out += "\\margl" + QByteArray::number(twips(store.margins.left())) + "\\margr" +
           QByteArray::number(twips(store.margins.right())) + "\\margt" +
           QByteArray::number(twips(store.margins.top())) + "\\margb" +
           QByteArray::number(twips(store.margins.bottom())) + "\n";
    if (!store.title.isEmpty())
        out += "{\\info{\\title " + escaped(store.title) + "}}\n";
    for (size_t p = 0; p < store.pages.size(); ++p) {
        const bool pageBreak = p > 0;
        const std::vector<PrintedLine> lines = printedLines(store.pages[p]);
        if (lines.empty()) {
            out += pageBreak ? "\\pard\\plain\\pagebb\\par\n" : "\\pard\\plain\\par\n";
            continue;
        }
        qreal previousBottom = store.margins.top();
        for (size_t i = 0; i < lines.size(); ++i) {
            out += paragraph(lines[i], lines[i].top - previousBottom, store, pageBreak && i == 0);
            previousBottom = lines[i].bottom;
        }
    }
    out += "}\n";
    return out;
}

bool RtfWriter::write(const engine::PageStore& store, const QString& path, QString* error) {
    return saveFile(path, bytes(store), error);
}

} // namespace reports::exporting

#pragma once

#include "platform/TextFile.h"
#include "reports/engine/PageStore.h"

#include <QByteArray>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

// Readers of the exported files as the programs that open them read them:
// the paragraphs of an RTF document, the cells of the spreadsheet, the texts of
// the web page and of a PDF.
namespace exportreaders {

using reports::engine::PageStore;
using reports::engine::StoredPage;
using reports::engine::TextOp;

inline const QString SpreadsheetNs = QStringLiteral("urn:schemas-microsoft-com:office:spreadsheet");

// The paragraphs of an RTF document as text: \tab gives a tab, \par ends a
// paragraph, \uN is its character (the stand-in after it skipped); the font
// table and the information group are left out.
inline QStringList rtfParagraphs(const QByteArray& rtf, int* pageBreaks) {
    QStringList paragraphs;
    QString current;
    int depth = 0;
    int skipFrom = -1;
    *pageBreaks = 0;
    for (qsizetype i = 0; i < rtf.size();) {
        const char c = rtf[i];
        if (c == '{') {
            ++depth;
            ++i;
            if (skipFrom < 0 &&
                (rtf.mid(i).startsWith("\\fonttbl") || rtf.mid(i).startsWith("\\info")))
                skipFrom = depth;
            continue;
        }
        if (c == '}') {
            if (depth == skipFrom)
                skipFrom = -1;
            --depth;
            ++i;
            continue;
        }
        const bool skipping = skipFrom >= 0;
        if (c == '\\') {
            const char d = i + 1 < rtf.size() ? rtf[i + 1] : '\0';
            if (d == '\\' || d == '{' || d == '}') {
                if (!skipping)
                    current += QLatin1Char(d);
                i += 2;
                continue;
            }
            if (d == '\'') {
                if (!skipping)
                    current +=
                        platform::textfile::decode1252(QByteArray::fromHex(rtf.mid(i + 2, 2)));
                i += 4;
                continue;
            }
            qsizetype j = i + 1;
            while (j < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[j])))
                ++j;
            const QByteArray word = rtf.mid(i + 1, j - i - 1);
            qsizetype k = j;
            if (k < rtf.size() && rtf[k] == '-')
                ++k;
            while (k < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[k])))
                ++k;
            const int param = rtf.mid(j, k - j).toInt();
            if (k < rtf.size() && rtf[k] == ' ')
                ++k;
            i = k;
            if (skipping)
                continue;
            if (word == "par") {
                paragraphs << current;
                current.clear();
            } else if (word == "tab") {
                current += QLatin1Char('\t');
            } else if (word == "u") {
                current += QChar(char16_t(param < 0 ? param + 65536 : param));
                ++i; // the stand-in
            } else if (word == "pagebb") {
                ++*pageBreaks;
            }
            continue;
        }
        if (c != '\r' && c != '\n' && !skipping)
            current += QLatin1Char(c);
        ++i;
    }
    return paragraphs;
}

inline QStringList piecesOf(const QString& line) {
    QStringList out;
    for (const QString& piece : line.split(QLatin1Char('\t'))) {
        if (!piece.trimmed().isEmpty())
            out << piece.trimmed();
    }
    return out;
}

struct SheetCell {
    int column = 0; // from 1
    QString type;
    QString value;
};

// The rows of the one worksheet, with the column of each cell worked out from
// ss:Index as a spreadsheet does.
inline QList<QList<SheetCell>> sheetRows(const QByteArray& xml, QString* error, bool* officePi) {
    QList<QList<SheetCell>> rows;
    QXmlStreamReader reader(xml);
    int column = 0;
    *officePi = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isProcessingInstruction() &&
            reader.processingInstructionTarget() == QLatin1String("mso-application"))
            *officePi = reader.processingInstructionData().contains(QLatin1String("Excel.Sheet"));
        if (!reader.isStartElement() || reader.namespaceUri() != SpreadsheetNs)
            continue;
        if (reader.name() == QLatin1String("Row")) {
            rows.append(QList<SheetCell>());
            column = 0;
        } else if (reader.name() == QLatin1String("Cell")) {
            const auto index = reader.attributes().value(SpreadsheetNs, QStringLiteral("Index"));
            column = index.isEmpty() ? column + 1 : index.toInt();
            rows.last().append({column, QString(), QString()});
        } else if (reader.name() == QLatin1String("Data")) {
            rows.last().last().type =
                reader.attributes().value(SpreadsheetNs, QStringLiteral("Type")).toString();
            rows.last().last().value = reader.readElementText();
        }
    }
    *error = reader.hasError() ? reader.errorString() : QString();
    return rows;
}

// The texts of an HTML page, page by page, as the XML reader reads them.
inline QList<QStringList> htmlTexts(const QByteArray& html, QString* error, QString* charset) {
    QList<QStringList> pages;
    QXmlStreamReader reader(html);
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement())
            continue;
        const QString cls = reader.attributes().value(QStringLiteral("class")).toString();
        if (reader.name() == QLatin1String("meta"))
            *charset = reader.attributes().value(QStringLiteral("charset")).toString();
        else if (cls == QLatin1String("page"))
            pages.append(QStringList());
        else if (cls.split(QLatin1Char(' ')).contains(QLatin1String("t")))
            pages.last() << reader.readElementText();
    }
    *error = reader.hasError() ? reader.errorString() : QString();
    return pages;
}

inline QStringList storeTexts(const StoredPage& page) {
    QStringList out;
    for (const TextOp* t : PageStore::texts(page))
        out << t->text;
    return out;
}

inline QString pdfText(const QString& path) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return QString();
    QProcess process;
    process.start(tool, {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                         path, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("<pdftotext failed>");
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace exportreaders

#include "reports/export/TextWriter.h"

#include "platform/TextFile.h"
#include "reports/export/ExportFile.h"

#include <algorithm>
#include <cmath>

namespace reports::exporting {

namespace {

int column(qreal x, qreal margin) {
    return std::max(0, int(std::lround((x - margin) / TextWriter::ColumnWidth)));
}

struct Placed {
    int start;
    QString text;
};

QString lineText(const PrintedLine& line, qreal margin) {
    std::vector<Placed> placed;
    for (const TextOp* op : line.texts) {
        switch (op->align) {
        case engine::Align::Left:
            placed.push_back({column(op->rect.left(), margin), op->text});
            break;
        case engine::Align::Right: {
            const QString t = op->text.trimmed();
            placed.push_back({std::max(0, column(op->rect.right(), margin) - int(t.size())), t});
            break;
        }
        case engine::Align::Center: {
            const QString t = op->text.trimmed();
            placed.push_back(
                {std::max(0, column(op->rect.center().x(), margin) - int(t.size()) / 2), t});
            break;
        }
        }
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const Placed& a, const Placed& b) { return a.start < b.start; });
    QString out;
    for (const Placed& p : placed) {
        const int start = out.isEmpty() ? p.start : std::max<int>(p.start, int(out.size()) + 1);
        out += QString(start - out.size(), QLatin1Char(' '));
        out += p.text;
    }
    while (out.endsWith(QLatin1Char(' ')))
        out.chop(1);
    return out;
}

} // namespace

QStringList TextWriter::pageLines(const engine::PageStore& store, const engine::StoredPage& page) {
    QStringList out;
    qreal previousBottom = store.margins.top();
    for (const PrintedLine& line : printedLines(page)) {
        const int blanks = int(std::floor((line.top - previousBottom) / RowHeight));
        for (int i = 0; i < blanks; ++i)
            out << QString();
        out << lineText(line, store.margins.left());
        previousBottom = line.bottom;
    }
    return out;
}

QString TextWriter::text(const engine::PageStore& store) {
    QStringList pages;
    for (const engine::StoredPage& page : store.pages) {
        QString text;
        for (const QString& line : pageLines(store, page))
            text += line + QStringLiteral("\r\n");
        pages << text;
    }
    return pages.join(QLatin1Char('\f'));
}

QByteArray TextWriter::bytes(const engine::PageStore& store) {
    return platform::textfile::encode1252(text(store));
}

bool TextWriter::write(const engine::PageStore& store, const QString& path, QString* error) {
    return saveFile(path, bytes(store), error);
}

} // namespace reports::exporting

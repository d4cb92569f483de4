#include "reports/export/ExportFile.h"

#include "core/Formats.h"

#include <QSaveFile>
#include <algorithm>

namespace reports::exporting {

QString cannotWrite(const QString& path, const QString& reason) {
    return QStringLiteral("No se puede grabar el archivo \"%1\": %2").arg(path, reason);
}

bool saveFile(const QString& path, const std::function<bool(QIODevice&, QString*)>& write,
              QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = cannotWrite(path, file.errorString());
        return false;
    }
    QString reason;
    if (!write(file, &reason)) {
        file.cancelWriting();
        if (error)
            *error = cannotWrite(path, reason);
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = cannotWrite(path, file.errorString());
        return false;
    }
    return true;
}

bool saveFile(const QString& path, const QByteArray& bytes, QString* error) {
    return saveFile(
        path,
        [&bytes](QIODevice& device, QString* reason) {
            if (device.write(bytes) == bytes.size())
                return true;
            *reason = device.errorString();
            return false;
        },
        error);
}

std::vector<PrintedLine> printedLines(const StoredPage& page) {
    std::vector<const TextOp*> texts;
    for (const TextOp* text : PageStore::texts(page)) {
        if (!text->text.trimmed().isEmpty())
            texts.push_back(text);
    }
    std::stable_sort(texts.begin(), texts.end(), [](const TextOp* a, const TextOp* b) {
        if (a->rect.top() != b->rect.top())
            return a->rect.top() < b->rect.top();
        return a->rect.left() < b->rect.left();
    });
    std::vector<PrintedLine> lines;
    qreal firstBottom = 0;
    for (const TextOp* text : texts) {
        const qreal middle = text->rect.center().y();
        if (lines.empty() || middle >= firstBottom) {
            lines.push_back(PrintedLine{text->rect.top(), text->rect.bottom(), {}});
            firstBottom = text->rect.bottom();
        }
        PrintedLine& line = lines.back();
        line.texts.push_back(text);
        line.bottom = std::max(line.bottom, text->rect.bottom());
    }
    for (PrintedLine& line : lines) {
        std::stable_sort(
            line.texts.begin(), line.texts.end(),
            [](const TextOp* a, const TextOp* b) { return anchorOf(*a) < anchorOf(*b); });
    }
    return lines;
}

qreal anchorOf(const TextOp& text) {
    switch (text.align) {
    case engine::Align::Left:
        return text.rect.left();
    case engine::Align::Right:
        return text.rect.right();
    case engine::Align::Center:
        return text.rect.center().x();
    }
    return text.rect.left();
}

std::optional<QString> plainNumber(const QString& text) {
    const core::Formats& formats = core::Formats::current();
    QString s = text.trimmed();
    bool negative = false;
    if (s.startsWith(QLatin1Char('-'))) {
        negative = true;
        s.remove(0, 1);
    }
    const qsizetype decimalAt = s.indexOf(formats.decimalSeparator);
    const QString whole = decimalAt < 0 ? s : s.left(decimalAt);
    const QString fraction = decimalAt < 0 ? QString() : s.mid(decimalAt + 1);
    if (decimalAt >= 0 && fraction.isEmpty())
        return std::nullopt;
    // The whole part: digits in groups of three after the first, or no groups at all.
    const QStringList groups = whole.split(formats.thousandSeparator);
    QString digits;
    for (qsizetype i = 0; i < groups.size(); ++i) {
        const QString& group = groups[i];
        const bool sizeOk = groups.size() == 1 ? !group.isEmpty()
                                               : (i == 0 ? group.size() >= 1 && group.size() <= 3
                                                         : group.size() == 3);
        if (!sizeOk)
            return std::nullopt;
        digits += group;
    }
    auto allDigits = [](const QString& t) {
        return std::all_of(t.begin(), t.end(),
                           [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
    };
    if (!allDigits(digits) || !allDigits(fraction))
        return std::nullopt;
    QString out = negative ? QStringLiteral("-") + digits : digits;
    if (!fraction.isEmpty())
        out += QLatin1Char('.') + fraction;
    return out;
}

} // namespace reports::exporting

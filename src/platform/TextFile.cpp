#include "platform/TextFile.h"

#include <QFile>
#include <QSaveFile>

namespace platform::textfile {

namespace {
// Windows-1252 differs from Latin-1 in 0x80..0x9F only; 0 marks the five unused codes.
constexpr char16_t High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                               0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
} // namespace

QByteArray encode1252(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out.append(char(u));
            continue;
        }
        // The five unused codes read as U+0081, U+008D, ... and go back as they came.
        char byte = u < 0xA0 && High[u - 0x80] == 0 ? char(u) : '?';
        for (int i = 0; i < 32; ++i) {
            if (High[i] != 0 && High[i] == u) {
                byte = char(0x80 + i);
                break;
            }
        }
        out.append(byte);
    }
    return out;
}

QString decode1252(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const unsigned char b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b < 0xA0 && High[b - 0x80] != 0)
            out.append(QChar(High[b - 0x80]));
        else
            out.append(QChar(b));
    }
    return out;
}

namespace {
// A file saved by an editor in Unicode says so in its first bytes; read as
// Windows-1252 it would give a name full of strange signs and NULs.
std::optional<QString> unicodeText(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    const bool little = bytes.startsWith("\xFF\xFE");
    if (!little && !bytes.startsWith("\xFE\xFF"))
        return std::nullopt;
    QString text;
    text.reserve((bytes.size() - 2) / 2);
    for (qsizetype i = 2; i + 1 < bytes.size(); i += 2) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        text.append(QChar(char16_t(little ? (b << 8) | a : (a << 8) | b)));
    }
    return text;
}
} // namespace

std::optional<QStringList> readLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    QStringList lines;
    if (const std::optional<QString> text = unicodeText(bytes)) {
        lines = text->split(QLatin1Char('\n'));
        if (lines.last().isEmpty())
            lines.removeLast();
        for (QString& line : lines) {
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
        }
        return lines;
    }
    if (bytes.isEmpty())
        return lines;
    qsizetype start = 0;
    while (start <= bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0) {
            if (start < bytes.size())
                lines << decode1252(bytes.mid(start));
            break;
        }
        qsizetype len = end - start;
        if (len > 0 && bytes.at(end - 1) == '\r')
            --len;
        lines << decode1252(bytes.mid(start, len));
        start = end + 1;
    }
    return lines;
}

bool writeLines(const QString& path, const QStringList& lines, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    // A short write (a full disk) must not be committed: Qt would rename the
    // cut file into place. The old file then stays whole.
    const QByteArray bytes = encode1252(lines.join(QStringLiteral("\r\n")));
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace platform::textfile

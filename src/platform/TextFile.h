#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace platform {

// The program's text files (the company data file, the settings file, text
// exports) are in Windows-1252 with CR LF line ends, as the suite writes them.
namespace textfile {

QByteArray encode1252(const QString& text); // characters outside the code page become "?"
QString decode1252(const QByteArray& bytes);

// The lines of a file; CR LF and a lone LF both end a line. A file that
// begins with a Unicode byte-order mark (UTF-8, UTF-16) is read in that
// encoding. nullopt when the file cannot be read.
std::optional<QStringList> readLines(const QString& path);

// Writes the lines joined by CR LF, with no line end after the last one,
// atomically (the old file stays whole until the new one is complete).
bool writeLines(const QString& path, const QStringList& lines, QString* error = nullptr);

} // namespace textfile
} // namespace platform

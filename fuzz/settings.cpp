// The settings reader under any file: whatever the bytes, reading gives
// settings within the page's ranges, and the file written for them reads
// back as the same settings.

#include "shell/Settings.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QString folder() {
    static QTemporaryDir dir;
    return dir.path();
}

// The file as the writer lays it out (written plainly: the atomic rename of
// writeSettingsFile is not what is fuzzed, and its sync is slow), read back.
shell::Settings writtenAndRead(const QString& path, const shell::Settings& settings) {
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        f.write(platform::textfile::encode1252(
            shell::settingsLines(settings).join(QStringLiteral("\r\n"))));
    }
    const std::optional<shell::Settings> read = shell::readSettingsFile(path);
    if (!read)
        std::abort();
    return *read;
}

// Whether every character of the texts is one that Windows-1252 reads.
bool representable(const shell::Settings& s) {
    static const QString codePage = [] {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        return platform::textfile::decode1252(all);
    }();
    for (const QString& text : {s.reminderTime, s.soundFile})
        for (QChar c : text)
            if (!codePage.contains(c))
                return false;
    return true;
}

bool within(int value, shell::SettingRange range) {
    return value >= range.min && value <= range.max;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = folder() + QStringLiteral("/FileConfig.txt");
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    const std::optional<shell::Settings> read = shell::readSettingsFile(path);
    if (!read)
        std::abort(); // a file that is there always reads
    if (!within(read->refreshHours, shell::RefreshHoursRange) ||
        !within(read->wait, shell::WaitRange) || !within(read->daysAhead, shell::DaysAheadRange) ||
        (read->waitUnit != 0 && read->waitUnit != 1) ||
        (read->reminderHalf != 0 && read->reminderHalf != 1))
        std::abort();
    shell::checkedReminderTime(read->reminderTime);

    // A file in Unicode (with its byte-order mark) may hold characters that
    // the settings file, in Windows-1252, cannot: those are written as "?",
    // once. Every other text comes back exactly.
    const shell::Settings expected = representable(*read) ? *read : writtenAndRead(path, *read);
    const shell::Settings again = writtenAndRead(path, expected);
    if (!(again == expected)) {
        std::fprintf(stderr, "the settings read back differ from those written\n");
        std::abort();
    }
    return 0;
}

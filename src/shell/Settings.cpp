#include "shell/Settings.h"

#include "platform/Paths.h"
#include "platform/TextFile.h"

#include <QRegularExpression>

namespace shell {

namespace {
bool tick(const QString& line) {
    return line == QLatin1String("1");
}
QString box(bool ticked) {
    return ticked ? QStringLiteral("1") : QStringLiteral("0");
}
int index(const QString& line) {
    const int value = settingsNumber(line, 0);
    return value == 0 || value == 1 ? value : 0;
}
} // namespace

int settingsNumber(const QString& line, int fallback) {
    static const QRegularExpression whole(QStringLiteral("^ *[+-]?[0-9]+$"));
    if (!whole.match(line).hasMatch())
        return fallback;
    bool ok = false;
    const int value = line.trimmed().toInt(&ok);
    return ok ? value : fallback;
}

Settings parseSettings(const QStringList& lines) {
    Settings s;
    s.includeReceivables = tick(lines.value(0));
    s.includePayables = tick(lines.value(1));
    s.noticeOff = tick(lines.value(2));
    s.soundOff = tick(lines.value(3));
    s.refreshHours =
        RefreshHoursRange.clamp(settingsNumber(lines.value(4), Settings::ReaderRefreshHours));
    s.wait = WaitRange.clamp(settingsNumber(lines.value(5), Settings::ReaderWait));
    s.waitUnit = index(lines.value(6));
    s.daysAhead = DaysAheadRange.clamp(settingsNumber(lines.value(7), Settings::ReaderDaysAhead));
    s.reminderTime = lines.value(8);
    s.reminderHalf = index(lines.value(9));
    s.soundFile = lines.value(10);
    s.highlightedHeadings = tick(lines.value(11));
    return s;
}

QStringList settingsLines(const Settings& s) {
    return {box(s.includeReceivables),
            box(s.includePayables),
            box(s.noticeOff),
            box(s.soundOff),
            QString::number(s.refreshHours),
            QString::number(s.wait),
            QString::number(s.waitUnit),
            QString::number(s.daysAhead),
            s.reminderTime,
            QString::number(s.reminderHalf),
            s.soundFile,
            box(s.highlightedHeadings)};
}

QString checkedReminderTime(const QString& text) {
    static const QRegularExpression time(QStringLiteral("^([0-9]{2}):([0-9]{2})$"));
    const QRegularExpressionMatch m = time.match(text);
    if (!m.hasMatch())
        return DefaultReminderTime;
    const int hours = m.captured(1).toInt();
    const int minutes = m.captured(2).toInt();
    if (minutes > 59 || hours * 60 + minutes > 12 * 60 + 59)
        return DefaultReminderTime;
    return text;
}

qint64 waitUnitMs(int unitIndex) {
    return unitIndex == 1 ? 3600000 : 60000;
}

QString settingsPath(const QString& workFolder, const QString& dataFolder) {
    return platform::paths::settingsFile(workFolder, dataFolder);
}

std::optional<Settings> readSettingsFile(const QString& path) {
    const std::optional<QStringList> lines = platform::textfile::readLines(path);
    if (!lines)
        return std::nullopt;
    return parseSettings(*lines);
}

bool writeSettingsFile(const QString& path, const Settings& settings, QString* error) {
    // Written beside the old file and renamed over it once complete, so a
    // failed save leaves the previous settings whole.
    return platform::textfile::writeLines(path, settingsLines(settings), error);
}

QString missingSettingsMessage(const QString& path) {
    return QStringLiteral("El archivo \"") + path +
           QStringLiteral("\" no existe, no se pudo cargar la configuración.");
}

} // namespace shell

#include "shell/Settings.h"

#include <QRegularExpression>

namespace shell {

namespace {
bool tick(const QString& line) {
    return line == QLatin1String("1");
}
QString box(bool ticked) {
    return ticked ? QStringLiteral("1") : QStringLiteral("0");
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
    s.refreshHours = settingsNumber(lines.value(4), Settings::ReaderRefreshHours);
    s.wait = settingsNumber(lines.value(5), Settings::ReaderWait);
    s.waitUnit = settingsNumber(lines.value(6), 0);
    s.daysAhead = settingsNumber(lines.value(7), Settings::ReaderDaysAhead);
    s.reminderTime = lines.value(8);
    s.reminderHalf = settingsNumber(lines.value(9), 0);
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
        return QStringLiteral("12:00");
    const int hours = m.captured(1).toInt();
    const int minutes = m.captured(2).toInt();
    if (minutes > 59 || hours * 60 + minutes > 12 * 60 + 59)
        return QStringLiteral("12:00");
    return text;
}

} // namespace shell

#include "platform/Paths.h"

#include <QDir>
#include <QStandardPaths>

namespace platform::paths {

QChar separator() {
#ifdef Q_OS_WIN
    return QLatin1Char('\\');
#else
    return QLatin1Char('/');
#endif
}

QString asFolder(const QString& stored) {
    QString folder = stored;
#ifndef Q_OS_WIN
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
    if (!folder.endsWith(separator()))
        folder += separator();
    return folder;
}

bool isAbsolute(const QString& folder) {
    if (folder.isEmpty())
        return false;
    return QDir::isAbsolutePath(folder);
}

QString currentFolder() {
    return asFolder(QDir::toNativeSeparators(QDir::currentPath()));
}

QString settingsFile(const QString& workFolder, const QString& dataFolder) {
    const QString name = QStringLiteral("FileConfig") + QStringLiteral(".txt");
    if (isAbsolute(dataFolder) && dataFolder != QString(separator())) // "" stored: work folder
        return dataFolder + name;
    return workFolder + dataFolder + name;
}

QString accessMarker(const QString& computerName) {
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\FileSys") + computerName + QStringLiteral(".tr");
#else
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return asFolder(base) + QStringLiteral("Monvela/.FileSys") + computerName +
           QStringLiteral(".tr");
#endif
}

QString helpFile(const QString& workFolder) {
    return workFolder + QStringLiteral("m3Help") + separator() + QStringLiteral("Monvela.hlp");
}

QString defaultSoundFile(const QString& workFolder) {
    return workFolder + QStringLiteral("Empre001") + separator() + QStringLiteral("ICONOS") +
           separator() + QStringLiteral("notify.wav");
}

} // namespace platform::paths

#include "platform/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>
#include <QStringList>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace platform {

QString SingleInstance::lockFile(const QString& name) {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return QDir(dir).filePath(name + QStringLiteral(".lock"));
}

bool SingleInstance::acquire(const QString& name) {
    // This process already holds it: asking again (a window built anew in the
    // same process) is no other copy.
    static QStringList held;
    if (held.contains(name))
        return true;
    const bool acquired = acquireLock(name);
    if (acquired)
        held << name;
    return acquired;
}

bool SingleInstance::acquireLock(const QString& name) {
#ifdef Q_OS_WIN
    HANDLE mutex = CreateMutexW(nullptr, FALSE, reinterpret_cast<LPCWSTR>(name.utf16()));
    if (!mutex)
        return true;
    // The handle stays open until the process ends; the system releases it then.
    return WaitForSingleObject(mutex, 0) != WAIT_TIMEOUT;
#else
    const QByteArray path = QFile::encodeName(lockFile(name));
    int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return true;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        return true; // the descriptor stays open, and the lock held, for the life of the process
    const bool heldElsewhere = errno == EWOULDBLOCK;
    ::close(fd);
    return !heldElsewhere;
#endif
}

} // namespace platform

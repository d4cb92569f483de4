#include "platform/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QStringList>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace platform {

QString SingleInstance::lockFile(const QString& name) {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    return QDir(dir).filePath(name + QStringLiteral(".lock"));
}

namespace {
QStringList& heldNames() {
    static QStringList held;
    return held;
}
} // namespace

bool SingleInstance::acquire(const QString& name) {
    // This process already holds it: asking again (a window built anew in the
    // same process) is no other copy.
    if (heldNames().contains(name))
        return true;
    const bool acquired = acquireLock(name);
    if (acquired)
        heldNames() << name;
    return acquired;
}

bool SingleInstance::isHeld(const QString& name) {
    return heldNames().contains(name);
}

QString SingleInstance::socketFile(const QString& name) {
    return QDir(QFileInfo(lockFile(name)).absolutePath())
        .filePath(name + QStringLiteral(".socket"));
}

#ifdef Q_OS_WIN
bool SingleInstance::listen(const QString&, std::function<void()>) {
    return false;
}

bool SingleInstance::signalRunning(const QString&) {
    return false;
}
#else
namespace {

bool socketAddress(const QString& path, sockaddr_un& address) {
    const QByteArray file = QFile::encodeName(path);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (file.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, file.constData(), size_t(file.size()));
    return true;
}

} // namespace

bool SingleInstance::listen(const QString& name, std::function<void()> onSignal) {
    // Only the holder of the lock listens, so a socket file left by a copy
    // that died can go.
    if (!isHeld(name))
        return false;
    sockaddr_un address;
    if (!socketAddress(socketFile(name), address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    ::unlink(address.sun_path);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 4) != 0) {
        ::close(fd);
        return false;
    }
    // The socket lives as long as the application object.
    auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QObject::destroyed, [fd] { ::close(fd); });
    QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                     [fd, onSignal = std::move(onSignal)] {
                         bool signalled = false;
                         for (;;) {
                             const int client = ::accept4(fd, nullptr, nullptr, SOCK_CLOEXEC);
                             if (client < 0)
                                 break;
                             ::close(client);
                             signalled = true;
                         }
                         if (signalled && onSignal)
                             onSignal();
                     });
    return true;
}

bool SingleInstance::signalRunning(const QString& name) {
    sockaddr_un address;
    if (!socketAddress(socketFile(name), address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    // A copy with a notification area does not listen: nothing answers.
    const bool reached =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return reached;
}
#endif

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

#pragma once

#include <QString>
#include <functional>

namespace platform {

// Tells whether another copy of the program runs. The lock is a file named after
// the given name in the user's runtime folder, taken with flock and held until
// the process ends; the system releases it when the process dies, so a lock
// left by a crashed copy counts as acquired. (A named mutex on Windows.)
class SingleInstance {
public:
    // False only when another process holds the lock; any other outcome
    // (acquired, or the lock could not even be tried) counts as success.
    static bool acquire(const QString& name);
    // The lock file used for a name.
    static QString lockFile(const QString& name);
    // Whether this process holds the lock.
    static bool isHeld(const QString& name);

    // A copy that holds the lock can be reached by a later start: it listens
    // on a local socket beside the lock and runs `onSignal` (on the event
    // loop) each time a later start calls signalRunning. False when the
    // socket cannot be made (the copy stays unreachable, as without it).
    static bool listen(const QString& name, std::function<void()> onSignal);
    // Called by a start that found the lock taken: true when the running copy
    // listens and was reached.
    static bool signalRunning(const QString& name);
    // The socket file used for a name.
    static QString socketFile(const QString& name);

private:
    static bool acquireLock(const QString& name);
};

} // namespace platform

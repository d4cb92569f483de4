#pragma once

#include <QString>

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

private:
    static bool acquireLock(const QString& name);
};

} // namespace platform

#pragma once

#include <QString>

namespace platform::accessmarker {

bool exists(const QString& path);
// Creates the empty marker (and its folder), hidden where the system has the
// attribute. False, with the reason, when it cannot be written.
bool create(const QString& path, QString* error = nullptr);

} // namespace platform::accessmarker

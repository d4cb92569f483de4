#pragma once

#include <QString>

namespace shell {

// The key number with which the suite encodes the passwords of its users.
inline constexpr unsigned PasswordKey = 27041966;

// The suite's password encoding: the key's decimal digits, repeated until they
// are as long as the password, each added to the 8-bit code of the password's
// character at the same place (wrapping at 256). The result keeps each 8-bit
// code as the character of the same number. At most 255 characters are encoded.
QString EncodePassword(const QString& password, unsigned key = PasswordKey);

} // namespace shell

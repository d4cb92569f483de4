#include "shell/EncodePassword.h"

#include "platform/TextFile.h"

namespace shell {

QString EncodePassword(const QString& password, unsigned key) {
    const QByteArray codes = platform::textfile::encode1252(password.left(255));
    QString digits = QString::number(key);
    while (digits.size() < codes.size())
        digits += digits;
    QString encoded;
    encoded.reserve(codes.size());
    for (qsizetype i = 0; i < codes.size(); ++i) {
        const unsigned code = static_cast<unsigned char>(codes.at(i));
        const unsigned digit = unsigned(digits.at(i).digitValue());
        encoded.append(QChar(char16_t((code + digit) % 256)));
    }
    return encoded;
}

} // namespace shell

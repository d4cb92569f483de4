#pragma once

// Reading a fuzzer's bytes as the choices and texts of one run.

#include "core/Formats.h"

#include <QString>
#include <cstddef>
#include <cstdint>

namespace fuzz {

class Input {
public:
    Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool empty() const { return m_pos >= m_size; }
    uint8_t byte() { return empty() ? 0 : m_data[m_pos++]; }
    int upTo(int n) { return n <= 0 ? 0 : byte() % (n + 1); }

    // A character: mostly the ones the rules care about, sometimes any.
    QChar character() {
        static const char16_t Likely[] = {u'0', u'1', u'5',   u'9',   u',',   u'.',  u'/',
                                          u'-', u'+', u'%',   u' ',   u'e',   u'\b', u'\t',
                                          u':', u'a', 0x00A0, 0x00E9, 0xFFFF, 0xD800};
        const uint8_t b = byte();
        if (b < 200)
            return QChar(Likely[b % (sizeof(Likely) / sizeof(Likely[0]))]);
        return QChar(char16_t((b << 8) | byte()));
    }

    // A text of up to `max` characters.
    QString text(int max) {
        QString out;
        const int n = upTo(max);
        for (int i = 0; i < n && !empty(); ++i)
            out += character();
        return out;
    }

    // The rest of the bytes as UTF-8.
    QString rest() {
        const auto* p = reinterpret_cast<const char*>(m_data + m_pos);
        const qsizetype n = qsizetype(m_size - m_pos);
        m_pos = m_size;
        return QString::fromUtf8(p, n);
    }

    // Separators as a user's system may set them: a comma or a dot for the
    // decimals, the other (or a blank) for the thousands, a slash, dash or dot in dates.
    core::Formats formats() {
        core::Formats f;
        const uint8_t b = byte();
        f.decimalSeparator = (b & 1) ? QLatin1Char(',') : QLatin1Char('.');
        const char thousands[] = {'.', ',', ' ', '\''};
        f.thousandSeparator = QLatin1Char(thousands[(b >> 1) & 3]);
        if (f.thousandSeparator == f.decimalSeparator)
            f.thousandSeparator = QLatin1Char(' ');
        const char dates[] = {'/', '-', '.', '/'};
        f.dateSeparator = QLatin1Char(dates[(b >> 3) & 3]);
        return f;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

} // namespace fuzz

#pragma once

#include <QtGlobal>
#include <compare>

namespace core {

// A money amount: a signed 64-bit count of ten-thousandths, so sums are exact.
class Currency {
public:
    static constexpr qint64 Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(qint64 raw) {
        Currency c;
        c.m_raw = raw;
        return c;
    }
    // Rounds to the nearest ten-thousandth, halves away from zero.
    static Currency fromDouble(double value);

    constexpr qint64 raw() const { return m_raw; }
    double toDouble() const { return double(m_raw) / double(Scale); }
    constexpr bool isZero() const { return m_raw == 0; }

    constexpr Currency operator+(Currency o) const { return fromRaw(m_raw + o.m_raw); }
    constexpr Currency operator-(Currency o) const { return fromRaw(m_raw - o.m_raw); }
    constexpr Currency operator-() const { return fromRaw(-m_raw); }
    constexpr Currency& operator+=(Currency o) {
        m_raw += o.m_raw;
        return *this;
    }
    constexpr Currency& operator-=(Currency o) {
        m_raw -= o.m_raw;
        return *this;
    }
    constexpr auto operator<=>(const Currency&) const = default;

private:
    qint64 m_raw = 0;
};

} // namespace core

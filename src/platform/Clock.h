#pragma once

#include "core/DateTime.h"

namespace platform {

// Today and now, as the whole program reads them. Tests set a fixed clock.
class Clock {
public:
    virtual ~Clock() = default;
    virtual core::TDateTime now() const = 0;
    core::TDateTime today() const { return core::dt::datePart(now()); }
    core::TDateTime timeOfDay() const { return core::dt::timePart(now()); }

    static Clock& instance();
    static void install(Clock* clock); // nullptr restores the system clock
};

// A clock that shows what it is told: tests' way of moving time.
class FixedClock : public Clock {
public:
    explicit FixedClock(core::TDateTime value = 0) : m_now(value) {}
    core::TDateTime now() const override { return m_now; }
    void set(core::TDateTime value) { m_now = value; }
    void advanceMinutes(double minutes) { m_now += minutes / 1440.0; }

private:
    core::TDateTime m_now;
};

} // namespace platform

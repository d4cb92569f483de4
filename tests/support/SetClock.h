#pragma once

#include "platform/Clock.h"

// Installs a fixed clock for its lifetime: tests move time themselves.
class SetClock : public platform::FixedClock {
public:
    explicit SetClock(core::TDateTime value) : FixedClock(value) { install(this); }
    SetClock(int year, int month, int day, int hour = 0, int minute = 0)
        : FixedClock(core::dt::encodeDate(year, month, day) + core::dt::encodeTime(hour, minute)) {
        install(this);
    }
    ~SetClock() override { install(nullptr); }
};

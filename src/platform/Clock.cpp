#include "platform/Clock.h"

namespace platform {

namespace {

class SystemClock : public Clock {
public:
    core::TDateTime now() const override {
        return core::dt::fromDateTime(QDateTime::currentDateTime());
    }
};

Clock*& installed() {
    static Clock* clock = nullptr;
    return clock;
}

} // namespace

Clock& Clock::instance() {
    static SystemClock system;
    Clock* clock = installed();
    return clock ? *clock : system;
}

void Clock::install(Clock* clock) {
    installed() = clock;
}

} // namespace platform

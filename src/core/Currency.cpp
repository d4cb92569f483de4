#include "core/Currency.h"

#include <cmath>

namespace core {

Currency Currency::fromDouble(double value) {
    if (!std::isfinite(value))
        return {};
    return fromRaw(qint64(std::llround(value * double(Scale))));
}

} // namespace core

#include "accounts/TCuentas.h"

namespace accounts {

TCuentas::~TCuentas() = default;

} // namespace accounts

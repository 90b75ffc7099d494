#include "platform/Clock.h"

#include <ctime>

namespace olv {

std::int64_t SystemClock::nowSeconds() const { return static_cast<std::int64_t>(std::time(nullptr)); }

} // namespace olv

#include "client/exam/Countdown.h"

#include <algorithm>

namespace olv {

std::string remainingTimeText(long long remainingSeconds)
{
    const long long remaining = std::max(remainingSeconds, 0LL);
    std::string text = std::to_string(remaining / 60);
    if (remaining < 600)
        text += ":" + std::to_string(remaining % 60);
    return text;
}

} // namespace olv

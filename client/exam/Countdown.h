#pragma once

#include <string>

namespace olv {

// The text after "剩余时间:": whole minutes ("10"), and below ten minutes minutes and seconds
// without leading zeros ("9:59", "1:5", "0:0"). Time already over reads "0:0".
std::string remainingTimeText(long long remainingSeconds);

} // namespace olv

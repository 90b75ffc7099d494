#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace olv {

// Free space of the drive holding `root` in kilobytes, in 64-bit arithmetic.
// Nothing when the query fails.
std::optional<std::int64_t> freeKilobytes(const std::filesystem::path& root);

} // namespace olv

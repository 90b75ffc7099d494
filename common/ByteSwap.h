#pragma once

#include <filesystem>
#include <span>

namespace olv {

// The storage transform of bank files and score lines: byte 0 is exchanged with byte 1,
// byte 2 with byte 3, and so on; an odd last byte stays. It is its own inverse.
void swapBytePairs(std::span<char> bytes);

enum class SwapFileResult
{
    Done,
    CannotOpenSource,
    CannotCreateDestination,
    CannotWriteDestination,
};

// Writes `destination` (created or replaced whole) as the transform of `source`. The source is
// opened exclusively, like every read of a bank file.
SwapFileResult swapBytePairs(const std::filesystem::path& source, const std::filesystem::path& destination);

} // namespace olv

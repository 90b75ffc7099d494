#include "common/ByteSwap.h"

#include "platform/File.h"
#include "platform/ReplacingWrite.h"

#include <cstdint>
#include <cstring>
#include <utility>

namespace olv {

namespace {

// Exchanges the bytes of every pair within a word: the masks are the same for either byte order.
std::uint64_t swapPairsInWord(std::uint64_t word)
{
    constexpr std::uint64_t evenBytes = 0x00FF00FF00FF00FFull;
    return ((word & evenBytes) << 8) | ((word >> 8) & evenBytes);
}

} // namespace

void swapBytePairs(std::span<char> bytes)
{
    std::size_t i = 0;
    for (; i + sizeof(std::uint64_t) <= bytes.size(); i += sizeof(std::uint64_t)) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, sizeof word);
        word = swapPairsInWord(word);
        std::memcpy(bytes.data() + i, &word, sizeof word);
    }
    for (; i + 1 < bytes.size(); i += 2)
        std::swap(bytes[i], bytes[i + 1]);
}

SwapFileResult swapBytePairs(const std::filesystem::path& source, const std::filesystem::path& destination)
{
    std::optional<std::string> bytes;
    if (auto in = File::open(source, OpenMode::ReadOnly, Sharing::Exclusive))
        bytes = in->readAll();
    if (!bytes)
        return SwapFileResult::CannotOpenSource;
    swapBytePairs(*bytes);
    switch (replaceFileContent(destination, [&](File& out) { return out.write(*bytes); })) {
    case ReplacingWriteResult::Written:
        return SwapFileResult::Done;
    case ReplacingWriteResult::CannotCreateTemporary:
        return SwapFileResult::CannotCreateDestination;
    case ReplacingWriteResult::TargetBusy:
    case ReplacingWriteResult::TargetNotWritable:
    case ReplacingWriteResult::CannotWriteTemporary:
    case ReplacingWriteResult::ReplaceFailed:
        break;
    }
    return SwapFileResult::CannotWriteDestination;
}

} // namespace olv

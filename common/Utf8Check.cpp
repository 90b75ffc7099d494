#include "common/Utf8Check.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace olv {

namespace {

// The length of the UTF-8 sequence at `at`, 0 when it is not one.
std::size_t utf8Length(std::string_view text, std::size_t at)
{
    const auto byte = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    if (byte < 0x80)
        return 1;
    if (byte >= 0xC2 && byte <= 0xDF)
        length = 2;
    else if (byte >= 0xE0 && byte <= 0xEF)
        length = 3;
    else if (byte >= 0xF0 && byte <= 0xF4)
        length = 4;
    else
        return 0;
    if (at + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80)
            return 0;
    return length;
}

// The length of the run of ASCII bytes at the start, sixteen bytes a step, then eight.
std::size_t asciiPrefix(std::string_view text)
{
    std::size_t at = 0;
    for (; at + 16 <= text.size(); at += 16) {
        std::uint64_t words[2];
        std::memcpy(words, text.data() + at, sizeof words);
        if (((words[0] | words[1]) & 0x8080808080808080u) != 0)
            break;
    }
    for (; at + 8 <= text.size(); at += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + at, sizeof word);
        if ((word & 0x8080808080808080u) != 0)
            break;
    }
    while (at < text.size() && static_cast<unsigned char>(text[at]) < 0x80)
        ++at;
    return at;
}

} // namespace

bool isAscii(std::string_view text) { return asciiPrefix(text) == text.size(); }

std::size_t firstBadUtf8(std::string_view text)
{
    // One pass, eight bytes a step: a word of ASCII is passed whole, else the reading goes
    // straight to its first other byte and takes that character.
    std::size_t at = 0;
    while (at < text.size()) {
        if (at + 8 <= text.size()) {
            std::uint64_t word;
            std::memcpy(&word, text.data() + at, sizeof word);
            const std::uint64_t high = word & 0x8080808080808080u;
            if (high == 0) {
                at += 8;
                continue;
            }
            if constexpr (std::endian::native == std::endian::little)
                at += static_cast<std::size_t>(std::countr_zero(high) / 8);
        }
        const std::size_t length = utf8Length(text, at);
        if (length == 0)
            return at;
        at += length;
    }
    return std::string_view::npos;
}

} // namespace olv

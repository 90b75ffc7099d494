#pragma once

#include "common/ByteSwap.h"
#include "support/TestFiles.h"

#include <string>
#include <string_view>

namespace olv::test {

// A text written with "\n" as the file holds it: GBK, every line ended by CR LF.
inline std::string crlfText(std::string_view utf8)
{
    std::string text;
    for (char c : gbk(utf8)) {
        if (c == '\n')
            text += '\r';
        text += c;
    }
    return text;
}

// The bytes of a bank file whose text is `utf8` (lines ended by "\n").
inline std::string bankBytes(std::string_view utf8)
{
    std::string bytes = crlfText(utf8);
    swapBytePairs(bytes);
    return bytes;
}

} // namespace olv::test

#pragma once

#include <string>
#include <string_view>

namespace olv {

// GBK (code page 936) <-> UTF-8. A character the target cannot hold, or a byte
// sequence that is not valid in the source, becomes "?".
std::string gbkToUtf8(std::string_view gbk);
std::string utf8ToGbk(std::string_view utf8);

// True for the first byte of a GBK double-byte character.
inline bool isGbkLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

} // namespace olv

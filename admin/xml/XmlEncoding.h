#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace olv {

// Turns the bytes of an XML file into UTF-8 in place, by their byte order mark, their first
// bytes (UTF-16 without a mark) or their declaration's encoding (ISO-8859-1 and the like).
// Nothing when that went well; else why the bytes are not XML text.
std::optional<std::string> convertXmlToUtf8(std::string& bytes);

// Whether bytes that begin with `start` are UTF-8 as they stand: no UTF-16 mark or signature,
// no other encoding declared. False too when `start` ends inside the declaration.
bool plainlyUtf8(std::string_view start);

// Why bytes that should be UTF-8 cannot be read.
inline constexpr std::string_view notUtf8Text = "文字不是 UTF-8 编码";

} // namespace olv

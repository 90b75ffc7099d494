#pragma once

#include <optional>
#include <string>

namespace olv {

// Turns the bytes of an XML file into UTF-8 in place, by their byte order mark, their first
// bytes (UTF-16 without a mark) or their declaration's encoding (ISO-8859-1 and the like).
// Nothing when that went well; else why the bytes are not XML text.
std::optional<std::string> convertXmlToUtf8(std::string& bytes);

} // namespace olv

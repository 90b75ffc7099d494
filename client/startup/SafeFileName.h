#pragma once

#include <string>
#include <string_view>

namespace olv {

// A GBK text that will stand as one file name inside a folder: "/", "\", NUL and the
// characters Windows forbids in names (<>:"|?*) become "_", and so does every dot of a
// name that is "." or "..", so the name can never reach outside its folder. Double-byte
// characters stay whole, even when their second byte looks like one of those characters.
std::string safeFileName(std::string_view gbkName);

} // namespace olv

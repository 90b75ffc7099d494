#include "client/startup/SafeFileName.h"

#include "platform/Gbk.h"

namespace olv {

namespace {

bool isGbkTrailByte(unsigned char byte) { return byte >= 0x40 && byte <= 0xFE && byte != 0x7F; }

bool isForbidden(char c)
{
    constexpr std::string_view forbidden("/\\<>:\"|?*\0", 10);
    return forbidden.find(c) != std::string_view::npos;
}

} // namespace

std::string safeFileName(std::string_view gbkName)
{
    if (gbkName == "." || gbkName == "..")
        return std::string(gbkName.size(), '_');
    std::string safe;
    safe.reserve(gbkName.size());
    for (std::size_t i = 0; i < gbkName.size(); ++i) {
        const auto byte = static_cast<unsigned char>(gbkName[i]);
        if (isGbkLeadByte(byte) && i + 1 < gbkName.size()
            && isGbkTrailByte(static_cast<unsigned char>(gbkName[i + 1]))) {
            safe.append(gbkName.substr(i, 2));
            ++i;
        } else {
            safe.push_back(isForbidden(gbkName[i]) ? '_' : gbkName[i]);
        }
    }
    return safe;
}

} // namespace olv

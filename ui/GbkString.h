#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace olv {

// GBK data <-> what the screen shows. Characters GBK cannot hold become "?".
QString fromGbk(std::string_view gbk);
std::string toGbk(const QString& text);
QString fromUtf8(std::string_view utf8);

} // namespace olv

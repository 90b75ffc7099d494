#include "ui/GbkString.h"

#include "platform/Gbk.h"

namespace olv {

QString fromGbk(std::string_view gbk) { return fromUtf8(gbkToUtf8(gbk)); }

std::string toGbk(const QString& text) { return utf8ToGbk(text.toStdString()); }

QString fromUtf8(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

} // namespace olv

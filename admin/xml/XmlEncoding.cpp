#include "admin/xml/XmlEncoding.h"

#include "common/Utf8Check.h"

#include <QByteArray>
#include <QStringDecoder>
#include <algorithm>
#include <string_view>

namespace olv {

namespace {

// The encoding the declaration at the start names, lower case; empty when it names none.
std::string declaredEncoding(std::string_view text)
{
    if (!text.starts_with("<?xml"))
        return {};
    const std::string_view declaration = text.substr(0, text.find("?>"));
    const auto key = declaration.find("encoding");
    if (key == std::string_view::npos)
        return {};
    const auto open = declaration.find_first_of("\"'", key);
    if (open == std::string_view::npos)
        return {};
    const auto close = declaration.find(declaration[open], open + 1);
    if (close == std::string_view::npos)
        return {};
    std::string name(declaration.substr(open + 1, close - open - 1));
    std::ranges::transform(
        name, name.begin(), [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
    return name;
}

std::optional<std::string> decodeWith(std::string& bytes, QStringDecoder decoder, const std::string& name)
{
    if (!decoder.isValid())
        return "不支持的编码 " + name;
    const QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (decoder.hasError())
        return "文字不是 " + name + " 编码";
    const QByteArray utf8 = text.toUtf8();
    bytes.assign(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    return std::nullopt;
}

bool utf8Name(const std::string& encoding) { return encoding.empty() || encoding == "utf-8" || encoding == "utf8"; }

// The UTF-16 byte order of bytes that begin with `start`, by their mark or their first '<'.
std::optional<QStringDecoder::Encoding> utf16Order(std::string_view start)
{
    start = start.substr(0, 2);
    if (start == "\xFF\xFE" || (start.size() == 2 && start[0] == '<' && start[1] == '\0'))
        return QStringDecoder::Utf16LE;
    if (start == "\xFE\xFF" || (start.size() == 2 && start[0] == '\0' && start[1] == '<'))
        return QStringDecoder::Utf16BE;
    return std::nullopt;
}

} // namespace

std::optional<std::string> convertXmlToUtf8(std::string& bytes)
{
    if (const auto order = utf16Order(bytes))
        return decodeWith(bytes, QStringDecoder(*order), "UTF-16");
    const std::string encoding = declaredEncoding(bytes);
    if (!utf8Name(encoding))
        return decodeWith(bytes, QStringDecoder(encoding.c_str()), encoding);
    if (firstBadUtf8(bytes) != std::string::npos)
        return std::string(notUtf8Text);
    return std::nullopt;
}

bool plainlyUtf8(std::string_view start)
{
    if (utf16Order(start))
        return false;
    if (start.starts_with("<?xml") && start.find("?>") == std::string_view::npos)
        return false;
    return utf8Name(declaredEncoding(start));
}

} // namespace olv

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

} // namespace

std::optional<std::string> convertXmlToUtf8(std::string& bytes)
{
    const std::string_view start(bytes.data(), std::min<std::size_t>(bytes.size(), 2));
    if (start == "\xFF\xFE" || (start.size() == 2 && start[0] == '<' && start[1] == '\0'))
        return decodeWith(bytes, QStringDecoder(QStringDecoder::Utf16LE), "UTF-16");
    if (start == "\xFE\xFF" || (start.size() == 2 && start[0] == '\0' && start[1] == '<'))
        return decodeWith(bytes, QStringDecoder(QStringDecoder::Utf16BE), "UTF-16");
    const std::string encoding = declaredEncoding(bytes);
    if (!encoding.empty() && encoding != "utf-8" && encoding != "utf8") {
        const std::string name = encoding;
        return decodeWith(bytes, QStringDecoder(name.c_str()), name);
    }
    if (firstBadUtf8(bytes) != std::string::npos)
        return "文字不是 UTF-8 编码";
    return std::nullopt;
}

} // namespace olv

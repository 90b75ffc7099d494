#include "admin/xml/XmlReader.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace olv {

namespace {

// The UTF-8 bytes of a code point.
void appendUtf8(std::string& out, unsigned long code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The characters XML allows in a document.
bool allowedCharacter(unsigned long code)
{
    return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF)
        || (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

// Byte classes, looked up rather than asked of the C library for every byte.
enum ByteClass : unsigned char
{
    NameByte = 1, // ASCII letters and digits, _ - . : and every byte of a multi-byte character
    BlankByte = 2, // XML's blanks
    TextStop = 4, // ends a run of plain text: < & CR, and the control characters XML forbids
    ValueStop = 8, // ends a run of a plain attribute value: the same, the quotes, tab and LF
};

constexpr std::array<unsigned char, 256> byteClasses()
{
    std::array<unsigned char, 256> table {};
    for (int c = 0; c < 256; ++c) {
        unsigned char bits = 0;
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-'
            || c == '.' || c == ':' || c >= 0x80)
            bits |= NameByte;
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r')
            bits |= BlankByte;
        const bool forbidden = c < 0x20 && c != '\t' && c != '\n' && c != '\r';
        if (c == '<' || c == '&' || c == '\r' || forbidden)
            bits |= TextStop;
        if (c == '<' || c == '&' || c == '\r' || c == '\n' || c == '\t' || c == '"' || c == '\'' || forbidden)
            bits |= ValueStop;
        table[static_cast<std::size_t>(c)] = bits;
    }
    return table;
}
constexpr std::array<unsigned char, 256> classes = byteClasses();

bool is(char c, ByteClass byteClass) { return classes[static_cast<unsigned char>(c)] & byteClass; }

// Text or an attribute value with its entities decoded and its line ends made LF (a value's
// blanks become spaces, as XML reads them); false at an unknown entity.
bool decodedInto(std::string_view raw, std::string& out, bool attribute)
{
    out.clear();
    for (std::size_t at = 0; at < raw.size(); ++at) {
        const char c = raw[at];
        if (c == '\r') {
            if (at + 1 >= raw.size() || raw[at + 1] != '\n')
                out += attribute ? ' ' : '\n';
        } else if (attribute && (c == '\n' || c == '\t')) {
            out += ' ';
        } else if (c != '&') {
            out += c;
        } else {
            const auto end = raw.find(';', at);
            if (end == std::string_view::npos || !decodeXmlEntity(raw.substr(at + 1, end - at - 1), out, false))
                return false;
            at = end;
        }
    }
    return true;
}

} // namespace

bool decodeXmlEntity(std::string_view name, std::string& out, bool html)
{
    constexpr std::pair<std::string_view, char> named[]
        = { { "amp", '&' }, { "lt", '<' }, { "gt", '>' }, { "quot", '"' }, { "apos", '\'' } };
    for (const auto& [entity, character] : named)
        if (name == entity) {
            out += character;
            return true;
        }
    if (html && name == "nbsp") {
        out += ' ';
        return true;
    }
    if (name.size() < 2 || name[0] != '#')
        return false;
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const std::string digits(name.substr(hex ? 2 : 1));
    if (digits.empty() || digits.size() > 8
        || digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") != std::string::npos)
        return false;
    const unsigned long code = std::strtoul(digits.c_str(), nullptr, hex ? 16 : 10);
    if (!allowedCharacter(code))
        return false;
    appendUtf8(out, code);
    return true;
}

XmlReader::XmlReader(std::string_view text)
    : m_text(text)
{ }

XmlReader::XmlReader(std::function<XmlArrived(std::size_t)> more)
    : m_more(std::move(more))
    , m_complete(false)
{ }

std::string_view XmlReader::attribute(std::string_view name) const
{
    for (const Attribute& attribute : m_attributes)
        if (sameXmlName(attribute.key, name))
            return attributeValue(attribute);
    return {};
}

std::string_view XmlReader::attributeByLocalName(std::string_view name) const
{
    for (const Attribute& attribute : m_attributes) {
        const auto colon = attribute.key.rfind(':');
        if (sameXmlName(colon == std::string_view::npos ? attribute.key : attribute.key.substr(colon + 1), name))
            return attributeValue(attribute);
    }
    return {};
}

std::string XmlReader::errorText() const { return "第" + std::to_string(m_errorLine) + "行: XML格式错误, " + m_error; }

XmlReader::Event XmlReader::next()
{
    for (;;) {
        const Event event = read();
        if (!m_awaitingMore)
            return event;
        m_awaitingMore = false;
        takeMore();
    }
}

void XmlReader::takeMore()
{
    const std::size_t have = m_text.size();
    // Asking for as much again as the cut token already holds keeps a long token from being
    // read again for every piece.
    XmlArrived arrived = m_more(have + std::max<std::size_t>(1, have - m_tokenStart));
    m_text = arrived.text;
    m_complete = arrived.complete && arrived.failure.empty();
    // A failure counts once all text before it is read: when nothing more arrived.
    if (!arrived.failure.empty() && arrived.text.size() <= have) {
        m_complete = true;
        m_at = m_tokenStart;
        fail(std::move(arrived.failure));
    }
}

XmlReader::Event XmlReader::read()
{
    if (!m_error.empty())
        return Event::Error;
    if (m_pendingEnd) {
        m_pendingEnd = false;
        return Event::End;
    }
    if (m_at == 0 && m_text.starts_with("\xEF\xBB\xBF"))
        m_at = 3;
    while (m_at < m_text.size()) {
        m_tokenStart = m_at;
        if (m_text[m_at] == '<') {
            const Event event = markup();
            if (event != Event::Done)
                return event;
            continue;
        }
        const std::size_t start = m_at;
        const Event event = text();
        if (event != Event::Text || !m_open.empty())
            return event;
        // Outside the root element only blanks may stand.
        if (!std::all_of(m_text.begin() + static_cast<std::ptrdiff_t>(start),
                m_text.begin() + static_cast<std::ptrdiff_t>(m_at), [](char c) { return is(c, BlankByte); })) {
            m_at = start;
            return fail("根元素之外有文字");
        }
    }
    if (!m_complete) {
        m_tokenStart = m_at;
        return awaitMore();
    }
    if (!m_open.empty())
        return fail("元素<" + std::string(m_open.back()) + ">没有结束");
    if (!m_rootSeen)
        return fail("没有根元素（文件是空的或不是XML）");
    return Event::Done;
}

bool XmlReader::skipPast(std::string_view end)
{
    const auto found = m_text.find(end, m_at);
    if (found == std::string_view::npos)
        return false;
    m_at = found + end.size();
    return true;
}

XmlReader::Event XmlReader::fail(std::string what)
{
    // Until the text is complete, a failure may only be the end of what has arrived.
    if (!m_complete)
        return awaitMore();
    m_errorLine = static_cast<std::size_t>(std::count(m_text.begin(),
                      m_text.begin() + static_cast<std::ptrdiff_t>(std::min(m_at, m_text.size())), '\n'))
        + 1;
    m_error = std::move(what);
    m_at = m_text.size();
    m_open.clear();
    m_rootSeen = true;
    return Event::Error;
}

// What starts with '<': a tag, a CDATA section (a Text), or Done for what has nothing to report
// (a comment, a processing instruction, a declaration).
// (Kept apart from next() for reading; inlined there, as it runs for every tag.)
[[gnu::always_inline]] inline XmlReader::Event XmlReader::markup()
{
    const char second = m_at + 1 < m_text.size() ? m_text[m_at + 1] : '\0';
    if (second == '/')
        return endTag();
    if (second == '?') {
        if (!skipPast("?>"))
            return fail("处理指令没有结束");
        return Event::Done;
    }
    if (second != '!')
        return startTag();
    if (starts("<!--")) {
        if (!skipPast("-->"))
            return fail("注释没有结束");
        return Event::Done;
    }
    if (starts("<![CDATA[")) {
        if (m_open.empty())
            return fail("根元素之外有文字");
        const auto end = m_text.find("]]>", m_at + 9);
        if (end == std::string_view::npos)
            return fail("CDATA没有结束");
        m_value = m_text.substr(m_at + 9, end - m_at - 9);
        m_at = end + 3;
        if (m_value.find('\r') != std::string_view::npos) {
            // No entities in CDATA: only its line ends are mended.
            m_decoded.clear();
            for (std::size_t i = 0; i < m_value.size(); ++i)
                if (m_value[i] != '\r')
                    m_decoded += m_value[i];
                else if (i + 1 >= m_value.size() || m_value[i + 1] != '\n')
                    m_decoded += '\n';
            m_value = m_decoded;
        }
        return m_value.empty() ? Event::Done : Event::Text;
    }
    if (!starts("<!DOCTYPE") || m_rootSeen)
        return fail("不认识的声明");
    // Declarations in brackets may hold '>' of their own.
    const auto bracket = m_text.find_first_of("[>", m_at);
    if (bracket != std::string_view::npos && m_text[bracket] == '[') {
        m_at = bracket;
        if (!skipPast("]"))
            return fail("声明没有结束");
    }
    if (!skipPast(">"))
        return fail("声明没有结束");
    return Event::Done;
}

XmlReader::Event XmlReader::text()
{
    const char* const data = m_text.data();
    const std::size_t size = m_text.size();
    std::size_t end = m_at;
    bool plain = true;
    for (;;) {
        while (end < size && !is(data[end], TextStop))
            ++end;
        if (end >= size || data[end] == '<')
            break;
        if (data[end] != '&' && data[end] != '\r') {
            m_at = end;
            return fail("含有XML不允许的控制字符");
        }
        plain = false;
        ++end;
    }
    if (end >= size && !m_complete)
        return awaitMore();
    const std::string_view raw = m_text.substr(m_at, end - m_at);
    if (plain) {
        m_value = raw;
    } else {
        if (!decodedInto(raw, m_decoded, false))
            return fail("不认识的实体");
        m_value = m_decoded;
    }
    m_at = end;
    return Event::Text;
}

namespace {

// Scanning works on pointers in locals: through the reader's members, every byte read could
// alias the position, and the compiler would store it back at every step.
const char* skipName(const char* at, const char* end)
{
    while (at < end && is(*at, NameByte))
        ++at;
    return at;
}

const char* skipBlanks(const char* at, const char* end)
{
    while (at < end && is(*at, BlankByte))
        ++at;
    return at;
}

} // namespace

XmlReader::Event XmlReader::endTag()
{
    const char* const end = m_text.data() + m_text.size();
    const char* at = m_text.data() + m_at + 2;
    const char* const nameEnd = skipName(at, end);
    const std::string_view name(at, static_cast<std::size_t>(nameEnd - at));
    setName(name);
    at = skipBlanks(nameEnd, end);
    m_at = static_cast<std::size_t>(at - m_text.data());
    if (at >= end || *at != '>')
        return fail("结束标记</" + std::string(name) + ">不完整");
    ++m_at;
    if (m_open.empty() || !sameXmlName(m_open.back(), name))
        return fail("结束标记</" + std::string(name) + ">不配对");
    m_open.pop_back();
    return Event::End;
}

XmlReader::Event XmlReader::startTag()
{
    const char* const begin = m_text.data();
    const char* const end = begin + m_text.size();
    const char* at = begin + m_at + 1;
    // (The position goes in by value: a lambda holding `at` by reference would keep it in memory.)
    const auto stop = [this, begin](const char* where, std::string what) {
        m_at = static_cast<std::size_t>(where - begin);
        return fail(std::move(what));
    };
    if (m_open.empty() && m_rootSeen)
        return stop(at, "根元素之后还有元素");
    const char* nameEnd = skipName(at, end);
    // The name is kept in a local too: read back from the member just stored, it would stall.
    const std::string_view name(at, static_cast<std::size_t>(nameEnd - at));
    setName(name);
    at = nameEnd;
    if (name.empty() || (name[0] >= '0' && name[0] <= '9') || name[0] == '-' || name[0] == '.')
        return stop(at, "标记没有名字");
    m_attributes.clear();
    m_decodedAttributes.clear();
    for (;;) {
        const char* const afterValue = at;
        at = skipBlanks(at, end);
        if (at >= end)
            return stop(at, "标记<" + std::string(name) + ">没有结束");
        if (*at == '>') {
            m_at = static_cast<std::size_t>(at + 1 - begin);
            m_open.push_back(name);
            m_rootSeen = true;
            return Event::Start;
        }
        if (*at == '/' && at + 1 < end && at[1] == '>') {
            m_at = static_cast<std::size_t>(at + 2 - begin);
            m_pendingEnd = true;
            m_rootSeen = true;
            return Event::Start;
        }
        const char* const keyEnd = skipName(at, end);
        const std::string_view key(at, static_cast<std::size_t>(keyEnd - at));
        // An attribute must stand apart from the name or value before it.
        if (key.empty() || at == afterValue)
            return stop(at, "标记<" + std::string(name) + ">的属性不完整");
        at = skipBlanks(keyEnd, end);
        if (at >= end || *at != '=')
            return stop(at, "标记<" + std::string(name) + ">的属性不完整");
        at = skipBlanks(at + 1, end);
        if (at >= end || (*at != '"' && *at != '\''))
            return stop(at, "属性" + std::string(key) + "的值没有引号");
        const char quote = *at++;
        const char* const valueStart = at;
        bool plain = true;
        for (;;) {
            while (at < end && !is(*at, ValueStop))
                ++at;
            if (at >= end)
                return stop(at, "属性" + std::string(key) + "的值没有结束");
            const char c = *at;
            if (c == quote)
                break;
            if (c == '<' || (c != '&' && c != '\r' && c != '\n' && c != '\t' && c != '"' && c != '\''))
                return stop(at, "属性" + std::string(key) + "的值中有不允许的字符");
            plain = plain && (c == '"' || c == '\'');
            ++at;
        }
        for (const Attribute& other : m_attributes)
            if (sameXmlName(other.key, key))
                return stop(at, "属性" + std::string(key) + "重复");
        const std::string_view value(valueStart, static_cast<std::size_t>(at - valueStart));
        ++at;
        if (plain) {
            m_attributes.push_back({ key, value, noDecoded });
            continue;
        }
        std::string decoded;
        if (!decodedInto(value, decoded, true))
            return stop(at, "不认识的实体");
        m_attributes.push_back({ key, {}, m_decodedAttributes.size() });
        m_decodedAttributes.push_back(std::move(decoded));
    }
}

} // namespace olv

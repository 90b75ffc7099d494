#include "admin/bank/import/ImportReaders.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <map>

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
    } else if (code < 0x110000) {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Decodes the entity `name` (without & and ;); false when it is not known. HTML adds &nbsp;.
bool decodeEntity(std::string_view name, std::string& out, bool html)
{
    static const std::map<std::string_view, std::string_view> named
        = { { "amp", "&" }, { "lt", "<" }, { "gt", ">" }, { "quot", "\"" }, { "apos", "'" } };
    if (const auto found = named.find(name); found != named.end()) {
        out += found->second;
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
    if (digits.empty() || digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") != std::string::npos)
        return false;
    appendUtf8(out, std::strtoul(digits.c_str(), nullptr, hex ? 16 : 10));
    return true;
}

// The bytes of an XML name (ASCII letters and digits, _ - . : and every byte of a multi-byte
// character) and XML's blanks, looked up rather than asked of the C library for every byte.
constexpr std::array<bool, 256> byteClass(bool names)
{
    std::array<bool, 256> table {};
    for (int c = 0; c < 256; ++c) {
        if (names)
            table[static_cast<std::size_t>(c)] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')
                || (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.' || c == ':' || c >= 0x80;
        else
            table[static_cast<std::size_t>(c)] = c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
    }
    return table;
}
constexpr std::array<bool, 256> nameBytes = byteClass(true);
constexpr std::array<bool, 256> blankBytes = byteClass(false);

bool isNameChar(char c) { return nameBytes[static_cast<unsigned char>(c)]; }

// Names are short: compared in place rather than through memcmp.
bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

// Whether a text needs decoding: an entity, or a CR that ends a line.
bool needsDecoding(std::string_view raw)
{
    for (char c : raw)
        if (c == '&' || c == '\r')
            return true;
    return false;
}

// A pull reader for the part of XML that question files use: elements, attributes, text with
// entities, CDATA, comments, processing instructions and a DOCTYPE without internal subset.
// Names, values and attributes are views into the text; only a text with entities (or CRs) is
// decoded, into a buffer of the reader's.
class XmlReader
{
public:
    enum class Event
    {
        Start,
        End,
        Text,
        Done,
        Error
    };

    explicit XmlReader(std::string_view text)
        : m_text(text)
    { }

    Event next()
    {
        if (m_pendingEnd) {
            m_pendingEnd = false;
            return Event::End;
        }
        while (m_at < m_text.size()) {
            if (m_text[m_at] != '<')
                return text();
            const char second = m_at + 1 < m_text.size() ? m_text[m_at + 1] : '\0';
            if (second == '!' && starts("<!--")) {
                if (!skipPast("-->"))
                    return fail("注释没有结束");
            } else if (second == '?') {
                if (!skipPast("?>"))
                    return fail("处理指令没有结束");
            } else if (second == '!' && starts("<![CDATA[")) {
                const auto end = m_text.find("]]>", m_at + 9);
                if (end == std::string_view::npos)
                    return fail("CDATA没有结束");
                m_value = m_text.substr(m_at + 9, end - m_at - 9);
                m_at = end + 3;
                return Event::Text;
            } else if (second == '!') {
                if (!skipPast(">"))
                    return fail("声明没有结束");
            } else if (second == '/') {
                return endTag();
            } else {
                return startTag();
            }
        }
        if (!m_open.empty())
            return fail("元素<" + std::string(m_open.back()) + ">没有结束");
        return Event::Done;
    }

    std::string_view name() const { return m_name; }
    std::string_view value() const { return m_value; }
    std::string_view attribute(std::string_view name) const
    {
        for (const Attribute& attribute : m_attributes)
            if (attribute.key == name)
                return attribute.decoded == noDecoded ? attribute.value : m_decodedAttributes[attribute.decoded];
        return {};
    }
    const std::string& error() const { return m_error; }
    std::size_t depth() const { return m_open.size(); }

private:
    static constexpr std::size_t noDecoded = std::string_view::npos;

    struct Attribute
    {
        std::string_view key;
        std::string_view value; // as written, when it needs no decoding
        std::size_t decoded = noDecoded; // else its place in m_decodedAttributes
    };

    bool starts(std::string_view prefix) const { return m_text.substr(m_at, prefix.size()) == prefix; }

    bool skipPast(std::string_view end)
    {
        const auto found = m_text.find(end, m_at);
        if (found == std::string_view::npos)
            return false;
        m_at = found + end.size();
        return true;
    }

    Event fail(const std::string& what)
    {
        m_error = "第" + std::to_string(std::count(m_text.begin(), m_text.begin() + static_cast<std::ptrdiff_t>(m_at), '\n') + 1)
            + "行: XML格式错误, " + what;
        return Event::Error;
    }

    // Text with its entities decoded; false at an unknown entity.
    static bool decoded(std::string_view raw, std::string& out)
    {
        out.clear();
        for (std::size_t at = 0; at < raw.size(); ++at) {
            if (raw[at] == '\r') {
                if (at + 1 >= raw.size() || raw[at + 1] != '\n')
                    out += '\n';
                continue;
            }
            if (raw[at] != '&') {
                out += raw[at];
                continue;
            }
            const auto end = raw.find(';', at);
            if (end == std::string_view::npos || !decodeEntity(raw.substr(at + 1, end - at - 1), out, false))
                return false;
            at = end;
        }
        return true;
    }

    Event text()
    {
        // One pass to the next '<', noting whether anything on the way needs decoding.
        const char* const data = m_text.data();
        std::size_t end = m_at;
        bool plain = true;
        while (end < m_text.size() && data[end] != '<') {
            plain = plain && data[end] != '&' && data[end] != '\r';
            ++end;
        }
        const std::string_view raw = m_text.substr(m_at, end - m_at);
        if (plain) {
            m_value = raw;
        } else {
            if (!decoded(raw, m_decoded))
                return fail("不认识的实体");
            m_value = m_decoded;
        }
        m_at = end;
        return Event::Text;
    }

    // (Both count in a local: the position is a member the byte reads could alias.)
    std::string_view readName()
    {
        const std::size_t start = m_at;
        std::size_t at = start;
        while (at < m_text.size() && isNameChar(m_text[at]))
            ++at;
        m_at = at;
        return m_text.substr(start, at - start);
    }

    void skipBlanks()
    {
        std::size_t at = m_at;
        while (at < m_text.size() && blankBytes[static_cast<unsigned char>(m_text[at])])
            ++at;
        m_at = at;
    }

    Event endTag()
    {
        m_at += 2;
        m_name = readName();
        skipBlanks();
        if (m_at >= m_text.size() || m_text[m_at] != '>')
            return fail("结束标记</" + std::string(m_name) + ">不完整");
        ++m_at;
        if (m_open.empty() || !sameName(m_open.back(), m_name))
            return fail("结束标记</" + std::string(m_name) + ">不配对");
        m_open.pop_back();
        return Event::End;
    }

    Event startTag()
    {
        ++m_at;
        m_name = readName();
        if (m_name.empty())
            return fail("标记没有名字");
        m_attributes.clear();
        m_decodedAttributes.clear();
        for (;;) {
            skipBlanks();
            if (m_at >= m_text.size())
                return fail("标记<" + std::string(m_name) + ">没有结束");
            if (m_text[m_at] == '>') {
                ++m_at;
                m_open.push_back(m_name);
                return Event::Start;
            }
            if (starts("/>")) {
                m_at += 2;
                m_pendingEnd = true;
                return Event::Start;
            }
            const std::string_view key = readName();
            skipBlanks();
            if (key.empty() || m_at >= m_text.size() || m_text[m_at] != '=')
                return fail("标记<" + std::string(m_name) + ">的属性不完整");
            ++m_at;
            skipBlanks();
            if (m_at >= m_text.size() || (m_text[m_at] != '"' && m_text[m_at] != '\''))
                return fail("属性" + std::string(key) + "的值没有引号");
            const char quote = m_text[m_at++];
            const auto end = m_text.find(quote, m_at);
            if (end == std::string_view::npos)
                return fail("属性" + std::string(key) + "的值没有结束");
            Attribute attribute { key, m_text.substr(m_at, end - m_at) };
            if (needsDecoding(attribute.value)) {
                std::string value;
                if (!decoded(attribute.value, value))
                    return fail("不认识的实体");
                attribute.decoded = m_decodedAttributes.size();
                m_decodedAttributes.push_back(std::move(value));
            }
            m_attributes.push_back(attribute);
            m_at = end + 1;
        }
    }

    std::string_view m_text;
    std::size_t m_at = 0;
    std::vector<std::string_view> m_open;
    std::vector<Attribute> m_attributes;
    std::vector<std::string> m_decodedAttributes;
    std::string_view m_name;
    std::string_view m_value;
    std::string m_decoded;
    std::string m_error;
    bool m_pendingEnd = false;
};

struct MoodleAnswer
{
    double fraction = 0;
    std::string text;
};

// One <question> as read, before it is turned into a question of this system.
struct MoodleQuestion
{
    std::string type;
    std::string name;
    std::string text;
    bool hasPicture = false;
    bool single = false;
    std::vector<MoodleAnswer> answers;
};

std::string refusalOfType(const std::string& type)
{
    static const std::map<std::string, std::string> names = {
        { "shortanswer", "填空题" },
        { "essay", "问答题" },
        { "numerical", "数值题" },
        { "matching", "匹配题" },
        { "description", "说明文字" },
        { "cloze", "完形填空题" },
        { "calculated", "计算题" },
    };
    const auto found = names.find(type);
    return (found != names.end() ? found->second : "题型" + type) + "不能导入";
}

// A text in its format: HTML unless the file says otherwise.
void formattedInto(std::string& out, const std::string& text, std::string_view format, bool htmlByDefault)
{
    const bool html = format == "html" || format == "moodle_auto_format" || (format.empty() && htmlByDefault);
    if (html)
        out = htmlToPlainText(text);
    else
        out.assign(text);
}

void appendNumber(std::string& out, std::size_t number)
{
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
}

// The question as this system's, into the record `imported` (kept from one question to the next).
void convertInto(ImportedQuestion& imported, const MoodleQuestion& read, std::size_t number)
{
    imported.position = "第";
    appendNumber(imported.position, number);
    imported.position += "题";
    if (!read.name.empty()) {
        imported.position += ' ';
        imported.position += read.name;
    }
    imported.question.kind = QuestionKind::SingleChoice;
    imported.question.stem.assign(read.text);
    for (std::string& option : imported.question.options)
        option.clear();
    imported.question.answer.clear();
    imported.refusal.clear();
    if (read.hasPicture) {
        imported.refusal = "含有图片, 不能导入";
        return;
    }
    if (read.type == "truefalse") {
        imported.question.kind = QuestionKind::TrueFalse;
        for (const MoodleAnswer& answer : read.answers)
            if (answer.fraction > 0)
                imported.question.answer = answer.text == "false" ? "B" : "A";
        return;
    }
    if (read.type != "multichoice") {
        imported.refusal = refusalOfType(read.type);
        return;
    }
    if (read.answers.size() > 4) {
        imported.refusal = "供选答案超过4个";
        return;
    }
    imported.question.kind = read.single ? QuestionKind::SingleChoice : QuestionKind::MultipleChoice;
    std::size_t best = read.answers.size();
    for (std::size_t i = 0; i < read.answers.size(); ++i) {
        imported.question.options[i].assign(read.answers[i].text);
        if (read.answers[i].fraction <= 0)
            continue;
        if (!read.single)
            imported.question.answer += static_cast<char>('A' + i);
        else if (best == read.answers.size() || read.answers[i].fraction > read.answers[best].fraction)
            best = i;
    }
    if (read.single && best < read.answers.size())
        imported.question.answer.assign(1, static_cast<char>('A' + best));
}

} // namespace

std::string htmlToPlainText(std::string_view html)
{
    std::string plain;
    for (std::size_t at = 0; at < html.size(); ++at) {
        if (html[at] == '<') {
            const auto end = html.find('>', at);
            if (end == std::string_view::npos)
                break;
            std::string tag(html.substr(at + 1, end - at - 1));
            std::ranges::transform(tag, tag.begin(), [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
            const std::string_view tagName = std::string_view(tag).substr(0, tag.find_first_of(" \t\n/", 1));
            if (tagName == "br" || tagName == "br/" || tagName == "/p" || tagName == "p" || tagName == "/div"
                || tagName == "/li")
                plain += '\n';
            at = end;
            continue;
        }
        if (html[at] == '&') {
            const auto end = html.find(';', at);
            if (end != std::string_view::npos && end - at < 12 && decodeEntity(html.substr(at + 1, end - at - 1), plain, true)) {
                at = end;
                continue;
            }
        }
        plain += html[at] == '\n' || html[at] == '\r' ? ' ' : html[at];
    }
    std::string lines;
    std::size_t start = 0;
    while (start <= plain.size()) {
        auto end = plain.find('\n', start);
        if (end == std::string::npos)
            end = plain.size();
        const std::string_view line = trimBlanks(std::string_view(plain).substr(start, end - start));
        if (!line.empty()) {
            if (!lines.empty())
                lines += '\n';
            lines += line;
        }
        start = end + 1;
    }
    return lines;
}

std::optional<std::string> readMoodleXml(std::string_view text, ImportSink& sink)
{
    XmlReader reader(text);
    // The question being read, its texts kept from one question to the next.
    bool inQuestion = false;
    MoodleQuestion question;
    ImportedQuestion imported;
    std::size_t number = 0;
    // The elements open inside the current question, from <question> down.
    std::vector<std::string_view> path;
    std::string format;
    std::string collected;
    std::string fraction;
    for (;;) {
        switch (reader.next()) {
        case XmlReader::Event::Error:
            return reader.error();
        case XmlReader::Event::Done:
            return std::nullopt;
        case XmlReader::Event::Start:
            if (!inQuestion && sameName(reader.name(), "question")) {
                inQuestion = true;
                question.type.assign(reader.attribute("type"));
                question.name.clear();
                question.text.clear();
                question.hasPicture = false;
                question.single = false;
                question.answers.clear();
                path.assign(1, "question");
                break;
            }
            if (!inQuestion)
                break;
            path.push_back(reader.name());
            if (sameName(reader.name(), "file") || sameName(reader.name(), "img"))
                question.hasPicture = true;
            if (path.size() == 2) {
                format.assign(reader.attribute("format"));
                collected.clear();
            }
            if (path.size() == 2 && sameName(path[1], "answer")) {
                fraction.assign(reader.attribute("fraction"));
                question.answers.push_back({ std::atof(fraction.c_str()), {} });
            }
            break;
        case XmlReader::Event::Text:
            if (inQuestion && path.size() == 3 && sameName(path[2], "text"))
                collected += reader.value();
            else if (inQuestion && path.size() == 2 && sameName(path[1], "single"))
                question.single = trimBlanks(reader.value()) == "true" || trimBlanks(reader.value()) == "1";
            break;
        case XmlReader::Event::End:
            if (!inQuestion)
                break;
            if (path.size() == 1) {
                if (question.type != "category") {
                    convertInto(imported, question, ++number);
                    sink.take(imported);
                }
                inQuestion = false;
                path.clear();
                break;
            }
            if (path.size() == 3 && sameName(path[2], "text") && sameName(path[1], "name"))
                question.name.assign(trimBlanks(collected));
            if (path.size() == 2 && sameName(path[1], "questiontext")) {
                if (collected.find("<img") != std::string::npos || collected.find("<IMG") != std::string::npos)
                    question.hasPicture = true;
                formattedInto(question.text, collected, format, true);
            }
            if (path.size() == 2 && sameName(path[1], "answer") && !question.answers.empty())
                formattedInto(question.answers.back().text, collected, format, false);
            path.pop_back();
            break;
        }
    }
}

ImportedFile readMoodleXml(std::string_view text)
{
    CollectingSink sink;
    auto failure = readMoodleXml(text, sink);
    return sink.finish(std::move(failure));
}

} // namespace olv

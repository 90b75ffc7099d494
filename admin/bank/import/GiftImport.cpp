#include "admin/bank/import/ImportReaders.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <cstring>

namespace olv {

namespace {

constexpr std::string_view escapable = ":~=#{}\\";

void appendLineName(std::string& out, std::size_t number)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    out += "第";
    out.append(digits, end);
    out += "行";
}

std::string lineName(std::size_t number)
{
    std::string name;
    appendLineName(name, number);
    return name;
}

// The position of the first unescaped `c` or `other` from `from`, or npos. Without `escapes` (a
// question with no backslash at all) every byte is itself.
std::size_t findUnescaped(bool escapes, std::string_view text, char c, char other, std::size_t from)
{
    if (!escapes && c == other)
        return text.find(c, from);
    for (std::size_t at = from; at < text.size(); ++at) {
        if (escapes && text[at] == '\\' && at + 1 < text.size()) {
            ++at;
            continue;
        }
        if (text[at] == c || text[at] == other)
            return at;
    }
    return std::string_view::npos;
}

std::size_t findUnescaped(bool escapes, std::string_view text, char c, std::size_t from = 0)
{
    return findUnescaped(escapes, text, c, c, from);
}

std::size_t findUnescapedPair(bool escapes, std::string_view text, std::string_view pair)
{
    for (std::size_t at = findUnescaped(escapes, text, pair[0]); at != std::string_view::npos;
         at = findUnescaped(escapes, text, pair[0], at + 1))
        if (text.substr(at, pair.size()) == pair)
            return at;
    return std::string_view::npos;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return (x >= 'a' && x <= 'z' ? x - 'a' + 'A' : x) == y; });
}

// How far the line moves the brace depth; false when a brace closes that never opened.
bool followBraces(std::string_view line, int& depth)
{
    for (std::size_t at = 0; at < line.size(); ++at) {
        if (line[at] == '\\') {
            ++at;
            continue;
        }
        if (line[at] == '{' && ++depth > 1)
            return false;
        if (line[at] == '}' && --depth < 0)
            return false;
    }
    return true;
}

// Reads the questions of a GIFT file in one pass over its lines, each handed to the sink as soon
// as its blank line ends it. The record and the texts it is built in are kept from question to
// question, so a question costs no allocation of its own.
class GiftScanner
{
public:
    explicit GiftScanner(ImportSink& sink)
        : m_sink(sink)
    { }

    std::optional<std::string> read(std::string_view text);

private:
    void flush();
    void readQuestion(std::string_view block, std::size_t firstLine);
    std::string_view readChoices(std::string_view answers);
    void unescapedInto(std::string_view text, std::string& lines);

    ImportSink& m_sink;
    ImportedQuestion m_question;
    std::string m_block;
    std::size_t m_blockLine = 0;
    bool m_escapes = false; // the question being read holds a backslash
    std::string m_plain;
    std::string m_text;
    std::string m_weight;
    std::array<std::string, 4> m_choices;
};

std::optional<std::string> GiftScanner::read(std::string_view text)
{
    std::size_t braceLine = 0;
    int depth = 0;
    std::size_t number = 0;
    // Lines as a text-mode stream reads them (common/LineViews): LF ends a line, a CR before it is dropped.
    while (!text.empty()) {
        std::string_view line = text;
        const auto* lineFeed = static_cast<const char*>(std::memchr(text.data(), '\n', text.size()));
        if (lineFeed) {
            const auto length = static_cast<std::size_t>(lineFeed - text.data());
            line = text.substr(0, length > 0 && lineFeed[-1] == '\r' ? length - 1 : length);
            text.remove_prefix(length + 1);
        } else {
            text = {};
        }
        ++number;
        const std::string_view trimmed = trimBlanks(line);
        if (depth == 0 && trimmed.starts_with("//"))
            continue;
        if (depth == 0 && trimmed.empty()) {
            flush();
            continue;
        }
        const int before = depth;
        if (!followBraces(line, depth))
            return lineName(number) + ": 大括号不配对";
        if (before == 0 && depth > 0)
            braceLine = number;
        if (m_block.empty())
            m_blockLine = number;
        else
            m_block += '\n';
        m_block += line;
    }
    if (depth != 0)
        return lineName(braceLine) + ": 大括号不配对";
    flush();
    return std::nullopt;
}

void GiftScanner::flush()
{
    const std::string_view question = trimBlanks(m_block);
    if (!question.empty() && !question.starts_with("$CATEGORY:")) {
        readQuestion(question, m_blockLine);
        m_sink.take(m_question);
    }
    m_block.clear();
}

// The text without its escapes, its lines trimmed (the file indents them freely) and the empty
// ones dropped.
void GiftScanner::unescapedInto(std::string_view text, std::string& lines)
{
    std::string_view plain = text;
    if (m_escapes && text.find('\\') != std::string_view::npos) {
        m_plain.clear();
        for (std::size_t at = 0; at < text.size(); ++at) {
            if (text[at] == '\\' && at + 1 < text.size()) {
                if (escapable.find(text[at + 1]) != std::string_view::npos) {
                    m_plain += text[++at];
                    continue;
                }
                if (text[at + 1] == 'n') {
                    m_plain += '\n';
                    ++at;
                    continue;
                }
            }
            m_plain += text[at];
        }
        plain = m_plain;
    }
    lines.clear();
    for (;;) {
        const auto lineFeed = plain.find('\n');
        const std::string_view line = trimBlanks(plain.substr(0, lineFeed));
        if (!line.empty()) {
            if (!lines.empty())
                lines += '\n';
            lines += line;
        }
        if (lineFeed == std::string_view::npos)
            break;
        plain.remove_prefix(lineFeed + 1);
    }
}

// The answers between the braces as the choices (the first four kept), or the reason they make
// no question here.
std::string_view GiftScanner::readChoices(std::string_view answers)
{
    std::size_t count = 0;
    std::size_t positive = 0;
    bool allMarked = true;
    std::array<bool, 4> right {};
    for (std::size_t at = 0; at < answers.size();) {
        const auto next = findUnescaped(m_escapes, answers, '=', '~', at + 1);
        std::string_view token = answers.substr(at, next == std::string_view::npos ? std::string_view::npos : next - at);
        at = next == std::string_view::npos ? answers.size() : next;
        const bool marked = token[0] == '=';
        token.remove_prefix(1);
        token = trimBlanks(token);
        double weight = marked ? 100.0 : 0.0;
        if (token.starts_with('%')) {
            const auto close = token.find('%', 1);
            if (close == std::string_view::npos)
                return "答案的分值没有结束的%";
            m_weight.assign(token.substr(1, close - 1));
            weight = std::atof(m_weight.c_str());
            token.remove_prefix(close + 1);
        }
        token = token.substr(0, findUnescaped(m_escapes, token, '#'));
        if (findUnescapedPair(m_escapes, token, "->") != std::string_view::npos)
            return "匹配题不能导入";
        allMarked = allMarked && marked;
        positive += weight > 0;
        if (count < m_choices.size()) {
            unescapedInto(token, m_choices[count]);
            right[count] = weight > 0;
        }
        ++count;
    }
    if (count == 0)
        return "问答题不能导入";
    if (allMarked)
        return "填空题不能导入";
    if (count > 4)
        return "供选答案超过4个";
    m_question.question.kind = positive > 1 ? QuestionKind::MultipleChoice : QuestionKind::SingleChoice;
    for (std::size_t i = 0; i < count; ++i) {
        std::swap(m_question.question.options[i], m_choices[i]);
        if (right[i])
            m_question.question.answer += static_cast<char>('A' + i);
    }
    return {};
}

void GiftScanner::readQuestion(std::string_view block, std::size_t firstLine)
{
    m_escapes = block.find('\\') != std::string_view::npos;
    ImportedQuestion& imported = m_question;
    imported.position.clear();
    appendLineName(imported.position, firstLine);
    imported.question.kind = QuestionKind::SingleChoice;
    imported.question.stem.clear();
    for (std::string& option : imported.question.options)
        option.clear();
    imported.question.answer.clear();
    imported.refusal.clear();
    if (block.starts_with("::")) {
        const auto close = findUnescapedPair(m_escapes, block.substr(2), "::");
        if (close != std::string_view::npos) {
            unescapedInto(block.substr(2, close), m_text);
            imported.position += ' ';
            imported.position += m_text;
            block = trimBlanks(block.substr(close + 4));
        }
    }
    // Only GIFT's own format markers go; a stem may well begin with "[注意]".
    for (const std::string_view marker : { "[html]", "[moodle]", "[plain]", "[markdown]" })
        if (block.starts_with(marker)) {
            block.remove_prefix(marker.size());
            break;
        }
    const auto open = findUnescaped(m_escapes, block, '{');
    if (open == std::string_view::npos) {
        imported.refusal = "说明文字, 没有答案";
        return;
    }
    const auto close = findUnescaped(m_escapes, block, '}', open);
    const std::string_view answers = trimBlanks(block.substr(open + 1, close - open - 1));
    unescapedInto(block.substr(0, open), imported.question.stem);
    unescapedInto(block.substr(close + 1), m_text);
    if (!m_text.empty()) {
        imported.question.stem += "____";
        imported.question.stem += m_text;
    }
    if (answers.starts_with('#')) {
        imported.refusal = "数值题不能导入";
        return;
    }
    const std::string_view word = trimBlanks(answers.substr(0, findUnescaped(m_escapes, answers, '#')));
    if (equalsIgnoringCase(word, "T") || equalsIgnoringCase(word, "TRUE") || equalsIgnoringCase(word, "F")
        || equalsIgnoringCase(word, "FALSE")) {
        imported.question.kind = QuestionKind::TrueFalse;
        imported.question.answer = std::toupper(static_cast<unsigned char>(word[0])) == 'T' ? "A" : "B";
        return;
    }
    if (!answers.empty() && answers[0] != '=' && answers[0] != '~') {
        imported.refusal = "不认识的答案写法";
        return;
    }
    imported.refusal = answers.empty() ? "问答题不能导入" : readChoices(answers);
}

} // namespace

std::optional<std::string> readGift(std::string_view text, ImportSink& sink) { return GiftScanner(sink).read(text); }

ImportedFile readGift(std::string_view text)
{
    CollectingSink sink;
    auto failure = readGift(text, sink);
    return sink.finish(std::move(failure));
}

} // namespace olv

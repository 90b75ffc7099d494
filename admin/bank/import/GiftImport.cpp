#include "admin/bank/import/ImportReaders.h"

#include "common/LineViews.h"

#include <algorithm>
#include <cstdlib>

namespace olv {

namespace {

constexpr std::string_view escapable = ":~=#{}\\";

std::string lineName(std::size_t number) { return "第" + std::to_string(number) + "行"; }

// The position of the first unescaped `c` from `from`, or npos.
std::size_t findUnescaped(std::string_view text, char c, std::size_t from = 0)
{
    for (std::size_t at = from; at < text.size(); ++at) {
        if (text[at] == '\\' && at + 1 < text.size()) {
            ++at;
            continue;
        }
        if (text[at] == c)
            return at;
    }
    return std::string_view::npos;
}

std::size_t findUnescaped(std::string_view text, std::string_view pair)
{
    for (std::size_t at = findUnescaped(text, pair[0]); at != std::string_view::npos;
         at = findUnescaped(text, pair[0], at + 1))
        if (text.substr(at, pair.size()) == pair)
            return at;
    return std::string_view::npos;
}

std::string unescaped(std::string_view text)
{
    std::string plain;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\\' && at + 1 < text.size()) {
            if (escapable.find(text[at + 1]) != std::string_view::npos) {
                plain += text[++at];
                continue;
            }
            if (text[at + 1] == 'n') {
                plain += '\n';
                ++at;
                continue;
            }
        }
        plain += text[at];
    }
    // Lines of a question's text are trimmed; the file indents them freely.
    std::string lines;
    for (std::string_view line : lineViews(plain)) {
        line = trimBlanks(line);
        if (line.empty())
            continue;
        if (!lines.empty())
            lines += '\n';
        lines += line;
    }
    return lines;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return std::toupper(static_cast<unsigned char>(x)) == y; });
}

struct Choice
{
    double weight = 0;
    std::string text;
};

// The answers between the braces as choices, or the reason they make no question here.
std::string readChoices(std::string_view answers, std::vector<Choice>& choices)
{
    std::vector<bool> marked;
    for (std::size_t at = 0; at < answers.size();) {
        const auto next = std::min(findUnescaped(answers, '=', at + 1), findUnescaped(answers, '~', at + 1));
        std::string_view token = answers.substr(at, next == std::string_view::npos ? std::string_view::npos : next - at);
        at = next == std::string_view::npos ? answers.size() : next;
        const bool right = token[0] == '=';
        token.remove_prefix(1);
        token = trimBlanks(token);
        Choice choice { right ? 100.0 : 0.0, {} };
        if (token.starts_with('%')) {
            const auto close = token.find('%', 1);
            if (close == std::string_view::npos)
                return "答案的分值没有结束的%";
            choice.weight = std::atof(std::string(token.substr(1, close - 1)).c_str());
            token.remove_prefix(close + 1);
        }
        token = token.substr(0, findUnescaped(token, '#'));
        if (findUnescaped(token, "->") != std::string_view::npos)
            return "匹配题不能导入";
        choice.text = unescaped(token);
        marked.push_back(right);
        choices.push_back(std::move(choice));
    }
    if (choices.empty())
        return "问答题不能导入";
    if (std::ranges::all_of(marked, [](bool right) { return right; }))
        return "填空题不能导入";
    if (choices.size() > 4)
        return "供选答案超过4个";
    return {};
}

ImportedQuestion readQuestion(std::string_view block, std::size_t firstLine)
{
    ImportedQuestion imported { lineName(firstLine), {}, {} };
    if (block.starts_with("::")) {
        const auto close = findUnescaped(block.substr(2), "::");
        if (close != std::string_view::npos) {
            imported.position += " " + unescaped(block.substr(2, close));
            block = trimBlanks(block.substr(close + 4));
        }
    }
    if (block.starts_with('[')) {
        const auto close = block.find(']');
        if (close != std::string_view::npos)
            block = block.substr(close + 1);
    }
    const auto open = findUnescaped(block, '{');
    if (open == std::string_view::npos) {
        imported.refusal = "说明文字, 没有答案";
        return imported;
    }
    const auto close = findUnescaped(block, '}', open);
    const std::string_view answers = trimBlanks(block.substr(open + 1, close - open - 1));
    std::string stem = unescaped(block.substr(0, open));
    const std::string rest = unescaped(block.substr(close + 1));
    if (!rest.empty())
        stem += "____" + rest;
    imported.question.stem = std::move(stem);
    if (answers.starts_with('#')) {
        imported.refusal = "数值题不能导入";
        return imported;
    }
    const std::string_view word = trimBlanks(answers.substr(0, findUnescaped(answers, '#')));
    if (equalsIgnoringCase(word, "T") || equalsIgnoringCase(word, "TRUE") || equalsIgnoringCase(word, "F")
        || equalsIgnoringCase(word, "FALSE")) {
        imported.question.kind = QuestionKind::TrueFalse;
        imported.question.answer = std::toupper(static_cast<unsigned char>(word[0])) == 'T' ? "A" : "B";
        return imported;
    }
    if (!answers.empty() && answers[0] != '=' && answers[0] != '~') {
        imported.refusal = "不认识的答案写法";
        return imported;
    }
    std::vector<Choice> choices;
    if (!answers.empty())
        imported.refusal = readChoices(answers, choices);
    else
        imported.refusal = "问答题不能导入";
    if (!imported.refusal.empty())
        return imported;
    const auto positive = std::ranges::count_if(choices, [](const Choice& choice) { return choice.weight > 0; });
    imported.question.kind = positive > 1 ? QuestionKind::MultipleChoice : QuestionKind::SingleChoice;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        imported.question.options[i] = choices[i].text;
        if (choices[i].weight > 0)
            imported.question.answer += static_cast<char>('A' + i);
    }
    return imported;
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

} // namespace

ImportedFile readGift(std::string_view text)
{
    ImportedFile file;
    std::string block;
    std::size_t blockLine = 0;
    std::size_t braceLine = 0;
    int depth = 0;
    const auto flush = [&] {
        const std::string_view question = trimBlanks(block);
        if (!question.empty() && !question.starts_with("$CATEGORY:"))
            file.questions.push_back(readQuestion(question, blockLine));
        block.clear();
    };
    std::size_t number = 0;
    for (std::string_view line : lineViews(text)) {
        ++number;
        const std::string_view trimmed = trimBlanks(line);
        if (depth == 0 && trimmed.starts_with("//"))
            continue;
        if (depth == 0 && trimmed.empty()) {
            flush();
            continue;
        }
        const int before = depth;
        if (!followBraces(line, depth)) {
            file.questions.clear();
            file.failure = lineName(number) + ": 大括号不配对";
            return file;
        }
        if (before == 0 && depth > 0)
            braceLine = number;
        if (block.empty())
            blockLine = number;
        else
            block += '\n';
        block += line;
    }
    if (depth != 0) {
        file.questions.clear();
        file.failure = lineName(braceLine) + ": 大括号不配对";
        return file;
    }
    flush();
    return file;
}

} // namespace olv

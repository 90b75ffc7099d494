#include "admin/bank/import/MoodleXmlExport.h"

#include "admin/bank/FormStem.h"
#include "common/Answer.h"
#include "platform/Gbk.h"
#include "platform/ReplacingWrite.h"

#include <cstdio>

namespace olv {

namespace {

std::string escaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// The stored text (GBK) as escaped UTF-8, "/n" as a line break.
std::string textOf(std::string_view gbk)
{
    std::string utf8 = gbkToUtf8(gbk);
    std::string lines;
    for (std::size_t at = 0; at < utf8.size(); ++at) {
        if (utf8.compare(at, 2, "/n") == 0) {
            lines += '\n';
            ++at;
        } else {
            lines += utf8[at];
        }
    }
    return escaped(lines);
}

std::string textElement(const std::string& indent, const std::string& escapedText)
{
    return indent + "<text>" + escapedText + "</text>\n";
}

// Fractions of `right` answers that sum to exactly 100 when printed with five decimals.
std::vector<std::string> fractions(std::size_t right)
{
    std::vector<std::string> out;
    long remaining = 10000000;
    for (std::size_t i = 0; i < right; ++i) {
        const long share = i + 1 == right ? remaining : 10000000 / static_cast<long>(right);
        remaining -= share;
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%ld.%05ld", share / 100000, share % 100000);
        std::string text = buffer;
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
        out.push_back(text);
    }
    return out;
}

void appendQuestion(std::string& out, const Question& question, int number)
{
    const bool trueFalse = question.kind == QuestionKind::TrueFalse;
    out += "  <question type=\"";
    out += trueFalse ? "truefalse" : "multichoice";
    out += "\">\n    <name>\n" + textElement("      ", std::to_string(number)) + "    </name>\n";
    out += "    <questiontext format=\"plain_text\">\n" + textElement("      ", textOf(question.stem))
        + "    </questiontext>\n";
    if (trueFalse) {
        const bool isTrue = question.answer == "A";
        out += "    <answer fraction=\"" + std::string(isTrue ? "100" : "0") + "\" format=\"plain_text\">\n"
            + textElement("      ", "true") + "    </answer>\n";
        out += "    <answer fraction=\"" + std::string(isTrue ? "0" : "100") + "\" format=\"plain_text\">\n"
            + textElement("      ", "false") + "    </answer>\n";
        out += "  </question>\n";
        return;
    }
    const std::string answer = normalizeAnswer(question.kind, question.answer);
    std::size_t last = 0;
    for (std::size_t i = 0; i < question.options.size(); ++i)
        if (!question.options[i].empty() || answer.find(static_cast<char>('A' + i)) != std::string::npos)
            last = i + 1;
    std::size_t right = 0;
    for (std::size_t i = 0; i < last; ++i)
        right += answer.find(static_cast<char>('A' + i)) != std::string::npos;
    const auto shares = fractions(right);
    out += "    <single>" + std::string(question.kind == QuestionKind::SingleChoice ? "true" : "false") + "</single>\n";
    out += "    <shuffleanswers>0</shuffleanswers>\n    <answernumbering>ABCD</answernumbering>\n";
    std::size_t share = 0;
    for (std::size_t i = 0; i < last; ++i) {
        const bool isRight = answer.find(static_cast<char>('A' + i)) != std::string::npos;
        out += "    <answer fraction=\"" + (isRight ? shares[share++] : std::string("0")) + "\" format=\"plain_text\">\n"
            + textElement("      ", textOf(question.options[i])) + "    </answer>\n";
    }
    out += "  </question>\n";
}

} // namespace

std::string moodleXmlOfBank(const QuestionBank& bank)
{
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n";
    int number = 0;
    for (QuestionKind kind : allQuestionKinds)
        for (const Question& question : bank.questionsOf(kind))
            appendQuestion(out, question, ++number);
    out += "</quiz>\n";
    return out;
}

bool writeMoodleXml(const QuestionBank& bank, const std::filesystem::path& target)
{
    return writeReplacing(target, moodleXmlOfBank(bank));
}

} // namespace olv

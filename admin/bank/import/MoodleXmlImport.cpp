#include "admin/bank/import/ImportReaders.h"
#include "admin/xml/XmlReader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <map>

namespace olv {

namespace {

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
            std::ranges::transform(tag, tag.begin(),
                [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); });
            const std::string_view tagName = std::string_view(tag).substr(0, tag.find_first_of(" \t\n/", 1));
            if (tagName == "br" || tagName == "br/" || tagName == "/p" || tagName == "p" || tagName == "/div"
                || tagName == "/li")
                plain += '\n';
            at = end;
            continue;
        }
        if (html[at] == '&') {
            const auto end = html.find(';', at);
            if (end != std::string_view::npos && end - at < 12
                && decodeXmlEntity(html.substr(at + 1, end - at - 1), plain, true)) {
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
            return reader.errorText();
        case XmlReader::Event::Done:
            return std::nullopt;
        case XmlReader::Event::Start:
            if (!inQuestion && sameXmlName(reader.name(), "question")) {
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
            if (sameXmlName(reader.name(), "file") || sameXmlName(reader.name(), "img"))
                question.hasPicture = true;
            if (path.size() == 2) {
                format.assign(reader.attribute("format"));
                collected.clear();
            }
            if (path.size() == 2 && sameXmlName(path[1], "answer")) {
                fraction.assign(reader.attribute("fraction"));
                question.answers.push_back({ std::atof(fraction.c_str()), {} });
            }
            break;
        case XmlReader::Event::Text:
            if (inQuestion && path.size() == 3 && sameXmlName(path[2], "text"))
                collected += reader.value();
            else if (inQuestion && path.size() == 2 && sameXmlName(path[1], "single"))
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
            if (path.size() == 3 && sameXmlName(path[2], "text") && sameXmlName(path[1], "name"))
                question.name.assign(trimBlanks(collected));
            if (path.size() == 2 && sameXmlName(path[1], "questiontext")) {
                if (collected.find("<img") != std::string::npos || collected.find("<IMG") != std::string::npos)
                    question.hasPicture = true;
                formattedInto(question.text, collected, format, true);
            }
            if (path.size() == 2 && sameXmlName(path[1], "answer") && !question.answers.empty())
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

#include "admin/bank/import/ImportReaders.h"

#include "common/LineViews.h"

namespace olv {

namespace {

std::string lineName(std::size_t number) { return "第" + std::to_string(number) + "行"; }

// "A. text" or "A) text": the option's index from A and its text.
std::optional<std::pair<int, std::string_view>> optionLine(std::string_view line)
{
    if (line.size() < 2 || line[0] < 'A' || line[0] > 'Z' || (line[1] != '.' && line[1] != ')'))
        return std::nullopt;
    return std::pair { line[0] - 'A', trimBlanks(line.substr(2)) };
}

} // namespace

ImportedFile readAiken(std::string_view text)
{
    ImportedFile file;
    ImportedQuestion current;
    std::vector<std::string_view> stem;
    int options = 0;
    bool open = false;
    const auto finish = [&](const char* missing) {
        if (open && missing && current.refusal.empty())
            current.refusal = missing;
        if (open)
            file.questions.push_back(std::move(current));
        current = {};
        stem.clear();
        options = 0;
        open = false;
    };
    std::size_t number = 0;
    for (std::string_view line : lineViews(text)) {
        ++number;
        line = trimBlanks(line);
        if (line.empty()) {
            // A blank line ends a question only once its answer was read; before, it is a gap.
            continue;
        }
        if (line.starts_with("ANSWER:")) {
            if (!open) {
                file.questions.push_back({ lineName(number), {}, "ANSWER行前没有题目" });
                continue;
            }
            current.question.answer = std::string(trimBlanks(line.substr(7)));
            if (options == 0 && current.refusal.empty())
                current.refusal = "没有供选答案";
            finish(nullptr);
            continue;
        }
        const auto option = optionLine(line);
        if (open && option && option->first == options) {
            if (options < 4)
                current.question.options[static_cast<std::size_t>(options)] = option->second;
            else if (current.refusal.empty())
                current.refusal = "供选答案超过4个";
            ++options;
            continue;
        }
        if (open && options > 0) {
            // Options seen and no answer: the next stem starts here.
            finish("缺少ANSWER行");
        }
        if (!open) {
            open = true;
            current.position = lineName(number);
            current.question.kind = QuestionKind::SingleChoice;
        }
        if (!current.question.stem.empty())
            current.question.stem += '\n';
        current.question.stem += line;
    }
    finish("缺少ANSWER行");
    return file;
}

} // namespace olv

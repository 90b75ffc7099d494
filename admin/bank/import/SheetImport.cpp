#include "admin/bank/import/ImportReaders.h"

#include <algorithm>
#include <array>

namespace olv {

namespace {

// The columns of the sheet, in the order of its header's usual layout.
enum Column
{
    KindColumn,
    StemColumn,
    AColumn,
    BColumn,
    CColumn,
    DColumn,
    AnswerColumn,
    ColumnCount
};

constexpr std::array<std::string_view, ColumnCount> headers = { "题型", "题目", "A", "B", "C", "D", "答案" };

std::string cell(const std::vector<std::string>& row, std::ptrdiff_t column)
{
    if (column < 0 || static_cast<std::size_t>(column) >= row.size())
        return {};
    return std::string(trimBlanks(row[static_cast<std::size_t>(column)]));
}

std::optional<QuestionKind> kindOf(std::string_view name)
{
    if (name.starts_with("单选"))
        return QuestionKind::SingleChoice;
    if (name.starts_with("多选"))
        return QuestionKind::MultipleChoice;
    if (name.starts_with("判断"))
        return QuestionKind::TrueFalse;
    return std::nullopt;
}

// The sheet's answer as option letters: "A,B" and "A、B" as "AB", and for true/false the words
// schools write ("对", "正确", "√", "错", ...) as A or B.
std::string answerOf(QuestionKind kind, const std::string& written)
{
    if (kind == QuestionKind::TrueFalse) {
        for (std::string_view right : { "对", "正确", "√", "是", "T", "TRUE", "true", "True" })
            if (written == right)
                return "A";
        for (std::string_view wrong : { "错", "错误", "×", "否", "F", "FALSE", "false", "False" })
            if (written == wrong)
                return "B";
    }
    std::string letters;
    for (std::size_t at = 0; at < written.size(); ++at) {
        if (written[at] == ',' || written[at] == ' ')
            continue;
        if (written.compare(at, 3, "、") == 0 || written.compare(at, 3, "，") == 0) {
            at += 2;
            continue;
        }
        letters += written[at];
    }
    return letters;
}

} // namespace

ImportedFile readQuestionSheet(const SheetRows& rows)
{
    ImportedFile file;
    std::array<std::ptrdiff_t, ColumnCount> columns {};
    std::ptrdiff_t extraOption = -1;
    std::size_t headerRow = 0;
    for (; headerRow < rows.size(); ++headerRow) {
        const auto& row = rows[headerRow];
        columns.fill(-1);
        for (std::size_t i = 0; i < row.size(); ++i) {
            const std::string_view name = trimBlanks(row[i]);
            for (std::size_t c = 0; c < headers.size(); ++c)
                if (name == headers[c] || (c >= AColumn && c <= DColumn && name == "选项" + std::string(headers[c])))
                    columns[c] = static_cast<std::ptrdiff_t>(i);
            if (name == "E" || name == "选项E")
                extraOption = static_cast<std::ptrdiff_t>(i);
        }
        if (columns[KindColumn] >= 0 && columns[StemColumn] >= 0 && columns[AnswerColumn] >= 0)
            break;
    }
    if (headerRow == rows.size()) {
        file.failure = "第1行: 没有找到表头(题型, 题目, A, B, C, D, 答案)";
        return file;
    }
    for (std::size_t r = headerRow + 1; r < rows.size(); ++r) {
        const auto& row = rows[r];
        if (std::ranges::all_of(row, [](const std::string& text) { return trimBlanks(text).empty(); }))
            continue;
        ImportedQuestion imported { "第" + std::to_string(r + 1) + "行", {}, {} };
        const auto kind = kindOf(cell(row, columns[KindColumn]));
        if (!kind) {
            imported.refusal = "题型" + cell(row, columns[KindColumn]) + "不能导入";
            file.questions.push_back(std::move(imported));
            continue;
        }
        imported.question.kind = *kind;
        imported.question.stem = cell(row, columns[StemColumn]);
        std::ranges::replace(imported.question.stem, '\r', '\n');
        for (std::size_t i = 0; i < 4; ++i)
            imported.question.options[i] = cell(row, columns[AColumn + i]);
        if (*kind == QuestionKind::TrueFalse)
            imported.question.options = {};
        if (!cell(row, extraOption).empty())
            imported.refusal = "供选答案超过4个";
        imported.question.answer = answerOf(*kind, cell(row, columns[AnswerColumn]));
        file.questions.push_back(std::move(imported));
    }
    return file;
}

} // namespace olv

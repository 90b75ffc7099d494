#pragma once

#include "admin/bank/import/BankImport.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace olv {

// The readers of the formats teachers bring. Each takes UTF-8 text and gives every question
// it finds, with the ones this system cannot hold marked as refused.
ImportedFile readAiken(std::string_view text);
ImportedFile readGift(std::string_view text);
ImportedFile readMoodleXml(std::string_view text);

// Takes each question a reader finds, in file order, as it is found; the reader fills the same
// record again for the next one, so a file of many questions is never held twice.
class ImportSink
{
public:
    virtual void take(const ImportedQuestion& question) = 0;

protected:
    ~ImportSink() = default;
};

// The same readers over a sink: nothing, or the reason (with its position) why the file cannot be
// read at all; the questions taken before that reason count for nothing.
std::optional<std::string> readGift(std::string_view text, ImportSink& sink);
std::optional<std::string> readMoodleXml(std::string_view text, ImportSink& sink);

// A sink that keeps every question, for the readers' ImportedFile form.
class CollectingSink final : public ImportSink
{
public:
    void take(const ImportedQuestion& question) override { file.questions.push_back(question); }
    // The file, or only the failure when there is one.
    ImportedFile finish(std::optional<std::string> failure)
    {
        if (failure) {
            file.questions.clear();
            file.failure = std::move(failure);
        }
        return std::move(file);
    }

    ImportedFile file;
};

// The question-import sheet schools use: a header row naming 题型 (单选/多选/判断), 题目, A, B,
// C, D and 答案 in any order, then one question a row. Cells are UTF-8.
using SheetRows = std::vector<std::vector<std::string>>;
ImportedFile readQuestionSheet(const SheetRows& rows);

// HTML as plain text: tags dropped, entities decoded, <br> and paragraph ends as line breaks.
std::string htmlToPlainText(std::string_view html);

} // namespace olv

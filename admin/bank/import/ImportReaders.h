#pragma once

#include "admin/bank/import/BankImport.h"

#include <string>
#include <string_view>
#include <vector>

namespace olv {

// The readers of the formats teachers bring. Each takes UTF-8 text and gives every question
// it finds, with the ones this system cannot hold marked as refused.
ImportedFile readAiken(std::string_view text);
ImportedFile readGift(std::string_view text);
ImportedFile readMoodleXml(std::string_view text);

// The question-import sheet schools use: a header row naming 题型 (单选/多选/判断), 题目, A, B,
// C, D and 答案 in any order, then one question a row. Cells are UTF-8.
using SheetRows = std::vector<std::vector<std::string>>;
ImportedFile readQuestionSheet(const SheetRows& rows);

// HTML as plain text: tags dropped, entities decoded, <br> and paragraph ends as line breaks.
std::string htmlToPlainText(std::string_view html);

} // namespace olv

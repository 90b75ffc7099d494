#pragma once

#include "common/Question.h"

#include <string>

namespace olv {

// The fixed GBK texts of bank files and question lists, converted once.

// The line that opens a kind's section in a bank file, e.g. "●单选题:".
const std::string& sectionMarker(QuestionKind kind);
// The heading of a kind in a question list, e.g. "    ●单选题:只能选一个答案".
const std::string& listHeading(QuestionKind kind);
// "、", written after a question number and after an option letter.
const std::string& numberMark();
// "分/题", written after the points of a paper heading.
const std::string& pointsPerQuestion();

} // namespace olv

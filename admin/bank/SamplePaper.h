#pragma once

#include "common/ExamSettings.h"
#include "common/Question.h"

#include <cstdint>
#include <string>
#include <vector>

namespace olv {

// The sample paper of the exam settings at time `now` (whole seconds): drawn and ordered by
// the client's steps, seeded with fixedNumber for every mode but Random (no exam number is
// known here) and with the time for the question order; options keep their bank order;
// answers in stored form.
QuestionBank drawSamplePaper(QuestionBank bank, const ExamSettings& settings, std::int64_t now);

// One answer entry per paper question: "%d--" and the answer. GBK.
std::vector<std::string> answerEntries(const QuestionBank& paper);

// The written paper: exam name, subject, the lines for exam number and name, then the
// paper as its list shows it. GBK lines without line ends.
std::vector<std::string> writtenPaperLines(const ExamSettings& settings, const QuestionBank& paper);

// The answer key: exam name, subject + "标准答案", then the entries, each followed by two
// spaces, a line ending as soon as it is longer than 50 bytes; the last line also when empty.
std::vector<std::string> answerKeyLines(const ExamSettings& settings, const QuestionBank& paper);

} // namespace olv

#pragma once

#include "common/ExamSettings.h"
#include "common/Question.h"

#include <filesystem>
#include <string>

namespace olv {

// The written paper and its answer key as A4 PDF in the package's CJK font (embedded by the PDF
// writer): exam name and subject as the title, lines for class, name and exam number, the
// questions numbered and grouped by kind with their points, page numbers at the foot. Needs a
// QGuiApplication. Both replace the target whole; false when it cannot be written.
std::string paperPdf(const ExamSettings& settings, const QuestionBank& paper);
std::string answerKeyPdf(const ExamSettings& settings, const QuestionBank& paper);
bool writePaperPdf(const ExamSettings& settings, const QuestionBank& paper, const std::filesystem::path& target);
bool writeAnswerKeyPdf(const ExamSettings& settings, const QuestionBank& paper, const std::filesystem::path& target);

} // namespace olv

#pragma once

#include "client/handin/HandInProgress.h"
#include "common/ExamPaper.h"
#include "common/ExamSettings.h"
#include "common/QuestionList.h"

#include <optional>
#include <string>
#include <vector>

namespace olv {

// The exam in progress, owned by the exam window for its whole life. Texts are GBK.
struct ExamState
{
    ExamSettings settings;
    // The settings came from the workspace copy: an interrupted exam is being resumed.
    bool resumed = false;
    // As it arrived: padded to 14 bytes after login or from the workspace copy, space-free
    // in review mode. File names use it with every space removed.
    std::string examNumber;
    std::string candidateName;
    std::string className;
    ExamPaper paper;
    int bankQuestionCount = 0;
    // One line per paper question: its number, "--", the confirmed letters.
    std::vector<std::string> answerCard;
    long elapsedSeconds = 0;
    // The paper as the exam window lists it, each line tagged with its question number.
    std::vector<RenderedLine> paperLines;
    // A hand-in that a restart found under way: the exam window completes it at once.
    std::optional<HandInProgress> handIn;
};

} // namespace olv

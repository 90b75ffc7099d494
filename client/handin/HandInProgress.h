#pragma once

#include "client/handin/Submission.h"
#include "client/startup/Workspace.h"

#include <optional>
#include <string_view>

namespace olv {

// The step a hand-in has reached. Each step is recorded before it starts, so a restart after a
// power cut knows what may have been done already.
enum class HandInStage
{
    Score = 1, // writing the score line
    Answers = 2, // writing the marked answer card and appending the answer record
    Copies = 3, // copying for review and telling the candidate
};

// The hand-in progress file of the workspace (E + ".hnd"). It holds the answer card as it was
// handed in, so the restart marks exactly the same answers. Its lines: the stage, the score and
// answer submission states (0 not yet, 1 written, 2 given up), the number of answer records equal
// to this candidate's found in the answer sheet before the append, then the answer card as the
// answer card file holds it.
struct HandInProgress
{
    HandInStage stage = HandInStage::Score;
    SubmissionState score = SubmissionState::NotStarted;
    SubmissionState answers = SubmissionState::NotStarted;
    int answerRecordsBefore = 0;
    AnswerCardFile card;
};

// Replaced whole, like every workspace file. False when it could not be written.
bool writeHandInProgress(const Workspace& workspace, std::string_view examNumber, const HandInProgress& progress);

enum class HandInRead
{
    None, // no hand-in was under way
    Read,
    Damaged, // present, but short or holding what no hand-in writes
};

// Reads the progress of an interrupted hand-in, its answer card of `questionCount` lines.
HandInRead readHandInProgress(
    const Workspace& workspace, std::string_view examNumber, int questionCount, HandInProgress& progress);

} // namespace olv

#include "client/handin/HandInProgress.h"

#include "common/CNumbers.h"
#include "common/TextLines.h"
#include "platform/ReplacingWrite.h"

#include <climits>

namespace olv {

namespace {

std::optional<int> readNumber(File& file, int lowest, int highest)
{
    std::string line;
    if (readLine(file, line) != LineRead::Line)
        return std::nullopt;
    const int number = cAtoi(line);
    if (line != std::to_string(number) || number < lowest || number > highest)
        return std::nullopt;
    return number;
}

std::string numberLine(int number) { return std::to_string(number) + "\n"; }

} // namespace

bool writeHandInProgress(const Workspace& workspace, std::string_view examNumber, const HandInProgress& progress)
{
    const std::string text = numberLine(static_cast<int>(progress.stage)) + numberLine(static_cast<int>(progress.score))
        + numberLine(static_cast<int>(progress.answers)) + numberLine(progress.answerRecordsBefore)
        + answerCardText(progress.card);
    return writeTextReplacing(workspace.handInFile(examNumber), text);
}

HandInRead readHandInProgress(
    const Workspace& workspace, std::string_view examNumber, int questionCount, HandInProgress& progress)
{
    std::optional<File> file = File::open(workspace.handInFile(examNumber), OpenMode::ReadOnly, Sharing::Shared);
    if (!file)
        return HandInRead::None;
    const std::optional<int> stage = readNumber(*file, 1, 3);
    const std::optional<int> score = readNumber(*file, 0, 2);
    const std::optional<int> answers = readNumber(*file, 0, 2);
    const std::optional<int> recordsBefore = readNumber(*file, 0, INT_MAX);
    std::optional<AnswerCardFile> card = readAnswerCard(*file, questionCount);
    if (!stage || !score || !answers || !recordsBefore || !card)
        return HandInRead::Damaged;
    progress = { static_cast<HandInStage>(*stage), static_cast<SubmissionState>(*score),
        static_cast<SubmissionState>(*answers), *recordsBefore, std::move(*card) };
    return HandInRead::Read;
}

} // namespace olv

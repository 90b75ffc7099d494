#include "admin/bank/ui/BankCopyDialog.h"
#include "admin/bank/ui/BankEditorDialog.h"
#include "admin/bank/ui/BankMergeDialog.h"
#include "admin/bank/ui/QuestionViewDialog.h"
#include "admin/ui/AdminTools.h"
#include "admin/answers/ui/AnswerAnalysisDialog.h"
#include "admin/merge/ui/FileMergeDialog.h"
#include "admin/scores/ui/ScoreEditorDialog.h"
#include "admin/scores/ui/ScoreViewerDialog.h"
#include "admin/room/ui/RoomViewDialog.h"
#include "platform/Clock.h"

namespace olv {

AdminTools adminTools(const Clock& clock)
{
    AdminTools tools;
    tools.scoreViewer = runScoreViewer;
    tools.answerAnalysis = runAnswerAnalysis;
    tools.questionView = [&clock](QWidget* parent, Prompter& prompter, const ExamSettings& settings) {
        runQuestionView(parent, prompter, settings, clock.nowSeconds());
    };
    tools.bankEditor = runBankEditor;
    tools.scoreEditor = runScoreEditor;
    tools.bankCopy = runBankCopy;
    tools.scoreMerge = runScoreMerge;
    tools.answerMerge = runAnswerMerge;
    tools.bankMerge = runBankMerge;
    tools.roomView = [&clock](QWidget* parent, Prompter& prompter, const std::filesystem::path& scoreFile) {
        runRoomView(parent, prompter, scoreFile, clock);
    };
    return tools;
}

} // namespace olv

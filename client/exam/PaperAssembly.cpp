#include "client/exam/PaperAssembly.h"

#include "client/exam/ExamState.h"
#include "client/startup/ClientEnvironment.h"
#include "client/startup/Workspace.h"
#include "common/Prompter.h"
#include "common/QuestionBankFile.h"
#include "platform/PathMapping.h"

namespace olv {

namespace {

std::string_view bankReadMessage(BankReadFailure failure)
{
    switch (failure) {
    case BankReadFailure::CannotCreateTemporary:
        return "在d:中不能创建临时文件,";
    case BankReadFailure::CannotOpenTemporary:
        return "不能打开文件";
    case BankReadFailure::CannotOpenBank:
        break;
    }
    return "不能打开试题库文件";
}

std::optional<QuestionBank> readBank(const ExamState& state, const ClientEnvironment& env, const Workspace& workspace)
{
    // Right after login: the whole hall may be reading the bank in the same second.
    BankReadResult read = readQuestionBank(nativePath(state.settings.bankFile, env.localDriveRoot),
        workspace.bankTemporary(state.examNumber), candidateLockWait);
    if (!read.bank)
        env.prompter.message(bankReadMessage(read.failure));
    return std::move(read.bank);
}

bool drawInto(ExamState& state, const ClientEnvironment& env, QuestionBank bank)
{
    state.bankQuestionCount = static_cast<int>(bank.questionCount());
    std::optional<ExamPaper> paper
        = drawPaper(std::move(bank), state.settings, state.examNumber, env.clock.nowSeconds());
    if (!paper) {
        env.prompter.message("试题库文件有错");
        return false;
    }
    state.paper = std::move(*paper);
    return true;
}

// A resumed paper is drawn from the paper file, so its own numbers are paper positions: the
// bank's numbers were kept in the question index.
bool restoreBankNumbers(ExamState& state, const ClientEnvironment& env, const Workspace& workspace)
{
    std::optional<std::vector<int>> numbers
        = readQuestionIndex(workspace, state.examNumber, state.paper.questionCount());
    if (!numbers) {
        env.prompter.message("本地磁盘中存放的数据不全.");
        return false;
    }
    state.paper.bankNumbers = std::move(*numbers);
    return true;
}

bool writeLocalCopies(const ExamState& state, const ClientEnvironment& env, const Workspace& workspace)
{
    switch (writePaperFile(workspace, state.examNumber, state.paper.questions)) {
    case BankWriteResult::Written:
        break;
    case BankWriteResult::CannotCreateTemporary:
        env.prompter.message("不能创建本地文件");
        return false;
    case BankWriteResult::CannotReplaceTarget:
        env.prompter.message("不能写入本地库文件");
        return false;
    }
    if (!writeQuestionIndex(workspace, state.examNumber, state.paper.bankNumbers)) {
        env.prompter.message("题号不能写入本地库文件");
        return false;
    }
    writeWorkspaceSettings(workspace, state.settings, state.examNumber); // the exam goes on without it
    return true;
}

} // namespace

bool assemblePaper(ExamState& state, const ClientEnvironment& env)
{
    const Workspace workspace(env.workspace());
    std::optional<QuestionBank> bank = readBank(state, env, workspace);
    if (!bank || !drawInto(state, env, std::move(*bank)))
        return false;
    if (state.resumed && !restoreBankNumbers(state, env, workspace))
        return false;
    if (!state.settings.reviewMode && !writeLocalCopies(state, env, workspace))
        return false;
    state.paperLines = renderQuestionList(QuestionListVariant::PaperView, state.paper.questions, &state.settings);
    return true;
}

} // namespace olv

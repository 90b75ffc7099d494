#include "admin/bank/BankReading.h"

#include "common/Answer.h"

#include <string>

namespace olv {

std::string bankReadFailureMessage(BankReadFailure failure)
{
    switch (failure) {
    case BankReadFailure::CannotOpenBank:
        break;
    case BankReadFailure::CannotCreateTemporary:
        return std::string("不能创建临时文件") + bankReadTemporaryName;
    case BankReadFailure::CannotOpenTemporary:
        return std::string("不能打开文件") + bankReadTemporaryName;
    }
    return "不能打开试题库文件";
}

std::optional<QuestionBank> readBankTelling(const std::filesystem::path& bankPath, Prompter& prompter)
{
    auto result = readQuestionBank(bankPath, bankReadTemporaryName);
    if (!result.bank)
        prompter.message(bankReadFailureMessage(result.failure));
    return std::move(result.bank);
}

void normalizeAnswers(QuestionBank& bank)
{
    for (QuestionKind kind : allQuestionKinds)
        for (Question& question : bank.questionsOf(kind))
            question.answer = normalizeAnswer(kind, question.answer);
}

} // namespace olv

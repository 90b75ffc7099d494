#include "admin/bank/BankReading.h"

#include "common/Answer.h"
#include "common/QuestionBankFile.h"

#include <string>

namespace olv {

std::optional<QuestionBank> readBankTelling(const std::filesystem::path& bankPath, Prompter& prompter)
{
    auto result = readQuestionBank(bankPath, bankReadTemporaryName);
    if (result.bank)
        return std::move(result.bank);
    switch (result.failure) {
    case BankReadFailure::CannotOpenBank:
        prompter.message("不能打开试题库文件");
        break;
    case BankReadFailure::CannotCreateTemporary:
        prompter.message(std::string("不能创建临时文件") + bankReadTemporaryName);
        break;
    case BankReadFailure::CannotOpenTemporary:
        prompter.message(std::string("不能打开文件") + bankReadTemporaryName);
        break;
    }
    return std::nullopt;
}

void normalizeAnswers(QuestionBank& bank)
{
    for (QuestionKind kind : allQuestionKinds)
        for (Question& question : bank.questionsOf(kind))
            question.answer = normalizeAnswer(kind, question.answer);
}

} // namespace olv

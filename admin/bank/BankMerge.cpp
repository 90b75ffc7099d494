#include "admin/bank/BankMerge.h"

#include "admin/bank/BankReading.h"
#include "admin/bank/OutputFile.h"
#include "common/QuestionBankFile.h"

namespace olv {

QuestionBank mergeBanks(QuestionBank first, const QuestionBank& second)
{
    for (QuestionKind kind : allQuestionKinds) {
        auto& merged = first.questionsOf(kind);
        const auto& added = second.questionsOf(kind);
        merged.insert(merged.end(), added.begin(), added.end());
    }
    return first;
}

BankMergeOutcome BankMerge::merge()
{
    if (first.empty() || second.empty() || target.empty()) {
        m_prompter.message("请选择文件");
        return BankMergeOutcome::Refused;
    }
    // Also two spellings of one file are one file.
    if (first == second || sameFile(first, second)) {
        m_prompter.message("试题库文件1与试题库文件2不能为同一个文件.\n请重新选择");
        return BankMergeOutcome::Refused;
    }
    auto firstBank = readBankTelling(first, m_prompter);
    if (!firstBank)
        return BankMergeOutcome::ReadFailed;
    const auto secondBank = readBankTelling(second, m_prompter);
    if (!secondBank)
        return BankMergeOutcome::ReadFailed;

    switch (writeQuestionBank(mergeBanks(std::move(*firstBank), *secondBank), target)) {
    case BankWriteResult::Written:
        m_prompter.message("合并完成");
        return BankMergeOutcome::Merged;
    case BankWriteResult::CannotCreateTemporary:
        m_prompter.message(std::string("不能创建临时文件") + std::string(bankWriteTemporaryName));
        break;
    case BankWriteResult::CannotReplaceTarget:
        m_prompter.message("不能写入文件" + target);
        break;
    }
    return BankMergeOutcome::WriteFailed;
}

} // namespace olv

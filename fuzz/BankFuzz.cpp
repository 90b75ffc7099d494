// The question bank reader, with the paper drawn from what it read and both lists laid out.
#include "FuzzFiles.h"
#include "common/ExamPaper.h"
#include "common/ExamSettingsFile.h"
#include "common/QuestionBankFile.h"
#include "common/QuestionList.h"

using namespace olv;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::filesystem::path bankFile = fuzz::scratchFolder() / "bank.kst";
    fuzz::writeFile(bankFile, fuzz::bytesOf(data, size));
    BankReadResult read = readQuestionBank(bankFile, fuzz::scratchFolder() / "stk.bak");
    if (!read.bank)
        return 0;
    renderQuestionList(QuestionListVariant::BankView, *read.bank);
    ExamSettings settings = clientDefaults();
    settings.shuffleQuestions = 1;
    settings.shuffleOptions = 1;
    if (std::optional<ExamPaper> paper = drawPaper(*read.bank, settings, "1001", 1700000000))
        renderQuestionList(QuestionListVariant::PaperView, paper->questions, &settings);
    return 0;
}

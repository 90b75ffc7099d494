#include "tools/OlvTool.h"

#include "common/ByteSwap.h"
#include "common/QuestionBankFile.h"

namespace olv::tool {

void bankText(const std::vector<std::string>& args, std::ostream& out)
{
    expectArguments(args, 1, "bank-text BANK");
    auto bytes = readWholeFile(args[0]);
    swapBytePairs(std::span<char>(bytes));
    out << displayText(bytes);
}

void bankPack(const std::vector<std::string>& args, std::ostream&)
{
    expectArguments(args, 2, "bank-pack TEXT BANK");
    writeBank(parseQuestionBankText(readGbkText(args[0])), args[1]);
}

void bankView(const std::vector<std::string>& args, std::ostream& out)
{
    expectArguments(args, 1, "bank-view BANK");
    printTaggedLines(renderQuestionList(QuestionListVariant::BankView, readBank(args[0])), out);
}

} // namespace olv::tool

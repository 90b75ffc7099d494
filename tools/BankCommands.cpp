#include "tools/OlvTool.h"

#include "common/ByteSwap.h"
#include "common/QuestionBankFile.h"
#include "platform/Gbk.h"

#include <algorithm>

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
    std::string text = readWholeFile(args[0]);
    std::erase(text, '\r');
    const auto gbkText = utf8ToGbk(text);
    // Every character that GBK cannot hold turns into "?": refuse rather than store it.
    if (std::count(gbkText.begin(), gbkText.end(), '?') != std::count(text.begin(), text.end(), '?'))
        throw ToolError(args[0] + " holds characters that GBK cannot represent");
    switch (writeQuestionBank(parseQuestionBankText(gbkText), args[1])) {
    case BankWriteResult::Written:
        return;
    case BankWriteResult::CannotCreateTemporary:
        throw ToolError("cannot create the temporary file beside " + args[1]);
    case BankWriteResult::CannotReplaceTarget:
        break;
    }
    throw ToolError("cannot write " + args[1]);
}

void bankView(const std::vector<std::string>& args, std::ostream& out)
{
    expectArguments(args, 1, "bank-view BANK");
    printTaggedLines(renderQuestionList(QuestionListVariant::BankView, readBank(args[0])), out);
}

} // namespace olv::tool

#include "admin/bank/BankCheck.h"
#include "tools/OlvTool.h"

#include <algorithm>

namespace olv::tool {

void bankCheck(const std::vector<std::string>& args, std::ostream& out)
{
    expectArguments(args, 1, "bank-check BANK");
    const QuestionBank bank = readBank(args[0]);
    // An empty or zeroed file (a copy cut short, a disk that lost it) parses as a bank without
    // questions: no question breaks a rule, yet there is nothing to draw a paper from.
    if (bank.questionCount() == 0)
        throw ToolError(args[0] + " holds no question bank: not one question in it");
    const auto findings = checkBank(bank);
    for (const auto& finding : findings) {
        std::string message = finding.message;
        std::replace(message.begin(), message.end(), '\n', ' ');
        out << finding.questionNumber << '\t' << message << '\n';
    }
    if (!findings.empty())
        throw ToolError(std::to_string(findings.size()) + " finding(s) in " + args[0]);
}

} // namespace olv::tool

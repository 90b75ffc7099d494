#include "admin/bank/BankCheck.h"
#include "tools/OlvTool.h"

#include <algorithm>

namespace olv::tool {

void bankCheck(const std::vector<std::string>& args, std::ostream& out)
{
    expectArguments(args, 1, "bank-check BANK");
    const auto findings = checkBank(readBank(args[0]));
    for (const auto& finding : findings) {
        std::string message = finding.message;
        std::replace(message.begin(), message.end(), '\n', ' ');
        out << finding.questionNumber << '\t' << message << '\n';
    }
    if (!findings.empty())
        throw ToolError(std::to_string(findings.size()) + " finding(s) in " + args[0]);
}

} // namespace olv::tool

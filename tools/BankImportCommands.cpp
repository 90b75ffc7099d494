#include "tools/OlvTool.h"

#include "admin/bank/import/BankImport.h"
#include "admin/bank/import/MoodleXmlExport.h"

#include <iostream>

namespace olv::tool {

void bankImport(const std::vector<std::string>& args, std::ostream&)
{
    expectArguments(args, 2, "bank-import IN OUT.kst");
    const ImportResult result = importQuestionFile(args[0]);
    if (result.failure)
        throw ToolError(args[0] + ": " + *result.failure);
    writeBank(result.questions, args[1]);
    for (const ImportRefusal& refusal : result.refusals)
        std::cerr << refusal.position << '\t' << refusal.reason << '\n';
    if (!result.refusals.empty())
        throw ToolError(importSummary(result));
}

void bankExportMoodle(const std::vector<std::string>& args, std::ostream&)
{
    expectArguments(args, 2, "bank-export-moodle BANK OUT.xml");
    if (!writeMoodleXml(readBank(args[0]), args[1]))
        throw ToolError("cannot write " + args[1]);
}

} // namespace olv::tool

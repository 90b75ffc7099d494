#include "tools/OlvTool.h"

#include "common/ScoreDatabase.h"
#include "common/ScoreRecord.h"
#include "platform/Gbk.h"

namespace olv::tool {

void scores(const std::vector<std::string>& args, std::ostream& out)
{
    expectArguments(args, 1, "scores SCOREFILE");
    // Read-only and shared: looking must never stand in the way of an exam machine.
    const auto lines = readScoreLines(args[0], OpenMode::ReadOnly, Sharing::Shared);
    if (lines.result == FileResult::CannotOpen)
        throw ToolError(openFailure(args[0]));
    if (lines.result == FileResult::TooLarge)
        throw ToolError(args[0] + " is larger than a score database can be: not read");
    if (lines.result == FileResult::Failed)
        throw ToolError("cannot read " + args[0]);
    for (const auto& line : lines.lines)
        out << gbkToUtf8(swapLineBytePairs(line)) << '\n';
}

} // namespace olv::tool

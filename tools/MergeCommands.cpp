#include "admin/merge/FileMerge.h"
#include "tools/OlvTool.h"

namespace olv::tool {

namespace {

void merge(MergeKind kind, const std::vector<std::string>& args, const char* usage)
{
    expectArguments(args, 3, usage);
    switch (mergeFiles(kind, args[0], args[1], args[2])) {
    case MergeOutcome::Done:
        return;
    case MergeOutcome::SameInputs:
        throw ToolError("the two inputs are the same file " + args[0]);
    case MergeOutcome::NewFileIsAnInput:
        throw ToolError("the new file " + args[2] + " is one of the inputs");
    case MergeOutcome::CannotCreate:
        throw ToolError("cannot create " + args[2]);
    case MergeOutcome::CannotOpenFirst:
        throw ToolError(openFailure(args[0]));
    case MergeOutcome::CannotOpenSecond:
        break;
    }
    throw ToolError(openFailure(args[1]));
}

} // namespace

void mergeScores(const std::vector<std::string>& args, std::ostream&)
{
    merge(MergeKind::ScoreDatabases, args, "merge-scores FIRST SECOND OUT");
}

void mergeAnswers(const std::vector<std::string>& args, std::ostream&)
{
    merge(MergeKind::AnswerSheets, args, "merge-answers FIRST SECOND OUT");
}

} // namespace olv::tool

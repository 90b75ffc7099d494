#include "admin/scores/AcceptedScoreLines.h"
#include "admin/answers/AnswerAnalysis.h"
#include "admin/answers/ItemStatistics.h"
#include "admin/scores/ScoreList.h"
#include "admin/scores/ScoreRetake.h"
#include "admin/bank/OutputFile.h"
#include "common/AnswerRecord.h"
#include "common/ScoreDatabase.h"
#include "platform/Gbk.h"
#include "tools/OlvTool.h"

#include <iostream>

namespace olv::tool {

namespace {

constexpr const char* scoreListUsage = "score-list SCOREFILE [ORDER]";

ScoreSortOrder sortOrderArgument(const std::string& text)
{
    if (text.size() != 1 || text[0] < '0' || text[0] > '4')
        throw ToolError(std::string("ORDER is 0 (score), 1 (exam number), 2 (class, score), 3 (class, exam number) "
                                    "or 4 (file order): usage: olvtool ")
            + scoreListUsage);
    return static_cast<ScoreSortOrder>(text[0] - '0');
}

std::vector<std::string> linesOf(TextLines read, const std::string& path)
{
    if (read.result == FileResult::CannotOpen)
        throw ToolError(openFailure(path));
    if (read.result == FileResult::Failed)
        throw ToolError("cannot read " + path);
    if (read.result == FileResult::TooLarge)
        throw ToolError(path + " is larger than a score database can be (" + std::to_string(scoreDatabaseSizeLimit)
            + " bytes): not read");
    return std::move(read.lines);
}

// The lines as a saved list holds them, each ended by LF (an answer sheet line's own CR with it),
// one at a time: a list as large as its file is not copied again whole.
void printList(const std::vector<std::string>& lines, std::ostream& out)
{
    for (const std::string& line : lines)
        out << displayText(line + '\n');
}

} // namespace

void scoreList(const std::vector<std::string>& args, std::ostream& out)
{
    if (args.size() != 1 && args.size() != 2)
        throw ToolError(std::string("usage: olvtool ") + scoreListUsage);
    const ScoreSortOrder order = args.size() == 2 ? sortOrderArgument(args[1]) : ScoreSortOrder::FileOrder;
    // Read-only and shared: looking must never stand in the way of an exam machine.
    const AcceptedScoreLines accepted
        = acceptScoreLines(linesOf(readScoreLines(args[0], OpenMode::ReadOnly, Sharing::Shared), args[0]));
    for (const DamagedScoreLine& damaged : accepted.damaged)
        std::cerr << "olvtool: " << args[0] << " line " << damaged.lineNumber
                  << (damaged.status == ScoreLineStatus::TooLong ? ": too long" : ": not a record") << ", left out\n";
    if (accepted.records.empty())
        throw ToolError("no records in " + args[0]);
    printList(scoreListLines(accepted.records, order), out);
}

void answerList(const std::vector<std::string>& args, std::ostream& out)
{
    expectArguments(args, 1, "answer-list ANSWERFILE");
    TextLines read = readAnswerLines(args[0], longestAnswerLine);
    for (std::size_t lineNumber : read.overlong)
        std::cerr << "olvtool: " << args[0] << " line " << lineNumber << ": longer than the record of a bank of "
                  << maxBankQuestions << " questions, left out\n";
    const std::vector<std::string> lines = linesOf(std::move(read), args[0]);
    if (lines.empty())
        throw ToolError("no records in " + args[0]);
    printList(answerAnalysisLines(lines), out);
}

void itemStats(const std::vector<std::string>& args, std::ostream& out)
{
    // item-stats ANSWERFILE prints the table; item-stats --xlsx ANSWERFILE OUT.xlsx writes it.
    const bool xlsx = !args.empty() && args[0] == "--xlsx";
    if (xlsx)
        expectArguments(args, 3, "item-stats --xlsx ANSWERFILE OUT.xlsx");
    else
        expectArguments(args, 1, "item-stats ANSWERFILE");
    const std::string& answers = args[xlsx ? 1 : 0];
    const ItemStatistics statistics = itemStatistics(linesOf(readAnswerLines(answers), answers));
    if (statistics.records == 0)
        throw ToolError("no records in " + answers);
    if (!xlsx)
        out << itemStatisticsText(statistics);
    else if (!writeItemStatisticsXlsx(args[2], statistics))
        throw ToolError("cannot write " + args[2]);
}

void retake(const std::vector<std::string>& args, std::ostream& out)
{
    expectArguments(args, 2, "retake SCOREFILE EXAMNUMBER");
    const RetakeOutcome outcome = clearScore(args[0], utf8ToGbk(args[1]));
    switch (outcome.result) {
    case RetakeResult::CannotOpen:
        throw ToolError("cannot open " + args[0] + " for writing (missing, read-only or in use by an exam machine)");
    case RetakeResult::NotFound:
        throw ToolError("no record with exam number " + args[1] + " in " + args[0]);
    case RetakeResult::Failed:
        throw ToolError("cannot write " + args[0]);
    case RetakeResult::Done:
        break;
    }
    out << "score field cleared, was: " << gbkToUtf8(formatScoreLine(outcome.previous)) << '\n';
}

} // namespace olv::tool

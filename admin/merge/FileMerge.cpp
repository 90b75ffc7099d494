#include "admin/merge/FileMerge.h"

#include "common/AnswerRecord.h"
#include "common/ScoreDatabase.h"
#include "platform/File.h"
#include "platform/ReplacingWrite.h"

#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace olv {

namespace {

// By file identity, so another spelling of the same path, a link or a hard link is caught too.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b)
{
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

TextLines readInput(MergeKind kind, const std::filesystem::path& path)
{
    return kind == MergeKind::ScoreDatabases ? readScoreLines(path, OpenMode::ReadOnly) : readAnswerLines(path);
}

bool copyLines(File& out, const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += '\n';
    }
    return out.writeText(text);
}

} // namespace

MergeOutcome mergeFiles(MergeKind kind, const std::filesystem::path& first, const std::filesystem::path& second,
    const std::filesystem::path& newFile)
{
    if (first.native() == second.native())
        return MergeOutcome::SameInputs;
    for (const std::filesystem::path& output : { newFile, replacementTemporary(newFile) }) {
        if (sameFile(output, first) || sameFile(output, second))
            return MergeOutcome::NewFileIsAnInput;
    }

    MergeOutcome outcome = MergeOutcome::Done;
    const bool written = replaceFileContent(newFile, [&](File& out) {
        TextLines firstLines = readInput(kind, first);
        if (firstLines.result != FileResult::Done) {
            outcome = MergeOutcome::CannotOpenFirst;
            return false;
        }
        TextLines secondLines;
        if (kind == MergeKind::ScoreDatabases) {
            secondLines = readInput(kind, second);
            if (secondLines.result != FileResult::Done) {
                outcome = MergeOutcome::CannotOpenSecond;
                return false;
            }
        }
        if (!copyLines(out, firstLines.lines))
            return false;
        if (kind == MergeKind::AnswerSheets) {
            secondLines = readInput(kind, second);
            if (secondLines.result != FileResult::Done) {
                outcome = MergeOutcome::CannotOpenSecond;
                return false;
            }
        }
        return copyLines(out, secondLines.lines);
    }) == ReplacingWriteResult::Written;
    if (!written && outcome == MergeOutcome::Done)
        outcome = MergeOutcome::CannotCreate;
    return outcome;
}

} // namespace olv

#pragma once

#include <filesystem>

namespace olv {

enum class MergeKind
{
    ScoreDatabases,
    AnswerSheets
};

enum class MergeOutcome
{
    Done,
    SameInputs, // the two inputs are the same path text
    NewFileIsAnInput, // the new file (or its temporary) is the same file as an input
    CannotCreate, // the new file cannot be written
    CannotOpenFirst,
    CannotOpenSecond
};

// Writes every line of `first`, then every line of `second`, each with a fresh line end, to
// `newFile`, copying the bytes of each line as they are. The new file replaces an earlier one
// only once it is complete; a failed merge leaves no half file and never touches an input.
// A score database input is opened exclusively, as every program opens one, and both are opened
// before anything is written; the second answer sheet is opened after the first was copied.
MergeOutcome mergeFiles(MergeKind kind, const std::filesystem::path& first, const std::filesystem::path& second,
    const std::filesystem::path& newFile);

} // namespace olv

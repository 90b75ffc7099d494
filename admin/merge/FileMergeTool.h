#pragma once

#include "admin/merge/FileMerge.h"
#include "common/Prompter.h"

#include <array>
#include <string>

namespace olv {

// The three paths of a merge dialog, in the order of its buttons.
enum class MergePath
{
    First,
    Second,
    NewFile
};

// What differs between the score database merge and the answer sheet merge (UTF-8).
struct MergeTexts
{
    const char* caption;
    std::array<const char*, 3> buttons; // first input, second input, new file
    const char* inputFilter;
    const char* newFileFilter;
    const char* newFileExtension; // added to a new name without "."; empty for none
    const char* sameInputs;
    const char* newFileIsAnInput;
    const char* cannotCreate; // followed by the path
    const char* cannotOpen; // followed by the path
};

const MergeTexts& mergeTexts(MergeKind kind);

class FileMergeView
{
public:
    virtual ~FileMergeView() = default;
    virtual void showPath(MergePath which, const std::string& utf8Path) = 0;
    virtual void closeWindow() = 0;
};

// The rules of the dialogs "合并成绩库文件" and "合并答题卷文件": pick the inputs and the new file in
// any order, merge as often as wanted; a failed open ends the dialog.
class FileMergeTool
{
public:
    FileMergeTool(MergeKind kind, FileMergeView& view, Prompter& prompter);

    void choose(MergePath which);
    void merge();

    const std::string& path(MergePath which) const { return m_paths[static_cast<std::size_t>(which)]; }

private:
    MergeKind m_kind;
    const MergeTexts& m_texts;
    FileMergeView& m_view;
    Prompter& m_prompter;
    std::array<std::string, 3> m_paths; // UTF-8
};

} // namespace olv

#include "admin/merge/FileMergeTool.h"

#include "common/SaveName.h"

#include <optional>

namespace olv {

namespace {

constexpr MergeTexts scoreDatabaseTexts {
    "合并成绩库文件",
    { "成绩文件1", "成绩文件2", "新成绩文件" },
    "成绩库文件(*.kcj)|*.kcj|所有文件(*.*)|*.*|",
    "请输入新成绩库文件(*.kcj)|NULL|",
    ".kcj",
    "成绩库文件1与成绩库文件2不能为同一个文件.\n请重新选择",
    "新成绩库文件不能与成绩库文件1或成绩库文件2为同一个文件.\n请重新选择",
    "不能新建成绩库",
    "不能打开成绩库",
};

constexpr MergeTexts answerSheetTexts {
    "合并答题卷文件",
    { "答题卷文件1", "答题卷文件2", "新答题卷文件" },
    "所有文件(*.*)|*.*|",
    "请输入新答题卷文件名|NULL|",
    "",
    "答题卷文件1与答题卷文件2不能为同一个文件.\n请重新选择",
    "新答题卷文件不能与答题卷文件1或答题卷文件2为同一个文件.\n请重新选择",
    "不能新建答题卷文件:",
    "不能打开答题卷文件:",
};

std::filesystem::path pathOf(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

} // namespace

const MergeTexts& mergeTexts(MergeKind kind)
{
    return kind == MergeKind::ScoreDatabases ? scoreDatabaseTexts : answerSheetTexts;
}

FileMergeTool::FileMergeTool(MergeKind kind, FileMergeView& view, Prompter& prompter)
    : m_kind(kind)
    , m_texts(mergeTexts(kind))
    , m_view(view)
    , m_prompter(prompter)
{ }

void FileMergeTool::choose(MergePath which)
{
    std::optional<std::string> chosen = which == MergePath::NewFile ? m_prompter.saveFileName(m_texts.newFileFilter)
                                                                    : m_prompter.openFileName(m_texts.inputFilter);
    if (!chosen)
        return;
    if (which == MergePath::NewFile)
        chosen = withDefaultExtension(std::move(*chosen), m_texts.newFileExtension);
    m_paths[static_cast<std::size_t>(which)] = *chosen;
    m_view.showPath(which, *chosen);
}

void FileMergeTool::merge()
{
    const std::string& first = path(MergePath::First);
    const std::string& second = path(MergePath::Second);
    const std::string& newFile = path(MergePath::NewFile);
    if (first.empty() || second.empty() || newFile.empty()) {
        m_prompter.message("请选择文件");
        return;
    }
    switch (mergeFiles(m_kind, pathOf(first), pathOf(second), pathOf(newFile))) {
    case MergeOutcome::Done:
        m_prompter.message("合并完成");
        return;
    case MergeOutcome::SameInputs:
        m_prompter.message(m_texts.sameInputs);
        return;
    case MergeOutcome::NewFileIsAnInput:
        m_prompter.message(m_texts.newFileIsAnInput);
        return;
    case MergeOutcome::CannotCreate:
        m_prompter.message(m_texts.cannotCreate + newFile);
        break;
    case MergeOutcome::CannotOpenFirst:
        m_prompter.message(m_texts.cannotOpen + first);
        break;
    case MergeOutcome::CannotOpenSecond:
        m_prompter.message(m_texts.cannotOpen + second);
        break;
    }
    m_view.closeWindow();
}

} // namespace olv

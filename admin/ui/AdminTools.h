#pragma once

#include "common/ExamSettings.h"

#include <filesystem>
#include <functional>

class QWidget;

namespace olv {

class Clock;
class Prompter;

// The tools the settings dialog and the merge chooser open, each as a modal dialog over
// `parent`. Paths are native paths of this machine. A button whose tool is not set is
// disabled.
struct AdminTools
{
    std::function<void(QWidget*, Prompter&, const std::filesystem::path& scoreFile)> scoreViewer; // 查看成绩
    // 答题情况, with the bank of the settings for the stems of its item analysis.
    std::function<void(QWidget*, Prompter&, const std::filesystem::path& answerFile,
        const std::filesystem::path& bankFile)>
        answerAnalysis;
    std::function<void(QWidget*, Prompter&, const ExamSettings&)> questionView; // 查看试题
    std::function<void(QWidget*, Prompter&, const std::filesystem::path& bankFile)> bankEditor; // 编辑试题库
    std::function<void(QWidget*, Prompter&, const std::filesystem::path& scoreFile)> scoreEditor; // 编辑成绩库
    // 复制试题库: runs with the bank's folder as the working directory.
    std::function<void(QWidget*, Prompter&, const std::filesystem::path& bankFile)> bankCopy;
    std::function<void(QWidget*, Prompter&, const std::filesystem::path& scoreFile)> roomView; // 考场监控
    // The merges of the chooser "文件合并".
    std::function<void(QWidget*, Prompter&)> scoreMerge, answerMerge, bankMerge;
};

// The tools of the program as built. The written paper and its key take the time from `clock`,
// which must outlive the tools.
AdminTools adminTools(const Clock& clock);

} // namespace olv

#pragma once

#include "common/QuestionList.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace olv {

// The input form of the bank editor. Texts are GBK; the stem's lines are separated by CR LF.
struct BankForm
{
    std::string stem;
    std::array<std::string, 4> options;
    std::string answer;
    QuestionKind kind = QuestionKind::SingleChoice;

    bool operator==(const BankForm&) const = default;
};

// What the bank editor's rules need from its window.
class BankEditorView
{
public:
    virtual ~BankEditorView() = default;

    virtual void showPath(const std::string& path) = 0; // UTF-8
    // The lists shown are about to change: nothing may read them until showLists.
    virtual void listsChanging() = 0;
    // Both lists anew; no line is selected afterwards. The vectors belong to the editor and
    // stay as they are until the next listsChanging, so a window may show them without a copy.
    virtual void showLists(const std::vector<RenderedLine>& questionLines, const std::vector<RenderedLine>& answerLines)
        = 0;
    virtual void selectQuestionLine(std::size_t row) = 0;
    virtual void selectAnswer(std::size_t row) = 0;
    virtual void showCurrentNumber(int number) = 0;
    // "插入当前处", "替换当前处", "删除当前题" and "获取当前题".
    virtual void enableCurrentQuestionButtons(bool enabled) = 0;
    virtual void enableOptions(bool enabled) = 0;
    virtual BankForm form() const = 0;
    // Why the form cannot be taken as it is typed (a character GBK cannot hold; UTF-8), or nothing.
    virtual std::optional<std::string> entryRefusal() const { return std::nullopt; }
    // The stem, option and answer boxes; the kind buttons stay as they are.
    virtual void showFormTexts(const BankForm& form) = 0;
    virtual void showProgress(int minimum, int maximum, int position) = 0;
    virtual void closeEditor() = 0;
};

} // namespace olv

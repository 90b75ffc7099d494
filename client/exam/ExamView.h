#pragma once

#include <array>
#include <string>
#include <string_view>

namespace olv {

// What the exam window's rules need from the window. The Qt window implements it; tests
// drive the rules with a fake. Texts of lines are GBK, captions UTF-8. Selections made
// through this interface never count as the candidate's commands.
class ExamView
{
public:
    virtual ~ExamView() = default;

    // The four check boxes and the radio group (-1 none, 0 A ... 3 D).
    struct AnswerInput
    {
        std::array<bool, 4> checks {};
        int radio = -1;
        bool operator==(const AnswerInput&) const = default;
    };
    enum class AnswerControls
    {
        RadioButtons,
        CheckBoxes
    };

    virtual void showAnswerControls(AnswerControls controls) = 0;
    virtual void setRadioButtonsCAndDEnabled(bool enabled) = 0;
    virtual void setAnswerInput(const AnswerInput& input) = 0;
    virtual AnswerInput answerInput() const = 0;

    virtual void setCurrentQuestion(int number) = 0;
    // scrollToTop: the line also becomes the first visible line of its list.
    virtual void selectPaperLine(int index, bool scrollToTop) = 0;
    virtual void selectAnswerCardLine(int index, bool scrollToTop) = 0;
    virtual void setAnswerCardLine(int index, const std::string& text) = 0;

    virtual void setRemainingTime(const std::string& text) = 0;
    virtual void stopTimer() = 0;
    // Marking has started: confirm, radio buttons and check boxes off for good.
    virtual void disableAnswering() = 0;
    virtual void setHandInCaption(std::string_view caption) = 0;
    // Ends the program.
    virtual void closeWindow() = 0;
};

} // namespace olv

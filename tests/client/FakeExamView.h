#pragma once

#include "client/exam/ExamView.h"

#include <string>
#include <vector>

namespace olv::test {

// What the candidate set: radio button `index` (-1 none), or the four check boxes.
inline ExamView::AnswerInput radio(int index) { return { {}, index }; }
inline ExamView::AnswerInput checks(bool a, bool b, bool c, bool d) { return { { a, b, c, d }, -1 }; }

// The exam window's controls as plain fields. A test plays the candidate by changing
// `input` directly, as clicks on the controls would.
class FakeExamView : public ExamView
{
public:
    struct Selection
    {
        int index = -1;
        bool scrollToTop = false;
        bool operator==(const Selection&) const = default;
    };

    AnswerInput input;
    AnswerControls controls = AnswerControls::RadioButtons;
    bool radioButtonsCAndDEnabled = true;
    int currentQuestion = 0;
    Selection paperLine;
    Selection answerCardLine;
    std::vector<std::string> answerCardLines; // as shown, GBK
    std::vector<std::string> remainingTimes; // every text shown, in order
    int timerStops = 0;
    bool answeringDisabled = false;
    std::string handInCaption;
    int closes = 0;

    void showAnswerControls(AnswerControls shown) override { controls = shown; }
    void setRadioButtonsCAndDEnabled(bool enabled) override { radioButtonsCAndDEnabled = enabled; }
    void setAnswerInput(const AnswerInput& shown) override { input = shown; }
    AnswerInput answerInput() const override { return input; }
    void setCurrentQuestion(int number) override { currentQuestion = number; }
    void selectPaperLine(int index, bool scrollToTop) override { paperLine = { index, scrollToTop }; }
    void selectAnswerCardLine(int index, bool scrollToTop) override { answerCardLine = { index, scrollToTop }; }
    void setAnswerCardLine(int index, const std::string& text) override
    {
        if (static_cast<std::size_t>(index) >= answerCardLines.size())
            answerCardLines.resize(static_cast<std::size_t>(index) + 1);
        answerCardLines[static_cast<std::size_t>(index)] = text;
    }
    void setRemainingTime(const std::string& text) override { remainingTimes.push_back(text); }
    void stopTimer() override { ++timerStops; }
    void disableAnswering() override { answeringDisabled = true; }
    void setHandInCaption(std::string_view caption) override { handInCaption = caption; }
    void closeWindow() override { ++closes; }
};

} // namespace olv::test

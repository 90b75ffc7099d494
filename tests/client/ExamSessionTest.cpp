#include "client/exam/ExamSession.h"

#include "client/ExamFixture.h"
#include "platform/Gbk.h"

#include <gtest/gtest.h>

namespace olv {
namespace {

using test::checks;
using test::confirmPrompt;
using test::messagePrompt;
using test::paperWithAnswers;
using test::radio;
using test::readBytes;
using Controls = ExamView::AnswerControls;
using Input = ExamView::AnswerInput;

const std::string changedAnswerCaption = "使用新答案";

std::string changedAnswerQuestion(int number)
{
    return "你已修改了第" + std::to_string(number) + "题的答案,但未按确定按钮.\n\n使用新答案吗?";
}

// Questions 1-2 single choice, 3-4 multiple choice, 5-6 true/false.
class ExamSessionTest : public test::ExamFixture
{
protected:
    ExamSessionTest()
    {
        startExam(paperWithAnswers({ "A", "B" }, { "AB", "BD" }, { "A", "B" }), 10);
        state.settings.examMinutes = 60;
        state.settings.singleChoicePoints = 1.5f;
        session.goToQuestion(1);
    }

    int paperLineOf(int number) const
    {
        for (std::size_t i = 0; i < state.paperLines.size(); ++i) {
            if (state.paperLines[i].tag == number)
                return static_cast<int>(i);
        }
        return -1;
    }

    void expectAt(int number) const
    {
        EXPECT_EQ(session.currentQuestion(), number);
        EXPECT_EQ(view.currentQuestion, number);
        EXPECT_EQ(view.answerCardLine.index, number - 1);
    }

    void setCard(int number, const std::string& answer)
    {
        state.answerCard[static_cast<std::size_t>(number - 1)] = std::to_string(number) + "--" + answer;
    }

    ExamSession session { state, view, env };
};

TEST_F(ExamSessionTest, NavigationMovesWithinThePaper)
{
    session.next();
    expectAt(2);
    EXPECT_EQ(view.paperLine, (test::FakeExamView::Selection { paperLineOf(2), false }));
    session.last();
    expectAt(6);
    session.previous();
    expectAt(5);
    session.first();
    expectAt(1);
    session.selectAnswerCardLine(3);
    expectAt(4);
    EXPECT_TRUE(prompter.prompts().empty());
}

TEST_F(ExamSessionTest, PreviousOnTheFirstAndNextOnTheLastOnlyCheckTheAnswer)
{
    view.input = radio(2);
    prompter.answerConfirms({ false, false });
    session.previous();
    expectAt(1);
    session.last();
    expectAt(6);

    view.input = radio(0);
    prompter.answerConfirms({ false, false });
    session.next();
    expectAt(6);
    session.last();
    expectAt(6);
    EXPECT_EQ(prompter.prompts(),
        (std::vector { confirmPrompt(changedAnswerQuestion(1), changedAnswerCaption),
            confirmPrompt(changedAnswerQuestion(1), changedAnswerCaption),
            confirmPrompt(changedAnswerQuestion(6), changedAnswerCaption),
            confirmPrompt(changedAnswerQuestion(6), changedAnswerCaption) }));
    EXPECT_EQ(state.answerCard, test::blankAnswerCard(6));
}

TEST_F(ExamSessionTest, EachKindShowsItsControlsSetFromTheAnswerCard)
{
    setCard(1, "C");
    setCard(3, "BD");
    setCard(5, "B");
    setCard(6, "AB");
    const struct
    {
        int number;
        Controls controls;
        bool radioCAndD;
        Input input;
    } cases[] = {
        { 1, Controls::RadioButtons, true, radio(2) },
        { 3, Controls::CheckBoxes, true, checks(false, true, false, true) },
        { 5, Controls::RadioButtons, false, radio(1) },
        { 6, Controls::RadioButtons, false, radio(0) },
    };
    for (const auto& c : cases) {
        view.radioButtonsCAndDEnabled = true;
        session.goToQuestion(c.number);
        EXPECT_EQ(view.controls, c.controls) << c.number;
        EXPECT_EQ(view.radioButtonsCAndDEnabled, c.radioCAndD) << c.number;
        EXPECT_EQ(view.input, c.input) << c.number;
    }
}

TEST_F(ExamSessionTest, AChangedAnswerReplacesTheCardLineOnOkAndStaysOnCancel)
{
    const std::string fileBefore = readBytes(answerCardFile());
    view.input = radio(1);
    prompter.answerConfirm(true);
    session.next();
    expectAt(2);
    EXPECT_EQ(state.answerCard[0], "1--B");
    EXPECT_EQ(view.answerCardLines[0], "1--B");
    EXPECT_EQ(readBytes(answerCardFile()), fileBefore) << "only confirm writes the file";

    view.input = radio(3);
    prompter.answerConfirm(false);
    session.selectTreeItem(5, false, false);
    expectAt(5);
    EXPECT_EQ(state.answerCard[1], "2--");
    EXPECT_EQ(view.input, radio(-1));
}

TEST_F(ExamSessionTest, AnAnswerThatCannotBeSavedStaysOnTheCardAndTheInvigilatorIsCalledOnce)
{
    // A folder where the card should be: no card file can take its name.
    const std::filesystem::path blocker = answerCardFile();
    std::filesystem::remove(blocker);
    std::filesystem::create_directories(blocker / "inside");
    for (int number : { 1, 2 }) {
        session.goToQuestion(number);
        view.input.radio = 0;
        session.confirm();
    }
    EXPECT_EQ(prompter.texts(), std::vector<std::string> { "本机不能保存答案,请报告监考老师" });
    EXPECT_EQ(state.answerCard[1], "2--A");

    std::filesystem::remove_all(blocker);
    session.goToQuestion(5);
    view.input.radio = 1;
    session.confirm();
    EXPECT_EQ(prompter.texts().size(), 1u);
    EXPECT_EQ(readBytes(answerCardFile()), "1--A\r\n2--A\r\n3--\r\n4--\r\n5--B\r\n6--\r\n10\r\n0         \r\n");
}

TEST_F(ExamSessionTest, ConfirmMovesOnOnlyToAnUnansweredQuestion)
{
    setCard(2, "A");
    view.input = radio(0);
    session.confirm();
    expectAt(1);

    session.goToQuestion(2);
    view.input = radio(1);
    session.confirm();
    expectAt(3);

    session.last();
    view.input = radio(1);
    session.confirm();
    expectAt(6);
    EXPECT_EQ(state.answerCard[5], "6--B");
}

TEST_F(ExamSessionTest, AKindNodeOfTheTreeIsNoQuestionNumber)
{
    session.goToQuestion(3);
    for (int kind : { 0, 1, 2 }) {
        session.selectTreeItem(kind, false, true);
        session.selectTreeItem(kind, true, true);
        expectAt(3);
    }
    session.selectTreeItem(6, false, false);
    expectAt(6);
    EXPECT_EQ(view.paperLine, (test::FakeExamView::Selection { paperLineOf(6), true }));
    EXPECT_EQ(view.answerCardLine, (test::FakeExamView::Selection { 5, true }));
}

TEST_F(ExamSessionTest, APaperLineLeadsToTheQuestionAboveIt)
{
    view.paperLine = { 99, false }; // what the candidate clicked stays selected
    session.selectPaperLine(paperLineOf(3) + 1); // an option line of question 3
    expectAt(3);
    session.selectPaperLine(paperLineOf(5) - 1); // the true/false heading, below question 4's options
    expectAt(4);
    session.selectPaperLine(0); // the first heading
    expectAt(4);
    session.selectPaperLine(static_cast<int>(state.paperLines.size()));
    expectAt(4);
    EXPECT_EQ(view.paperLine.index, 99);
}

TEST_F(ExamSessionTest, TheCountdownShowsMinutesThenSecondsAndEndsTheExamAtZero)
{
    state.settings.examMinutes = 11;
    state.elapsedSeconds = 59;
    session.showRemainingTime(); // as the window appears, before the first tick
    session.tick();
    session.tick();
    state.elapsedSeconds = 594;
    session.tick();
    EXPECT_EQ(view.remainingTimes, (std::vector<std::string> { "10", "10", "9:59", "1:5" }));
    EXPECT_EQ(view.timerStops, 0);
    EXPECT_FALSE(session.submission().markingStarted());

    view.input = radio(0);
    prompter.answerConfirm(true);
    state.elapsedSeconds = 659;
    session.tick();
    EXPECT_EQ(view.remainingTimes.back(), "0:0");
    EXPECT_EQ(view.timerStops, 1);
    EXPECT_EQ(prompter.prompts().front(), confirmPrompt(changedAnswerQuestion(1), changedAnswerCaption));
    EXPECT_EQ(session.submission().scoreText, "2") << "marking uses the answer accepted in the same tick";
    EXPECT_TRUE(view.answeringDisabled);
    EXPECT_EQ(view.handInCaption, "关闭系统");
    EXPECT_EQ(view.closes, 1);
}

TEST_F(ExamSessionTest, AnExamResumedWithItsTimeUsedUpEndsAtTheNextTick)
{
    state.settings.examMinutes = 1;
    state.elapsedSeconds = 75;
    session.tick();
    EXPECT_EQ(view.remainingTimes, (std::vector<std::string> { "0:0" }));
    EXPECT_EQ(view.timerStops, 1);
    EXPECT_TRUE(session.submission().markingStarted());
}

TEST_F(ExamSessionTest, TimeRunningOutBehindARefusedExitPasswordAsksForItAgain)
{
    state.settings.examMinutes = 1;
    state.settings.passwordToExit = 1;
    state.settings.operatorPassword = "pw";
    state.elapsedSeconds = 59;
    prompter.answerConfirm(true);
    prompter.answerPassword("wrong");
    int ticksBehindTheMessage = 0;
    prompter.onPrompt([&](const test::ScriptedPrompter::Prompt& prompt) {
        if (prompt.text == "对不起,你输入口令不正确,不能退出." && ticksBehindTheMessage++ == 0) {
            session.tick(); // zero
            session.tick();
        }
    });
    session.handIn();
    EXPECT_EQ(view.timerStops, 0) << "the tick at zero must not be lost";
    EXPECT_EQ(view.closes, 0);

    prompter.answerPassword("pw");
    session.tick();
    EXPECT_EQ(view.timerStops, 1);
    EXPECT_EQ(view.closes, 1);
    EXPECT_TRUE(prompter.allAnswersUsed());
}

TEST_F(ExamSessionTest, HandingInBeforeTheEarliestTimeIsRefusedThenConfirmed)
{
    state.settings.earliestHandInMinutes = 5;
    state.elapsedSeconds = 270;
    session.handIn();
    EXPECT_EQ(prompter.prompts(), (std::vector { messagePrompt("离最早缴卷时间还差30秒钟,不能结束考试.") }));

    state.elapsedSeconds = 300;
    prompter.answerConfirms({ false, true });
    session.handIn();
    EXPECT_FALSE(session.submission().markingStarted());
    session.handIn();
    EXPECT_TRUE(session.submission().markingStarted());
    EXPECT_EQ(prompter.texts(),
        (std::vector<std::string> { "离最早缴卷时间还差30秒钟,不能结束考试.", "考试时间还没到，你真的要结束考试吗？",
            "考试时间还没到，你真的要结束考试吗？", "考试结束。请离开考场" }));
    EXPECT_EQ(prompter.prompts()[1].caption, "提前结束");
    EXPECT_EQ(view.closes, 1);
}

TEST_F(ExamSessionTest, AfterMarkingTheAnswerCannotChangeAndHandInOnlyLeaves)
{
    // The earliest hand-in time lies beyond the exam's end: the candidate must still get out.
    state.settings.examMinutes = 1;
    state.settings.earliestHandInMinutes = 2;
    state.settings.passwordToExit = 1;
    state.settings.operatorPassword = "pw";
    state.elapsedSeconds = 59;
    prompter.answerPassword("wrong");
    session.tick();
    EXPECT_EQ(view.closes, 0);

    view.input = radio(1); // the controls are disabled; a confirm that still arrives is ignored
    session.confirm();
    EXPECT_EQ(state.answerCard[0], "1--");
    session.goToQuestion(5);
    session.goToQuestion(2);
    EXPECT_FALSE(view.radioButtonsCAndDEnabled) << "C and D are enabled only before marking";

    prompter.answerPassword("pw");
    session.handIn();
    EXPECT_EQ(view.closes, 1);
    EXPECT_EQ(prompter.texts().back(), gbkToUtf8(state.className + state.examNumber) + "张三\n成绩是:0");
}

} // namespace
} // namespace olv

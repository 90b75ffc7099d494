#include "client/exam/ExamSession.h"

#include "client/exam/AnswerCardLine.h"
#include "client/exam/Countdown.h"
#include "client/exam/ExamState.h"
#include "client/startup/ClientEnvironment.h"
#include "client/startup/Workspace.h"
#include "common/Prompter.h"
#include "platform/Gbk.h"

namespace olv {

namespace {

constexpr std::string_view answerLetters = "ABCD";

// The index of the first of `letters` that occurs in the answer, -1 when none does.
int firstLetterIn(std::string_view answer, std::string_view letters)
{
    for (std::size_t i = 0; i < letters.size(); ++i) {
        if (answer.find(letters[i]) != std::string_view::npos)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

ExamSession::ExamSession(ExamState& state, ExamView& view, const ClientEnvironment& env)
    : m_state(state)
    , m_view(view)
    , m_env(env)
{ }

void ExamSession::showQuestion(int index)
{
    const ExamPaper& paper = m_state.paper;
    if (index < 0 || index >= paper.questionCount())
        return;
    const std::string_view answer = cardAnswer(index + 1);
    ExamView::AnswerInput input;
    if (index < paper.singleChoiceEnd()) {
        m_view.showAnswerControls(ExamView::AnswerControls::RadioButtons);
        if (!m_submission.markingStarted())
            m_view.setRadioButtonsCAndDEnabled(true);
        input.radio = firstLetterIn(answer, answerLetters);
    } else if (index < paper.multipleChoiceEnd()) {
        m_view.showAnswerControls(ExamView::AnswerControls::CheckBoxes);
        for (std::size_t i = 0; i < answerLetters.size(); ++i)
            input.checks[i] = answer.find(answerLetters[i]) != std::string_view::npos;
    } else {
        m_view.showAnswerControls(ExamView::AnswerControls::RadioButtons);
        m_view.setRadioButtonsCAndDEnabled(false);
        input.radio = firstLetterIn(answer, answerLetters.substr(0, 2));
    }
    m_view.setAnswerInput(input);
}

std::string ExamSession::collectAnswer(int number) const
{
    const ExamView::AnswerInput input = m_view.answerInput();
    std::string answer;
    if (number > m_state.paper.singleChoiceEnd() && number <= m_state.paper.multipleChoiceEnd()) {
        for (std::size_t i = 0; i < answerLetters.size(); ++i) {
            if (input.checks[i])
                answer += answerLetters[i];
        }
    } else if (input.radio >= 0 && input.radio < static_cast<int>(answerLetters.size())) {
        answer += answerLetters[static_cast<std::size_t>(input.radio)];
    }
    return answer;
}

void ExamSession::goToQuestion(int number) { showQuestionAt(number, true, false); }

void ExamSession::checkUnconfirmedAnswer()
{
    const int number = m_currentQuestion;
    if (isReview() || !isQuestion(number))
        return;
    const std::string answer = collectAnswer(number);
    if (answer == cardAnswer(number))
        return;
    const std::string question = "你已修改了第" + std::to_string(number) + "题的答案,但未按确定按钮.\n\n使用新答案吗?";
    if (m_env.prompter.confirm(question, "使用新答案"))
        setCardAnswer(number, answer);
}

void ExamSession::confirm()
{
    const int number = m_currentQuestion;
    if (isReview() || m_submission.markingStarted() || !isQuestion(number))
        return;
    setCardAnswer(number, collectAnswer(number));
    m_view.selectAnswerCardLine(number - 1, false);
    writeAnswerCard();
    if (number < m_state.paper.questionCount() && cardAnswer(number + 1).empty())
        next();
}

void ExamSession::previous()
{
    checkUnconfirmedAnswer();
    if (m_currentQuestion >= 2)
        goToQuestion(m_currentQuestion - 1);
}

void ExamSession::next()
{
    checkUnconfirmedAnswer();
    if (m_currentQuestion < m_state.paper.questionCount())
        goToQuestion(m_currentQuestion + 1);
}

void ExamSession::first()
{
    checkUnconfirmedAnswer();
    if (m_currentQuestion != 1)
        goToQuestion(1);
}

void ExamSession::last()
{
    checkUnconfirmedAnswer();
    if (m_currentQuestion != m_state.paper.questionCount())
        goToQuestion(m_state.paper.questionCount());
}

void ExamSession::selectTreeItem(int data, bool hasChildren, bool isKindNode)
{
    checkUnconfirmedAnswer();
    if (!hasChildren && !isKindNode)
        showQuestionAt(data, true, true);
}

void ExamSession::selectPaperLine(int index)
{
    checkUnconfirmedAnswer();
    if (index < 0)
        return;
    // The candidate's own selection stays; only the rest follows the question.
    if (const std::optional<int> number = questionAtLine(m_state.paperLines, static_cast<std::size_t>(index)))
        showQuestionAt(*number, false, false);
}

void ExamSession::selectAnswerCardLine(int index)
{
    checkUnconfirmedAnswer();
    goToQuestion(index + 1);
}

void ExamSession::showCorrectAnswer()
{
    const int number = m_currentQuestion;
    if (isReview() && number >= 1 && number <= m_state.paper.questionCount())
        m_env.prompter.message("正确答案是:" + gbkToUtf8(m_state.paper.question(number).answer));
}

long long ExamSession::remainingSeconds() const
{
    return static_cast<long long>(m_state.settings.examMinutes) * 60 - m_state.elapsedSeconds;
}

void ExamSession::showRemainingTime() { m_view.setRemainingTime(remainingTimeText(remainingSeconds())); }

void ExamSession::tick()
{
    // The time ran out while a dialog of the hand-in is open: the timer keeps going, and the
    // first tick after that dialog has closed ends the exam again (the window is still open,
    // else its timer would have stopped).
    if (m_submission.running && remainingSeconds() <= 0)
        return;
    ++m_state.elapsedSeconds;
    showRemainingTime();
    // Also past zero: an exam resumed with its time already used up must still end.
    if (remainingSeconds() > 0 || m_submission.running)
        return;
    m_view.stopTimer();
    checkUnconfirmedAnswer();
    markAndSubmit();
}

void ExamSession::handIn()
{
    if (isReview()) {
        m_view.closeWindow();
        return;
    }
    checkUnconfirmedAnswer();
    // Once marked, the candidate must be able to leave even when the earliest hand-in time
    // lies beyond the end of the exam.
    if (!m_submission.markingStarted()) {
        const long long wait
            = static_cast<long long>(m_state.settings.earliestHandInMinutes) * 60 - m_state.elapsedSeconds;
        if (wait > 0) {
            m_env.prompter.message("离最早缴卷时间还差" + std::to_string(wait) + "秒钟,不能结束考试.");
            return;
        }
        if (!m_env.prompter.confirm("考试时间还没到，你真的要结束考试吗？", "提前结束"))
            return;
    }
    markAndSubmit();
}

bool ExamSession::isQuestion(int number) const
{
    return number >= 1 && number <= m_state.paper.questionCount()
        && static_cast<std::size_t>(number) <= m_state.answerCard.size();
}

bool ExamSession::isReview() const { return m_state.settings.reviewMode != 0; }

void ExamSession::showQuestionAt(int number, bool selectPaper, bool scrollToTop)
{
    if (!isQuestion(number))
        return;
    m_currentQuestion = number;
    m_view.setCurrentQuestion(number);
    if (selectPaper) {
        const std::vector<RenderedLine>& lines = m_state.paperLines;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].tag == number) {
                m_view.selectPaperLine(static_cast<int>(i), scrollToTop);
                break;
            }
        }
    }
    m_view.selectAnswerCardLine(number - 1, scrollToTop);
    showQuestion(number - 1);
}

std::string_view ExamSession::cardAnswer(int number) const
{
    const auto index = static_cast<std::size_t>(number - 1);
    return number >= 1 && index < m_state.answerCard.size() ? answerOfCardLine(m_state.answerCard[index])
                                                            : std::string_view();
}

void ExamSession::setCardAnswer(int number, const std::string& answer)
{
    const auto index = static_cast<std::size_t>(number - 1);
    m_state.answerCard[index] = answerCardLine(number, answer);
    m_view.setAnswerCardLine(number - 1, m_state.answerCard[index]);
}

// The answer stays on the card in memory and is marked at hand-in; only a power cut would lose
// it now, so the invigilator is told once. The next confirm writes the whole card again.
void ExamSession::writeAnswerCard()
{
    const bool written = writeAnswerCardFile(Workspace(m_env.workspace()), m_state.examNumber,
        AnswerCardFile { m_state.answerCard, m_state.bankQuestionCount, m_state.elapsedSeconds });
    if (!written && !m_toldCardNotSaved) {
        m_toldCardNotSaved = true;
        m_env.prompter.message("本机不能保存答案,请报告监考老师");
    }
}

void ExamSession::resumeHandIn()
{
    if (m_state.handIn && !m_submission.markingStarted())
        markAndSubmit();
}

void ExamSession::markAndSubmit() { olv::markAndSubmit(m_state, m_view, m_env, m_submission); }

} // namespace olv

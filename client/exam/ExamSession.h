#pragma once

#include "client/exam/ExamView.h"
#include "client/handin/Submission.h"

#include <string>
#include <string_view>

namespace olv {

struct ClientEnvironment;
struct ExamState;

// The rules of the exam window while the exam runs: moving between questions, answering,
// confirming into the answer card, the countdown and the hand-in. The window forwards the
// candidate's commands here and shows what this class tells its view.
class ExamSession
{
public:
    ExamSession(ExamState& state, ExamView& view, const ClientEnvironment& env);

    int currentQuestion() const { return m_currentQuestion; }
    const SubmissionStatus& submission() const { return m_submission; }

    // Sets the answer controls for paper position `index` (from 0) from its answer card line.
    void showQuestion(int index);
    // The letters the answer controls hold for question `number` (from 1).
    std::string collectAnswer(int number) const;
    void goToQuestion(int number);
    // Asks whether a changed but unconfirmed answer should replace the one on the card.
    void checkUnconfirmedAnswer();

    void confirm();
    void previous();
    void next();
    void first();
    void last();
    // A kind node carries its kind (0 to 2), not a question number: selecting one does
    // nothing, whether or not the paper holds questions of that kind.
    void selectTreeItem(int data, bool hasChildren, bool isKindNode);
    void selectPaperLine(int index);
    void selectAnswerCardLine(int index);

    // Review mode: the correct answer of the current question, as the paper stores it.
    void showCorrectAnswer();

    // The remaining time after "剩余时间:", shown at once when the window appears.
    void showRemainingTime();
    // The one-second timer.
    void tick();
    void handIn();
    // Completes a hand-in that a restart found under way (ExamState::handIn); nothing otherwise.
    void resumeHandIn();

private:
    long long remainingSeconds() const;
    bool isQuestion(int number) const;
    bool isReview() const;
    std::string_view cardAnswer(int number) const;
    void showQuestionAt(int number, bool selectPaper, bool scrollToTop);
    void setCardAnswer(int number, const std::string& answer);
    void writeAnswerCard();
    void markAndSubmit();

    ExamState& m_state;
    ExamView& m_view;
    const ClientEnvironment& m_env;
    int m_currentQuestion = 1;
    SubmissionStatus m_submission;
    bool m_toldCardNotSaved = false;
};

} // namespace olv

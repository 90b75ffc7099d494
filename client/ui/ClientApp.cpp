#include "client/ui/ClientApp.h"

#include "client/exam/ExamSession.h"
#include "client/exam/ExamState.h"
#include "client/startup/ClientEnvironment.h"
#include "client/startup/ClientStartup.h"
#include "client/startup/ReviewStartup.h"
#include "client/ui/ExamWindow.h"
#include "client/ui/QtLoginRunner.h"
#include "client/ui/QtReviewLoginRunner.h"
#include "platform/SingleInstance.h"

#include <QTimer>

namespace olv {

// W3 to W5: the window shows the state that the start-up built.
void fillExamWindow(ExamWindow& window, const ExamState& state, StartMode mode, const PaperReviewStartup& review)
{
    window.setTitle(state.settings.examName, state.settings.subject);
    window.setIdentity(state.className, state.candidateName, state.examNumber);
    window.setQuestionTree(state.settings, state.paper);
    window.setOptionTexts(state.paper);
    window.setPaperLines(state.paperLines);
    window.setAnswerCard(state.answerCard);
    if (mode == StartMode::Review) {
        window.setReviewMode();
        window.setRemainingTime(review.scoreText());
    }
}

namespace {

void connectCommands(ExamWindow& window, ExamSession& session)
{
    QObject::connect(&window, &ExamWindow::confirmClicked, &window, [&session] { session.confirm(); });
    QObject::connect(&window, &ExamWindow::previousClicked, &window, [&session] { session.previous(); });
    QObject::connect(&window, &ExamWindow::nextClicked, &window, [&session] { session.next(); });
    QObject::connect(&window, &ExamWindow::firstClicked, &window, [&session] { session.first(); });
    QObject::connect(&window, &ExamWindow::lastClicked, &window, [&session] { session.last(); });
    QObject::connect(&window, &ExamWindow::correctAnswerClicked, &window, [&session] { session.showCorrectAnswer(); });
    QObject::connect(&window, &ExamWindow::handInClicked, &window, [&session] { session.handIn(); });
    QObject::connect(&window, &ExamWindow::ticked, &window, [&session] { session.tick(); });
    // The window reports every kind node as having children, whether or not it has any.
    QObject::connect(&window, &ExamWindow::treeItemSelected, &window,
        [&session](int data, bool hasChildren) { session.selectTreeItem(data, hasChildren, hasChildren); });
    QObject::connect(
        &window, &ExamWindow::paperLineSelected, &window, [&session](int index) { session.selectPaperLine(index); });
    QObject::connect(&window, &ExamWindow::answerCardLineSelected, &window,
        [&session](int index) { session.selectAnswerCardLine(index); });
}

int runExamWindow(const ClientEnvironment& env)
{
    ExamState state;
    QtLoginRunner login(env);
    QtReviewLoginRunner reviewLogin;
    PaperReviewStartup review(env, reviewLogin);
    const auto mode = startExam(state, env, login, &review);
    if (!mode)
        return 0;

    ExamWindow window;
    fillExamWindow(window, state, *mode, review);
    ExamSession session(state, window, env);
    connectCommands(window, session);
    if (state.paper.questionCount() > 0)
        session.goToQuestion(1);
    if (state.handIn) {
        QTimer::singleShot(0, &window, [&session] { session.resumeHandIn(); });
    } else if (*mode != StartMode::Review) {
        session.showRemainingTime();
        window.startTimer();
    }
    window.exec();
    return 0;
}

} // namespace

int runClient(const std::filesystem::path& localDriveRoot, const Clock& clock, Prompter& prompter, Screen& screen)
{
    // A second copy on the same machine ends at once, without a window.
    auto instance = SingleInstanceLock::acquire("oneolvane");
    if (!instance)
        return 0;
    ClientEnvironment env { localDriveRoot, clock, prompter, screen };
    const int result = runExamWindow(env);
    screen.restoreMode();
    return result;
}

} // namespace olv

// olvane-walkthrough: the exam client played from start to end by a robot, without a display.
// Run it in a staged copy of the sample exam (make demo does); drive D: is $HOME as for Olvane.
#include "client/robot/ClientRobot.h"
#include "client/robot/Walkthrough.h"
#include "client/startup/ClientEnvironment.h"
#include "client/ui/ClientApp.h"
#include "client/ui/QtScreen.h"
#include "common/TextFields.h"
#include "platform/Clock.h"
#include "platform/Gbk.h"
#include "platform/PathMapping.h"
#include "ui/Accessibility.h"
#include "ui/QtPrompter.h"
#include "ui/QtTranslation.h"

#include <QApplication>
#include <QDir>
#include <iostream>

namespace {

constexpr const char* screenshotFolder = "screenshots";

// The offscreen platform warns about what it cannot do for windows; none of it matters here.
void quietWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg && type != QtWarningMsg)
        std::cerr << qFormatLogMessage(type, context, message).toStdString() << '\n';
}

bool play(olv::ClientRobot& robot, const olv::ClientEnvironment& env)
{
    robot.start();
    olv::runClient(env.localDriveRoot, env.clock, env.prompter, env.screen);
    if (robot.isDone())
        return true;
    const QString why
        = robot.failure().isEmpty() ? QStringLiteral("the client ended before the robot did") : robot.failure();
    std::cerr << "olvane-walkthrough: " << why.toStdString() << '\n';
    return false;
}

void printScreenshots(const olv::ClientRobot& robot)
{
    std::cout << "screenshots in " << QDir(QString::fromLatin1(screenshotFolder)).absolutePath().toStdString() << ":\n";
    for (const QString& path : robot.screenshots())
        std::cout << "  " << path.toStdString() << '\n';
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietWarnings);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Olvane"));
    olv::installQtChineseTranslation(app);
    olv::installViewFocusAction();

    olv::QtPrompter prompter(QStringLiteral("Olvane"));
    olv::QtScreen screen;
    // A fixed time lets the walk-through know in advance the paper that the client draws.
    const olv::FixedClock clock(olv::SystemClock().nowSeconds());
    const olv::ClientEnvironment env { olv::defaultLocalDriveRoot(), clock, prompter, screen };
    try {
        const olv::WalkthroughExam exam = olv::loadWalkthroughExam(env);
        const olv::ScoreRecord& candidate = exam.candidate;
        std::cout << olv::gbkToUtf8(olv::removeSpaces(candidate.name)) << " ("
                  << olv::removeSpaces(candidate.examNumber) << ") of "
                  << olv::gbkToUtf8(olv::removeSpaces(candidate.schoolClass)) << " sits the exam in "
                  << QDir::currentPath().toStdString() << '\n';
        olv::ClientRobot robot(QString::fromLatin1(screenshotFolder));
        olv::scriptExam(robot, exam);
        if (!play(robot, env))
            return 1;
        olv::printResults(std::cout, exam, env);

        std::cout << "review mode: the candidate looks at the marked paper\n";
        olv::switchToReviewMode(exam);
        olv::scriptReview(robot, exam);
        const bool reviewed = play(robot, env);
        olv::restoreExamSettings(exam);
        if (!reviewed)
            return 1;
        printScreenshots(robot);
    } catch (const olv::WalkthroughError& error) {
        std::cerr << "olvane-walkthrough: " << error.what() << '\n';
        return 1;
    }
    return 0;
}

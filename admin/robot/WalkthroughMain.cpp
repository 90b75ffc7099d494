// olvadmin-walkthrough: the examiner's program toured by a robot, without a display. Run it in
// an exam folder (make demo does, after the exam walk-through); it saves nothing but pictures,
// besides the login mark of a second candidate for the room view and the scratch files of the
// imports and the export in walkthrough/.
#include "admin/robot/AdminWalkthrough.h"
#include "admin/scores/AcceptedScoreLines.h"
#include "admin/scores/ScoreStatistics.h"
#include "common/ScoreDatabase.h"
#include "common/TextFields.h"
#include "admin/ui/AdminApp.h"
#include "admin/ui/AdminTools.h"
#include "common/ExamSettingsFile.h"
#include "platform/Clock.h"
#include "platform/PathMapping.h"
#include "ui/QtPrompter.h"
#include "ui/QtTranslation.h"
#include "ui/robot/WindowRobot.h"

#include <QApplication>
#include <QDir>
#include <fstream>
#include <iostream>

namespace {

constexpr const char* screenshotFolder = "screenshots/admin";

// The offscreen platform warns about what it cannot do for windows; none of it matters here.
void quietWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg && type != QtWarningMsg)
        std::cerr << qFormatLogMessage(type, context, message).toStdString() << '\n';
}

// The exam walk-through leaves one candidate handed in and the rest not started; a second exam
// machine logs in now, as the client marks a login, so that the room view shows all three states.
void logInAnotherCandidate(const std::filesystem::path& scoreFile)
{
    const olv::TextLines stored = olv::readScoreLines(scoreFile, olv::OpenMode::ReadOnly);
    if (stored.result != olv::FileResult::Done)
        return;
    for (const olv::ScoreRecord& record : olv::acceptScoreLines(stored.lines).records) {
        if (olv::candidateState(record) != olv::CandidateState::NotStarted)
            continue;
        std::optional<olv::File> file = olv::File::open(scoreFile, olv::OpenMode::ReadWriteExisting);
        const std::string number = olv::removeSpaces(record.examNumber);
        if (!file || number.empty())
            return;
        const auto found = olv::findScoreRecord(*file, number, olv::ScoreMatch::SpaceFree);
        if (!found)
            return;
        olv::ScoreRecord marked = found->record;
        marked.scoreField = olv::loginMark();
        if (olv::rewriteScoreRecord(*file, *found, marked))
            std::cout << "a second exam machine logs in candidate " << number << '\n';
        return;
    }
}

// A roster of two new candidates and a question file with one good question and one the import
// refuses, for the import previews.
olv::AdminTourFiles writeTourFiles()
{
    const std::filesystem::path folder = "walkthrough";
    std::filesystem::create_directories(folder);
    const olv::AdminTourFiles files { folder / "questions.txt", folder / "roster.csv", folder / "scores.xlsx" };
    std::ofstream(files.roster, std::ios::binary) << "班级,姓名,考号\n计算机二班,赵一鸣,20240201\n计算机二班,钱思远,20240202\n";
    std::ofstream(files.questions, std::ios::binary)
        << "在 Word 中保存文档的快捷键是\nA. Ctrl+S\nB. Ctrl+O\nC. Ctrl+P\nD. Ctrl+N\nANSWER: A\n\n"
           "这道题没有供选答案\nANSWER: B\n";
    return files;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietWarnings);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Olvadmin"));
    olv::installQtChineseTranslation(app);

    olv::ExamSettings settings = olv::adminDefaults();
    if (olv::readExamSettings("olvane.dat", settings) == olv::SettingsRead::ReadError) {
        std::cerr << "olvadmin-walkthrough: cannot read olvane.dat\n";
        return 1;
    }
    logInAnotherCandidate(olv::nativePath(settings.scoreFile, olv::defaultLocalDriveRoot()));
    std::cout << "the examiner opens Olvadmin in " << QDir::currentPath().toStdString() << '\n';
    olv::WindowRobot robot(QString::fromLatin1(screenshotFolder));
    olv::scriptAdminTour(robot, settings, writeTourFiles());
    olv::QtPrompter prompter(QStringLiteral("Olvadmin"));
    robot.start();
    const olv::SystemClock clock;
    olv::runAdmin(prompter, olv::adminTools(clock), olv::defaultLocalDriveRoot());
    if (!robot.isDone()) {
        const QString why
            = robot.failure().isEmpty() ? QStringLiteral("Olvadmin ended before the robot did") : robot.failure();
        std::cerr << "olvadmin-walkthrough: " << why.toStdString() << '\n';
        return 1;
    }
    std::cout << "screenshots in " << QDir(QString::fromLatin1(screenshotFolder)).absolutePath().toStdString() << ":\n";
    for (const QString& path : robot.screenshots())
        std::cout << "  " << path.toStdString() << '\n';
    return 0;
}

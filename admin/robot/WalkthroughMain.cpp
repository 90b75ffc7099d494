// olvadmin-walkthrough: the examiner's program toured by a robot, without a display. Run it in
// an exam folder (make demo does, after the exam walk-through); it saves nothing but pictures.
#include "admin/robot/AdminWalkthrough.h"
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
#include <iostream>

namespace {

constexpr const char* screenshotFolder = "screenshots/admin";

// The offscreen platform warns about what it cannot do for windows; none of it matters here.
void quietWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg && type != QtWarningMsg)
        std::cerr << qFormatLogMessage(type, context, message).toStdString() << '\n';
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
    std::cout << "the examiner opens Olvadmin in " << QDir::currentPath().toStdString() << '\n';
    olv::WindowRobot robot(QString::fromLatin1(screenshotFolder));
    olv::scriptAdminTour(robot, settings);
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

#include "admin/robot/AdminWalkthrough.h"

#include "platform/PathMapping.h"
#include "ui/GbkString.h"
#include "ui/robot/WindowRobot.h"

#include <filesystem>

namespace olv {

namespace {

const QString settingsWindow = QStringLiteral("考试管理");

// A file of the settings as the picker gives it: a full native path.
QString pickedPath(const std::string& gbkPath)
{
    return QString::fromStdString(std::filesystem::absolute(nativePath(gbkPath, defaultLocalDriveRoot())).string());
}

// Opens a tool with a button of the settings dialog, pictures it and closes it with `closeButton`.
void pictureTool(WindowRobot& robot, const QString& button, const QString& picked, const QString& window,
    const QString& closeButton, const QString& shot)
{
    robot.click(settingsWindow, button);
    if (!picked.isEmpty())
        robot.chooseFile(picked);
    robot.screenshot(window, shot);
    robot.click(window, closeButton);
}

} // namespace

void scriptAdminTour(WindowRobot& robot, const ExamSettings& settings)
{
    if (!settings.operatorPassword.empty()) {
        const QString prompt = QStringLiteral("口令");
        robot.type(prompt, QStringLiteral("请输入操作员口令:"), fromGbk(settings.operatorPassword));
        robot.click(prompt, QStringLiteral("确定"), QStringLiteral("operator-password"));
    }
    robot.screenshot(settingsWindow, QStringLiteral("settings"));

    robot.click(settingsWindow, QStringLiteral("帮    助"));
    const QString help = QStringLiteral("Olvadmin 帮助");
    robot.screenshot(help, QStringLiteral("help"));
    robot.click(help, QStringLiteral("关闭"));

    robot.click(settingsWindow, QStringLiteral("合并文件"));
    const QString chooser = QStringLiteral("文件合并");
    robot.screenshot(chooser, QStringLiteral("merge-chooser"));
    robot.click(chooser, QStringLiteral("结束"));

    // The tools on the sample bank, the roster and the results of the exam just taken.
    const QString bank = pickedPath(settings.bankFile);
    const QString exit = QStringLiteral("退出");
    pictureTool(
        robot, QStringLiteral("编辑试题库"), bank, QStringLiteral("编辑试题库"), exit, QStringLiteral("bank-editor"));
    pictureTool(
        robot, QStringLiteral("复制试题库"), bank, QStringLiteral("题库复制"), exit, QStringLiteral("bank-copy"));
    pictureTool(robot, QStringLiteral("查看试题"), {}, fromGbk(settings.examName + "--" + settings.subject),
        QStringLiteral("确定"), QStringLiteral("question-view"));
    pictureTool(robot, QStringLiteral("编辑成绩库"), pickedPath(settings.scoreFile), QStringLiteral("编辑成绩库"), exit,
        QStringLiteral("roster-editor"));
    pictureTool(
        robot, QStringLiteral("查看成绩"), {}, QStringLiteral("考生成绩"), exit, QStringLiteral("score-viewer"));
    pictureTool(
        robot, QStringLiteral("考场监控"), {}, QStringLiteral("考场监控"), QStringLiteral("关闭"), QStringLiteral("room-view"));
    pictureTool(
        robot, QStringLiteral("答题情况"), {}, QStringLiteral("查看答题情况"), exit, QStringLiteral("answer-analysis"));

    robot.click(settingsWindow, QStringLiteral("修改口令"));
    const QString change = QStringLiteral("修改口令");
    robot.screenshot(change, QStringLiteral("password-change"));
    robot.click(change, QStringLiteral("取消"));

    robot.closeWindow(settingsWindow);
}

} // namespace olv

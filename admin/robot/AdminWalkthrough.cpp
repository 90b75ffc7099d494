#include "admin/robot/AdminWalkthrough.h"

#include "ui/GbkString.h"
#include "ui/robot/WindowRobot.h"

namespace olv {

namespace {

const QString settingsWindow = QStringLiteral("考试管理");

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

    robot.click(settingsWindow, QStringLiteral("修改口令"));
    const QString change = QStringLiteral("修改口令");
    robot.screenshot(change, QStringLiteral("password-change"));
    robot.click(change, QStringLiteral("取消"));

    robot.closeWindow(settingsWindow);
}

} // namespace olv

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

// Opens a tool with a button of the settings dialog and pictures it.
void openTool(
    WindowRobot& robot, const QString& button, const QString& picked, const QString& window, const QString& shot)
{
    robot.click(settingsWindow, button);
    if (!picked.isEmpty())
        robot.chooseFile(picked);
    robot.screenshot(window, shot);
}

// Opens a tool as openTool does and closes it with `closeButton`.
void pictureTool(WindowRobot& robot, const QString& button, const QString& picked, const QString& window,
    const QString& closeButton, const QString& shot)
{
    openTool(robot, button, picked, window, shot);
    robot.click(window, closeButton);
}

// An import of `window` from `file`: its preview pictured, then cancelled so nothing is added.
void pictureImportPreview(WindowRobot& robot, const QString& window, const QString& button,
    const std::filesystem::path& file, const QString& previewText, const QString& shot)
{
    robot.click(window, button);
    robot.chooseFile(QString::fromStdString(std::filesystem::absolute(file).string()));
    robot.answerMessageContaining(previewText, QMessageBox::Cancel, shot);
}

} // namespace

void scriptAdminTour(WindowRobot& robot, const ExamSettings& settings, const AdminTourFiles& files)
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
    const QString bankEditor = QStringLiteral("编辑试题库");
    openTool(robot, QStringLiteral("编辑试题库"), bank, bankEditor, QStringLiteral("bank-editor"));
    pictureImportPreview(robot, bankEditor, QStringLiteral("导入试题"), files.questions, QStringLiteral("将追加"),
        QStringLiteral("question-import"));
    robot.click(bankEditor, exit);
    pictureTool(
        robot, QStringLiteral("复制试题库"), bank, QStringLiteral("题库复制"), exit, QStringLiteral("bank-copy"));
    pictureTool(robot, QStringLiteral("查看试题"), {}, fromGbk(settings.examName + "--" + settings.subject),
        QStringLiteral("确定"), QStringLiteral("question-view"));
    const QString rosterEditor = QStringLiteral("编辑成绩库");
    openTool(robot, QStringLiteral("编辑成绩库"), pickedPath(settings.scoreFile), rosterEditor,
        QStringLiteral("roster-editor"));
    pictureImportPreview(robot, rosterEditor, QStringLiteral("导入名单"), files.roster,
        QStringLiteral("点击确定添加这些考生"), QStringLiteral("roster-import"));
    robot.click(rosterEditor, exit);
    const QString scores = QStringLiteral("考生成绩");
    openTool(robot, QStringLiteral("查看成绩"), {}, scores, QStringLiteral("score-viewer"));
    robot.click(scores, QStringLiteral("导出表格"));
    robot.chooseFile(QString::fromStdString(std::filesystem::absolute(files.scoreExport).string()));
    robot.answerMessageContaining(QStringLiteral("已导出到文件"), QMessageBox::Ok, QStringLiteral("score-export"));
    robot.click(scores, exit);
    pictureTool(
        robot, QStringLiteral("考场监控"), {}, QStringLiteral("考场监控"), QStringLiteral("关闭"), QStringLiteral("room-view"));
    const QString answers = QStringLiteral("查看答题情况");
    openTool(robot, QStringLiteral("答题情况"), {}, answers, QStringLiteral("answer-analysis"));
    robot.click(answers, QStringLiteral("试题分析"));
    const QString items = QStringLiteral("试题分析");
    robot.screenshot(items, QStringLiteral("item-analysis"));
    robot.click(items, exit);
    robot.click(answers, exit);

    robot.click(settingsWindow, QStringLiteral("修改口令"));
    const QString change = QStringLiteral("修改口令");
    robot.screenshot(change, QStringLiteral("password-change"));
    robot.click(change, QStringLiteral("取消"));

    robot.closeWindow(settingsWindow);
}

} // namespace olv

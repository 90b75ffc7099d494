// The examiner's program through its real windows: a robot gives the operator password
// (wrong once), changes fields, has a refused entry put right, picks a bank, changes the
// password and saves; the settings file is compared byte for byte with what it must hold.
#include "admin/ui/AdminApp.h"
#include "admin/ui/AdminTools.h"
#include "common/ExamSettingsFile.h"
#include "support/TestFiles.h"
#include "ui/QtPrompter.h"
#include "ui/robot/WindowRobot.h"

#include <QTest>
#include <filesystem>
#include <memory>

using olv::test::gbk;
using olv::test::readBytes;

namespace {

namespace fs = std::filesystem;

const QString settingsWindow = QStringLiteral("考试管理");

std::string crlfLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

void playExaminer(olv::WindowRobot& robot, const fs::path& bank)
{
    const QString prompt = QStringLiteral("口令");
    const QString passwordBox = QStringLiteral("请输入操作员口令:");
    robot.type(prompt, passwordBox, QStringLiteral("JK01"));
    robot.click(prompt, QStringLiteral("确定"));
    robot.answerMessage(QStringLiteral("你输入的口令不正确,请重新输入"), QMessageBox::Ok, QStringLiteral("Olvadmin"));
    robot.type(prompt, passwordBox, QStringLiteral("jk01"));
    robot.click(prompt, QStringLiteral("确定"));

    robot.type(settingsWindow, QStringLiteral("考试名称:"), QStringLiteral("期中测验"));
    robot.type(settingsWindow, QStringLiteral("考试科目:"), QStringLiteral("Word"));
    robot.type(settingsWindow, QStringLiteral("题量:单选题:"), QStringLiteral("20"));
    robot.type(settingsWindow, QStringLiteral("分值:多选题:"), QStringLiteral("2.5"));
    robot.setChecked(settingsWindow, QStringLiteral("固定号:"), true);
    robot.type(settingsWindow, QStringLiteral("固定号"), QStringLiteral("9"));
    robot.setChecked(settingsWindow, QStringLiteral("考生查卷"), true);
    robot.setChecked(settingsWindow, QStringLiteral("考后立即公布成绩"), false);
    robot.type(settingsWindow, QStringLiteral("考试时间(分):"), QStringLiteral("九十"));
    robot.click(settingsWindow, QStringLiteral("确    定"));
    robot.answerMessage(QStringLiteral("请键入一个整数。"), QMessageBox::Ok, QStringLiteral("Olvadmin"));
    robot.type(settingsWindow, QStringLiteral("考试时间(分):"), QStringLiteral("90"));

    robot.click(settingsWindow, QStringLiteral("选取试题库文件名:"));
    robot.chooseFile(QString::fromStdString(bank.string()));

    const QString change = QStringLiteral("修改口令");
    robot.click(settingsWindow, change);
    robot.type(change, QStringLiteral("输入新口令:"), QStringLiteral("考官"));
    robot.type(change, QStringLiteral("请再输一遍:"), QStringLiteral("考官"));
    robot.click(change, QStringLiteral("确定"));
    robot.click(settingsWindow, QStringLiteral("确    定"));
}

} // namespace

class AdminEndToEndTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void examinerChangesAndSavesTheSettings();
    void escapeAfterAPasswordChangeKeepsTheFile();

private:
    bool runAdmin(olv::WindowRobot& robot);

    std::unique_ptr<olv::test::TempDir> m_dir;
    std::unique_ptr<olv::test::WorkingDirectory> m_workingDirectory;
};

void AdminEndToEndTest::init()
{
    m_dir = std::make_unique<olv::test::TempDir>();
    m_workingDirectory = std::make_unique<olv::test::WorkingDirectory>(m_dir->path());
    olv::ExamSettings settings = olv::adminDefaults();
    settings.operatorPassword = "jk01";
    QVERIFY(olv::writeExamSettings("olvane.dat", settings));
}

void AdminEndToEndTest::cleanup()
{
    m_workingDirectory.reset();
    m_dir.reset();
}

bool AdminEndToEndTest::runAdmin(olv::WindowRobot& robot)
{
    olv::QtPrompter prompter(QStringLiteral("Olvadmin"));
    robot.start();
    olv::runAdmin(prompter, olv::AdminTools(), m_dir->path());
    return robot.isDone();
}

void AdminEndToEndTest::examinerChangesAndSavesTheSettings()
{
    fs::create_directory("题库");
    const fs::path bank = m_dir->path() / "题库" / "word.kst";
    olv::test::writeBytes(bank, "");
    olv::WindowRobot robot;
    playExaminer(robot, bank);
    QVERIFY2(runAdmin(robot), qPrintable(robot.failure()));

    QCOMPARE(readBytes("olvane.dat"),
        crlfLines({ gbk("期中测验"), "Word", "90", "0", "9", "20", "10", "5", "1.500000", "2.500000", "1.000000", "3",
            "9", "0", "1", "0", "0", "1", "1", gbk(bank.string()), "cj.kcj", gbk("Word期中测验\\daan.txt"),
            olv::scramblePassword(gbk("考官")) }));
    QVERIFY(!fs::exists("olvane.dat.new"));
    QCOMPARE(fs::current_path(), m_dir->path());
}

void AdminEndToEndTest::escapeAfterAPasswordChangeKeepsTheFile()
{
    const std::string before = readBytes("olvane.dat");
    olv::WindowRobot robot;
    robot.type(QStringLiteral("口令"), QStringLiteral("请输入操作员口令:"), QStringLiteral("jk01"));
    robot.click(QStringLiteral("口令"), QStringLiteral("确定"));
    const QString change = QStringLiteral("修改口令");
    robot.click(settingsWindow, change);
    robot.type(change, QStringLiteral("输入新口令:"), QString());
    robot.type(change, QStringLiteral("请再输一遍:"), QString());
    robot.click(change, QStringLiteral("确定"));
    robot.closeWindow(settingsWindow);
    QVERIFY2(runAdmin(robot), qPrintable(robot.failure()));
    QCOMPARE(readBytes("olvane.dat"), before);
}

QTEST_MAIN(AdminEndToEndTest)
#include "AdminEndToEndTest.moc"

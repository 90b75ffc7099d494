// The examiner's program through its real windows, one flow per test: the settings (the
// operator password wrong once, a refused entry put right, a bank picked, the password
// changed), the bank and roster editors opened on new files, the written paper and its key of
// the sample exam, and the score list and answer analysis after an exam. Every file written is
// compared byte for byte with what it must hold.
#include "admin/ui/AdminApp.h"
#include "admin/ui/AdminTools.h"
#include "common/ExamSettingsFile.h"
#include "common/QuestionBankFile.h"
#include "common/ScoreDatabase.h"
#include "e2e/ExamFolder.h"
#include "platform/Clock.h"
#include "platform/PathMapping.h"
#include "support/TestFiles.h"
#include "ui/GbkString.h"
#include "ui/QtPrompter.h"
#include "ui/robot/WindowRobot.h"

#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <utility>

using olv::test::crlfLines;
using olv::test::gbk;
using olv::test::question;
using olv::test::readBytes;
using olv::test::storedScoreLine;

namespace {

namespace fs = std::filesystem;

const QString settingsWindow = QStringLiteral("考试管理");
const QString saveNameWindow = QStringLiteral("保存文件名:");
// The time the written paper is drawn at.
constexpr std::int64_t paperSeconds = 1700000000;

void enterPassword(olv::WindowRobot& robot, const QString& password)
{
    const QString prompt = QStringLiteral("口令");
    robot.type(prompt, QStringLiteral("请输入操作员口令:"), password);
    robot.click(prompt, QStringLiteral("确定"));
}

void saveAs(olv::WindowRobot& robot, const QString& name)
{
    robot.type(saveNameWindow, saveNameWindow, name);
    robot.click(saveNameWindow, QStringLiteral("确定"));
}

void playExaminer(olv::WindowRobot& robot, const fs::path& bank)
{
    enterPassword(robot, QStringLiteral("JK01"));
    robot.answerMessage(QStringLiteral("你输入的口令不正确,请重新输入"), QMessageBox::Ok, QStringLiteral("Olvadmin"));
    enterPassword(robot, QStringLiteral("jk01"));

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

void typeQuestion(olv::WindowRobot& robot, const olv::Question& question, const QString& kind, const QString& answer)
{
    const QString editor = QStringLiteral("编辑试题库");
    robot.setChecked(editor, kind, true);
    QString stem = olv::fromGbk(question.stem);
    robot.type(editor, QStringLiteral("题目:"), stem.replace(QStringLiteral("/n"), QStringLiteral("\n")));
    if (question.kind != olv::QuestionKind::TrueFalse) {
        for (std::size_t i = 0; i < 4; ++i)
            robot.type(editor, QStringLiteral("供选答案%1:").arg(QChar(static_cast<char16_t>(u'A' + i))),
                olv::fromGbk(question.options[i]));
    }
    robot.type(editor, QStringLiteral("正确答案:"), answer);
    robot.click(editor, QStringLiteral("追加到尾部"));
}

// What olvtool prints, in the program's own encoding and line ends: GBK, CR LF.
std::string olvtoolOutput(const std::string& arguments)
{
    const std::string command = "'" OLVTOOL_PATH "' " + arguments + " >tool-out.txt";
    if (std::system(command.c_str()) != 0)
        return "olvtool " + arguments + " failed";
    std::string text;
    for (char c : gbk(readBytes("tool-out.txt")))
        text += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return text;
}

void copySampleExam()
{
    for (const char* file : { "WordE97.kst", "cj.kcj", "olvane.dat" })
        fs::copy_file(fs::path(OLV_SAMPLE_DIR) / file, file, fs::copy_options::overwrite_existing);
}

// The results of two candidates of the sample exam, as the client writes them on hand-in.
void writeExamResults()
{
    olv::ExamSettings settings = olv::adminDefaults();
    QCOMPARE(olv::readExamSettings("olvane.dat", settings), olv::SettingsRead::Read);
    const fs::path answerFile = olv::nativePath(settings.answerFile, fs::current_path());
    fs::create_directories(answerFile.parent_path());
    for (const auto& [examNumber, score] : { std::pair { "20240101", "85" }, { "20240102", "59" } }) {
        std::optional<olv::File> scores
            = olv::File::open("cj.kcj", olv::OpenMode::ReadWriteExisting, olv::Sharing::Exclusive);
        QVERIFY(scores);
        const auto found = olv::findScoreRecord(*scores, examNumber, olv::ScoreMatch::Padded);
        QVERIFY(found);
        olv::ScoreRecord record = found->record;
        record.scoreField = score;
        QVERIFY(olv::rewriteScoreRecord(*scores, *found, record));
    }
    // Bank questions 1, 5 and 9 of 12 on the paper.
    olv::test::writeBytes(answerFile, "85 20240101      R***E***R***\r\r\n59 20240102      E***E***R***\r\r\n");
}

} // namespace

class AdminEndToEndTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void examinerChangesAndSavesTheSettings();
    void editorsOpenOnTheFilesPicked();
    void writtenPaperAndKeyAsOlvtoolWritesThem();
    void scoreListAndAnswerAnalysisAfterAnExam();

private:
    bool runAdmin(olv::WindowRobot& robot);

    std::unique_ptr<olv::test::ExamFolder> m_dir;
};

void AdminEndToEndTest::init()
{
    m_dir = std::make_unique<olv::test::ExamFolder>();
    olv::ExamSettings settings = olv::adminDefaults();
    settings.operatorPassword = "jk01";
    QVERIFY(olv::writeExamSettings("olvane.dat", settings));
}

void AdminEndToEndTest::cleanup() { m_dir.reset(); }

bool AdminEndToEndTest::runAdmin(olv::WindowRobot& robot)
{
    olv::QtPrompter prompter(QStringLiteral("Olvadmin"));
    robot.start();
    const olv::FixedClock clock(paperSeconds);
    olv::runAdmin(prompter, olv::adminTools(clock), m_dir->path());
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

// The editors' own tests build a whole bank and type a whole roster with the keyboard; here the
// settings window opens each on the file picked, its default extension added.
void AdminEndToEndTest::editorsOpenOnTheFilesPicked()
{
    using enum olv::QuestionKind;
    olv::QuestionBank expected;
    expected.multipleChoiceQuestions
        = { question(MultipleChoice, "哪些是/n办公软件", { "Word", "Excel", "Linux", "Access" }, "ABD") };
    olv::WindowRobot robot;
    enterPassword(robot, QStringLiteral("jk01"));
    robot.click(settingsWindow, QStringLiteral("编辑试题库"));
    robot.chooseFile(QString::fromStdString((m_dir->path() / "新题库").string()));
    typeQuestion(robot, expected.multipleChoiceQuestions[0], QStringLiteral("多选题"), QStringLiteral("dba"));
    robot.click(QStringLiteral("编辑试题库"), QStringLiteral("存盘"));
    robot.click(QStringLiteral("编辑试题库"), QStringLiteral("退出"));

    const QString editor = QStringLiteral("编辑成绩库");
    robot.click(settingsWindow, editor);
    robot.chooseFile(QString::fromStdString((m_dir->path() / "名单").string()));
    robot.typeAtFocus(editor, QStringLiteral("一班"));
    robot.type(editor, QStringLiteral("姓名"), QStringLiteral("张三"));
    robot.type(editor, QStringLiteral("考号"), QStringLiteral("1001"));
    robot.click(editor, QStringLiteral("添加到末尾"));
    robot.click(editor, QStringLiteral("存盘"));
    robot.click(editor, QStringLiteral("退出"));
    robot.closeWindow(settingsWindow);
    QVERIFY2(runAdmin(robot), qPrintable(robot.failure()));

    const olv::BankReadResult read = olv::readQuestionBank("新题库.kst", "linshi.tmp");
    QVERIFY(read.bank);
    QCOMPARE(olv::questionBankText(*read.bank), olv::questionBankText(expected));
    QCOMPARE(readBytes("名单.kcj"), storedScoreLine("一班", "张三", "1001", ""));
}

void AdminEndToEndTest::writtenPaperAndKeyAsOlvtoolWritesThem()
{
    copySampleExam();
    olv::WindowRobot robot;
    const QString view = QStringLiteral("澜溪校期末考试--WordExcel97");
    robot.click(settingsWindow, QStringLiteral("查看试题"));
    robot.click(view, QStringLiteral("生成笔试试卷"));
    saveAs(robot, QStringLiteral("试卷"));
    robot.click(view, QStringLiteral("生成标准答案"));
    saveAs(robot, QStringLiteral("答案"));
    robot.click(view, QStringLiteral("确定"));
    robot.closeWindow(settingsWindow);
    QVERIFY2(runAdmin(robot), qPrintable(robot.failure()));

    const std::string seconds = std::to_string(paperSeconds);
    olvtoolOutput("written-paper olvane.dat " + seconds + " paper.txt");
    olvtoolOutput("answer-key olvane.dat " + seconds + " key.txt");
    QVERIFY(readBytes("paper.txt").size() > 1000);
    QCOMPARE(readBytes("试卷.txt"), readBytes("paper.txt"));
    QCOMPARE(readBytes("答案.txt"), readBytes("key.txt"));
}

void AdminEndToEndTest::scoreListAndAnswerAnalysisAfterAnExam()
{
    copySampleExam();
    writeExamResults();
    olv::WindowRobot robot;
    robot.click(settingsWindow, QStringLiteral("查看成绩"));
    robot.click(QStringLiteral("考生成绩"), QStringLiteral("存到文件"));
    saveAs(robot, QStringLiteral("成绩"));
    robot.answerMessage(QStringLiteral("已保存到文件成绩.txt"));
    robot.click(QStringLiteral("考生成绩"), QStringLiteral("退出"));
    robot.click(settingsWindow, QStringLiteral("答题情况"));
    robot.click(QStringLiteral("查看答题情况"), QStringLiteral("另存为"));
    saveAs(robot, QStringLiteral("答题"));
    robot.answerMessage(QStringLiteral("已保存到文件答题.txt"));
    robot.click(QStringLiteral("查看答题情况"), QStringLiteral("退出"));
    robot.closeWindow(settingsWindow);
    QVERIFY2(runAdmin(robot), qPrintable(robot.failure()));

    QCOMPARE(readBytes("成绩.txt"), olvtoolOutput("score-list cj.kcj 4"));
    // The records keep the CR of their line in the answer sheet, which olvtool leaves out on screen.
    QCOMPARE(readBytes("答题.txt"),
        gbk("各考生答题情况: *--未做此题,E--错误,R--正确\r\n得分考号          123456789112\r\n"
            "85 20240101      R***E***R***\r\r\n59 20240102      E***E***R***\r\r\n"
            "各题对错情况： /前为正确人数,/后为错误人数\r\n"
            "1:1/1 2:0/0 3:0/0 4:0/0 5:0/2 6:0/0 7:0/0 8:0/0 9:2/0 \r\n10:0/0 11:0/0 12:0/0 \r\n"));
}

QTEST_MAIN(AdminEndToEndTest)
#include "AdminEndToEndTest.moc"

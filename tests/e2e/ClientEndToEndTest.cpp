// The exam client from start to end, through its real windows: a robot logs in with the
// keyboard alone, answers every question with the controls, hands in and leaves; then every
// file the exam leaves behind is compared byte for byte with what it must hold.
#include "client/robot/ClientRobot.h"
#include "client/ui/ClientApp.h"
#include "client/ui/QtScreen.h"
#include "common/ExamSettingsFile.h"
#include "common/QuestionBankFile.h"
#include "common/ScoreDatabase.h"
#include "e2e/ExamFolder.h"
#include "platform/Clock.h"
#include "support/TestFiles.h"
#include "ui/QtPrompter.h"

#include <QTest>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

using olv::test::crlfLines;
using olv::test::gbk;
using olv::test::question;
using olv::test::readBytes;
using olv::test::storedScoreLine;

namespace {

namespace fs = std::filesystem;

// Three questions of each kind but two of true/false; the settings ask for two, two and one
// in bank order, so the paper holds bank questions 1, 2, 4, 5 and 7. Answers are stored as
// a person might type them: the paper must hold them upper-cased and sorted.
olv::QuestionBank bank()
{
    using enum olv::QuestionKind;
    olv::QuestionBank bank;
    bank.singleChoiceQuestions = {
        question(SingleChoice, "复制选定内容的快捷键是", { "Ctrl+C", "Ctrl+V", "Ctrl+X", "Ctrl+Z" }, "a"),
        question(SingleChoice, "保存文档/n用哪个键?", { "Ctrl+O", "Ctrl+S", "", "" }, "B"),
        question(SingleChoice, "不会抽到的单选题", { "甲", "乙", "丙", "丁" }, "C"),
    };
    bank.multipleChoiceQuestions = {
        question(MultipleChoice, "哪些是办公软件", { "Word", "Excel", "Linux", "Access" }, "dba"),
        question(MultipleChoice, "哪些是快捷键", { "Ctrl+C", "F1", "鼠标", "Ctrl+V" }, "DA"),
        question(MultipleChoice, "不会抽到的多选题", { "1", "2", "3", "4" }, "AB"),
    };
    bank.trueFalseQuestions = {
        question(TrueFalse, "Word能编辑表格", { "", "", "", "" }, "A"),
        question(TrueFalse, "不会抽到的判断题", { "", "", "", "" }, "B"),
    };
    return bank;
}

olv::ExamSettings settings()
{
    olv::ExamSettings s = olv::clientDefaults();
    s.examName = gbk("测验");
    s.subject = "Word97";
    s.earliestHandInMinutes = 0;
    s.singleChoiceCount = 2;
    s.multipleChoiceCount = 2;
    s.trueFalseCount = 1;
    s.drawMode = olv::DrawMode::BankOrder;
    s.shuffleQuestions = 0;
    s.shuffleOptions = 0;
    s.rosterRequired = 1;
    s.showScoreAfterExam = 1;
    s.passwordToExit = 1;
    s.bankFile = gbk("题库\\word.kst");
    s.scoreFile = "cj.kcj";
    s.operatorPassword = "jk01";
    return s;
}

std::vector<olv::ScoreRecord> roster()
{
    return { { gbk("一班"), gbk("李四"), "20240100", std::string(8, ' ') },
        { gbk("一班"), gbk("张三"), "20240101", std::string(8, ' ') }, { gbk("二班"), gbk("王五"), "20240102", "88" } };
}

// The paper in bank file text: the drawn questions, answers in stored form.
std::string paperText()
{
    return crlfLines({ gbk("●单选题:"), gbk("复制选定内容的快捷键是"), "Ctrl+C", "Ctrl+V", "Ctrl+X", "Ctrl+Z", "A",
        gbk("保存文档/n用哪个键?"), "Ctrl+O", "Ctrl+S", "", "", "B", gbk("●多选题:"), gbk("哪些是办公软件"), "Word",
        "Excel", "Linux", "Access", "ABD", gbk("哪些是快捷键"), "Ctrl+C", "F1", gbk("鼠标"), "Ctrl+V", "AD",
        gbk("●判断题:"), gbk("Word能编辑表格"), "A" });
}

// The answer card file after the hand-in. The marked lines, two bytes longer each, overwrite
// the confirmed lines and the start of the two lines after them; what is left of the
// elapsed-time line is its padding, whatever the seconds were.
std::string markedAnswerCardFile()
{
    const std::string confirmed = crlfLines({ "1--A", "2--A", "3--ABD", "4--A", "5--A", "8", "0         " });
    const std::string right = gbk("√");
    const std::string wrong = gbk("×");
    const std::string marked
        = crlfLines({ right + "1--A", wrong + "2--A", right + "3--ABD", wrong + "4--A", right + "5--A" });
    return marked + confirmed.substr(marked.size()) + "***5   ***";
}

// What QCOMPARE shows of a difference: the bytes, escaped.
QByteArray bytes(const std::string& text) { return QByteArray::fromStdString(text); }

std::set<std::string> fileNames(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// The candidate's answers: 1, 3 and 5 right (1.5 + 2 + 1 = 4.5, rounded to 5); 2 wrong and
// 4 only partly right. A change to question 1 left unconfirmed is not taken, and the first
// try at the exit password fails.
void playExam(olv::ClientRobot& robot)
{
    const QString identity = QStringLiteral("一班            20240101      张三");
    robot.logIn(QString(), QString(), QStringLiteral("20240101"));
    robot.answerMessage(QStringLiteral("班级:一班            \n姓名:张三            \n考号:20240101      \n"
                                       "请确认是否正确!"),
        QMessageBox::Ok, QStringLiteral("考生信息"));
    robot.answer(1, QStringLiteral("A"));
    robot.answer(2, QStringLiteral("A"));
    robot.answer(3, QStringLiteral("DBA"));
    robot.answer(4, QStringLiteral("A"));
    robot.answer(5, QStringLiteral("A"));
    robot.press(QStringLiteral("开头"));
    robot.mark(1, QStringLiteral("B"));
    robot.press(QStringLiteral("末尾"));
    robot.answerMessage(QStringLiteral("你已修改了第1题的答案,但未按确定按钮.\n\n使用新答案吗?"), QMessageBox::Cancel,
        QStringLiteral("使用新答案"));
    robot.mark(5, QStringLiteral("A"));
    robot.handIn();
    robot.answerMessage(identity + QStringLiteral("\n成绩是:5"));
    robot.answerMessage(QStringLiteral("考试结束。请离开考场"));
    robot.enterPassword(QStringLiteral("wrong"));
    robot.answerMessage(QStringLiteral("对不起,你输入口令不正确,不能退出."));
    robot.press(QStringLiteral("关闭系统"));
    robot.enterPassword(QStringLiteral("jk01"));
    robot.answerMessage(identity + QStringLiteral("\n成绩是:5"));
}

} // namespace

class ClientEndToEndTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_folder = std::make_unique<olv::test::ExamFolder>(); }
    void cleanup() { m_folder.reset(); }
    void wholeExamLeavesExactFiles();

private:
    std::unique_ptr<olv::test::ExamFolder> m_folder;
};

void ClientEndToEndTest::wholeExamLeavesExactFiles()
{
    fs::create_directory("d");
    fs::create_directory("题库");
    QCOMPARE(olv::writeQuestionBank(bank(), "题库/word.kst"), olv::BankWriteResult::Written);
    QVERIFY(olv::writeExamSettings("olvane.dat", settings()));
    QCOMPARE(olv::writeScoreDatabase("cj.kcj", roster()), olv::FileResult::Done);

    olv::ClientRobot robot;
    playExam(robot);
    olv::FixedClock clock(1700000000);
    olv::QtPrompter prompter(QStringLiteral("Olvane"));
    olv::QtScreen screen;
    robot.start();
    olv::runClient(fs::current_path() / "d", clock, prompter, screen);
    QVERIFY2(robot.isDone(), qPrintable(robot.failure()));

    QCOMPARE(bytes(readBytes("cj.kcj")),
        bytes(storedScoreLine("一班", "李四", "20240100", "") + storedScoreLine("一班", "张三", "20240101", "5")
            + storedScoreLine("二班", "王五", "20240102", "88")));
    const fs::path examFolder = "Word97测验";
    QCOMPARE(bytes(readBytes(examFolder / "daan.txt")), QByteArray("5  20240101      RE*RE*R*\r\r\n"));

    const fs::path workspace = "d/ExaminationTemporary";
    QCOMPARE(fileNames(workspace), (std::set<std::string> { "20240101.das", "20240101.kst", "20240101.sth" }));
    const std::string paperFile = olv::swapLineBytePairs(paperText());
    QCOMPARE(bytes(readBytes(workspace / "20240101.kst")), bytes(paperFile));
    QCOMPARE(bytes(readBytes(workspace / "20240101.sth")), QByteArray("1\r\n2\r\n4\r\n5\r\n7\r\n"));
    QCOMPARE(bytes(readBytes(workspace / "20240101.das")), bytes(markedAnswerCardFile()));

    QCOMPARE(fileNames(examFolder), (std::set<std::string> { "20240101张三.das", "20240101张三.kst", "daan.txt" }));
    QCOMPARE(bytes(readBytes(examFolder / "20240101张三.kst")), bytes(paperFile));
    QCOMPARE(bytes(readBytes(examFolder / "20240101张三.das")), bytes(markedAnswerCardFile()));
}

QTEST_MAIN(ClientEndToEndTest)
#include "ClientEndToEndTest.moc"

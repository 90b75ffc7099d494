#include "client/startup/ReviewStartup.h"

#include "client/FakeExamView.h"
#include "client/StartupFixture.h"
#include "client/exam/AnswerCardLine.h"
#include "client/exam/ExamSession.h"
#include "client/handin/Marking.h"
#include "client/startup/ExamFolder.h"
#include "common/AnswerRecord.h"
#include "common/TextFields.h"
#include "platform/Gbk.h"
#include "platform/PathMapping.h"

#include <map>

namespace olv {
namespace {

using test::checks;
using test::gbk;
using test::radio;
using test::readBytes;
using test::writeBytes;
using Input = ExamView::AnswerInput;
using Snapshot = std::map<std::filesystem::path, std::string>;

class TypedExamNumber : public ReviewLoginRunner
{
public:
    std::optional<std::string> run() override { return typed; }
    std::optional<std::string> typed;
};

// Every file below `folder` with its bytes.
Snapshot snapshot(const std::filesystem::path& folder)
{
    Snapshot files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file())
            files[entry.path()] = readBytes(entry.path());
    }
    return files;
}

// What review must show for a marked paper: each card line signed by the marking rule.
std::vector<std::string> markedCard(const ExamState& sat)
{
    std::vector<std::string> card;
    for (int number = 1; number <= sat.paper.questionCount(); ++number) {
        const std::string& line = sat.answerCard[static_cast<std::size_t>(number - 1)];
        const bool right = answersMatch(answerOfCardLine(line), sat.paper.question(number).answer);
        card.push_back((right ? rightSign() : wrongSign()) + line);
    }
    return card;
}

// Questions 1-5 single choice, 6-8 multiple choice, 9-12 true/false, drawn from a bank of 34
// with both shuffles on. Candidate 1001 (一班, 张三) is on the roster.
class ReviewStartupTest : public test::StartupFixture
{
protected:
    struct SatExam
    {
        ExamState state;
        std::string scoreText;
    };

    ReviewStartupTest()
    {
        settings.shuffleQuestions = 1;
        settings.passwordToExit = 0;
        settings.showScoreAfterExam = 0;
        writeBank(test::sampleBank(20, 6, 8));
        writeRoster({ test::rosterLine("二班", "李四", "1002"), test::rosterLine("一班", "张三", "1001") });
    }

    // Candidate 1001 sits the exam, answering question n with answers[n], and hands in.
    SatExam sitExam(const std::map<int, Input>& answers)
    {
        SatExam sat;
        EXPECT_TRUE(writeExamSettings("olvane.dat", settings));
        test::ScriptedLogin login;
        EXPECT_EQ(startExam(sat.state, env, login), StartMode::Fresh);
        test::FakeExamView view;
        view.answerCardLines = sat.state.answerCard;
        ExamSession session(sat.state, view, env);
        for (const auto& [number, input] : answers) {
            session.goToQuestion(number);
            view.input = input;
            session.confirm();
        }
        prompter.answerConfirm(true);
        session.handIn();
        EXPECT_EQ(view.closes, 1);
        sat.scoreText = session.submission().scoreText;
        m_promptsSeen = prompter.prompts().size();
        return sat;
    }

    void writeReviewSettings()
    {
        settings.reviewMode = 1;
        EXPECT_TRUE(writeExamSettings("olvane.dat", settings));
    }

    std::optional<StartMode> startReview(
        ExamState& state, PaperReviewStartup& startup, std::optional<std::string> typed)
    {
        reviewLogin.typed = std::move(typed);
        return startExam(state, env, noLogin, &startup);
    }

    std::optional<StartMode> review(std::optional<std::string> typed)
    {
        writeReviewSettings();
        return startReview(reviewed, reviewStartup, std::move(typed));
    }

    // The messages and questions since the exam was sat.
    std::vector<std::string> reviewPrompts() const
    {
        const std::vector<std::string> texts = prompter.texts();
        return { texts.begin() + static_cast<std::ptrdiff_t>(m_promptsSeen), texts.end() };
    }

    std::filesystem::path examFolderCopy(const char* extension) const
    {
        return reviewCopyPath(settings, "1001", gbk("张三"), extension, env.localDriveRoot);
    }

    ExamSettings settings = test::chineseExam(5, 3, 4);
    test::ScriptedLogin noLogin; // review never asks it
    TypedExamNumber reviewLogin;
    PaperReviewStartup reviewStartup { env, reviewLogin };
    ExamState reviewed;

private:
    std::size_t m_promptsSeen = 0;
};

const std::map<int, Input> someAnswers { { 1, radio(2) }, { 3, radio(1) }, { 6, checks(false, true, false, true) },
    { 7, checks(true, false, false, true) }, { 9, radio(0) }, { 12, radio(1) } };

// The exam number typed with spaces finds the copies named without them. Start-up, every
// command of the window and closing it leave every file as it was, on the local drive and in
// the shared folders.
TEST_F(ReviewStartupTest, PaperCopyShowsThePaperAsSatWithTheCandidatesMarkedAnswersAndChangesNoFile)
{
    const SatExam sat = sitExam(someAnswers);
    writeReviewSettings();
    const Snapshot before = snapshot(dir.path());
    ASSERT_EQ(startReview(reviewed, reviewStartup, " 10 01 "), StartMode::Review);
    EXPECT_TRUE(reviewPrompts().empty());

    EXPECT_EQ(reviewed.paper.questions, sat.state.paper.questions);
    EXPECT_EQ(reviewed.answerCard, markedCard(sat.state));
    EXPECT_EQ(reviewed.className, gbk("一班") + std::string(12, ' '));
    EXPECT_EQ(reviewed.candidateName, gbk("张三"));
    EXPECT_EQ(reviewed.examNumber, "1001");
    EXPECT_EQ(reviewStartup.scoreText(), padRight(sat.scoreText, 8));

    test::FakeExamView view;
    ExamSession session(reviewed, view, env);
    for (const auto& [number, input] : someAnswers) {
        session.goToQuestion(number);
        EXPECT_EQ(view.input, input) << "question " << number;
    }
    session.goToQuestion(3);
    session.showCorrectAnswer();
    EXPECT_EQ(reviewPrompts().back(), "正确答案是:" + gbkToUtf8(sat.state.paper.question(3).answer));

    view.input = radio(3);
    session.next();
    session.confirm();
    session.last();
    session.previous();
    session.first();
    session.selectAnswerCardLine(4);
    session.selectPaperLine(9);
    session.selectTreeItem(2, false, false);
    session.handIn();
    EXPECT_EQ(view.closes, 1);
    EXPECT_FALSE(session.submission().markingStarted());
    EXPECT_EQ(snapshot(dir.path()), before);
    EXPECT_TRUE(noLogin.asked.empty());
}

struct Fallback
{
    const char* what;
    // Writes the answer sheet file and the paper copy, or leaves them out.
    std::function<void(const std::filesystem::path& answerFile, const std::filesystem::path& paperCopy)> arrange;
    std::vector<std::string> messages;
    std::vector<std::string> answerCard;
    std::string scoreText; // GBK
};

void PrintTo(const Fallback& c, std::ostream* out) { *out << c.what; }

class ReviewFallbackTest : public ReviewStartupTest, public ::testing::WithParamInterface<Fallback>
{ };

// A bank of 3 + 2 + 2 questions. The typed number and the roster's carry spaces; the answer
// sheet's has none.
TEST_P(ReviewFallbackTest, ShowsTheBankWithWhatIsKnown)
{
    QuestionBank bank = test::sampleBank(3, 2, 2);
    bank.singleChoiceQuestions[1].answer = "c";
    bank.singleChoiceQuestions[2].answer = "d";
    writeBank(bank);
    writeRoster({ test::rosterLine("一班", "张三", "10 01") });
    std::filesystem::create_directory(dir / "语文期末");
    GetParam().arrange(nativePath(settings.answerFile, env.localDriveRoot), examFolderCopy(".kst"));
    writeReviewSettings();
    const Snapshot before = snapshot(dir.path());

    ASSERT_EQ(startReview(reviewed, reviewStartup, " 10 01"), StartMode::Review);
    EXPECT_EQ(reviewPrompts(), GetParam().messages);
    EXPECT_EQ(reviewed.paper.questionCount(), 7);
    EXPECT_EQ(reviewed.answerCard, GetParam().answerCard);
    EXPECT_EQ(reviewStartup.scoreText(), GetParam().scoreText);
    EXPECT_EQ(reviewed.candidateName, gbk("张三"));

    test::FakeExamView view;
    ExamSession session(reviewed, view, env);
    // The record's lines hold no letters: nothing is selected.
    session.goToQuestion(2);
    EXPECT_EQ(view.input, Input {});
    session.showCorrectAnswer();
    EXPECT_EQ(reviewPrompts().back(), "正确答案是:C");
    EXPECT_EQ(snapshot(dir.path()), before);
}

const std::string notFound = "没找到1001号考生试卷,改用阅卷结果登陆.";
const std::vector<std::string> unmarkedCard { "1--", "2--", "3--", "4--", "5--", "6--", "7--" };

INSTANTIATE_TEST_SUITE_P(ReviewStartupTest, ReviewFallbackTest,
    ::testing::Values(Fallback { "first of two records",
                          [](const auto& answers, const auto&) {
                              writeBytes(answers,
                                  "9  1002          RRRRRRR\r\r\n7  1001          *R*E**R\r\r\n"
                                  "1  1001          EEEEEEE\r\r\n");
                          },
                          { notFound }, { "1", "2" + gbk("√"), "3", "4" + gbk("×"), "5", "6", "7" + gbk("√") }, "7  " },
        Fallback { "paper copy without its marked answer card",
            [](const auto& answers, const auto& paperCopy) {
                writeBytes(answers, "1  1001          E******\r\r\n");
                ASSERT_EQ(writeQuestionBank(test::sampleBank(1, 0, 0), paperCopy), BankWriteResult::Written);
            },
            { notFound }, { "1" + gbk("×"), "2", "3", "4", "5", "6", "7" }, "1  " },
        Fallback { "no record for the exam number",
            [](const auto& answers, const auto&) { writeBytes(answers, "9  1002          RRRRRRR\r\r\n"); },
            { notFound, "答题卷文件中没有考号1001的记录.\n改用查看题库方式登陆" }, unmarkedCard, gbk("没考试") },
        Fallback { "no answer sheet file", [](const auto&, const auto&) {},
            { notFound, "不能打开答题情况文件\n改用查看题库方式登陆" }, unmarkedCard, gbk("没考试") }));

TEST_F(ReviewStartupTest, WithoutRosterLineThereIsNoClassNameOrScore)
{
    sitExam(someAnswers);
    writeRoster({ test::rosterLine("二班", "李四", "1002") });
    ASSERT_EQ(review("1001"), StartMode::Review);
    EXPECT_EQ(reviewed.className, "");
    EXPECT_EQ(reviewed.candidateName, "");
    // The copies carry the name, so without it only the answer record is left.
    EXPECT_EQ(reviewPrompts(), std::vector<std::string> { notFound });
    EXPECT_EQ(reviewed.paper.questionCount(), 34);
}

TEST_F(ReviewStartupTest, CancelledDialogEndsTheProgram)
{
    EXPECT_FALSE(review(std::nullopt));
    EXPECT_TRUE(reviewPrompts().empty());
}

} // namespace
} // namespace olv

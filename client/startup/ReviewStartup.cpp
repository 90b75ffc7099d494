#include "client/startup/ReviewStartup.h"

#include "client/exam/AnswerCardLine.h"
#include "client/exam/ExamState.h"
#include "client/handin/Marking.h"
#include "client/startup/ClientEnvironment.h"
#include "client/startup/ExamFolder.h"
#include "client/startup/ScreenCheck.h"
#include "common/AnswerRecord.h"
#include "common/Prompter.h"
#include "common/Question.h"
#include "common/ScoreDatabase.h"
#include "common/TextFields.h"
#include "common/TextLines.h"
#include "platform/Gbk.h"
#include "platform/PathMapping.h"

namespace olv {

namespace {

// Every question of any bank: the reader takes no bank larger than this, so no kind is cut short
// (a fixed 30000 would leave out the rest of a larger kind).
constexpr int allQuestions = maxBankQuestions;

const std::string& notExaminedText()
{
    static const std::string text = utf8ToGbk("没考试");
    return text;
}

bool opensForReading(const std::filesystem::path& path)
{
    return File::open(path, OpenMode::ReadOnly, Sharing::Shared).has_value();
}

// The marked lines at the start of the copy: "√" or "×", the number, "--", the letters.
// The score and the counts that follow hold no "-".
std::vector<std::string> markedCardLines(const std::filesystem::path& path)
{
    std::vector<std::string> lines;
    std::optional<File> file = File::open(path, OpenMode::ReadOnly, Sharing::Shared);
    std::string line;
    while (file && readLine(*file, line) == LineRead::Line && line.find('-') != std::string::npos)
        lines.push_back(line);
    return lines;
}

// Bank question k: its number, then "√" when right, "×" when wrong, nothing when not on the paper.
std::string recordCardLine(int number, char mark)
{
    std::string line = std::to_string(number);
    if (mark == 'R')
        line += rightSign();
    else if (mark == 'E')
        line += wrongSign();
    return line;
}

} // namespace

void forceReviewSettings(ExamSettings& settings)
{
    settings.shuffleOptions = 0;
    settings.passwordToExit = 0;
    settings.showScoreAfterExam = 0;
    settings.shuffleQuestions = 0;
    settings.rosterRequired = 1;
    settings.singleChoiceCount = allQuestions;
    settings.multipleChoiceCount = allQuestions;
    settings.trueFalseCount = allQuestions;
    settings.drawMode = DrawMode::BankOrder;
}

PaperReviewStartup::PaperReviewStartup(const ClientEnvironment& env, ReviewLoginRunner& login)
    : m_env(env)
    , m_login(login)
{ }

bool PaperReviewStartup::prepare(ExamState& state)
{
    forceReviewSettings(state.settings);
    const std::optional<std::string> typed = m_login.run();
    if (!typed)
        return false;
    state.examNumber = removeSpaces(*typed);
    findCandidate(state);
    chooseBank(state);
    return checkScreenResolution(m_env.screen, m_env.prompter, 1024, 768);
}

bool PaperReviewStartup::fillAnswerCard(ExamState& state)
{
    if (!m_markedCard.empty())
        state.answerCard = markedCardLines(m_markedCard);
    else
        fillFromAnswerRecord(state);
    return true;
}

// Nothing found is no error: the review goes on without class, name and score.
void PaperReviewStartup::findCandidate(ExamState& state)
{
    std::optional<File> file = File::open(
        nativePath(state.settings.scoreFile, m_env.localDriveRoot), OpenMode::ReadOnly, Sharing::Exclusive);
    if (!file)
        return;
    const std::optional<FoundScoreRecord> found = findScoreRecord(*file, state.examNumber, ScoreMatch::SpaceFree);
    if (!found)
        return;
    state.className = found->record.schoolClass;
    state.candidateName = removeSpaces(found->record.name);
    m_scoreText = found->record.scoreField;
}

void PaperReviewStartup::chooseBank(ExamState& state)
{
    const std::string paperCopy = reviewCopySetting(state.settings, state.examNumber, state.candidateName, ".kst");
    const std::filesystem::path markedCard
        = reviewCopyPath(state.settings, state.examNumber, state.candidateName, ".das", m_env.localDriveRoot);
    if (opensForReading(nativePath(paperCopy, m_env.localDriveRoot)) && opensForReading(markedCard)) {
        state.settings.bankFile = paperCopy;
        m_markedCard = markedCard;
        return;
    }
    m_env.prompter.message("没找到" + gbkToUtf8(state.examNumber) + "号考生试卷,改用阅卷结果登陆.");
}

void PaperReviewStartup::fillFromAnswerRecord(ExamState& state)
{
    std::optional<File> file
        = File::open(nativePath(state.settings.answerFile, m_env.localDriveRoot), OpenMode::ReadOnly, Sharing::Shared);
    if (!file) {
        m_env.prompter.message("不能打开答题情况文件\n改用查看题库方式登陆");
        fillUnmarked(state);
        return;
    }
    const std::optional<std::string> line = findAnswerRecord(*file, state.examNumber);
    if (!line) {
        m_env.prompter.message("答题卷文件中没有考号" + gbkToUtf8(state.examNumber) + "的记录.\n改用查看题库方式登陆");
        fillUnmarked(state);
        return;
    }
    const AnswerRecord record = parseAnswerRecord(*line);
    state.answerCard.clear();
    for (std::size_t i = 0; i < record.marks.size(); ++i)
        state.answerCard.push_back(recordCardLine(static_cast<int>(i) + 1, record.marks[i]));
    m_scoreText = record.score;
}

void PaperReviewStartup::fillUnmarked(ExamState& state)
{
    state.answerCard.clear();
    for (int number = 1; number <= state.paper.questionCount(); ++number)
        state.answerCard.push_back(answerCardLine(number, {}));
    m_scoreText = notExaminedText();
}

} // namespace olv

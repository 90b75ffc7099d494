#include "common/ExamSettingsFile.h"

#include "common/CNumbers.h"
#include "common/TextLines.h"
#include "platform/File.h"
#include "platform/Gbk.h"
#include "platform/ReplacingWrite.h"

#include <array>
#include <limits>

namespace olv {

namespace {

constexpr std::size_t settingsLineCount = 23;

using LineSetter = void (*)(ExamSettings&, const std::string&);

int toInt(const std::string& line) { return cAtoi(line); }

// Narrowing a double beyond float's range is undefined, so clamp first.
float toFloat(const std::string& line)
{
    constexpr double largest = std::numeric_limits<float>::max();
    double value = cAtof(line);
    return static_cast<float>(value > largest ? largest : value < -largest ? -largest : value);
}

// One setter per line of the file, in file order.
const std::array<LineSetter, settingsLineCount> lineSetters = {
    [](ExamSettings& s, const std::string& l) { s.examName = l; },
    [](ExamSettings& s, const std::string& l) { s.subject = l; },
    [](ExamSettings& s, const std::string& l) { s.examMinutes = toInt(l); },
    [](ExamSettings& s, const std::string& l) { s.earliestHandInMinutes = toInt(l); },
    [](ExamSettings& s, const std::string& l) { s.fixedNumber = toInt(l); },
    [](ExamSettings& s, const std::string& l) { s.singleChoiceCount = toInt(l); },
    [](ExamSettings& s, const std::string& l) { s.multipleChoiceCount = toInt(l); },
    [](ExamSettings& s, const std::string& l) { s.trueFalseCount = toInt(l); },
    [](ExamSettings& s, const std::string& l) { s.singleChoicePoints = toFloat(l); },
    [](ExamSettings& s, const std::string& l) { s.multipleChoicePoints = toFloat(l); },
    [](ExamSettings& s, const std::string& l) { s.trueFalsePoints = toFloat(l); },
    [](ExamSettings& s, const std::string& l) { s.drawMode = static_cast<DrawMode>(toInt(l)); },
    [](ExamSettings& s, const std::string& l) { s.fixedNumber = toInt(l); },
    [](ExamSettings& s, const std::string& l) { s.shuffleQuestions = toInt(l); },
    [](ExamSettings& s, const std::string& l) { s.shuffleOptions = toInt(l); },
    [](ExamSettings& s, const std::string& l) { s.rosterRequired = toInt(l); },
    [](ExamSettings& s, const std::string& l) { s.showScoreAfterExam = toInt(l); },
    [](ExamSettings& s, const std::string& l) { s.passwordToExit = toInt(l); },
    [](ExamSettings& s, const std::string& l) { s.reviewMode = toInt(l); },
    [](ExamSettings& s, const std::string& l) { s.bankFile = l; },
    [](ExamSettings& s, const std::string& l) { s.scoreFile = l; },
    [](ExamSettings& s, const std::string& l) { s.answerFile = l; },
    [](ExamSettings& s, const std::string& l) { s.operatorPassword = unscramblePassword(l); },
};

// Line 22 is derived from subject and exam name, except in the client's workspace copy, which
// keeps the answer sheet path the exam started with, so that a resumed exam appends its
// record to the same file as a fresh one would.
std::string settingsText(const ExamSettings& s, bool answerFileAsHeld)
{
    auto number = [](int value) { return std::to_string(value); };
    auto points = [](float value) { return formatFixed(static_cast<double>(value)); };
    const std::array<std::string, settingsLineCount> lines = {
        s.examName,
        s.subject,
        number(s.examMinutes),
        number(s.earliestHandInMinutes),
        number(s.fixedNumber),
        number(s.singleChoiceCount),
        number(s.multipleChoiceCount),
        number(s.trueFalseCount),
        points(s.singleChoicePoints),
        points(s.multipleChoicePoints),
        points(s.trueFalsePoints),
        number(static_cast<int>(s.drawMode)),
        number(s.fixedNumber),
        number(s.shuffleQuestions),
        number(s.shuffleOptions),
        number(s.rosterRequired),
        number(s.showScoreAfterExam),
        number(s.passwordToExit),
        number(s.reviewMode),
        s.bankFile,
        s.scoreFile,
        answerFileAsHeld ? s.answerFile : answerFilePath(s.subject, s.examName),
        scramblePassword(s.operatorPassword),
    };
    std::string text;
    for (const std::string& line : lines)
        text.append(line).append("\n");
    return text;
}

SettingsRead readSettingsLines(const std::filesystem::path& path, ExamSettings& settings, std::string* extraLine)
{
    std::optional<File> file = File::open(path, OpenMode::ReadOnly, Sharing::Shared);
    if (!file)
        return SettingsRead::NotFound;
    std::string line;
    for (LineSetter setLine : lineSetters) {
        // After the end every further read gives End again, so the missing lines become empty.
        if (readLine(*file, line) == LineRead::Failed)
            return SettingsRead::ReadError;
        setLine(settings, line);
    }
    if (extraLine) {
        if (readLine(*file, line) == LineRead::Failed)
            return SettingsRead::ReadError;
        *extraLine = line;
    }
    return SettingsRead::Read;
}

ExamSettings sharedDefaults()
{
    ExamSettings s;
    s.examName = utf8ToGbk("澜溪校期末考试");
    s.subject = "WordExcel97";
    s.singleChoiceCount = 50;
    s.multipleChoiceCount = 10;
    s.trueFalseCount = 5;
    s.singleChoicePoints = 1.5f;
    s.multipleChoicePoints = 2.0f;
    s.trueFalsePoints = 1.0f;
    s.drawMode = DrawMode::ByExamNumber;
    s.shuffleOptions = 1;
    s.showScoreAfterExam = 1;
    s.passwordToExit = 1;
    s.bankFile = "WordE97.kst";
    s.scoreFile = "cj.kcj";
    deriveAnswerFile(s);
    return s;
}

std::string shiftBytes(std::string_view text, int delta)
{
    std::string shifted(text);
    for (char& byte : shifted)
        byte = static_cast<char>(static_cast<unsigned char>(byte) + delta);
    return shifted;
}

} // namespace

ExamSettings adminDefaults()
{
    ExamSettings s = sharedDefaults();
    s.examMinutes = 50;
    s.fixedNumber = 1;
    return s;
}

ExamSettings clientDefaults()
{
    ExamSettings s = sharedDefaults();
    s.examMinutes = 60;
    s.fixedNumber = 3;
    return s;
}

SettingsRead readExamSettings(const std::filesystem::path& path, ExamSettings& settings)
{
    return readSettingsLines(path, settings, nullptr);
}

SettingsRead readExamSettings(const std::filesystem::path& path, ExamSettings& settings, std::string& extraLine)
{
    return readSettingsLines(path, settings, &extraLine);
}

bool writeExamSettings(
    const std::filesystem::path& path, const ExamSettings& settings, std::optional<std::string_view> extraLine)
{
    std::string text = settingsText(settings, extraLine.has_value());
    if (extraLine)
        text.append(*extraLine).append("\n");
    // Through a temporary beside the file: a crash or a full disk leaves the old settings whole.
    return writeTextReplacing(path, text);
}

std::string examFolderName(std::string_view subject, std::string_view examName)
{
    std::string folder = std::string(subject) + std::string(examName);
    return folder.empty() ? "ExaminationTemporary" : folder;
}

std::string answerFilePath(std::string_view subject, std::string_view examName)
{
    return examFolderName(subject, examName) + "\\daan.txt";
}

void deriveAnswerFile(ExamSettings& settings)
{
    settings.answerFile = answerFilePath(settings.subject, settings.examName);
}

std::string scramblePassword(std::string_view password) { return shiftBytes(password, 1); }

std::string unscramblePassword(std::string_view stored) { return shiftBytes(stored, -1); }

} // namespace olv

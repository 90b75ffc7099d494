#pragma once

#include <string>

namespace olv {

// How the questions of a paper are drawn; the values are those of the settings file.
enum class DrawMode { Random = 0, BankOrder = 1, ByExamNumber = 2, FixedNumber = 3 };

// The exam settings file, one field per line. Texts are GBK bytes; the password is
// held in clear text (the file stores it scrambled).
struct ExamSettings
{
    std::string examName;
    std::string subject;
    int examMinutes = 0;
    int earliestHandInMinutes = 0;
    int fixedNumber = 0;
    int singleChoiceCount = 0;
    int multipleChoiceCount = 0;
    int trueFalseCount = 0;
    float singleChoicePoints = 0;
    float multipleChoicePoints = 0;
    float trueFalsePoints = 0;
    // Kept as read: a file may hold a value outside the four modes.
    DrawMode drawMode = DrawMode::Random;
    int shuffleQuestions = 0;
    int shuffleOptions = 0;
    int rosterRequired = 0;
    int showScoreAfterExam = 0;
    int passwordToExit = 0;
    int reviewMode = 0;
    std::string bankFile;
    std::string scoreFile;
    std::string answerFile;
    std::string operatorPassword;

    bool operator==(const ExamSettings&) const = default;
};

} // namespace olv

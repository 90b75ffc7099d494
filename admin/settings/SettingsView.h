#pragma once

#include <optional>
#include <string>

namespace olv {

// The boxes of the settings dialog that hold text, in the order the dialog takes them.
enum class SettingsBox
{
    ExamName,
    Subject,
    BankFile,
    ScoreFile,
    SingleChoiceCount,
    MultipleChoiceCount,
    TrueFalseCount,
    SingleChoicePoints,
    MultipleChoicePoints,
    TrueFalsePoints,
    FixedNumber,
    ExamMinutes,
    EarliestHandIn,
};
constexpr int settingsBoxCount = 13;

// Its check boxes.
enum class SettingsFlag
{
    ShuffleQuestions,
    ShuffleOptions,
    RosterRequired,
    ShowScoreAfterExam,
    PasswordToExit,
    ReviewMode,
};
constexpr int settingsFlagCount = 6;

// What the settings rules need from the settings dialog. Box texts are GBK.
class SettingsView
{
public:
    virtual ~SettingsView() = default;
    virtual void setText(SettingsBox box, const std::string& text) = 0;
    virtual std::string text(SettingsBox box) const = 0;
    // Why the box cannot be taken as typed (a character GBK cannot hold; UTF-8), or nothing.
    virtual std::optional<std::string> entryRefusal(SettingsBox box) const
    {
        (void)box;
        return std::nullopt;
    }
    virtual void setChecked(SettingsFlag flag, bool checked) = 0;
    virtual bool isChecked(SettingsFlag flag) const = 0;
    // The draw-mode radio buttons, 0 to 3; any other value checks none of them.
    virtual void setDrawMode(int mode) = 0;
    // -1 when none is checked.
    virtual int drawMode() const = 0;
    virtual void setFixedNumberEnabled(bool enabled) = 0;
    // Puts the input focus into the box and selects its text.
    virtual void focus(SettingsBox box) = 0;
};

} // namespace olv

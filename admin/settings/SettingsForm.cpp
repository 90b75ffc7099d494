#include "admin/settings/SettingsForm.h"

#include "admin/settings/NumberText.h"
#include "admin/settings/SettingsSave.h"
#include "admin/settings/SettingsView.h"
#include "common/Prompter.h"
#include "common/SaveName.h"
#include "platform/Gbk.h"
#include "platform/PathMapping.h"

#include <array>
#include <variant>

namespace olv {

namespace {

constexpr const char* bankFilter = "试题库文件(*.kst)|*.kst|所有文件(*.*)|*.*|";
constexpr const char* scoreFilter = "成绩库文件(*.kcj)|*.kcj|所有文件(*.*)|*.*|";
// The "选取" beside the score database also lists the older ".cj" files.
constexpr const char* scorePickFilter = "成绩库文件(*.kcj)|*.cj;*.kcj|所有文件(*.*)|*.*|";
constexpr const char* timesCaption = "考试设置错误";

using TextField = std::string ExamSettings::*;
using WholeField = int ExamSettings::*;
using PointsField = float ExamSettings::*;
using BoxField = std::variant<TextField, WholeField, PointsField>;

// The record field behind each box, in SettingsBox order.
const std::array<BoxField, settingsBoxCount> boxFields = {
    &ExamSettings::examName,
    &ExamSettings::subject,
    &ExamSettings::bankFile,
    &ExamSettings::scoreFile,
    &ExamSettings::singleChoiceCount,
    &ExamSettings::multipleChoiceCount,
    &ExamSettings::trueFalseCount,
    &ExamSettings::singleChoicePoints,
    &ExamSettings::multipleChoicePoints,
    &ExamSettings::trueFalsePoints,
    &ExamSettings::fixedNumber,
    &ExamSettings::examMinutes,
    &ExamSettings::earliestHandInMinutes,
};

const std::array<WholeField, settingsFlagCount> flagFields = {
    &ExamSettings::shuffleQuestions,
    &ExamSettings::shuffleOptions,
    &ExamSettings::rosterRequired,
    &ExamSettings::showScoreAfterExam,
    &ExamSettings::passwordToExit,
    &ExamSettings::reviewMode,
};

constexpr int fixedNumberMode = static_cast<int>(DrawMode::FixedNumber);

std::string shownText(const ExamSettings& settings, const BoxField& field)
{
    if (const auto* text = std::get_if<TextField>(&field))
        return settings.**text;
    if (const auto* whole = std::get_if<WholeField>(&field))
        return std::to_string(settings.**whole);
    return pointsText(settings.*std::get<PointsField>(field));
}

// Copies `text` into the field; the refusal message when the box does not hold its kind.
const char* takeText(ExamSettings& settings, const BoxField& field, const std::string& text)
{
    if (const auto* textField = std::get_if<TextField>(&field)) {
        settings.** textField = text;
    } else if (const auto* whole = std::get_if<WholeField>(&field)) {
        const std::optional<int> value = parseWholeNumber(text);
        if (!value)
            return "请键入一个整数。";
        settings.** whole = *value;
    } else {
        const std::optional<float> value = parseNumber(text);
        if (!value)
            return "请键入一个数。";
        settings.*std::get<PointsField>(field) = *value;
    }
    return nullptr;
}

} // namespace

SettingsForm::SettingsForm(SettingsView& view, Prompter& prompter, ExamSettings settings,
    std::filesystem::path settingsFile, std::filesystem::path localDriveRoot)
    : m_view(view)
    , m_prompter(prompter)
    , m_settings(std::move(settings))
    , m_startAnswerFile(m_settings.answerFile)
    , m_settingsFile(std::move(settingsFile))
    , m_localDriveRoot(std::move(localDriveRoot))
{ }

void SettingsForm::refresh()
{
    for (int box = 0; box < settingsBoxCount; ++box)
        m_view.setText(static_cast<SettingsBox>(box), shownText(m_settings, boxFields[box]));
    for (int flag = 0; flag < settingsFlagCount; ++flag)
        m_view.setChecked(static_cast<SettingsFlag>(flag), m_settings.*flagFields[flag] != 0);
    const int mode = static_cast<int>(m_settings.drawMode);
    m_view.setDrawMode(mode);
    m_view.setFixedNumberEnabled(mode == fixedNumberMode);
}

bool SettingsForm::takeFields()
{
    // Into a copy, so that a refused box leaves the whole record as it was.
    ExamSettings taken = m_settings;
    for (int box = 0; box < settingsBoxCount; ++box) {
        const auto which = static_cast<SettingsBox>(box);
        if (const auto refusal = m_view.entryRefusal(which)) {
            m_prompter.message(*refusal);
            m_view.focus(which);
            return false;
        }
        if (const char* refusal = takeText(taken, boxFields[box], m_view.text(which))) {
            m_prompter.message(refusal);
            m_view.focus(which);
            return false;
        }
    }
    for (int flag = 0; flag < settingsFlagCount; ++flag)
        taken.*flagFields[flag] = m_view.isChecked(static_cast<SettingsFlag>(flag)) ? 1 : 0;
    // With no radio button checked (a mode from the file that the dialog does not know), the
    // mode stays as it was read.
    if (const int mode = m_view.drawMode(); mode >= 0)
        taken.drawMode = static_cast<DrawMode>(mode);
    m_settings = std::move(taken);
    return true;
}

void SettingsForm::chooseDrawMode(int mode) { m_view.setFixedNumberEnabled(mode == fixedNumberMode); }

bool SettingsForm::save()
{
    if (!takeFields())
        return false;
    switch (saveExamSettings(m_settingsFile, m_settings)) {
    case SettingsSave::Saved:
        return true;
    case SettingsSave::ExamTimeRefused:
        m_prompter.message("考试时间设置错,请重新输入", timesCaption);
        return false;
    case SettingsSave::EarliestHandInRefused:
        m_prompter.message("最早交卷时间不能大于考试时间。", timesCaption);
        return false;
    case SettingsSave::WriteFailed:
        // Reported, and the dialog stays open so that the examiner can free the folder and
        // save again.
        m_prompter.message("数据文件使用错误");
        return false;
    }
    return false;
}

void SettingsForm::pickBankFile()
{
    if (!takeFields())
        return;
    if (const std::optional<std::string> chosen = m_prompter.openFileName(bankFilter)) {
        m_settings.bankFile = utf8ToGbk(*chosen);
        refresh();
    }
}

void SettingsForm::pickScoreFile()
{
    if (!takeFields())
        return;
    if (const std::optional<std::string> chosen = m_prompter.openFileName(scorePickFilter)) {
        m_settings.scoreFile = utf8ToGbk(*chosen);
        refresh();
    }
}

std::optional<std::filesystem::path> SettingsForm::scoreFileToView()
{
    if (!takeFields())
        return std::nullopt;
    return nativePath(m_settings.scoreFile, m_localDriveRoot);
}

std::optional<std::filesystem::path> SettingsForm::answerFileToAnalyse()
{
    if (!takeFields())
        return std::nullopt;
    return nativePath(m_startAnswerFile, m_localDriveRoot);
}

std::optional<ExamSettings> SettingsForm::settingsToView()
{
    if (!takeFields())
        return std::nullopt;
    return m_settings;
}

std::optional<std::filesystem::path> SettingsForm::pickFile(const char* filter, const char* extension)
{
    std::optional<std::string> chosen = m_prompter.openFileName(filter);
    if (!chosen)
        return std::nullopt;
    if (extension)
        *chosen = withDefaultExtension(std::move(*chosen), extension);
    return std::filesystem::path(*chosen);
}

std::optional<std::filesystem::path> SettingsForm::bankFileToEdit() { return pickFile(bankFilter, ".kst"); }

std::optional<std::filesystem::path> SettingsForm::scoreFileToEdit() { return pickFile(scoreFilter, ".kcj"); }

std::optional<std::filesystem::path> SettingsForm::bankFileToCopy() { return pickFile(bankFilter, nullptr); }

} // namespace olv

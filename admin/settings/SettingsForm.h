#pragma once

#include "common/ExamSettings.h"

#include <filesystem>
#include <optional>
#include <string>

namespace olv {

class Prompter;
class SettingsView;

// The rules of the settings dialog "考试管理": the record shown in the boxes, taking the
// boxes back with their refusals, saving, and the files the dialog's buttons hand to the
// tools. Refused entries stop whatever needed the values.
class SettingsForm
{
public:
    // `settings` as the start-up read them; `settingsFile` is where a save writes them.
    // Stored paths are mapped with `localDriveRoot` as drive D:.
    SettingsForm(SettingsView& view, Prompter& prompter, ExamSettings settings, std::filesystem::path settingsFile,
        std::filesystem::path localDriveRoot);

    // Shows the record in the boxes.
    void refresh();
    // Copies every box into the record. A box that holds no whole number or no number is
    // refused with a message and the focus; then nothing is copied and false is returned.
    bool takeFields();
    // A draw-mode radio button was chosen: the fixed-number box is for mode 3 only.
    void chooseDrawMode(int mode);

    // "确    定": true once the settings are written and the program can end. Refusals and a
    // failed write keep the dialog open.
    bool save();

    // "选取" beside the bank and the score database boxes.
    void pickBankFile();
    void pickScoreFile();

    // The files the tool buttons open, nothing when an entry is refused or the picker is
    // cancelled. "查看成绩": the score database of the boxes.
    std::optional<std::filesystem::path> scoreFileToView();
    // "答题情况": the answer sheet file as derived at start-up, whatever the boxes say now.
    std::optional<std::filesystem::path> answerFileToAnalyse();
    // "查看试题": the record with the values of the boxes.
    std::optional<ExamSettings> settingsToView();
    // "编辑试题库", "编辑成绩库": a picked file, with ".kst" or ".kcj" added to a name without ".".
    std::optional<std::filesystem::path> bankFileToEdit();
    std::optional<std::filesystem::path> scoreFileToEdit();
    // "复制试题库": a picked bank as chosen.
    std::optional<std::filesystem::path> bankFileToCopy();

    // "修改口令": the new password (GBK) goes into the record, to be written with the next save.
    const std::string& operatorPassword() const { return m_settings.operatorPassword; }
    void setOperatorPassword(std::string password) { m_settings.operatorPassword = std::move(password); }

    const ExamSettings& settings() const { return m_settings; }

private:
    std::optional<std::filesystem::path> pickFile(const char* filter, const char* extension);

    SettingsView& m_view;
    Prompter& m_prompter;
    ExamSettings m_settings;
    std::string m_startAnswerFile;
    std::filesystem::path m_settingsFile;
    std::filesystem::path m_localDriveRoot;
};

} // namespace olv

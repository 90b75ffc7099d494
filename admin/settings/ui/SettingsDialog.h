#pragma once

#include "admin/settings/SettingsForm.h"
#include "admin/settings/SettingsView.h"
#include "admin/ui/AdminTools.h"

#include <QDialog>
#include <array>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;

namespace olv {

// The examiner's main window "考试管理": the exam settings in boxes, and the buttons that open
// the tools. Its rules are SettingsForm's; the window shows and forwards. Enter neither saves
// nor closes it; Escape and the close box end it without saving; it is accepted once saved.
class SettingsDialog : public QDialog, public SettingsView
{
    Q_OBJECT
public:
    SettingsDialog(Prompter& prompter, ExamSettings settings, std::filesystem::path settingsFile,
        std::filesystem::path localDriveRoot, AdminTools tools, QWidget* parent = nullptr);

    void setText(SettingsBox box, const std::string& text) override;
    std::string text(SettingsBox box) const override;
    std::optional<std::string> entryRefusal(SettingsBox box) const override;
    void setChecked(SettingsFlag flag, bool checked) override;
    bool isChecked(SettingsFlag flag) const override;
    void setDrawMode(int mode) override;
    int drawMode() const override;
    void setFixedNumberEnabled(bool enabled) override;
    void focus(SettingsBox box) override;

    const SettingsForm& form() const { return m_form; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLayout* buildFields();
    QLayout* buildButtons();
    QPushButton* addButton(const QString& caption, bool enabled, std::function<void()> action);
    QLineEdit* box(SettingsBox which) const { return m_boxes[static_cast<std::size_t>(which)]; }
    void copyBank();
    void changePassword();

    Prompter& m_prompter;
    AdminTools m_tools;
    SettingsForm m_form;
    std::array<QLineEdit*, settingsBoxCount> m_boxes {};
    std::array<QCheckBox*, settingsFlagCount> m_flags {};
    QButtonGroup* m_drawModes;
};

} // namespace olv

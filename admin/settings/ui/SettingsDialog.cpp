#include "admin/settings/ui/SettingsDialog.h"

#include "admin/merge/ui/MergeChooserDialog.h"
#include "admin/settings/ui/PasswordChangeDialog.h"
#include "admin/ui/HelpWindow.h"
#include "admin/ui/ToolButton.h"
#include "platform/PathMapping.h"
#include "platform/WorkingDirectoryGuard.h"
#include "ui/DialogControls.h"
#include "ui/GbkString.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace olv {

namespace {

const std::array<QString, settingsFlagCount> flagCaptions = {
    QStringLiteral("改变题的排列顺序"),
    QStringLiteral("改变供选答案顺序"),
    QStringLiteral("成绩库中已建考生"),
    QStringLiteral("考后立即公布成绩"),
    QStringLiteral("考后使用密码退出"),
    QStringLiteral("考生查卷"),
};

const std::array<QString, 4> drawModeCaptions = {
    QStringLiteral("不固定"),
    QStringLiteral("按题库顺序"),
    QStringLiteral("按考号"),
    QStringLiteral("固定号:"),
};

QGroupBox* kindCounts(const QString& title, std::array<QLineEdit*, 3> boxes, QWidget* parent)
{
    auto* group = new QGroupBox(title, parent);
    auto* form = new QFormLayout(group);
    const std::array<QString, 3> kinds
        = { QStringLiteral("单选题:"), QStringLiteral("多选题:"), QStringLiteral("判断题:") };
    for (std::size_t kind = 0; kind < kinds.size(); ++kind) {
        auto* label = new QLabel(kinds[kind], group);
        label->setBuddy(boxes[kind]);
        // Both groups label their boxes "单选题:" and so on: the group tells them apart.
        boxes[kind]->setAccessibleName(title + kinds[kind]);
        form->addRow(label, boxes[kind]);
    }
    return group;
}

} // namespace

SettingsDialog::SettingsDialog(Prompter& prompter, ExamSettings settings, std::filesystem::path settingsFile,
    std::filesystem::path localDriveRoot, AdminTools tools, QWidget* parent)
    : QDialog(parent)
    , m_prompter(prompter)
    , m_tools(std::move(tools))
    , m_form(*this, prompter, std::move(settings), std::move(settingsFile), std::move(localDriveRoot))
    , m_drawModes(new QButtonGroup(this))
{
    setWindowTitle(QStringLiteral("考试管理"));
    for (QLineEdit*& edit : m_boxes)
        edit = new QLineEdit(this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buildFields());
    layout->addLayout(buildButtons());
    m_form.refresh();
}

QLayout* SettingsDialog::buildFields()
{
    const auto labelled = [this](QFormLayout* form, const QString& caption, SettingsBox which) {
        form->addRow(makeBuddyLabel(caption, box(which), this), box(which));
    };
    const auto picker = [this](const QString& caption, const QString& accessibleName, SettingsBox which,
                            void (SettingsForm::*pick)()) {
        auto* row = new QHBoxLayout;
        row->addWidget(box(which), 1);
        QPushButton* button = toolButton(caption, true, this);
        button->setAccessibleName(accessibleName);
        connect(button, &QPushButton::clicked, this, [this, pick] { (m_form.*pick)(); });
        row->addWidget(button);
        return row;
    };

    auto* top = new QFormLayout;
    labelled(top, QStringLiteral("考试名称:"), SettingsBox::ExamName);
    labelled(top, QStringLiteral("考试科目:"), SettingsBox::Subject);

    auto* files = new QGroupBox(QStringLiteral("考试文件"), this);
    auto* fileRows = new QFormLayout(files);
    const std::array<std::pair<QString, SettingsBox>, 2> fileBoxes
        = { std::pair { QStringLiteral("试题库文件名:"), SettingsBox::BankFile },
              std::pair { QStringLiteral("成绩库文件名:"), SettingsBox::ScoreFile } };
    for (const auto& [caption, which] : fileBoxes) {
        fileRows->addRow(makeBuddyLabel(caption, box(which), files),
            picker(QStringLiteral("选取"), QStringLiteral("选取") + caption, which,
                which == SettingsBox::BankFile ? &SettingsForm::pickBankFile : &SettingsForm::pickScoreFile));
    }

    auto* counts = new QHBoxLayout;
    counts->addWidget(kindCounts(QStringLiteral("题量:"),
        { box(SettingsBox::SingleChoiceCount), box(SettingsBox::MultipleChoiceCount),
            box(SettingsBox::TrueFalseCount) },
        this));
    counts->addWidget(kindCounts(QStringLiteral("分值:"),
        { box(SettingsBox::SingleChoicePoints), box(SettingsBox::MultipleChoicePoints),
            box(SettingsBox::TrueFalsePoints) },
        this));

    auto* draw = new QGroupBox(QStringLiteral("抽题方式:"), this);
    auto* drawRows = new QGridLayout(draw);
    for (int mode = 0; mode < static_cast<int>(drawModeCaptions.size()); ++mode) {
        auto* radio = new QRadioButton(drawModeCaptions[mode], draw);
        radio->setAccessibleName(drawModeCaptions[mode]);
        m_drawModes->addButton(radio, mode);
        drawRows->addWidget(radio, mode / 2, mode % 2);
    }
    box(SettingsBox::FixedNumber)->setAccessibleName(QStringLiteral("固定号"));
    drawRows->addWidget(box(SettingsBox::FixedNumber), 1, 2);
    // Toggled, not clicked: a screen reader ticks a radio button through its action, not a click.
    connect(m_drawModes, &QButtonGroup::idToggled, this, [this](int mode, bool checked) {
        if (checked)
            m_form.chooseDrawMode(mode);
    });

    auto* left = new QVBoxLayout;
    left->addLayout(top);
    left->addWidget(files);
    left->addLayout(counts);
    left->addWidget(draw);

    auto* times = new QFormLayout;
    labelled(times, QStringLiteral("考试时间(分):"), SettingsBox::ExamMinutes);
    labelled(times, QStringLiteral("最早交卷时间:"), SettingsBox::EarliestHandIn);
    auto* right = new QVBoxLayout;
    right->addLayout(times);
    for (std::size_t flag = 0; flag < flagCaptions.size(); ++flag) {
        m_flags[flag] = new QCheckBox(flagCaptions[flag], this);
        m_flags[flag]->setAccessibleName(flagCaptions[flag]);
        right->addWidget(m_flags[flag]);
    }
    right->addStretch();

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 3);
    columns->addLayout(right, 2);
    return columns;
}

QPushButton* SettingsDialog::addButton(const QString& caption, bool enabled, std::function<void()> action)
{
    QPushButton* button = toolButton(caption, enabled, this);
    connect(button, &QPushButton::clicked, this, std::move(action));
    return button;
}

QLayout* SettingsDialog::buildButtons()
{
    const AdminTools& tools = m_tools;
    const std::array<QPushButton*, 11> buttons = {
        addButton(QStringLiteral("查看成绩"), bool(tools.scoreViewer),
            [this] {
                if (const auto file = m_form.scoreFileToView())
                    m_tools.scoreViewer(this, m_prompter, *file);
            }),
        addButton(QStringLiteral("答题情况"), bool(tools.answerAnalysis),
            [this] {
                if (const auto file = m_form.answerFileToAnalyse())
                    m_tools.answerAnalysis(this, m_prompter, *file,
                        nativePath(m_form.settings().bankFile, defaultLocalDriveRoot()));
            }),
        addButton(QStringLiteral("查看试题"), bool(tools.questionView),
            [this] {
                if (const auto settings = m_form.settingsToView())
                    m_tools.questionView(this, m_prompter, *settings);
            }),
        addButton(QStringLiteral("修改口令"), true, [this] { changePassword(); }),
        addButton(QStringLiteral("帮    助"), true, [this] { showHelp(this); }),
        addButton(QStringLiteral("编辑试题库"), bool(tools.bankEditor),
            [this] {
                if (const auto file = m_form.bankFileToEdit())
                    m_tools.bankEditor(this, m_prompter, *file);
            }),
        addButton(QStringLiteral("编辑成绩库"), bool(tools.scoreEditor),
            [this] {
                if (const auto file = m_form.scoreFileToEdit())
                    m_tools.scoreEditor(this, m_prompter, *file);
            }),
        addButton(QStringLiteral("复制试题库"), bool(tools.bankCopy), [this] { copyBank(); }),
        addButton(QStringLiteral("合并文件"), true,
            [this] {
                MergeChooserDialog chooser(m_prompter, m_tools, this);
                chooser.exec();
            }),
        addButton(QStringLiteral("考场监控"), bool(tools.roomView),
            [this] {
                if (const auto file = m_form.scoreFileToView())
                    m_tools.roomView(this, m_prompter, *file);
            }),
        addButton(QStringLiteral("确    定"), true,
            [this] {
                if (m_form.save())
                    accept();
            }),
    };
    auto* grid = new QGridLayout;
    for (std::size_t i = 0; i < buttons.size(); ++i)
        grid->addWidget(buttons[i], static_cast<int>(i / 6), static_cast<int>(i % 6));
    return grid;
}

void SettingsDialog::copyBank()
{
    const auto file = m_form.bankFileToCopy();
    if (!file)
        return;
    // Names typed in the copy dialog are relative to the bank's folder, for as long as it is open.
    std::error_code failed;
    const WorkingDirectoryGuard inBankFolder(std::filesystem::absolute(*file, failed).parent_path());
    m_tools.bankCopy(this, m_prompter, *file);
}

void SettingsDialog::changePassword()
{
    PasswordChangeDialog dialog(m_prompter, m_form.operatorPassword(), this);
    if (std::optional<std::string> password = dialog.ask())
        m_form.setOperatorPassword(std::move(*password));
}

void SettingsDialog::setText(SettingsBox which, const std::string& text) { box(which)->setText(fromGbk(text)); }

std::string SettingsDialog::text(SettingsBox which) const { return toGbk(oneLineText(box(which)->text())); }

std::optional<std::string> SettingsDialog::entryRefusal(SettingsBox which) const
{
    return olv::entryRefusal({ { box(which)->accessibleName(), box(which)->text() } });
}

void SettingsDialog::setChecked(SettingsFlag flag, bool checked)
{
    m_flags[static_cast<std::size_t>(flag)]->setChecked(checked);
}

bool SettingsDialog::isChecked(SettingsFlag flag) const { return m_flags[static_cast<std::size_t>(flag)]->isChecked(); }

void SettingsDialog::setDrawMode(int mode)
{
    if (QAbstractButton* radio = m_drawModes->button(mode)) {
        radio->setChecked(true);
        return;
    }
    // An exclusive group cannot be cleared while one of its buttons is checked.
    m_drawModes->setExclusive(false);
    for (QAbstractButton* radio : m_drawModes->buttons())
        radio->setChecked(false);
    m_drawModes->setExclusive(true);
}

int SettingsDialog::drawMode() const { return m_drawModes->checkedId(); }

void SettingsDialog::setFixedNumberEnabled(bool enabled) { box(SettingsBox::FixedNumber)->setEnabled(enabled); }

void SettingsDialog::focus(SettingsBox which)
{
    box(which)->setFocus();
    box(which)->selectAll();
}

void SettingsDialog::keyPressEvent(QKeyEvent* event)
{
    // No button is the default one: Enter does nothing here.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace olv

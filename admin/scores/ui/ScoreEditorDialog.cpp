#include "admin/scores/ui/ScoreEditorDialog.h"

#include "admin/scores/ScoreEditor.h"
#include "ui/DialogControls.h"
#include "ui/GbkString.h"
#include "ui/LineListModel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace olv {

void runScoreEditor(QWidget* parent, Prompter& prompter, const std::filesystem::path& scoreFile)
{
    ScoreEditorDialog dialog(parent);
    ScoreEditor editor(dialog, prompter, scoreFile);
    dialog.setEditor(&editor);
    editor.load();
    if (!dialog.closeRequested())
        dialog.exec();
}

ScoreEditorDialog::ScoreEditorDialog(QWidget* parent)
    : QDialog(parent)
    , m_path(new QLabel(this))
    , m_lines(new LineListModel(this))
    , m_list(makeLineListView(m_lines, this))
    , m_autoNumbering(new QCheckBox(QStringLiteral("自动"), this))
    , m_recordNumber(new QLabel(QStringLiteral("0"), this))
    , m_add(makeButton(QStringLiteral("添加到末尾"), QStringLiteral("addButton"), this))
    , m_insert(makeButton(QStringLiteral("插入到当前"), QStringLiteral("insertButton"), this))
    , m_replace(makeButton(QStringLiteral("替换到当前"), QStringLiteral("replaceButton"), this))
    , m_delete(makeButton(QStringLiteral("删除当前记录"), QStringLiteral("deleteButton"), this))
    , m_fetch(makeButton(QStringLiteral("获取当前记录"), QStringLiteral("fetchButton"), this))
    , m_save(makeButton(QStringLiteral("存盘"), QStringLiteral("saveButton"), this))
    , m_progress(new QProgressBar(this))
    , m_exit(makeButton(QStringLiteral("退出"), QStringLiteral("exitButton"), this))
{
    setWindowTitle(QStringLiteral("编辑成绩库"));
    setObjectName(QStringLiteral("scoreEditor"));
    m_path->setObjectName(QStringLiteral("pathLabel"));
    m_path->setAccessibleName(QStringLiteral("成绩库文件"));
    m_path->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_list->setObjectName(QStringLiteral("recordList"));
    m_list->setAccessibleName(QStringLiteral("成绩库记录"));
    m_list->setMinimumSize(560, 300);
    m_autoNumbering->setObjectName(QStringLiteral("autoNumbering"));
    m_autoNumbering->setAccessibleName(QStringLiteral("自动"));
    m_recordNumber->setObjectName(QStringLiteral("recordNumber"));
    m_progress->setObjectName(QStringLiteral("saveProgress"));
    m_progress->setAccessibleName(QStringLiteral("存盘进度"));
    m_progress->setTextVisible(false);

    auto* boxes = new QGridLayout;
    const std::array<std::pair<const char*, const char*>, 4> captions = { { { "班级:", "classBox" },
        { "姓名:", "nameBox" }, { "考号:", "examNumberBox" }, { "得分:", "scoreBox" } } };
    for (std::size_t i = 0; i < captions.size(); ++i) {
        QLabel* label = nullptr;
        m_boxes[i] = makeLabelledBox(
            label, QString::fromUtf8(captions[i].first), QString::fromLatin1(captions[i].second), this);
        boxes->addWidget(label, 0, static_cast<int>(i));
        boxes->addWidget(m_boxes[i], 1, static_cast<int>(i));
    }
    const auto* digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    box(ScoreBox::ExamNumber)->setValidator(digits);
    box(ScoreBox::Score)->setValidator(digits);
    boxes->addWidget(m_autoNumbering, 1, 4);

    auto* recordLabel = new QLabel(QStringLiteral("记录号:"), this);
    recordLabel->setBuddy(m_recordNumber);
    showLabelValue(m_recordNumber, QStringLiteral("记录号"), m_recordNumber->text());
    auto* current = new QHBoxLayout;
    current->addWidget(recordLabel);
    current->addWidget(m_recordNumber);
    current->addStretch();

    auto* commands = new QHBoxLayout;
    for (QPushButton* button : { m_add, m_insert, m_replace, m_delete, m_fetch })
        commands->addWidget(button);
    // Olvadmin's own addition: candidates from a class list in a spreadsheet.
    m_import = makeButton(QStringLiteral("导入名单"), QStringLiteral("importButton"), this);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_import);
    bottom->addWidget(m_save);
    bottom->addWidget(m_progress, 1);
    bottom->addWidget(m_exit);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_path);
    layout->addWidget(m_list, 1);
    layout->addLayout(boxes);
    layout->addLayout(current);
    layout->addLayout(commands);
    layout->addLayout(bottom);

    // Tab follows the order in which a record is typed and saved; typing starts in the class box.
    const std::array<QWidget*, 14> tabOrder = { box(ScoreBox::Class), box(ScoreBox::Name), box(ScoreBox::ExamNumber),
        box(ScoreBox::Score), m_add, m_insert, m_replace, m_delete, m_fetch, m_save, m_exit, m_autoNumbering, m_list, m_import };
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    box(ScoreBox::Class)->setFocus();
    resetProgress();
}

void ScoreEditorDialog::setEditor(ScoreEditor* editor)
{
    m_editor = editor;
    // Whatever selected the line: a screen reader selects without moving the current line.
    onRowSelected(m_list, [this](std::size_t row) {
        if (!m_selecting)
            m_editor->selectLine(row);
    });
    const std::array<ScoreBox, 4> all = { ScoreBox::Class, ScoreBox::Name, ScoreBox::ExamNumber, ScoreBox::Score };
    for (ScoreBox which : all)
        connect(box(which), &QLineEdit::editingFinished, this, [this, which] { m_editor->leaveBox(which); });
    connect(m_autoNumbering, &QCheckBox::toggled, this, [this](bool on) { m_editor->setAutoNumbering(on); });
    connect(m_add, &QPushButton::clicked, this, [this] { m_editor->addAtEnd(); });
    connect(m_insert, &QPushButton::clicked, this, [this] { m_editor->insertAtCurrent(); });
    connect(m_replace, &QPushButton::clicked, this, [this] { m_editor->replaceCurrent(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { m_editor->deleteCurrent(); });
    connect(m_fetch, &QPushButton::clicked, this, [this] { m_editor->fetchCurrent(); });
    connect(m_import, &QPushButton::clicked, this, [this] { m_editor->importRoster(); });
    connect(m_save, &QPushButton::clicked, this, [this] { m_editor->save(); });
    connect(m_exit, &QPushButton::clicked, this, [this] { m_editor->exit(); });
}

void ScoreEditorDialog::showPath(const std::string& utf8Path)
{
    showLabelValue(m_path, QStringLiteral("成绩库文件"), fromUtf8(utf8Path));
}

void ScoreEditorDialog::showLines(std::vector<RenderedLine> lines)
{
    m_selecting = true;
    m_lines->setLines(std::move(lines));
    m_selecting = false;
}

void ScoreEditorDialog::showCurrent(std::size_t record)
{
    showLabelValue(m_recordNumber, QStringLiteral("记录号"), QString::number(record));
    m_selecting = true;
    m_list->setCurrentIndex(m_lines->index(static_cast<int>(record)));
    m_selecting = false;
    for (QPushButton* button : { m_delete, m_fetch, m_insert, m_replace })
        button->setEnabled(record != 0);
}

std::string ScoreEditorDialog::boxText(ScoreBox which) const { return toGbk(oneLineText(box(which)->text())); }

std::optional<std::string> ScoreEditorDialog::entryRefusal() const
{
    return olv::entryRefusal({ { m_boxes[0]->accessibleName(), m_boxes[0]->text() },
        { m_boxes[1]->accessibleName(), m_boxes[1]->text() }, { m_boxes[2]->accessibleName(), m_boxes[2]->text() },
        { m_boxes[3]->accessibleName(), m_boxes[3]->text() } });
}

void ScoreEditorDialog::setBoxText(ScoreBox which, const std::string& text) { box(which)->setText(fromGbk(text)); }

void ScoreEditorDialog::setExamNumberEnabled(bool enabled) { box(ScoreBox::ExamNumber)->setEnabled(enabled); }

void ScoreEditorDialog::moveFocus(EditorFocus where)
{
    switch (where) {
    case EditorFocus::ClassBox:
        box(ScoreBox::Class)->setFocus();
        break;
    case EditorFocus::NameBox:
        box(ScoreBox::Name)->setFocus();
        break;
    case EditorFocus::ExamNumberBox:
        box(ScoreBox::ExamNumber)->setFocus();
        break;
    case EditorFocus::ScoreBox:
        box(ScoreBox::Score)->setFocus();
        break;
    case EditorFocus::AddButton:
        m_add->setFocus();
        break;
    case EditorFocus::Elsewhere:
        break;
    }
}

EditorFocus ScoreEditorDialog::focusedControl() const
{
    const QWidget* focused = focusWidget();
    if (focused == m_add)
        return EditorFocus::AddButton;
    const std::array<EditorFocus, 4> boxFocus
        = { EditorFocus::ClassBox, EditorFocus::NameBox, EditorFocus::ExamNumberBox, EditorFocus::ScoreBox };
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        if (focused == m_boxes[i])
            return boxFocus[i];
    }
    return EditorFocus::Elsewhere;
}

void ScoreEditorDialog::startProgress(std::size_t steps)
{
    // A range of 0 to 0 would turn the bar into a busy indicator.
    m_progress->setRange(0, std::max(1, static_cast<int>(steps)));
    m_progress->setValue(0);
}

void ScoreEditorDialog::advanceProgress()
{
    m_progress->setValue(std::min(m_progress->value() + 1, m_progress->maximum()));
}

void ScoreEditorDialog::resetProgress() { m_progress->setValue(m_progress->minimum()); }

void ScoreEditorDialog::closeWindow()
{
    m_closeRequested = true;
    reject();
}

void ScoreEditorDialog::reject()
{
    // Escape and the close box ask what "退出" asks before unsaved edits are dropped; the
    // editor closes the window through closeWindow.
    if (m_closeRequested || !m_editor)
        QDialog::reject();
    else
        m_editor->exit();
}

void ScoreEditorDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (m_editor)
            m_editor->enterPressed(focusedControl());
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace olv

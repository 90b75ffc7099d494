#include "admin/bank/ui/BankEditorDialog.h"

#include "ui/DialogControls.h"
#include "ui/GbkString.h"
#include "ui/LineListModel.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace olv {

namespace {

// The question list is laid out 800 pixels wide, so long lines scroll sideways.
constexpr QSize questionLineSize { 800, 15 };

bool isEnterKey(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

BankEditorDialog::BankEditorDialog(Prompter& prompter, const std::filesystem::path& bankPath, QWidget* parent)
    : QDialog(parent)
    , m_editor(*this, prompter, bankPath)
{
    setObjectName(QStringLiteral("bankEditorDialog"));
    setWindowTitle(QStringLiteral("编辑试题库"));
    m_path = new QLabel(this);
    m_path->setObjectName(QStringLiteral("pathLabel"));
    m_path->setAccessibleName(QStringLiteral("试题库文件"));
    m_path->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_path);
    layout->addWidget(makeListsPart(), 1);
    layout->addWidget(makeFormPart());
    layout->addWidget(makeButtonsPart());
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progressBar"));
    m_progress->setAccessibleName(QStringLiteral("存盘进度"));
    m_progress->setTextVisible(false);
    m_progress->setRange(1, 1);
    layout->addWidget(m_progress);
    resize(900, 680);
    m_stem->setFocus();
}

QWidget* BankEditorDialog::makeListsPart()
{
    auto* part = new QWidget(this);
    auto* grid = new QGridLayout(part);
    grid->setContentsMargins(0, 0, 0, 0);

    m_questionModel = new LineListModel(this);
    m_questionModel->setLineSize(questionLineSize);
    m_questionList = makeLineListView(m_questionModel, part);
    m_questionList->setObjectName(QStringLiteral("questionList"));
    m_answerModel = new LineListModel(this);
    m_answerList = makeLineListView(m_answerModel, part);
    m_answerList->setObjectName(QStringLiteral("answerList"));
    m_answerList->setFixedWidth(140);

    grid->addWidget(makeBuddyLabel(QStringLiteral("试卷:"), m_questionList, part), 0, 0);
    grid->addWidget(makeBuddyLabel(QStringLiteral("答案:"), m_answerList, part), 0, 1);
    grid->addWidget(m_questionList, 1, 0);
    grid->addWidget(m_answerList, 1, 1);
    grid->setColumnStretch(0, 1);

    onRowSelected(m_questionList, [this](std::size_t row) {
        if (!m_selecting)
            m_editor.questionLineSelected(row);
    });
    onRowSelected(m_answerList, [this](std::size_t row) {
        if (!m_selecting)
            m_editor.answerSelected(row);
    });
    return part;
}

QWidget* BankEditorDialog::makeFormPart()
{
    auto* part = new QWidget(this);
    auto* grid = new QGridLayout(part);
    grid->setContentsMargins(0, 0, 0, 0);

    m_stem = new QPlainTextEdit(part);
    m_stem->setObjectName(QStringLiteral("stemEdit"));
    m_stem->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_stem->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_stem->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_stem->setTabChangesFocus(true);
    m_stem->setFixedHeight(90);
    m_stem->installEventFilter(this);
    grid->addWidget(makeBuddyLabel(QStringLiteral("题目:"), m_stem, part), 0, 0, Qt::AlignTop);
    grid->addWidget(m_stem, 0, 1, 1, 3);

    static const char* const letters = "ABCD";
    for (std::size_t i = 0; i < m_options.size(); ++i) {
        auto* box = new QLineEdit(part);
        box->setObjectName(QStringLiteral("option%1Edit").arg(QChar(letters[i])));
        box->installEventFilter(this);
        m_options[i] = box;
        const int row = 1 + static_cast<int>(i) / 2;
        const int column = 2 * (static_cast<int>(i) % 2);
        grid->addWidget(makeBuddyLabel(QStringLiteral("供选答案%1:").arg(QChar(letters[i])), box, part), row, column);
        grid->addWidget(box, row, column + 1);
    }

    m_answer = new QLineEdit(part);
    m_answer->setObjectName(QStringLiteral("answerEdit"));
    m_answer->installEventFilter(this);
    grid->addWidget(makeBuddyLabel(QStringLiteral("正确答案:"), m_answer, part), 3, 0);
    grid->addWidget(m_answer, 3, 1);

    auto* kindBox = new QGroupBox(QStringLiteral("新题类型"), part);
    kindBox->setAccessibleName(kindBox->title());
    auto* kindRow = new QHBoxLayout(kindBox);
    m_kinds = new QButtonGroup(this);
    const struct
    {
        const char* caption;
        const char* name;
        QuestionKind kind;
    } kinds[] = {
        { "单选题", "singleChoiceRadio", QuestionKind::SingleChoice },
        { "多选题", "multipleChoiceRadio", QuestionKind::MultipleChoice },
        { "判断题", "trueFalseRadio", QuestionKind::TrueFalse },
    };
    for (const auto& kind : kinds) {
        auto* radio = new QRadioButton(QString::fromUtf8(kind.caption), kindBox);
        radio->setObjectName(QString::fromLatin1(kind.name));
        radio->setAccessibleName(radio->text());
        m_kinds->addButton(radio, static_cast<int>(kind.kind));
        kindRow->addWidget(radio);
    }
    m_kinds->button(static_cast<int>(QuestionKind::SingleChoice))->setChecked(true);
    // Toggled, not clicked: a screen reader ticks a radio button through its action, not a click.
    connect(m_kinds, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            m_editor.kindChosen();
    });
    grid->addWidget(kindBox, 3, 2, 1, 2);
    return part;
}

QWidget* BankEditorDialog::makeButtonsPart()
{
    auto* part = new QWidget(this);
    auto* row = new QHBoxLayout(part);
    row->setContentsMargins(0, 0, 0, 0);
    auto* fetch = addButton(QStringLiteral("获取当前题"), QStringLiteral("fetchButton"), &BankEditor::copyToForm);
    m_currentNumber = new QLabel(part);
    m_currentNumber->setObjectName(QStringLiteral("currentNumberLabel"));
    m_currentNumber->setAccessibleName(QStringLiteral("当前题"));
    m_currentNumber->setMinimumWidth(60);
    row->addWidget(fetch);
    row->addWidget(m_currentNumber);
    row->addStretch();
    const struct
    {
        const char* caption;
        const char* name;
        void (BankEditor::*operation)();
        bool needsCurrentQuestion;
    } buttons[] = {
        { "追加到尾部", "appendButton", &BankEditor::append, false },
        { "插入当前处", "insertButton", &BankEditor::insert, true },
        { "替换当前处", "replaceButton", &BankEditor::replace, true },
        { "删除当前题", "deleteButton", &BankEditor::remove, true },
        { "清除", "clearButton", &BankEditor::clearForm, false },
        { "导入试题", "importButton", &BankEditor::importQuestions, false },
        { "存盘", "saveButton", &BankEditor::save, false },
        { "退出", "exitButton", &BankEditor::exit, false },
    };
    m_currentQuestionButtons = { fetch };
    for (const auto& button : buttons) {
        auto* added = addButton(QString::fromUtf8(button.caption), QString::fromLatin1(button.name), button.operation);
        row->addWidget(added);
        if (button.needsCurrentQuestion)
            m_currentQuestionButtons.push_back(added);
    }
    return part;
}

QPushButton* BankEditorDialog::addButton(const QString& caption, const QString& name, void (BankEditor::*operation)())
{
    QPushButton* button = makeButton(caption, name, this);
    connect(button, &QPushButton::clicked, this, [this, operation] { (m_editor.*operation)(); });
    return button;
}

void BankEditorDialog::showPath(const std::string& path)
{
    showLabelValue(m_path, QStringLiteral("试题库文件"), QString::fromStdString(path));
}

BankEditorDialog::~BankEditorDialog()
{
    // The lists show the editor's lines, which go before the list models do.
    m_questionModel->setLines({});
    m_answerModel->setLines({});
}

void BankEditorDialog::listsChanging()
{
    m_selecting = true;
    m_questionModel->beginLinesChange();
    m_answerModel->beginLinesChange();
}

void BankEditorDialog::showLists(
    const std::vector<RenderedLine>& questionLines, const std::vector<RenderedLine>& answerLines)
{
    m_selecting = true;
    m_questionModel->showLines(questionLines);
    m_answerModel->showLines(answerLines);
    m_selecting = false;
}

void BankEditorDialog::selectQuestionLine(std::size_t row) { selectRow(m_questionList, row); }

void BankEditorDialog::selectAnswer(std::size_t row) { selectRow(m_answerList, row); }

void BankEditorDialog::showCurrentNumber(int number)
{
    showLabelValue(m_currentNumber, QStringLiteral("当前题"), QString::number(number));
}

void BankEditorDialog::enableCurrentQuestionButtons(bool enabled)
{
    for (QPushButton* button : m_currentQuestionButtons)
        button->setEnabled(enabled);
}

void BankEditorDialog::enableOptions(bool enabled)
{
    for (QLineEdit* box : m_options)
        box->setEnabled(enabled);
}

BankForm BankEditorDialog::form() const
{
    BankForm form;
    QString stem = m_stem->toPlainText();
    stem.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    form.stem = toGbk(stem);
    for (std::size_t i = 0; i < m_options.size(); ++i)
        form.options[i] = toGbk(oneLineText(m_options[i]->text()));
    form.answer = toGbk(oneLineText(m_answer->text()));
    form.kind = static_cast<QuestionKind>(m_kinds->checkedId());
    return form;
}

std::optional<std::string> BankEditorDialog::entryRefusal() const
{
    return olv::entryRefusal({ { m_stem->accessibleName(), m_stem->toPlainText() },
        { m_options[0]->accessibleName(), m_options[0]->text() },
        { m_options[1]->accessibleName(), m_options[1]->text() },
        { m_options[2]->accessibleName(), m_options[2]->text() },
        { m_options[3]->accessibleName(), m_options[3]->text() }, { m_answer->accessibleName(), m_answer->text() } });
}

void BankEditorDialog::showFormTexts(const BankForm& form)
{
    QString stem = fromGbk(form.stem);
    stem.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_stem->setPlainText(stem);
    for (std::size_t i = 0; i < m_options.size(); ++i)
        m_options[i]->setText(fromGbk(form.options[i]));
    m_answer->setText(fromGbk(form.answer));
}

void BankEditorDialog::showProgress(int minimum, int maximum, int position)
{
    m_progress->setRange(minimum, maximum);
    m_progress->setValue(position);
}

void BankEditorDialog::closeEditor()
{
    m_closing = true;
    QDialog::reject();
}

void BankEditorDialog::reject()
{
    // Escape and the close box ask what "退出" asks before unsaved edits are dropped; the
    // editor closes the dialog through closeEditor.
    if (m_closing)
        QDialog::reject();
    else
        m_editor.exit();
}

bool BankEditorDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (!isEnterKey(event))
        return QDialog::eventFilter(watched, event);
    if (watched == m_stem && static_cast<QKeyEvent*>(event)->modifiers().testFlag(Qt::ControlModifier))
        m_stem->insertPlainText(QStringLiteral("\n"));
    else
        focusNextFormBox(watched);
    return true;
}

void BankEditorDialog::focusNextFormBox(QObject* from)
{
    const std::array<QWidget*, 6> cycle = { m_stem, m_options[0], m_options[1], m_options[2], m_options[3], m_answer };
    const auto at = std::find(cycle.begin(), cycle.end(), from);
    if (at == cycle.end())
        return;
    // Option boxes disabled for a true/false question are passed over.
    for (std::size_t step = 1; step < cycle.size(); ++step) {
        QWidget* next = cycle[(static_cast<std::size_t>(at - cycle.begin()) + step) % cycle.size()];
        if (next->isEnabled()) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void BankEditorDialog::keyPressEvent(QKeyEvent* event)
{
    // Enter has no effect of its own here: it neither presses a button nor closes the dialog.
    if (isEnterKey(event))
        return;
    QDialog::keyPressEvent(event);
}

void runBankEditor(QWidget* parent, Prompter& prompter, const std::filesystem::path& bankPath)
{
    BankEditorDialog dialog(prompter, bankPath, parent);
    if (dialog.openBank())
        dialog.exec();
}

} // namespace olv

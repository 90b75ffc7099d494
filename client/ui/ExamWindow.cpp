#include "client/ui/ExamWindow.h"

#include "client/ui/ClientResources.h"
#include "common/ExamPaper.h"
#include "common/ExamSettings.h"
#include "ui/DialogControls.h"
#include "ui/GbkString.h"
#include "ui/LineListModel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace olv {

namespace {

constexpr QSize paperLineSize { 1100, 15 };
constexpr QSize answerCardLineSize { 90, 15 };
constexpr int panelWidth = 176;
const char* const kindNames[] = { "单选题", "多选题", "判断题" };
const char* const instructionLines[] = { "    请在所", "选答案前作", "上标记，然", "后单击确定", "按钮。" };

QLabel* caption(const char* text) { return new QLabel(QString::fromUtf8(text)); }

// A caption above or beside a control: a screen reader says it for the control.
QLabel* captionFor(const char* text, QWidget* control)
{
    QLabel* label = caption(text);
    label->setBuddy(control);
    control->setAccessibleName(QString::fromUtf8(text).remove(QLatin1Char(':')));
    return label;
}

QLabel* valueLabel(const QString& name)
{
    auto* label = new QLabel;
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    return label;
}

QVBoxLayout* columnLayout(QWidget* column)
{
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    return layout;
}

QTreeWidgetItem* makeTreeItem(QTreeWidgetItem* parent, const QString& text, int data, const QIcon& icon)
{
    auto* item = parent ? new QTreeWidgetItem(parent, { text }) : new QTreeWidgetItem({ text });
    item->setData(0, Qt::UserRole, data);
    item->setIcon(0, icon);
    return item;
}

// Selects a line for the program. `lastLine` is the end of what should be in view with it,
// where that fits.
void selectLine(QListView* list, int index, bool scrollToTop, int lastLine)
{
    QAbstractItemModel* model = list->model();
    const QModelIndex line = model->index(index, 0);
    if (!line.isValid())
        return;
    list->setCurrentIndex(line);
    if (scrollToTop) {
        list->scrollTo(line, QAbstractItemView::PositionAtTop);
        return;
    }
    if (const QModelIndex last = model->index(lastLine, 0); last.isValid())
        list->scrollTo(last, QAbstractItemView::EnsureVisible);
    list->scrollTo(line, QAbstractItemView::EnsureVisible);
}

// The line the candidate selected, by whatever means: a click, the keyboard or assistive
// technology, which selects without moving the current line. The current line follows it,
// so the arrow keys go on from there. -1 when none is selected.
int takeSelectedRow(QListView* list)
{
    const QModelIndexList selected = list->selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return -1;
    list->selectionModel()->setCurrentIndex(selected.first(), QItemSelectionModel::NoUpdate);
    return selected.first().row();
}

std::vector<RenderedLine> untaggedLines(const std::vector<std::string>& texts)
{
    std::vector<RenderedLine> lines;
    lines.reserve(texts.size());
    for (const std::string& text : texts)
        lines.push_back({ text, noQuestionTag });
    return lines;
}

QString optionName(const Question& question, int index)
{
    const QString letter(QChar('A' + index));
    if (question.kind == QuestionKind::TrueFalse && index < 2)
        return letter + (index == 0 ? QStringLiteral(" 正确") : QStringLiteral(" 错误"));
    const std::string& option = question.options[static_cast<std::size_t>(index)];
    return option.empty() ? letter : letter + QLatin1Char(' ') + fromGbk(option);
}

} // namespace

ExamWindow::ExamWindow(QWidget* parent)
    : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(QStringLiteral("Olvane"));
    setWindowIcon(QIcon(clientImage(QStringLiteral("olvane.png"))));
    setFixedSize(fixedSize);

    auto* frame = new QFrame;
    frame->setFrameShape(QFrame::Box);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    auto* banner = new QLabel;
    banner->setPixmap(clientImage(QStringLiteral("banner.png")));
    banner->setAccessibleName(QStringLiteral("标准化考试系统"));
    auto* body = new QHBoxLayout;
    body->setContentsMargins(8, 6, 8, 8);
    body->setSpacing(8);
    body->addWidget(buildTreeColumn());
    body->addWidget(buildPaperColumn(), 1);
    body->addWidget(buildAnswerCardColumn());
    body->addWidget(buildControlPanel());

    auto* layout = columnLayout(frame);
    layout->setSpacing(0);
    layout->addWidget(banner);
    layout->addLayout(body, 1);

    m_timer = new QTimer(this);
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &ExamWindow::ticked);
    // Focus on the tree or a list would make Qt pick a current line of its own.
    m_confirm->setFocus();
}

QWidget* ExamWindow::buildTreeColumn()
{
    m_tree = new QTreeWidget;
    m_tree->setObjectName(QStringLiteral("questionTree"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setIconSize({ 16, 16 });
    m_tree->setIndentation(14);
    // Every node is one line of the same height: the tree need not measure each of a whole bank's.
    m_tree->setUniformRowHeights(true);
    m_tree->header()->setSectionResizeMode(QHeaderView::Stretch);
    m_tree->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_tree->setFixedWidth(104);
    // Selecting whole rows makes Qt's accessible cell selection pass the item's row below its
    // kind node to the tree, which reads it as a row among all shown lines: question 30 would
    // select line 30, question 29. One column, so selecting items looks the same.
    m_tree->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this,
        [this] { reportTreeSelection(m_tree->selectedItems().value(0)); });

    auto* column = new QWidget;
    auto* layout = columnLayout(column);
    layout->addWidget(captionFor("题号:", m_tree));
    layout->addWidget(m_tree, 1);
    return column;
}

QWidget* ExamWindow::buildPaperColumn()
{
    m_title = valueLabel(QStringLiteral("title"));
    m_title->setAlignment(Qt::AlignCenter);
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    titleFont.setPixelSize(15);
    m_title->setFont(titleFont);
    m_paperLines = new LineListModel(this);
    m_paperList = makeSizedLineList(m_paperLines, paperLineSize, QStringLiteral("paperList"), nullptr);
    connect(m_paperList->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (m_programSelecting)
            return;
        if (const int row = takeSelectedRow(m_paperList); row >= 0)
            emit paperLineSelected(row);
    });

    auto* heading = new QHBoxLayout;
    heading->addWidget(captionFor("试卷:", m_paperList));
    heading->addWidget(m_title, 1);
    auto* column = new QWidget;
    auto* layout = columnLayout(column);
    layout->addLayout(heading);
    layout->addWidget(m_paperList, 1);
    return column;
}

QWidget* ExamWindow::buildAnswerCardColumn()
{
    m_answerCardLines = new LineListModel(this);
    m_answerCardList
        = makeSizedLineList(m_answerCardLines, answerCardLineSize, QStringLiteral("answerCardList"), nullptr);
    m_answerCardList->setFixedWidth(112);
    connect(m_answerCardList->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (m_programSelecting)
            return;
        if (const int row = takeSelectedRow(m_answerCardList); row >= 0)
            emit answerCardLineSelected(row);
    });

    auto* column = new QWidget;
    auto* layout = columnLayout(column);
    layout->addWidget(captionFor("答题卡:", m_answerCardList));
    layout->addWidget(m_answerCardList, 1);
    return column;
}

QWidget* ExamWindow::buildControlPanel()
{
    m_questionNumber = new QLineEdit;
    m_questionNumber->setObjectName(QStringLiteral("questionNumber"));
    m_questionNumber->setReadOnly(true);
    m_questionNumber->setFocusPolicy(Qt::NoFocus);
    m_questionNumber->setFixedWidth(60);
    auto* number = new QHBoxLayout;
    number->addWidget(captionFor("题号:", m_questionNumber));
    number->addWidget(m_questionNumber);
    number->addStretch(1);

    auto* panel = new QWidget;
    panel->setFixedWidth(panelWidth);
    auto* layout = columnLayout(panel);
    layout->setSpacing(8);
    layout->addWidget(buildInstructions());
    layout->addLayout(number);
    layout->addWidget(buildAnswerControls());
    layout->addWidget(buildButtons());
    layout->addStretch(1);
    layout->addWidget(buildIdentity());
    return panel;
}

QWidget* ExamWindow::buildInstructions()
{
    auto* box = new QFrame;
    box->setFrameShape(QFrame::StyledPanel);
    auto* layout = columnLayout(box);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(1);
    for (const char* line : instructionLines)
        layout->addWidget(caption(line));
    return box;
}

QWidget* ExamWindow::buildAnswerControls()
{
    m_radioPage = new QWidget;
    m_checkPage = new QWidget;
    m_radioGroup = new QButtonGroup(this);
    auto* radios = new QHBoxLayout(m_radioPage);
    auto* checks = new QHBoxLayout(m_checkPage);
    for (int i = 0; i < 4; ++i) {
        const QString letter(QChar('A' + i));
        auto* radio = new QRadioButton(letter);
        radio->setObjectName(QStringLiteral("radio") + letter);
        m_radioGroup->addButton(radio, i);
        radios->addWidget(radio);
        m_checks[i] = new QCheckBox(letter);
        m_checks[i]->setObjectName(QStringLiteral("check") + letter);
        checks->addWidget(m_checks[i]);
    }
    m_answerControls = new QStackedWidget;
    m_answerControls->addWidget(m_radioPage);
    m_answerControls->addWidget(m_checkPage);

    auto* group = new QFrame;
    group->setFrameShape(QFrame::StyledPanel);
    group->setAccessibleName(QStringLiteral("回答"));
    auto* layout = columnLayout(group);
    layout->setContentsMargins(8, 6, 0, 0);
    layout->addWidget(caption("回答:"));
    layout->addWidget(m_answerControls);
    return group;
}

QPushButton* ExamWindow::makeButton(const QString& text, const QString& name, void (ExamWindow::*command)())
{
    auto* button = new QPushButton(text);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setMinimumHeight(28);
    connect(button, &QPushButton::clicked, this, command);
    return button;
}

QWidget* ExamWindow::buildButtons()
{
    // Made in reading order, which is the order Tab goes.
    auto* buttons = new QWidget;
    auto* grid = new QGridLayout(buttons);
    grid->setContentsMargins(0, 0, 0, 0);
    m_confirm = makeButton(QStringLiteral("确定"), QStringLiteral("confirmButton"), &ExamWindow::confirmClicked);
    grid->addWidget(m_confirm, 0, 0, 1, 2);
    grid->addWidget(
        makeButton(QStringLiteral("上题"), QStringLiteral("previousButton"), &ExamWindow::previousClicked), 1, 0);
    grid->addWidget(makeButton(QStringLiteral("下题"), QStringLiteral("nextButton"), &ExamWindow::nextClicked), 1, 1);
    grid->addWidget(makeButton(QStringLiteral("开头"), QStringLiteral("firstButton"), &ExamWindow::firstClicked), 2, 0);
    grid->addWidget(makeButton(QStringLiteral("末尾"), QStringLiteral("lastButton"), &ExamWindow::lastClicked), 2, 1);
    m_correctAnswer = makeButton(
        QStringLiteral("正确答案"), QStringLiteral("correctAnswerButton"), &ExamWindow::correctAnswerClicked);
    m_correctAnswer->hide();
    grid->addWidget(m_correctAnswer, 3, 0, 1, 2);
    m_handIn = makeButton(QStringLiteral("交    卷"), QStringLiteral("handInButton"), &ExamWindow::handInClicked);
    // Said as the word it is, not letter by letter with pauses.
    m_handIn->setAccessibleName(QStringLiteral("交卷"));
    grid->addWidget(m_handIn, 4, 0, 1, 2);
    return buttons;
}

QWidget* ExamWindow::buildIdentity()
{
    m_className = valueLabel(QStringLiteral("className"));
    m_name = valueLabel(QStringLiteral("candidateName"));
    m_examNumber = valueLabel(QStringLiteral("examNumber"));
    m_timeCaption = caption("剩余时间:");
    m_timeCaption->setObjectName(QStringLiteral("timeCaption"));
    m_remainingTime = valueLabel(QStringLiteral("remainingTime"));
    m_className->setAccessibleDescription(QStringLiteral("班级"));
    m_name->setAccessibleDescription(QStringLiteral("姓名"));
    m_examNumber->setAccessibleDescription(QStringLiteral("考号"));
    m_remainingTime->setAccessibleDescription(m_timeCaption->text().remove(QLatin1Char(':')));
    QFont timeFont = m_remainingTime->font();
    timeFont.setBold(true);
    timeFont.setPixelSize(18);
    m_remainingTime->setFont(timeFont);

    auto* box = new QFrame;
    box->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setColumnStretch(1, 1);
    grid->addWidget(caption("班级:"), 0, 0);
    grid->addWidget(m_className, 0, 1);
    grid->addWidget(caption("姓名:"), 1, 0);
    grid->addWidget(m_name, 1, 1);
    grid->addWidget(caption("考号:"), 2, 0);
    grid->addWidget(m_examNumber, 2, 1);
    grid->addWidget(m_timeCaption, 3, 0);
    grid->addWidget(m_remainingTime, 3, 1);
    return box;
}

void ExamWindow::setTitle(const std::string& examName, const std::string& subject)
{
    m_title->setText(fromGbk(examName + "--" + subject));
}

void ExamWindow::setIdentity(const std::string& className, const std::string& name, const std::string& examNumber)
{
    m_className->setText(fromGbk(className));
    m_name->setText(fromGbk(name));
    m_examNumber->setText(fromGbk(examNumber));
}

void ExamWindow::setPaperLines(const std::vector<RenderedLine>& lines)
{
    const QScopedValueRollback quiet(m_programSelecting, true);
    m_paperLines->setLines(lines);
}

void ExamWindow::setAnswerCard(const std::vector<std::string>& lines)
{
    const QScopedValueRollback quiet(m_programSelecting, true);
    m_answerCardLines->setLines(untaggedLines(lines));
}

void ExamWindow::setQuestionTree(const ExamSettings& settings, const ExamPaper& paper)
{
    const QSignalBlocker quiet(m_tree);
    m_tree->clear();
    QIcon icon(clientImage(QStringLiteral("tree-item.png")));
    icon.addPixmap(clientImage(QStringLiteral("tree-selected.png")), QIcon::Selected);
    const int counts[] = { settings.singleChoiceCount, settings.multipleChoiceCount, settings.trueFalseCount };
    int number = 0;
    for (QuestionKind kind : allQuestionKinds) {
        const int index = static_cast<int>(kind);
        const int questions = static_cast<int>(paper.questions.questionsOf(kind).size());
        if (counts[index] == 0) {
            number += questions;
            continue;
        }
        // Filled before it joins the tree, so the tree takes a kind's questions in one step
        // instead of one at a time.
        auto* root = makeTreeItem(nullptr, QString::fromUtf8(kindNames[index]), index, icon);
        for (int i = 0; i < questions; ++i) {
            ++number;
            makeTreeItem(root, QString::number(number), number, icon);
        }
        m_tree->addTopLevelItem(root);
    }
    m_tree->expandAll();
}

void ExamWindow::setOptionTexts(const ExamPaper& paper) { m_paper = paper; }

void ExamWindow::reportTreeSelection(QTreeWidgetItem* item)
{
    if (!item)
        return;
    // As for the lists: the arrow keys go on from the item selected.
    m_tree->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
    const bool kindNode = item->parent() == nullptr;
    emit treeItemSelected(item->data(0, Qt::UserRole).toInt(), kindNode || item->childCount() > 0);
}

void ExamWindow::setReviewMode()
{
    m_timer->stop();
    m_confirm->setEnabled(false);
    setHandInCaption("关闭系统");
    m_timeCaption->setText(QStringLiteral("得   分:"));
    m_remainingTime->setAccessibleDescription(QStringLiteral("得分"));
    m_correctAnswer->show();
}

void ExamWindow::startTimer() { m_timer->start(); }

void ExamWindow::showAnswerControls(AnswerControls controls)
{
    m_answerControls->setCurrentWidget(controls == AnswerControls::CheckBoxes ? m_checkPage : m_radioPage);
}

void ExamWindow::setRadioButtonsCAndDEnabled(bool enabled)
{
    m_radioGroup->button(2)->setEnabled(enabled);
    m_radioGroup->button(3)->setEnabled(enabled);
}

void ExamWindow::setAnswerInput(const AnswerInput& input)
{
    for (int i = 0; i < 4; ++i)
        m_checks[i]->setChecked(input.checks[static_cast<std::size_t>(i)]);
    if (QAbstractButton* radio = m_radioGroup->button(input.radio)) {
        radio->setChecked(true);
        return;
    }
    // An exclusive group will not let its last button go.
    m_radioGroup->setExclusive(false);
    for (QAbstractButton* radio : m_radioGroup->buttons())
        radio->setChecked(false);
    m_radioGroup->setExclusive(true);
}

ExamView::AnswerInput ExamWindow::answerInput() const
{
    AnswerInput input;
    for (int i = 0; i < 4; ++i)
        input.checks[static_cast<std::size_t>(i)] = m_checks[i]->isChecked();
    input.radio = m_radioGroup->checkedId();
    return input;
}

void ExamWindow::setCurrentQuestion(int number)
{
    m_questionNumber->setText(QString::number(number));
    if (number < 1 || number > m_paper.questionCount())
        return;
    const Question& question = m_paper.question(number);
    for (int i = 0; i < 4; ++i) {
        const QString name = optionName(question, i);
        m_radioGroup->button(i)->setAccessibleName(name);
        m_checks[i]->setAccessibleName(name);
    }
}

void ExamWindow::selectPaperLine(int index, bool scrollToTop)
{
    // The question's stem and options: the lines up to the next question's first line.
    const std::vector<RenderedLine>& lines = m_paperLines->lines();
    int last = index;
    while (last >= 0 && static_cast<std::size_t>(last) + 1 < lines.size()
        && lines[static_cast<std::size_t>(last) + 1].tag == noQuestionTag)
        ++last;
    const QScopedValueRollback quiet(m_programSelecting, true);
    selectLine(m_paperList, index, scrollToTop, last);
}

void ExamWindow::selectAnswerCardLine(int index, bool scrollToTop)
{
    const QScopedValueRollback quiet(m_programSelecting, true);
    selectLine(m_answerCardList, index, scrollToTop, index);
}

void ExamWindow::setAnswerCardLine(int index, const std::string& text)
{
    if (index >= 0)
        m_answerCardLines->setLine(static_cast<std::size_t>(index), { text, noQuestionTag });
}

void ExamWindow::setRemainingTime(const std::string& text) { m_remainingTime->setText(fromGbk(text)); }

void ExamWindow::stopTimer() { m_timer->stop(); }

void ExamWindow::disableAnswering()
{
    m_confirm->setEnabled(false);
    for (QAbstractButton* radio : m_radioGroup->buttons())
        radio->setEnabled(false);
    for (QCheckBox* check : m_checks)
        check->setEnabled(false);
}

void ExamWindow::setHandInCaption(std::string_view caption)
{
    m_handIn->setText(fromUtf8(caption));
    m_handIn->setAccessibleName(m_handIn->text().remove(QLatin1Char(' ')));
}

void ExamWindow::closeWindow()
{
    m_closing = true;
    m_timer->stop();
    done(QDialog::Accepted);
}

int ExamWindow::exec() { return m_closing ? result() : QDialog::exec(); }

void ExamWindow::closeEvent(QCloseEvent* event)
{
    if (!m_closing) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void ExamWindow::reject()
{
    // Escape and the window manager's close end nothing; only closeWindow() does.
    if (m_closing)
        QDialog::reject();
}

} // namespace olv

#include "client/ui/ExamWindow.h"

#include "common/ExamPaper.h"
#include "common/ExamSettings.h"
#include "support/TestFiles.h"
#include "ui/Accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <memory>
#include <utility>
#include <vector>

using olv::ExamView;
using olv::ExamWindow;
using olv::test::gbk;

namespace {

// Two single choice and one true/false question; multiple choice asked for but absent.
struct SmallExam
{
    olv::ExamSettings settings;
    olv::ExamPaper paper;
    std::vector<olv::RenderedLine> lines;
    std::vector<std::string> answerCard { "1--A", "2--", "3--B" };

    SmallExam()
    {
        settings.singleChoiceCount = 2;
        settings.multipleChoiceCount = 3;
        settings.trueFalseCount = 1;
        paper.questions.singleChoiceQuestions.resize(2);
        paper.questions.trueFalseQuestions.resize(1);
        lines = { { gbk("●单选题") }, { gbk("1、第一题"), 1 }, { "A" }, { gbk("2、第二题"), 2 }, { "B" },
            { gbk("●多选题") }, { gbk("●判断题") }, { gbk("3、第三题"), 3 } };
    }

    void fill(ExamWindow& window) const
    {
        window.setPaperLines(lines);
        window.setQuestionTree(settings, paper);
        window.setAnswerCard(answerCard);
    }
};

template <typename T>
T* child(const QWidget& window, const char* name)
{
    T* widget = window.findChild<T*>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no widget named %s", name);
    return widget;
}

QTreeWidgetItem* treeItem(const ExamWindow& window, const QString& text)
{
    const auto items
        = child<QTreeWidget>(window, "questionTree")->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return items.value(0);
}

QRect lineRect(QListView* list, int row) { return list->visualRect(list->model()->index(row, 0)); }
QString lineText(QListView* list, int row) { return list->model()->index(row, 0).data().toString(); }

void clickLine(QListView* list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, lineRect(list, row).center());
}

void clickTreeItem(QTreeWidget* tree, QTreeWidgetItem* item)
{
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}

// The line or tree item named `text`, as assistive technology sees it.
QAccessibleInterface* accessibleLine(QWidget* view, const QString& text)
{
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(view);
    for (int i = 0; i < list->childCount(); ++i) {
        if (QAccessibleInterface* line = list->child(i); line && line->text(QAccessible::Name) == text)
            return line;
    }
    qFatal("no line %s", qPrintable(text));
}

// Selects as a screen reader does: through the line's toggle action, which selects without
// moving the current line.
void selectAccessibly(QWidget* view, const QString& text)
{
    accessibleLine(view, text)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
}

} // namespace

class ExamWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fitsTheScreenAndDisablesCAndD();
    void fillsTitleIdentityAndLists();
    void buildsTreeFromSettingsAndPaper();
    void answerInputRoundTrips();
    void scrollsSelectedLineToTop();
    void buttonsEmitTheirCommand();
    void selectionsByAnyMeansEmitTheLine();
    void markingAndReviewEndAnswering();
    void escapeAndCloseDoNotEndTheExam();
    void closeWindowEndsTheExam();
};

// Every view below is seen through the interface that adds the set-focus action, so the
// selections through the accessibility interface also prove that Qt's own one still answers.
void ExamWindowTest::initTestCase() { olv::installViewFocusAction(); }

void ExamWindowTest::fitsTheScreenAndDisablesCAndD()
{
    ExamWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.frameGeometry().width() <= 1024);
    QVERIFY(window.frameGeometry().height() <= 768);
    QVERIFY(window.windowFlags().testFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint));
    QVERIFY(!child<QPushButton>(window, "correctAnswerButton")->isVisible());
    // Which controls show for a question the end-to-end exam finds out, answering every kind.

    window.setRadioButtonsCAndDEnabled(false);
    QVERIFY(child<QRadioButton>(window, "radioB")->isEnabled());
    QVERIFY(!child<QRadioButton>(window, "radioC")->isEnabled());
    QVERIFY(!child<QRadioButton>(window, "radioD")->isEnabled());
    window.setRadioButtonsCAndDEnabled(true);
    QVERIFY(child<QRadioButton>(window, "radioD")->isEnabled());
}

void ExamWindowTest::fillsTitleIdentityAndLists()
{
    ExamWindow window;
    SmallExam exam;
    exam.fill(window);
    window.setTitle(gbk("澜溪校期末考试"), "WordExcel97");
    window.setIdentity(gbk("一班  "), gbk("张三"), "20240101      ");

    QCOMPARE(child<QLabel>(window, "title")->text(), QStringLiteral("澜溪校期末考试--WordExcel97"));
    QCOMPARE(child<QLabel>(window, "className")->text(), QStringLiteral("一班  "));

    auto* paper = child<QListView>(window, "paperList");
    QCOMPARE(paper->model()->rowCount(), 8);
    QCOMPARE(lineText(paper, 3), QStringLiteral("2、第二题"));
    const int tags[] = { -1, 1, -1, 2, -1, -1, -1, 3 };
    for (int row = 0; row < paper->model()->rowCount(); ++row)
        QCOMPARE(paper->model()->index(row, 0).data(Qt::UserRole).toInt(), tags[row]);

    // Rewriting a line keeps the candidate's place in the list.
    auto* card = child<QListView>(window, "answerCardList");
    window.selectAnswerCardLine(2, false);
    window.setAnswerCardLine(1, "2--AC");
    window.setAnswerCardLine(7, "8--A");
    window.setAnswerCardLine(-1, "0--A");
    QCOMPARE(lineText(card, 1), QStringLiteral("2--AC"));
    QCOMPARE(card->model()->rowCount(), 3);
    QCOMPARE(card->currentIndex().row(), 2);
    QCOMPARE(card->selectionModel()->selectedIndexes().value(0).row(), 2);
}

void ExamWindowTest::buildsTreeFromSettingsAndPaper()
{
    ExamWindow window;
    SmallExam exam;
    exam.fill(window);
    auto* tree = child<QTreeWidget>(window, "questionTree");

    const QStringList roots { "单选题", "多选题", "判断题" };
    const QList<QStringList> children { { "1", "2" }, {}, { "3" } };
    QCOMPARE(tree->topLevelItemCount(), 3);
    for (int i = 0; i < 3; ++i) {
        const QTreeWidgetItem* root = tree->topLevelItem(i);
        QCOMPARE(root->text(0), roots[i]);
        QCOMPARE(root->data(0, Qt::UserRole).toInt(), i);
        QCOMPARE(root->childCount(), children[i].size());
        for (int c = 0; c < root->childCount(); ++c) {
            QCOMPARE(root->child(c)->text(0), children[i][c]);
            QCOMPARE(root->child(c)->data(0, Qt::UserRole).toInt(), children[i][c].toInt());
        }
    }

    // A kind left out by the settings gets no node; the numbers after it stay paper numbers.
    exam.settings.singleChoiceCount = 0;
    window.setQuestionTree(exam.settings, exam.paper);
    QCOMPARE(tree->topLevelItemCount(), 2);
    QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("多选题"));
    QCOMPARE(tree->topLevelItem(1)->data(0, Qt::UserRole).toInt(), 2);
    QCOMPARE(tree->topLevelItem(1)->child(0)->data(0, Qt::UserRole).toInt(), 3);
}

// A radio button, then none: the exclusive group must let its last button go.
void ExamWindowTest::answerInputRoundTrips()
{
    ExamWindow window;
    window.setAnswerInput({ { true, false, true, false }, 3 });
    for (const ExamView::AnswerInput& input :
        { ExamView::AnswerInput { {}, 2 }, ExamView::AnswerInput { { false, true, false, true }, -1 } }) {
        window.setAnswerInput(input);
        QCOMPARE(window.answerInput(), input);
    }
}

void ExamWindowTest::scrollsSelectedLineToTop()
{
    ExamWindow window;
    // Questions of five lines each: a stem and four option lines.
    std::vector<olv::RenderedLine> lines(200, { "x" });
    for (std::size_t i = 0; i < lines.size(); i += 5)
        lines[i].tag = static_cast<int>(i / 5 + 1);
    window.setPaperLines(lines);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* paper = child<QListView>(window, "paperList");

    window.selectPaperLine(120, true);
    QCOMPARE(lineRect(paper, 120).top(), 0);
    // Already in view: no scrolling.
    window.selectPaperLine(125, false);
    QCOMPARE(lineRect(paper, 125).top(), 5 * 15);

    // A question whose stem shows at the bottom but not its options scrolls up to show them all.
    const int height = paper->viewport()->height();
    int stem = 125;
    while (lineRect(paper, stem + 4).bottom() < height)
        stem += 5;
    QVERIFY(lineRect(paper, stem).top() < height);
    window.selectPaperLine(stem, false);
    QVERIFY(lineRect(paper, stem + 4).bottom() < height);
    QVERIFY(lineRect(paper, stem).top() >= 0);
}

void ExamWindowTest::buttonsEmitTheirCommand()
{
    ExamWindow window;
    window.setReviewMode(); // shows "正确答案"
    child<QPushButton>(window, "confirmButton")->setEnabled(true);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // 确定, 上题, 下题, 开头, 末尾, 正确答案, 交卷
    const std::pair<const char*, const char*> buttons[] = { { "confirmButton", SIGNAL(confirmClicked()) },
        { "previousButton", SIGNAL(previousClicked()) }, { "nextButton", SIGNAL(nextClicked()) },
        { "firstButton", SIGNAL(firstClicked()) }, { "lastButton", SIGNAL(lastClicked()) },
        { "correctAnswerButton", SIGNAL(correctAnswerClicked()) }, { "handInButton", SIGNAL(handInClicked()) } };
    std::vector<std::unique_ptr<QSignalSpy>> spies;
    for (const auto& [button, signal] : buttons)
        spies.push_back(std::make_unique<QSignalSpy>(&window, signal));

    // Each click adds its own command and no other.
    for (std::size_t clicked = 0; clicked < std::size(buttons); ++clicked) {
        QTest::mouseClick(child<QPushButton>(window, buttons[clicked].first), Qt::LeftButton);
        for (std::size_t i = 0; i < spies.size(); ++i)
            QCOMPARE(spies[i]->count(), i <= clicked ? 1 : 0);
    }
}

// The selections the window makes itself emit nothing; the candidate's emit the line.
void ExamWindowTest::selectionsByAnyMeansEmitTheLine()
{
    ExamWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy paper(&window, &ExamWindow::paperLineSelected);
    QSignalSpy card(&window, &ExamWindow::answerCardLineSelected);
    QSignalSpy tree(&window, &ExamWindow::treeItemSelected);
    SmallExam exam;
    exam.fill(window);
    auto* paperList = child<QListView>(window, "paperList");
    auto* cardList = child<QListView>(window, "answerCardList");
    auto* questionTree = child<QTreeWidget>(window, "questionTree");

    window.selectPaperLine(3, true);
    window.selectAnswerCardLine(2, true);
    window.setAnswerInput({ { true, true, false, false }, 2 });
    exam.fill(window);
    window.selectPaperLine(7, false);
    window.selectPaperLine(99, false);
    QCOMPARE(paperList->currentIndex().row(), 7);
    window.selectPaperLine(1, false);
    window.selectAnswerCardLine(0, false);
    QCOMPARE(paper.count() + card.count() + tree.count(), 0);

    clickLine(paperList, 4);
    clickLine(cardList, 2);
    clickTreeItem(questionTree, treeItem(window, QStringLiteral("2")));
    clickTreeItem(questionTree, treeItem(window, QStringLiteral("单选题")));
    // Childless, but its data is a kind and must not pass for question 1.
    clickTreeItem(questionTree, treeItem(window, QStringLiteral("多选题")));

    selectAccessibly(paperList, QStringLiteral("2、第二题"));
    QAccessible::queryAccessibleInterface(cardList)->tableInterface()->selectRow(1);
    // Question 3 is the first child of its kind node: a row-wise selection took it for the
    // tree's first line.
    selectAccessibly(questionTree, QStringLiteral("3"));
    selectAccessibly(questionTree, QStringLiteral("2"));

    // Assistive technology moves the focus to each view; the arrow keys go on from the line
    // selected, by whatever means.
    for (QWidget* view : std::initializer_list<QWidget*> { paperList, cardList, questionTree }) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(view);
        QVERIFY(accessible->state().focusable);
        QAccessibleActionInterface* actions = accessible->actionInterface();
        QVERIFY(actions && actions->actionNames().contains(QAccessibleActionInterface::setFocusAction()));
        actions->doAction(QAccessibleActionInterface::setFocusAction());
        QTRY_VERIFY(view->hasFocus());
        QTest::keyClick(view, Qt::Key_Down);
    }

    const auto emitted = [](const QSignalSpy& spy) {
        QVariantList values;
        for (const QVariantList& arguments : spy)
            values << (arguments.size() == 1 ? arguments[0] : QVariant(arguments));
        return values;
    };
    QCOMPARE(emitted(paper), (QVariantList { 4, 3, 4 }));
    QCOMPARE(emitted(card), (QVariantList { 2, 1, 2 }));
    QCOMPARE(emitted(tree),
        (QVariantList { QVariantList { 2, false }, QVariantList { 0, true }, QVariantList { 1, true },
            QVariantList { 3, false }, QVariantList { 2, false }, QVariantList { 1, true } }));
}

void ExamWindowTest::markingAndReviewEndAnswering()
{
    ExamWindow marked;
    marked.disableAnswering();
    marked.setHandInCaption("关闭系统");
    for (const char* name : { "confirmButton", "radioA", "radioD", "checkA", "checkD" })
        QVERIFY2(!child<QAbstractButton>(marked, name)->isEnabled(), name);
    for (const char* name : { "previousButton", "nextButton", "firstButton", "lastButton", "handInButton" })
        QVERIFY2(child<QAbstractButton>(marked, name)->isEnabled(), name);
    QCOMPARE(child<QPushButton>(marked, "handInButton")->text(), QStringLiteral("关闭系统"));

    ExamWindow review;
    review.startTimer();
    review.setReviewMode();
    review.show();
    QVERIFY(QTest::qWaitForWindowExposed(&review));
    QVERIFY(!review.findChild<QTimer*>()->isActive());
    QVERIFY(!child<QPushButton>(review, "confirmButton")->isEnabled());
    QVERIFY(child<QPushButton>(review, "correctAnswerButton")->isVisible());
    QCOMPARE(child<QPushButton>(review, "handInButton")->text(), QStringLiteral("关闭系统"));
    QCOMPARE(child<QLabel>(review, "timeCaption")->text(), QStringLiteral("得   分:"));
}

void ExamWindowTest::escapeAndCloseDoNotEndTheExam()
{
    ExamWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy finished(&window, &QDialog::finished);

    QTest::keyClick(&window, Qt::Key_Escape);
    QTest::keyClick(child<QListView>(window, "paperList"), Qt::Key_Escape);
    QVERIFY(!window.close());
    QVERIFY(window.isVisible());
    QCOMPARE(finished.count(), 0);
}

void ExamWindowTest::closeWindowEndsTheExam()
{
    ExamWindow window;
    QSignalSpy ticks(&window, &ExamWindow::ticked);
    window.startTimer();
    QMetaObject::invokeMethod(window.findChild<QTimer*>(), "timeout");
    QCOMPARE(ticks.count(), 1);
    QTimer::singleShot(0, &window, [&window] { window.closeWindow(); });
    QCOMPARE(window.exec(), int(QDialog::Accepted));
    QVERIFY(!window.isVisible());
    QVERIFY(!window.findChild<QTimer*>()->isActive());

    // Closed during start-up: showing it afterwards returns at once.
    ExamWindow early;
    early.closeWindow();
    QCOMPARE(early.exec(), int(QDialog::Accepted));
    QVERIFY(!early.isVisible());
}

QTEST_MAIN(ExamWindowTest)
#include "ExamWindowTest.moc"

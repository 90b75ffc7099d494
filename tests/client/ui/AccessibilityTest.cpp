// Every window of the exam client as a screen reader meets it through Qt's accessibility
// interface: each control has a name, each button can be pressed, Tab follows the reading
// order, and the standard buttons of message boxes speak Chinese.
#include "client/ui/ExamWindow.h"
#include "client/ui/LoginDialog.h"
#include "client/ui/ReviewLoginDialog.h"
#include "common/ExamPaper.h"
#include "common/ExamSettings.h"
#include "support/AccessibilityWalk.h"
#include "support/TestFiles.h"
#include "ui/PasswordDialog.h"
#include "ui/QtPrompter.h"
#include "ui/QtTranslation.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

using olv::test::gbk;

namespace {

QStringList faultsOf(QWidget* window, int controls) { return olv::test::accessibilityFaults(window, controls); }

// The widgets Tab visits, in its order, by object name.
QStringList tabOrder(QWidget* window)
{
    QStringList names;
    for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(window) && w->isEnabled())
            names << w->objectName();
    }
    return names;
}

// Two single choice and one true/false question.
void fillExam(olv::ExamWindow& window)
{
    olv::ExamSettings settings;
    settings.singleChoiceCount = 2;
    settings.trueFalseCount = 1;
    olv::ExamPaper paper;
    paper.questions.singleChoiceQuestions
        = { { olv::QuestionKind::SingleChoice, gbk("第一题"), { gbk("甲"), gbk("乙"), gbk("丙"), "" }, "A" },
              { olv::QuestionKind::SingleChoice, gbk("第二题"), { "a", "b", "c", "d" }, "B" } };
    paper.questions.trueFalseQuestions = { { olv::QuestionKind::TrueFalse, gbk("第三题"), {}, "A" } };
    window.setPaperLines({ { gbk("●单选题") }, { gbk("1、第一题"), 1 }, { gbk("A、甲 B、乙 C、丙") },
        { gbk("2、第二题"), 2 }, { "A b" }, { gbk("●判断题") }, { gbk("3、第三题"), 3 } });
    window.setQuestionTree(settings, paper);
    window.setOptionTexts(paper);
    window.setAnswerCard({ "1--A", "2--", "3--" });
    window.setTitle(gbk("期末"), "Word");
    window.setIdentity(gbk("一班"), gbk("张三"), "1001");
    window.setRemainingTime("60");
    window.setCurrentQuestion(1);
}

QString accessibleName(QWidget* widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

} // namespace

class AccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void loginDialog();
    void examWindow();
    void smallDialogs();
    void messageBoxesSpeakChinese();
};

void AccessibilityTest::initTestCase()
{
    QVERIFY2(olv::installQtChineseTranslation(*qApp), "Qt's Chinese translation is not installed");
}

void AccessibilityTest::loginDialog()
{
    olv::LoginDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(faultsOf(&dialog, 5).join(";"), QString());
    QCOMPARE(
        tabOrder(&dialog), (QStringList { "classEdit", "nameEdit", "examNumberEdit", "confirmImage", "exitImage" }));
    const QStringList names { accessibleName(dialog.findChild<QWidget*>("classEdit")),
        accessibleName(dialog.findChild<QWidget*>("nameEdit")),
        accessibleName(dialog.findChild<QWidget*>("examNumberEdit")),
        accessibleName(dialog.findChild<QWidget*>("confirmImage")),
        accessibleName(dialog.findChild<QWidget*>("exitImage")) };
    QCOMPARE(names, (QStringList { "班级", "姓名", "考号", "确定", "退出" }));
}

void AccessibilityTest::examWindow()
{
    olv::ExamWindow window;
    fillExam(window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // The banner, the tree, two lists, the question number box, four radio buttons, six buttons.
    QCOMPARE(faultsOf(&window, 15).join(";"), QString());
    QCOMPARE(tabOrder(&window),
        (QStringList { "questionTree", "paperList", "answerCardList", "radioA", "radioB", "radioC", "radioD",
            "confirmButton", "previousButton", "nextButton", "firstButton", "lastButton", "handInButton" }));
    QCOMPARE(accessibleName(window.findChild<QWidget*>("questionTree")), QStringLiteral("题号"));
    QCOMPARE(accessibleName(window.findChild<QWidget*>("paperList")), QStringLiteral("试卷"));
    QCOMPARE(accessibleName(window.findChild<QWidget*>("answerCardList")), QStringLiteral("答题卡"));
    QCOMPARE(accessibleName(window.findChild<QWidget*>("questionNumber")), QStringLiteral("题号"));

    // The answer controls are named after the options of the question shown.
    QCOMPARE(accessibleName(window.findChild<QWidget*>("radioB")), QStringLiteral("B 乙"));
    QCOMPARE(accessibleName(window.findChild<QWidget*>("radioD")), QStringLiteral("D"));
    window.setCurrentQuestion(3);
    QCOMPARE(accessibleName(window.findChild<QWidget*>("radioA")), QStringLiteral("A 正确"));
    QCOMPARE(accessibleName(window.findChild<QWidget*>("radioB")), QStringLiteral("B 错误"));

    window.showAnswerControls(olv::ExamView::AnswerControls::CheckBoxes);
    window.disableAnswering();
    window.setReviewMode();
    QCOMPARE(faultsOf(&window, 16).join(";"), QString()); // check boxes, and "正确答案"
    QCOMPARE(accessibleName(window.findChild<QWidget*>("handInButton")), QStringLiteral("关闭系统"));
}

void AccessibilityTest::smallDialogs()
{
    olv::PasswordDialog password;
    olv::ReviewLoginDialog review;
    for (QDialog* dialog : { static_cast<QDialog*>(&password), static_cast<QDialog*>(&review) }) {
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QCOMPARE(faultsOf(dialog, dialog == &password ? 2 : 3).join(";"), QString());
    }
    QCOMPARE(accessibleName(password.passwordEdit()), QStringLiteral("请输入操作口令"));
}

void AccessibilityTest::messageBoxesSpeakChinese()
{
    olv::QtPrompter prompter(QStringLiteral("Olvane"));
    QStringList faults;
    QStringList buttons;
    std::function<void()> inspectAndAnswer;
    inspectAndAnswer = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            QTimer::singleShot(10, qApp, [&] { inspectAndAnswer(); });
            return;
        }
        faults << faultsOf(box, box->buttons().size());
        for (QAbstractButton* button : box->buttons())
            buttons << button->text();
        box->button(QMessageBox::Ok)->click();
    };
    QTimer::singleShot(0, qApp, inspectAndAnswer);
    prompter.message("考试结束。请离开考场");
    QTimer::singleShot(0, qApp, inspectAndAnswer);
    QVERIFY(prompter.confirm("考试时间还没到，你真的要结束考试吗？", "提前结束"));
    QCOMPARE(faults.join(";"), QString());
    buttons.sort();
    QCOMPARE(buttons, (QStringList { "取消", "确定", "确定" }));
}

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"

// The real dialog "编辑试题库" on the offscreen platform, driven through its controls.
#include "admin/bank/ui/BankEditorDialog.h"

#include "common/QuestionBankFile.h"
#include "support/ModalDialog.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFiles.h"
#include "support/WidgetLookup.h"
#include "ui/LineListModel.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QTest>
#include <functional>

using olv::BankEditorDialog;
using olv::test::child;
using olv::test::gbk;

namespace {

namespace fs = std::filesystem;

// Clicks near the left end, where a radio button has its circle.
void click(const QWidget* dialog, const char* button)
{
    QWidget* control = child(dialog, button);
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(control->height() / 2, control->height() / 2));
}

void pressEnter(Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return, modifiers);
}

QString focusName() { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }

// Runs the editor as the settings dialog does and lets `drive` work its controls once it is
// active; onNextModal closes a dialog that `drive` leaves open, so the test never hangs.
void runEditor(olv::Prompter& prompter, const fs::path& bankPath, const std::function<void(BankEditorDialog*)>& drive)
{
    olv::test::onNextModal<BankEditorDialog>([drive](BankEditorDialog* dialog) {
        if (QTest::qWaitForWindowActive(dialog))
            drive(dialog);
    });
    olv::runBankEditor(nullptr, prompter, bankPath);
}

} // namespace

class BankEditorDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void buildsABankOfAllThreeKindsFromNothing();
    void selectsDeletesAndLeaves();
};

void BankEditorDialogTest::buildsABankOfAllThreeKindsFromNothing()
{
    using enum olv::QuestionKind;
    olv::test::TempDir dir;
    olv::test::WorkingDirectory workingDirectory(dir.path());
    olv::test::ScriptedPrompter prompter;
    const fs::path bankPath = dir / "new.kst";
    bool driven = false;
    runEditor(prompter, bankPath, [&](BankEditorDialog* dialog) {
        QCOMPARE(child<QLabel>(dialog, "pathLabel")->text(), QString::fromStdString(bankPath.string()));
        for (const char* name : { "insertButton", "replaceButton", "deleteButton", "fetchButton" })
            QVERIFY(!child(dialog, name)->isEnabled());

        // Enter walks stem, A to D, answer and back to the stem; Ctrl+Enter breaks the line.
        child(dialog, "stemEdit")->setFocus();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("first line"));
        pressEnter(Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("second"));
        const char* const cycle[] = { "optionAEdit", "optionBEdit", "optionCEdit", "optionDEdit", "answerEdit" };
        const char* const typed[] = { "alpha", "", "", "delta", "b" };
        for (std::size_t i = 0; i < 5; ++i) {
            pressEnter();
            QCOMPARE(focusName(), QString::fromLatin1(cycle[i]));
            QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(typed[i]));
        }
        child<QLineEdit>(dialog, "optionBEdit")->setText(QStringLiteral("中文"));
        pressEnter();
        QCOMPARE(focusName(), QStringLiteral("stemEdit"));
        click(dialog, "appendButton");
        QCOMPARE(child<QPlainTextEdit>(dialog, "stemEdit")->toPlainText(), QString());

        click(dialog, "multipleChoiceRadio");
        child<QPlainTextEdit>(dialog, "stemEdit")->setPlainText(QStringLiteral("many"));
        for (const char* box : cycle)
            child<QLineEdit>(dialog, box)->setText(QStringLiteral("x"));
        child<QLineEdit>(dialog, "answerEdit")->setText(QStringLiteral("dca"));
        // A pasted line break becomes a blank, so does a no-break space; "😀" refuses the entry.
        child<QLineEdit>(dialog, "optionAEdit")->setText(QStringLiteral("x\r\ny\nz"));
        child<QLineEdit>(dialog, "optionBEdit")->setText(QStringLiteral("x\u00A0x"));
        child<QLineEdit>(dialog, "optionCEdit")->setText(QStringLiteral("x😀"));
        click(dialog, "appendButton");
        QCOMPARE(child<QListView>(dialog, "answerList")->model()->rowCount(), 1);
        child<QLineEdit>(dialog, "optionCEdit")->setText(QStringLiteral("x"));
        click(dialog, "appendButton");

        QCOMPARE(
            child<QListView>(dialog, "answerList")->model()->index(1, 0).data().toString(), QStringLiteral("2--ACD"));
        // True/false keeps the option texts but disables their boxes (AdminEndToEndTest stores one).
        child<QLineEdit>(dialog, "optionAEdit")->setText(QStringLiteral("kept"));
        click(dialog, "trueFalseRadio");
        QVERIFY(!child(dialog, "optionAEdit")->isEnabled());
        QCOMPARE(child<QLineEdit>(dialog, "optionAEdit")->text(), QStringLiteral("kept"));
        QVERIFY(child(dialog, "insertButton")->isEnabled());

        // Enter on a button presses nothing and leaves the dialog open.
        child(dialog, "exitButton")->setFocus();
        pressEnter();
        QVERIFY(dialog->isVisible());
        click(dialog, "saveButton");
        click(dialog, "exitButton");
        QVERIFY(!dialog->isVisible());
        driven = true;
    });
    QVERIFY(driven);
    QCOMPARE(prompter.texts(), std::vector<std::string> { "供选答案C中不能含有字符😀,请改用其它" });

    olv::QuestionBank expected;
    expected.singleChoiceQuestions
        = { { SingleChoice, "first line/nsecond", { "alpha", gbk("中文"), "", "delta" }, "B" } };
    expected.multipleChoiceQuestions = { { MultipleChoice, "many", { "x y z", "x x", "x", "x" }, "ACD" } };
    const auto read = olv::readQuestionBank(bankPath, dir / "stk.bak");
    QVERIFY(read.bank);
    QVERIFY(*read.bank == expected);
}

void BankEditorDialogTest::selectsDeletesAndLeaves()
{
    using enum olv::QuestionKind;
    olv::test::TempDir dir;
    olv::test::WorkingDirectory workingDirectory(dir.path());
    olv::QuestionBank bank;
    bank.singleChoiceQuestions = { { SingleChoice, "one", { "a", "b", "", "" }, "A" },
        { SingleChoice, "two/nlines", { "a", "b", "", "" }, "B" } };
    bank.trueFalseQuestions = { { TrueFalse, "three", {}, "B" } };
    const fs::path bankPath = dir / "bank.kst";
    QCOMPARE(olv::writeQuestionBank(bank, bankPath), olv::BankWriteResult::Written);
    const std::string before = olv::test::readBytes(bankPath);
    olv::test::ScriptedPrompter prompter;
    prompter.answerConfirms({ false, false, true });
    bool driven = false;
    runEditor(prompter, bankPath, [&](BankEditorDialog* dialog) {
        auto* questions = child<QListView>(dialog, "questionList");
        auto* answers = child<QListView>(dialog, "answerList");
        QCOMPARE(questions->currentIndex().row(), 1);
        QCOMPARE(answers->currentIndex().row(), 0);

        // A click on the second line of question 2's stem makes question 2 current.
        const QModelIndex secondStemLine = questions->model()->index(4, 0);
        QCOMPARE(secondStemLine.data().toString(), QStringLiteral("lines"));
        questions->scrollTo(secondStemLine);
        QTest::mouseClick(questions->viewport(), Qt::LeftButton, {}, questions->visualRect(secondStemLine).center());
        QCOMPARE(child<QLabel>(dialog, "currentNumberLabel")->text(), QStringLiteral("2"));
        QCOMPARE(answers->currentIndex().row(), 1);
        click(dialog, "fetchButton");
        QCOMPARE(child<QPlainTextEdit>(dialog, "stemEdit")->toPlainText(), QStringLiteral("two\nlines"));

        // A click on answer 3 selects its question's line.
        const QModelIndex third = answers->model()->index(2, 0);
        QTest::mouseClick(answers->viewport(), Qt::LeftButton, {}, answers->visualRect(third).center());
        QCOMPARE(questions->currentIndex().data(olv::LineListModel::TagRole).toInt(), 3);

        click(dialog, "deleteButton");
        QCOMPARE(answers->model()->rowCount(), 2);
        QCOMPARE(child<QLabel>(dialog, "currentNumberLabel")->text(), QStringLiteral("2"));
        // "退出", Escape and the close box each ask; Cancel keeps the dialog.
        click(dialog, "exitButton");
        QVERIFY(dialog->isVisible());
        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(dialog->isVisible());
        dialog->close();
        QVERIFY(!dialog->isVisible());
        driven = true;
    });
    QVERIFY(driven);
    const auto asked = olv::test::confirmPrompt("上次存盘后输入的数据还未保存\n真的要放弃这些数据吗？", "有数据未保存");
    QVERIFY(prompter.prompts() == std::vector({ asked, asked, asked }));
    QVERIFY(olv::test::readBytes(bankPath) == before);
}

QTEST_MAIN(BankEditorDialogTest)
#include "BankEditorDialogTest.moc"

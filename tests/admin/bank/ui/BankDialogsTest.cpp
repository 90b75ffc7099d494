// The three bank dialogs driven as the examiner uses them, modal, on the offscreen platform.
#include "admin/bank/ui/BankCopyDialog.h"
#include "admin/bank/ui/BankMergeDialog.h"
#include "admin/bank/ui/QuestionViewDialog.h"
#include "common/ExamSettingsFile.h"
#include "support/BankTexts.h"
#include "support/ModalDialog.h"
#include "support/PaperSettings.h"
#include "support/ScriptedPrompter.h"
#include "support/WidgetLookup.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace olv;
using namespace olv::test;

namespace {

const char* const bankText = "●单选题:\n单1\n甲\n乙\n丙\n丁\na\n单2/n续行\n甲\n乙\n丙\n丁\nB\n"
                             "●多选题:\n多3\n甲\n乙\n丙\n丁\ncA\n●判断题:\n判4\nB\n";

int currentRow(QWidget* dialog, const char* list) { return child<QListView>(dialog, list)->currentIndex().row(); }

QString rowText(QWidget* dialog, const char* list, int row)
{
    return test::rowText(child<QListView>(dialog, list), row);
}

// Runs `drive` on the modal dialog once it shows, after checking that it is the one expected
// (AdminAccessibilityTest checks that its controls are named for screen readers).
void whenModal(const char* objectName, std::function<void(QDialog*)> drive)
{
    onNextModal<QDialog>([objectName, drive = std::move(drive)](QDialog* dialog) {
        QCOMPARE(dialog->objectName(), QString::fromLatin1(objectName));
        drive(dialog);
    });
}

} // namespace

class BankDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<TempDir>();
        m_inDir = std::make_unique<WorkingDirectory>(m_dir->path());
        writeBytes("bank.kst", bankBytes(bankText));
    }
    void cleanup()
    {
        m_inDir.reset();
        m_dir.reset();
    }

    void copyTicksWalksAndSaves()
    {
        ScriptedPrompter prompter;
        prompter.answerSaveName("small");
        whenModal("bankCopyDialog", [](QDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("题库复制"));
            QCOMPARE(child<QLineEdit>(dialog, "copyAnswerEdit")->text(), QStringLiteral("A"));
            QCOMPARE(currentRow(dialog, "copySelectionList"), 0);
            QCOMPARE(currentRow(dialog, "copyQuestionList"), 1);

            clickRow(child<QListView>(dialog, "copyQuestionList"), 4); // the second line of question 2
            QCOMPARE(currentRow(dialog, "copySelectionList"), 1);
            QCOMPARE(currentRow(dialog, "copyQuestionList"), 4);
            QCOMPARE(child<QLineEdit>(dialog, "copyAnswerEdit")->text(), QStringLiteral("B"));

            click(dialog, "selectButton");
            QCOMPARE(rowText(dialog, "copySelectionList", 1), QStringLiteral("2--√"));
            QCOMPARE(currentRow(dialog, "copySelectionList"), 2);
            QCOMPARE(currentRow(dialog, "copyQuestionList"), 7);
            QCOMPARE(child<QLineEdit>(dialog, "copyAnswerEdit")->text(), QStringLiteral("AC"));

            QTest::keyClick(child<QListView>(dialog, "copySelectionList"), Qt::Key_Return); // saves the ticks
            QVERIFY(dialog->isVisible());
            click(dialog, "exitButton");
        });
        runBankCopy(nullptr, prompter, "bank.kst");
        QCOMPARE(prompter.texts(), (std::vector<std::string> { "复制完成" })); // the bytes are BankCopyTest's
    }

    void questionViewWritesEachOutputOnce()
    {
        ExamSettings settings = paperSettings("bank.kst", { 2, 1, 1 }, DrawMode::BankOrder);

        ScriptedPrompter prompter;
        prompter.answerSaveName("paper");
        prompter.answerSaveName(std::nullopt);
        prompter.answerSaveName("key");
        whenModal("questionViewDialog", [](QDialog* dialog) {
            // An answer selected selects its question: AdminAccessibilityTest's action.
            QCOMPARE(currentRow(dialog, "paperQuestionList"), 1);
            clickRow(child<QListView>(dialog, "paperQuestionList"), 10); // question 4
            QCOMPARE(currentRow(dialog, "paperAnswerList"), 3);

            click(dialog, "writePaperButton");
            QVERIFY(!child<QPushButton>(dialog, "writePaperButton")->isEnabled());
            click(dialog, "writeKeyButton"); // cancelled
            QVERIFY(child<QPushButton>(dialog, "writeKeyButton")->isEnabled());
            click(dialog, "writeKeyButton");
            QVERIFY(!child<QPushButton>(dialog, "writeKeyButton")->isEnabled());
            click(dialog, "closeButton");
        });
        runQuestionView(nullptr, prompter, settings, 0);
        // Each was written once; the files these buttons write are AdminEndToEndTest's, compared
        // byte for byte with olvtool's.
        QVERIFY(prompter.allAnswersUsed());

        // A bank that cannot be read is told, and no dialog shows.
        settings.bankFile = "absent.kst";
        runQuestionView(nullptr, prompter, settings, 0);
        QCOMPARE(prompter.texts(), (std::vector<std::string> { "不能打开试题库文件" }));
    }

    void mergeChoosesMergesAndClosesOnAnUnreadableSource()
    {
        writeBytes("other.kst", bankBytes("●单选题:\n●多选题:\n●判断题:\n判5\nA\n"));
        ScriptedPrompter prompter;
        prompter.answerOpenFile((m_dir->path() / "bank.kst").string());
        prompter.answerOpenFile((m_dir->path() / "other.kst").string());
        // The new bank comes from the file-save picker; ".kst" is added and the whole path shown.
        const QString joined = QString::fromStdString((m_dir->path() / "joined").string());
        prompter.answerSaveFile(joined.toStdString());
        prompter.answerOpenFile((m_dir->path() / "absent.kst").string());
        whenModal("bankMergeDialog", [&](QDialog* dialog) {
            click(dialog, "firstBankButton");
            click(dialog, "secondBankButton");
            click(dialog, "newBankButton");
            QCOMPARE(child<QLabel>(dialog, "newBankButtonPath")->text(), joined + QStringLiteral(".kst"));
            QVERIFY(prompter.prompts().back() == saveFilePrompt("请输入新试题库文件(*.kst)|NULL|"));
            click(dialog, "startMergeButton");
            QVERIFY(dialog->isVisible());
            click(dialog, "firstBankButton");
            click(dialog, "startMergeButton"); // the source cannot be read: the dialog ends
            QVERIFY(!dialog->isVisible());
        });
        runBankMerge(nullptr, prompter);
        QCOMPARE(prompter.texts(), (std::vector<std::string> { "合并完成", "不能打开试题库文件" }));
        QVERIFY(std::filesystem::exists("joined.kst")); // its bytes are BankMergeTest's
    }

private:
    std::unique_ptr<TempDir> m_dir;
    std::unique_ptr<WorkingDirectory> m_inDir;
};

QTEST_MAIN(BankDialogsTest)
#include "BankDialogsTest.moc"

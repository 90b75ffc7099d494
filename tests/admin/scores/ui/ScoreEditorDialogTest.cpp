// The roster editor's window: its boxes labelled, "退出" and Escape asking after changes. The
// keyboard walk and the save are AdminEndToEndTest's roster typed with the keyboard alone.
#include "admin/scores/ui/ScoreEditorDialog.h"

#include "admin/scores/ScoreDatabaseSave.h"
#include "common/ScoreDatabase.h"
#include "support/ModalDialog.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFiles.h"
#include "support/WidgetLookup.h"

#include <QLabel>
#include <QTest>

using olv::test::child;

class ScoreEditorDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void boxesHaveLabelsAndExitAndEscapeAskAfterChanges();
};

void ScoreEditorDialogTest::boxesHaveLabelsAndExitAndEscapeAskAfterChanges()
{
    olv::test::TempDir dir;
    const std::filesystem::path path = dir / "cj.kcj";
    QCOMPARE(olv::writeScoreDatabase(path, { olv::paddedRecord({ "a", "b", "1001", "" }) }), olv::FileResult::Done);
    const std::string before = olv::test::readBytes(path);
    olv::test::ScriptedPrompter prompter;
    prompter.answerConfirms({ false, true });
    bool driven = false;
    // Closed afterwards, so a failed check does not leave the dialog waiting.
    olv::test::onNextModal<QWidget>([&](QWidget* dialog) {
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        // AdminAccessibilityTest checks that every control has a name; here each box has its label.
        const auto labels = dialog->findChildren<QLabel*>();
        for (const char* box : { "classBox", "nameBox", "examNumberBox", "scoreBox" })
            QVERIFY(
                std::ranges::any_of(labels, [&](const QLabel* label) { return label->buddy() == child(dialog, box); }));

        QCOMPARE(child<QLabel>(dialog, "recordNumber")->text(), QStringLiteral("1"));
        QTest::mouseClick(child(dialog, "deleteButton"), Qt::LeftButton);
        QCOMPARE(child<QLabel>(dialog, "recordNumber")->text(), QStringLiteral("0"));
        QTest::mouseClick(child(dialog, "exitButton"), Qt::LeftButton);
        QVERIFY(dialog->isVisible());
        QTest::keyClick(dialog, Qt::Key_Escape); // asks too; OK drops the edits
        QVERIFY(!dialog->isVisible());
        driven = true;
    });
    olv::runScoreEditor(nullptr, prompter, path);
    QVERIFY(driven);
    const auto asked = olv::test::confirmPrompt("上次存盘后输入的数据还未保存\n真的要放弃这些数据吗？", "有数据未保存");
    QVERIFY(prompter.prompts() == std::vector({ asked, asked }));
    QCOMPARE(olv::test::readBytes(path), before);
}

QTEST_MAIN(ScoreEditorDialogTest)
#include "ScoreEditorDialogTest.moc"

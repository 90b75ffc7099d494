#include "admin/answers/ui/AnswerAnalysisDialog.h"
#include "admin/scores/ui/ScoreViewerDialog.h"
#include "support/ModalDialog.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFiles.h"
#include "support/WidgetLookup.h"

using namespace olv;
using test::click;
using test::clickRow;
using test::rowText;

// The score list and the answer analysis: both list windows driven as the examiner does. The
// score list's selection, retake and sort orders are AdminAccessibilityTest's actions, its save
// and exit AdminEndToEndTest's.
class LineListDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_dir = std::make_unique<test::TempDir>(); }
    void scoreViewerOnAFileThatCannotBeOpenedShowsNoWindow();
    void answerAnalysisShowsHidesAndCloses();

private:
    std::unique_ptr<test::TempDir> m_dir;
};

void LineListDialogsTest::scoreViewerOnAFileThatCannotBeOpenedShowsNoWindow()
{
    test::ScriptedPrompter prompter;
    bool appeared = false;
    bool looked = false;
    QTimer::singleShot(0, this, [&] {
        looked = true;
        appeared = QApplication::activeModalWidget() != nullptr;
        if (appeared)
            QApplication::activeModalWidget()->close();
    });
    runScoreViewer(nullptr, prompter, *m_dir / "cj.kcj");
    QTRY_VERIFY(looked); // before the next case shows its window
    QVERIFY(!appeared);
    QCOMPARE(prompter.texts().size(), std::size_t(1));
}

void LineListDialogsTest::answerAnalysisShowsHidesAndCloses()
{
    const auto answerFile = *m_dir / "daan.txt";
    test::writeBytes(answerFile, "67 1001          RRE\r\r\n33 1002          RE*\r\r\n");
    test::ScriptedPrompter prompter;
    bool checked = false;
    test::onNextModal<AnswerAnalysisDialog>([&](QWidget* dialog) {
        // Every button is named for screen readers by its caption.
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            QCOMPARE(button->accessibleName(), button->text());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("查看答题情况"));
        auto* list = dialog->findChild<QListView*>("answerList");
        // The CR that ends each answer sheet line is not drawn.
        QCOMPARE(rowText(list, 2), QStringLiteral("67 1001          RRE"));

        const auto clickRowThenHide = [&](int row) {
            clickRow(list, row);
            click(dialog, "hideButton");
        };
        clickRowThenHide(2); // the counts after it are AnswerAnalysisViewerTest's
        QCOMPARE(list->model()->rowCount(), 5);
        checked = true;
        // Hiding the last candidate line closes the window.
        clickRowThenHide(2);
    });
    runAnswerAnalysis(nullptr, prompter, answerFile);
    QVERIFY(checked);
    QCOMPARE(prompter.texts().back(), std::string("没有记录"));
}

QTEST_MAIN(LineListDialogsTest)
#include "LineListDialogsTest.moc"

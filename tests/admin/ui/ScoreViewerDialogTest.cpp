#include "admin/ui/ScoreViewerDialog.h"

#include "common/ScoreDatabase.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFiles.h"
#include "ui/GbkString.h"

#include <QAbstractButton>
#include <QApplication>
#include <QListView>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

using namespace olv;

class ScoreViewerDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void controlsSortingRetakeAndExit();
    void aFileThatCannotBeOpenedShowsNoWindow();

private:
    std::filesystem::path scoreFile() const { return m_dir->path() / "cj.kcj"; }
    static std::string stored(const ScoreRecord& record) { return swapLineBytePairs(formatScoreLine(record)) + "\r\n"; }

    std::unique_ptr<test::TempDir> m_dir;
};

namespace {

QString rowText(QListView* list, int row) { return list->model()->index(row, 0).data().toString(); }

void clickRow(QListView* list, int row)
{
    const QRect rect = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

void click(QWidget* dialog, const char* name)
{
    QTest::mouseClick(dialog->findChild<QAbstractButton*>(name), Qt::LeftButton);
}

} // namespace

void ScoreViewerDialogTest::init() { m_dir = std::make_unique<test::TempDir>(); }

void ScoreViewerDialogTest::controlsSortingRetakeAndExit()
{
    test::writeBytes(scoreFile(),
        stored({ test::gbk("一班"), test::gbk("张三"), "1001", "59" })
            + stored({ test::gbk("一班"), test::gbk("李四"), "1002", "85" }));
    test::ScriptedPrompter prompter;
    prompter.answerConfirm(true);
    bool checked = false;
    QTimer::singleShot(0, this, [&] {
        // A failed check returns early: the window must not stay open and hang the test.
        const auto closeOnFailure = qScopeGuard([] {
            if (QWidget* open = QApplication::activeModalWidget())
                open->close();
        });
        QTRY_VERIFY(qobject_cast<ScoreViewerDialog*>(QApplication::activeModalWidget()));
        QWidget* dialog = QApplication::activeModalWidget();
        QCOMPARE(dialog->windowTitle(), QStringLiteral("考生成绩"));
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            QCOMPARE(button->accessibleName(), button->text());
        QVERIFY(dialog->findChild<QRadioButton*>("sortNone")->isChecked());
        auto* list = dialog->findChild<QListView*>("scoreList");
        QCOMPARE(list->accessibleName(), QStringLiteral("考生成绩"));
        QCOMPARE(list->model()->rowCount(), 2 + 5);
        QVERIFY(rowText(list, 1).startsWith(QStringLiteral("一班             张三")));

        click(dialog, "sortByScore");
        QVERIFY(rowText(list, 1).contains(QStringLiteral("李四")));
        clickRow(list, 1);
        click(dialog, "retakeButton");
        // Refreshed from the file, sorted as chosen, the selection kept on its row.
        QVERIFY(rowText(list, 1).contains(QStringLiteral("张三")));
        QCOMPARE(list->currentIndex().row(), 1);
        checked = true;
        click(dialog, "exitButton");
    });
    runScoreViewer(nullptr, prompter, scoreFile());
    QVERIFY(checked);
    QCOMPARE(test::readBytes(scoreFile()),
        stored({ test::gbk("一班"), test::gbk("张三"), "1001", "59" })
            + stored({ test::gbk("一班"), test::gbk("李四"), "1002", "" }));
    QVERIFY(prompter.allAnswersUsed());
}

void ScoreViewerDialogTest::aFileThatCannotBeOpenedShowsNoWindow()
{
    test::ScriptedPrompter prompter;
    bool appeared = false;
    QTimer::singleShot(0, this, [&] {
        appeared = QApplication::activeModalWidget() != nullptr;
        if (appeared)
            QApplication::activeModalWidget()->close();
    });
    runScoreViewer(nullptr, prompter, scoreFile());
    QVERIFY(!appeared);
    QCOMPARE(prompter.texts().size(), std::size_t(1));
}

QTEST_MAIN(ScoreViewerDialogTest)
#include "ScoreViewerDialogTest.moc"

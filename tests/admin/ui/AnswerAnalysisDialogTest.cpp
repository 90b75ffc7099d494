#include "admin/ui/AnswerAnalysisDialog.h"

#include "support/ScriptedPrompter.h"
#include "support/TestFiles.h"

#include <QAbstractButton>
#include <QApplication>
#include <QListView>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

using namespace olv;

class AnswerAnalysisDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void showsHidesAndCloses();
};

void AnswerAnalysisDialogTest::showsHidesAndCloses()
{
    test::TempDir dir;
    test::writeBytes(dir / "daan.txt", "67 1001          RRE\r\r\n33 1002          RE*\r\r\n");
    test::ScriptedPrompter prompter;
    bool checked = false;
    QTimer::singleShot(0, this, [&] {
        // A failed check returns early: the window must not stay open and hang the test.
        const auto closeOnFailure = qScopeGuard([] {
            if (QWidget* open = QApplication::activeModalWidget())
                open->close();
        });
        QTRY_VERIFY(qobject_cast<AnswerAnalysisDialog*>(QApplication::activeModalWidget()));
        QWidget* dialog = QApplication::activeModalWidget();
        QCOMPARE(dialog->windowTitle(), QStringLiteral("查看答题情况"));
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
            QCOMPARE(button->accessibleName(), button->text());
        auto* list = dialog->findChild<QListView*>("answerList");
        QCOMPARE(list->model()->rowCount(), 6);
        // The CR that ends each answer sheet line is not drawn.
        QCOMPARE(list->model()->index(2, 0).data().toString(), QStringLiteral("67 1001          RRE"));
        QCOMPARE(list->model()->index(5, 0).data().toString(), QStringLiteral("1:2/0 2:1/1 3:0/1 "));

        const auto clickRowThenHide = [&](int row) {
            QTest::mouseClick(
                list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(row, 0)).center());
            QTest::mouseClick(dialog->findChild<QAbstractButton*>("hideButton"), Qt::LeftButton);
        };
        clickRowThenHide(1);
        QCOMPARE(prompter.texts().back(), std::string("请选择答题记录"));
        clickRowThenHide(2);
        QCOMPARE(list->model()->rowCount(), 5);
        QCOMPARE(list->model()->index(4, 0).data().toString(), QStringLiteral("1:1/0 2:0/1 3:0/0 "));
        checked = true;
        // Hiding the last candidate line closes the window.
        clickRowThenHide(2);
    });
    runAnswerAnalysis(nullptr, prompter, dir / "daan.txt");
    QVERIFY(checked);
    QCOMPARE(prompter.texts().back(), std::string("没有记录"));
}

QTEST_MAIN(AnswerAnalysisDialogTest)
#include "AnswerAnalysisDialogTest.moc"

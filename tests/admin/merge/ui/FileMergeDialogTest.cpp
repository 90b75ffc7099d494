#include "admin/merge/ui/FileMergeDialog.h"

#include "support/ModalDialog.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFiles.h"

#include <QLineEdit>

class FileMergeDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void mergesAndStaysOpenForTheNext();
};

void FileMergeDialogTest::mergesAndStaysOpenForTheNext()
{
    olv::test::TempDir dir;
    olv::test::writeBytes(dir / "a.txt", "1  1001          R\r\r\n");
    olv::test::writeBytes(dir / "b.txt", "0  1002          E\r\r\n");
    olv::test::ScriptedPrompter prompter;
    prompter.answerOpenFile((dir / "a.txt").string());
    prompter.answerOpenFile((dir / "b.txt").string());
    prompter.answerSaveFile((dir / "new").string());

    bool driven = false;
    olv::test::onNextModal<QWidget>([&](QWidget* dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("合并答题卷文件"));
        for (const char* button : { "newFileButton", "firstButton", "secondButton", "mergeButton" })
            olv::test::click(dialog, button);
        QCOMPARE(dialog->findChild<QLineEdit*>(QStringLiteral("newFilePath"))->text(),
            QString::fromStdString((dir / "new").string()));
        QVERIFY(dialog->isVisible());
        olv::test::click(dialog, "exitButton");
        driven = true;
    });
    olv::runAnswerMerge(nullptr, prompter);
    QVERIFY(driven);
    QCOMPARE(prompter.texts(), std::vector<std::string> { "合并完成" });
    QCOMPARE(olv::test::readBytes(dir / "new"), std::string("1  1001          R\r\r\n0  1002          E\r\r\n"));
}

QTEST_MAIN(FileMergeDialogTest)
#include "FileMergeDialogTest.moc"

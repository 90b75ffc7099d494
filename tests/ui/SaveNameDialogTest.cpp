// The save-name dialog and the operator password prompt as QtPrompter shows them.
#include "ui/SaveNameDialog.h"

#include "support/ScriptedPrompter.h"
#include "ui/OperatorPasswordDialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using olv::test::ScriptedPrompter;

namespace {

void click(QWidget* dialog, const QString& caption)
{
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() == caption) {
            button->click();
            return;
        }
    }
    QFAIL(qPrintable(caption));
}

// Types `typed` into the next modal dialog's box, then clicks `caption`.
void typeAndClick(const QString& typed, const QString& caption)
{
    QTimer::singleShot(0, [typed, caption] {
        QTRY_VERIFY(QApplication::activeModalWidget());
        QWidget* dialog = QApplication::activeModalWidget();
        dialog->findChild<QLineEdit*>()->setText(typed);
        click(dialog, caption);
    });
}

} // namespace

class SaveNameDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void nameWithoutDotGetsTheExtension();
    void emptyNameIsRefused();
    void operatorPromptStartsEmptyAndQuits();
};

void SaveNameDialogTest::nameWithoutDotGetsTheExtension()
{
    const QList<std::pair<QString, QString>> cases = { { QStringLiteral("成绩"), QStringLiteral("成绩.txt") },
        { QStringLiteral("/tmp/list"), QStringLiteral("/tmp/list.txt") },
        { QStringLiteral("list.csv"), QStringLiteral("list.csv") },
        { QStringLiteral("/home/zhang.san/list"), QStringLiteral("/home/zhang.san/list.txt") },
        { QStringLiteral("list."), QStringLiteral("list.") } };
    ScriptedPrompter prompter;
    olv::SaveNameDialog dialog(prompter, QStringLiteral(".txt"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("保存文件名:"));
    for (const auto& [typed, completed] : cases) {
        typeAndClick(typed, QStringLiteral("确定"));
        QCOMPARE(dialog.ask(), std::optional<QString>(completed));
    }
    QVERIFY(prompter.prompts().empty());
}

void SaveNameDialogTest::emptyNameIsRefused()
{
    ScriptedPrompter prompter;
    olv::SaveNameDialog dialog(prompter, QStringLiteral(".kst"));
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(QApplication::activeModalWidget() == &dialog);
        click(&dialog, QStringLiteral("确定"));
        QCOMPARE(prompter.texts(), std::vector<std::string> { "文件名不能为空" });
        QVERIFY(dialog.isVisible());
        click(&dialog, QStringLiteral("取消"));
    });
    QCOMPARE(dialog.ask(), std::nullopt);
}

void SaveNameDialogTest::operatorPromptStartsEmptyAndQuits()
{
    olv::OperatorPasswordDialog prompt;
    QCOMPARE(prompt.windowTitle(), QStringLiteral("口令"));
    QLineEdit* box = prompt.findChild<QLineEdit*>();
    QCOMPARE(box->echoMode(), QLineEdit::Password);
    typeAndClick(QStringLiteral("jk01"), QStringLiteral("确定"));
    QCOMPARE(prompt.ask(), std::optional<QString>(QStringLiteral("jk01")));
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(QApplication::activeModalWidget() == &prompt);
        QVERIFY(box->text().isEmpty());
        click(&prompt, QStringLiteral("退出"));
    });
    QCOMPARE(prompt.ask(), std::nullopt);
}

QTEST_MAIN(SaveNameDialogTest)
#include "SaveNameDialogTest.moc"

// The save-name dialog and the operator password prompt as QtPrompter shows them.
#include "ui/SaveNameDialog.h"

#include "support/ModalDialog.h"
#include "support/ScriptedPrompter.h"
#include "ui/OperatorPasswordDialog.h"

#include <QDialog>
#include <QLineEdit>

using olv::test::click;
using olv::test::onNextModal;
using olv::test::ScriptedPrompter;

namespace {

// Types `typed` into the next modal dialog's box, then clicks the button of that object name.
void typeAndClick(const QString& typed, const char* button)
{
    onNextModal<QDialog>([typed, button](QDialog* dialog) {
        dialog->findChild<QLineEdit*>()->setText(typed);
        click(dialog, button);
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
        typeAndClick(typed, "okButton");
        QCOMPARE(dialog.ask(), std::optional<QString>(completed));
    }
    QVERIFY(prompter.prompts().empty());
}

void SaveNameDialogTest::emptyNameIsRefused()
{
    ScriptedPrompter prompter;
    olv::SaveNameDialog dialog(prompter, QStringLiteral(".kst"));
    onNextModal<olv::SaveNameDialog>([&](olv::SaveNameDialog* shown) {
        QCOMPARE(shown, &dialog);
        click(shown, "okButton");
        QCOMPARE(prompter.texts(), std::vector<std::string> { "文件名不能为空" });
        QVERIFY(shown->isVisible());
        click(shown, "cancelButton");
    });
    QCOMPARE(dialog.ask(), std::nullopt);
}

void SaveNameDialogTest::operatorPromptStartsEmptyAndQuits()
{
    olv::OperatorPasswordDialog prompt;
    QCOMPARE(prompt.windowTitle(), QStringLiteral("口令"));
    QLineEdit* box = prompt.findChild<QLineEdit*>();
    QCOMPARE(box->echoMode(), QLineEdit::Password);
    typeAndClick(QStringLiteral("jk01"), "okButton");
    QCOMPARE(prompt.ask(), std::optional<QString>(QStringLiteral("jk01")));
    onNextModal<olv::OperatorPasswordDialog>([&](olv::OperatorPasswordDialog* shown) {
        QCOMPARE(shown, &prompt);
        QVERIFY(box->text().isEmpty());
        click(shown, "quitButton");
    });
    QCOMPARE(prompt.ask(), std::nullopt);
}

QTEST_MAIN(SaveNameDialogTest)
#include "SaveNameDialogTest.moc"

// The examiner's windows as a screen reader meets them: every control named and pressable, the
// values shown in labels readable, and what a screen reader does through the accessibility
// interface (ticking a radio button, selecting a list line) reaching the program as a click does.
#include "admin/bank/ui/BankEditorDialog.h"
#include "admin/scores/ui/ScoreViewerDialog.h"
#include "common/ExamSettingsFile.h"
#include "admin/settings/ui/SettingsDialog.h"
#include "common/QuestionBankFile.h"
#include "common/ScoreDatabase.h"
#include "support/AccessibilityWalk.h"
#include "support/ModalDialog.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFiles.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>

using namespace olv;
using test::AccessibleAction;
using test::gbk;

namespace {

const QString toggle = QAccessibleActionInterface::toggleAction();

// The widget a screen reader knows by `name`.
template <typename T = QWidget>
T* named(QWidget* window, const QString& name)
{
    for (T* widget : window->findChildren<T*>())
        if (widget->accessibleName() == name)
            return widget;
    qFatal("no control named %s", qPrintable(name));
}

QString nameOf(QWidget* widget) { return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name); }

QString rowText(QListView* list, int row) { return list->model()->index(row, 0).data().toString(); }

// Every control with a name and an action, and each of `actions` reaching the program.
QString faultsOf(QWidget* window, const std::vector<AccessibleAction>& actions)
{
    return (test::accessibilityFaults(window, -1) + test::unreachedActions(window, actions)).join(";");
}

std::string stored(const ScoreRecord& record) { return swapLineBytePairs(formatScoreLine(record)) + "\r\n"; }

Question question(QuestionKind kind, const char* stem, std::string answer)
{
    return { kind, gbk(stem), { "a", "b", "c", "d" }, std::move(answer) };
}

} // namespace

class AdminAccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_dir = std::make_unique<test::TempDir>(); }
    void settingsDialog();
    void bankEditor();
    void scoreList();

private:
    std::filesystem::path writeBank()
    {
        QuestionBank bank;
        bank.singleChoiceQuestions = { question(QuestionKind::SingleChoice, "第一题", "A"),
            question(QuestionKind::SingleChoice, "第二题", "B") };
        bank.trueFalseQuestions = { { QuestionKind::TrueFalse, gbk("第三题"), {}, "A" } };
        const auto path = *m_dir / "tk.kst";
        Q_ASSERT(writeQuestionBank(bank, path) == BankWriteResult::Written);
        return path;
    }

    std::unique_ptr<test::TempDir> m_dir;
    test::ScriptedPrompter m_prompter;
};

void AdminAccessibilityTest::settingsDialog()
{
    test::WorkingDirectory workingDirectory(m_dir->path());
    SettingsDialog dialog(m_prompter, adminDefaults(), *m_dir / "olvane.dat", m_dir->path(), {});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* fixedNumber = named<QLineEdit>(&dialog, QStringLiteral("固定号"));
    QVERIFY(!fixedNumber->isEnabled());
    QCOMPARE(faultsOf(&dialog,
                 { { QStringLiteral("固定号:"), toggle, [&] { return fixedNumber->isEnabled(); } },
                     { QStringLiteral("按考号"), toggle, [&] { return !fixedNumber->isEnabled(); } } }),
        QString());
}

void AdminAccessibilityTest::bankEditor()
{
    const auto bankPath = writeBank();
    bool driven = false;
    test::onNextModal<BankEditorDialog>([&](BankEditorDialog* dialog) {
        auto* current = dialog->findChild<QLabel*>(QStringLiteral("currentNumberLabel"));
        auto* optionA = dialog->findChild<QLineEdit*>(QStringLiteral("optionAEdit"));
        QCOMPARE(nameOf(dialog->findChild<QLabel*>(QStringLiteral("pathLabel"))),
            QStringLiteral("试题库文件: ") + QString::fromStdString(bankPath.string()));
        QCOMPARE(faultsOf(dialog,
                     { { QStringLiteral("判断题"), toggle, [&] { return !optionA->isEnabled(); } },
                         { QStringLiteral("单选题"), toggle, [&] { return optionA->isEnabled(); } }  }),
            QString());
        QCOMPARE(nameOf(current), QStringLiteral("当前题: ") + current->text());
        driven = true;
    });
    runBankEditor(nullptr, m_prompter, bankPath);
    QVERIFY(driven);
}

void AdminAccessibilityTest::scoreList()
{
    const auto scoreFile = *m_dir / "cj.kcj";
    test::writeBytes(scoreFile,
        stored({ gbk("一班"), gbk("张三"), "1001", "59" }) + stored({ gbk("一班"), gbk("李四"), "1002", "85" }));
    bool driven = false;
    test::onNextModal<ScoreViewerDialog>([&](QWidget* dialog) {
        auto* list = dialog->findChild<QListView*>(QStringLiteral("scoreList"));
        QCOMPARE(faultsOf(dialog,
                     { { QStringLiteral("成绩"), toggle, [&] { return rowText(list, 1).contains(QStringLiteral("李四")); } } }),
            QString());
        driven = true;
    });
    runScoreViewer(nullptr, m_prompter, scoreFile);
    QVERIFY(driven);
}

QTEST_MAIN(AdminAccessibilityTest)
#include "AdminAccessibilityTest.moc"

// The examiner's windows as a screen reader meets them: every control named and pressable, the
// values shown in labels readable, every radio button tried, and what a screen reader does
// through the accessibility interface (ticking a radio button, selecting a list line through
// the list's table interface, pressing a button) reaching the program as a click does.
#include "admin/answers/ItemStatistics.h"
#include "admin/answers/ui/AnswerAnalysisDialog.h"
#include "admin/answers/ui/ItemAnalysisDialog.h"
#include "admin/bank/ui/BankCopyDialog.h"
#include "admin/bank/ui/BankEditorDialog.h"
#include "admin/bank/ui/BankMergeDialog.h"
#include "admin/bank/ui/QuestionViewDialog.h"
#include "admin/merge/ui/FileMergeDialog.h"
#include "admin/merge/ui/MergeChooserDialog.h"
#include "admin/room/ui/RoomViewDialog.h"
#include "admin/scores/ScoreSortOrder.h"
#include "admin/scores/ui/ScoreEditorDialog.h"
#include "admin/scores/ui/ScoreViewerDialog.h"
#include "admin/settings/ui/PasswordChangeDialog.h"
#include "admin/settings/ui/SettingsDialog.h"
#include "admin/ui/AdminTools.h"
#include "admin/ui/HelpWindow.h"
#include "common/ExamSettingsFile.h"
#include "common/ScoreDatabase.h"
#include "platform/Clock.h"
#include "support/AccessibilityWalk.h"
#include "support/BankTexts.h"
#include "support/ModalDialog.h"
#include "support/PaperSettings.h"
#include "support/ScriptedPrompter.h"
#include "support/StoredScores.h"
#include "support/TestFiles.h"
#include "support/WidgetLookup.h"
#include "ui/GbkString.h"
#include "ui/QtPrompter.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>

using namespace olv;
using test::AccessibleAction;
using test::child;
using test::gbk;
using test::rowText;

namespace {

const QString toggle = QAccessibleActionInterface::toggleAction();
const QString press = QAccessibleActionInterface::pressAction();
const QString& selectLine = test::selectRowAction;

using Actions = std::vector<AccessibleAction>;
using Drive = std::function<void(QWidget*)>;

// The first line of `list` that holds `part`.
QString lineWith(QListView* list, const QString& part)
{
    for (int row = 0; row < list->model()->rowCount(); ++row)
        if (rowText(list, row).contains(part))
            return rowText(list, row);
    return {};
}
int currentRow(QListView* list) { return list->currentIndex().row(); }

// Whether a screen reader reads `text` anywhere in the window, in a name or a value.
bool reads(QAccessibleInterface* node, const QString& text)
{
    if (!node || node->state().invisible)
        return false;
    if (node->text(QAccessible::Name).contains(text) || node->text(QAccessible::Value).contains(text))
        return true;
    for (int i = 0; i < node->childCount(); ++i)
        if (reads(node->child(i), text))
            return true;
    return false;
}
bool reads(QWidget* window, const QString& text) { return reads(QAccessible::queryAccessibleInterface(window), text); }

// Every radio button tried, the actions reaching the program, and then (with what the actions
// chose shown) every control named and pressable and every label readable.
QStringList faultsOf(QWidget* window, const Actions& actions)
{
    QStringList faults = test::untriedRadioButtons(window, actions);
    faults += test::unreachedActions(window, actions);
    faults += test::accessibilityFaults(window, -1);
    return faults;
}

} // namespace

class AdminAccessibilityTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_dir = std::make_unique<test::TempDir>(); }
    void everyWindow();

private:
    // Shows a window that runs modally, drives it and closes it.
    template <typename T = QDialog>
    static void modal(const Drive& drive, const std::function<void()>& run)
    {
        test::onNextModal<T>(drive);
        run();
    }
    static void shown(QWidget& window, const Drive& drive)
    {
        window.show();
        if (QTest::qWaitForWindowExposed(&window))
            drive(&window);
    }

    std::unique_ptr<test::TempDir> m_dir;
    test::ScriptedPrompter m_prompter;
};

void AdminAccessibilityTest::everyWindow()
{
    test::WorkingDirectory workingDirectory(m_dir->path());
    const auto bankPath = *m_dir / "tk.kst";
    test::writeBytes(bankPath,
        test::bankBytes("●单选题:\n第一题\na\nb\nc\nd\nA\n第二题\na\nb\nc\nd\nB\n●多选题:\n●判断题:\n第三题\nA\n"));
    const auto scoreFile = *m_dir / "cj.kcj";
    // Five orders of the score list, each showing the records in a different sequence.
    const std::vector<ScoreRecord> records = { { gbk("三班"), gbk("甲"), "1005", "50" },
        { gbk("三班"), gbk("乙"), "1001", "60" }, { gbk("三班"), gbk("丙"), "1006", "99" },
        { gbk("二班"), gbk("丁"), "1003", "80" }, { gbk("二班"), gbk("戊"), "1002", "40" } };
    test::writeBytes(scoreFile, test::stored(records));
    const auto answerFile = *m_dir / "daan.txt";
    test::writeBytes(answerFile, "67 1001          RRE\r\r\n33 1002          RE*\r\r\n");
    FixedClock clock(0);
    const AdminTools tools;
    const ExamSettings paperSettings
        = test::paperSettings(bankPath.filename().string(), { 2, 0, 1 }, DrawMode::BankOrder);
    QtPrompter asking(QStringLiteral("Olvadmin"));

    // The three chosen paths of a merge, each read back where the window shows it.
    test::writeBytes(*m_dir / "merge0.file", "1  1001          R\r\r\n");
    test::writeBytes(*m_dir / "merge1.file", "0  1002          E\r\r\n");
    const auto mergeActions = [this](QWidget* window, std::array<QString, 3> buttons) {
        Actions actions;
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            const QString path = QString::fromStdString((*m_dir / "merge").string()) + QStringLiteral("%1.file").arg(i);
            if (i < 2)
                m_prompter.answerOpenFile(path.toStdString());
            else
                m_prompter.answerSaveFile(path.toStdString());
            actions.push_back({ buttons[i], press, [window, path] { return reads(window, path); } });
        }
        return actions;
    };

    // Both file merges name their buttons alike; a merge leaves the window open for the next (the
    // merged bytes are FileMergeTest's).
    const auto fileMergeActions = [&](QWidget* window) {
        const auto name = [window](const char* button) { return child<QPushButton>(window, button)->accessibleName(); };
        Actions actions = mergeActions(window, { name("firstButton"), name("secondButton"), name("newFileButton") });
        actions.push_back({ name("mergeButton"), press, [this, window] {
                               return !m_prompter.texts().empty() && m_prompter.texts().back() == "合并完成"
                                   && window->isVisible();
                           } });
        return actions;
    };

    const struct
    {
        const char* window;
        std::function<void(const Drive&)> open;
        std::function<Actions(QWidget*)> actions;
    } windows[] = {
        { "settings",
            [&](const Drive& drive) {
                SettingsDialog dialog(m_prompter, adminDefaults(), *m_dir / "olvane.dat", m_dir->path(), {});
                shown(dialog, drive);
            },
            [](QWidget* window) {
                auto* fixed = test::named<QLineEdit>(window, QStringLiteral("固定号"));
                const auto on = [fixed] { return fixed->isEnabled(); };
                const auto off = [fixed] { return !fixed->isEnabled(); };
                return Actions { { QStringLiteral("固定号:"), toggle, on }, { QStringLiteral("不固定"), toggle, off },
                    { QStringLiteral("固定号:"), toggle, on }, { QStringLiteral("按题库顺序"), toggle, off },
                    { QStringLiteral("固定号:"), toggle, on }, { QStringLiteral("按考号"), toggle, off } };
            } },
        { "password change",
            [&](const Drive& drive) {
                PasswordChangeDialog dialog(m_prompter, "");
                shown(dialog, drive);
            },
            {} },
        { "help",
            [&](const Drive& drive) {
                HelpWindow help;
                shown(help, drive);
            },
            {} },
        { "merge chooser",
            [&](const Drive& drive) {
                MergeChooserDialog chooser(m_prompter, tools);
                shown(chooser, drive);
            },
            {} },
        { "bank editor",
            [&](const Drive& drive) { modal(drive, [&] { runBankEditor(nullptr, m_prompter, bankPath); }); },
            [](QWidget* window) {
                auto* optionA = child<QLineEdit>(window, "optionAEdit");
                auto* answers = child<QListView>(window, "answerList");
                auto* current = child<QLabel>(window, "currentNumberLabel");
                const auto on = [optionA] { return optionA->isEnabled(); };
                const auto off = [optionA] { return !optionA->isEnabled(); };
                return Actions { { QStringLiteral("判断题"), toggle, off }, { QStringLiteral("多选题"), toggle, on },
                    { QStringLiteral("判断题"), toggle, off }, { QStringLiteral("单选题"), toggle, on },
                    // The answer entry a screen reader selects becomes the current question.
                    { lineWith(answers, QStringLiteral("B")), selectLine,
                        [current] { return current->text() == QStringLiteral("2"); }, answers } };
            } },
        { "sample paper",
            [&](const Drive& drive) { modal(drive, [&] { runQuestionView(nullptr, m_prompter, paperSettings, 0); }); },
            [](QWidget* window) {
                auto* questions = child<QListView>(window, "paperQuestionList");
                auto* answers = child<QListView>(window, "paperAnswerList");
                const QString second = lineWith(questions, QStringLiteral("第二题"));
                return Actions { { lineWith(answers, QStringLiteral("2--")), selectLine,
                    [=] { return rowText(questions, currentRow(questions)) == second; }, answers } };
            } },
        // The import preview and every question of the examiner's program.
        { "question",
            [&](const Drive& drive) {
                modal<QMessageBox>(drive, [&] { asking.confirm("将导入2道题\n第3行: 没有答案", "导入试题"); });
            },
            {} },
        { "save name", [&](const Drive& drive) { modal(drive, [&] { asking.saveName(".txt"); }); }, {} },
        { "bank copy", [&](const Drive& drive) { modal(drive, [&] { runBankCopy(nullptr, m_prompter, bankPath); }); },
            [](QWidget* window) {
                auto* questions = child<QListView>(window, "copyQuestionList");
                auto* answer = child<QLineEdit>(window, "copyAnswerEdit");
                auto* entries = child<QListView>(window, "copySelectionList");
                return Actions { { lineWith(questions, QStringLiteral("第二题")), selectLine,
                                     [answer] { return answer->text() == "B"; }, questions },
                    // The entry of question 2, selected with it, is ticked.
                    { QStringLiteral("选择"), press,
                        [=] { return rowText(entries, 1).contains(QStringLiteral("√")); } } };
            } },
        { "bank merge", [&](const Drive& drive) { modal(drive, [&] { runBankMerge(nullptr, m_prompter); }); },
            [&](QWidget* window) {
                return mergeActions(window,
                    { QStringLiteral("试题库文件1"), QStringLiteral("试题库文件2"), QStringLiteral("新试题库文件") });
            } },
        { "score merge", [&](const Drive& drive) { modal(drive, [&] { runScoreMerge(nullptr, m_prompter); }); },
            fileMergeActions },
        { "answer sheet merge", [&](const Drive& drive) { modal(drive, [&] { runAnswerMerge(nullptr, m_prompter); }); },
            fileMergeActions },
        { "score list",
            [&](const Drive& drive) { modal(drive, [&] { runScoreViewer(nullptr, m_prompter, scoreFile); }); },
            [&](QWidget* window) {
                auto* list = child<QListView>(window, "scoreList");
                const auto sorted = [list, &records](ScoreSortOrder order) {
                    return [list, &records, order] {
                        const std::vector<std::size_t> expected = scoreDisplayOrder(records, order);
                        for (std::size_t i = 0; i < expected.size(); ++i)
                            if (!rowText(list, static_cast<int>(i) + 1).contains(fromGbk(records[expected[i]].name)))
                                return false;
                        return true;
                    };
                };
                m_prompter.answerConfirm(false);
                return Actions { { rowText(list, 1), selectLine, [list] { return currentRow(list) == 1; }, list },
                    // The record selected is the one to retake: its retake is asked about.
                    { QStringLiteral("选中记录重考"), press,
                        [this] {
                            return !m_prompter.texts().empty()
                                && QString::fromStdString(m_prompter.texts().back()).contains(QStringLiteral("甲"));
                        } },
                    { QStringLiteral("成绩"), toggle, sorted(ScoreSortOrder::Score) },
                    { QStringLiteral("考号"), toggle, sorted(ScoreSortOrder::ExamNumber) },
                    { QStringLiteral("班级成绩"), toggle, sorted(ScoreSortOrder::ClassScore) },
                    { QStringLiteral("班级考号"), toggle, sorted(ScoreSortOrder::ClassExamNumber) },
                    { QStringLiteral("不排序"), toggle, sorted(ScoreSortOrder::FileOrder) } };
            } },
        { "roster editor",
            [&](const Drive& drive) { modal(drive, [&] { runScoreEditor(nullptr, m_prompter, scoreFile); }); },
            [](QWidget* window) {
                auto* list = child<QListView>(window, "recordList");
                auto* number = child<QLabel>(window, "recordNumber");
                auto* examNumber = child<QLineEdit>(window, "examNumberBox");
                return Actions { { rowText(list, 2), selectLine, [number] { return number->text() == "2"; }, list },
                    { QStringLiteral("自动"), toggle, [examNumber] { return !examNumber->isEnabled(); } },
                    { QStringLiteral("自动"), toggle, [examNumber] { return examNumber->isEnabled(); } } };
            } },
        { "answer analysis",
            [&](const Drive& drive) { modal(drive, [&] { runAnswerAnalysis(nullptr, m_prompter, answerFile); }); },
            [](QWidget* window) {
                auto* list = child<QListView>(window, "answerList");
                const int lines = list->model()->rowCount();
                return Actions { { rowText(list, 2), selectLine, [list] { return currentRow(list) == 2; }, list },
                    { QStringLiteral("删除选中记录"), press,
                        [list, lines] { return list->model()->rowCount() == lines - 1; } } };
            } },
        { "item analysis",
            [&](const Drive& drive) {
                ItemAnalysisDialog items(
                    m_prompter, itemStatistics({ "67 1001          RRE\r", "33 1002          RE*\r" }), {}, nullptr);
                shown(items, drive);
            },
            {} },
        { "room view",
            [&](const Drive& drive) { modal(drive, [&] { runRoomView(nullptr, m_prompter, scoreFile, clock); }); },
            [](QWidget* window) {
                auto* retake = child<QPushButton>(window, "retakeButton");
                const QString tile
                    = QAccessible::queryAccessibleInterface(window->findChild<QGroupBox*>()->findChild<QPushButton*>())
                          ->text(QAccessible::Name);
                return Actions { { tile, toggle, [retake] { return retake->isEnabled(); } } };
            } },
    };
    QStringList faults;
    for (const auto& window : windows) {
        bool opened = false;
        window.open([&](QWidget* shown) {
            opened = true;
            for (const QString& fault : faultsOf(shown, window.actions ? window.actions(shown) : Actions {}))
                faults << QString::fromLatin1(window.window) + QStringLiteral(": ") + fault;
        });
        if (!opened)
            faults << QString::fromLatin1(window.window) + QStringLiteral(": did not show");
    }
    QCOMPARE(faults.join(QLatin1Char('\n')), QString());
}

QTEST_MAIN(AdminAccessibilityTest)
#include "AdminAccessibilityTest.moc"

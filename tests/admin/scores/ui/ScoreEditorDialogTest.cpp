#include "admin/scores/ui/ScoreEditorDialog.h"

#include "admin/scores/ScoreDatabaseSave.h"
#include "common/ScoreDatabase.h"
#include "support/ModalDialog.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFiles.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using olv::test::gbk;

namespace {

QWidget* child(const QWidget* dialog, const char* name)
{
    return dialog->findChild<QWidget*>(QString::fromLatin1(name));
}

QString text(const QWidget* dialog, const char* name)
{
    const QWidget* widget = child(dialog, name);
    if (const auto* box = qobject_cast<const QLineEdit*>(widget))
        return box->text();
    return qobject_cast<const QLabel*>(widget)->text();
}

// Keys go where the focus is, as when the examiner types; Chinese comes from the input method.
void type(const QString& keys)
{
    QWidget* focused = QApplication::focusWidget();
    if (std::ranges::all_of(keys, [](QChar c) { return c.unicode() < 0x80; })) {
        QTest::keyClicks(focused, keys);
        return;
    }
    QInputMethodEvent commit;
    commit.setCommitString(keys);
    QApplication::sendEvent(focused, &commit);
}
void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

} // namespace

class ScoreEditorDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void typesAClassWithTheKeyboardAloneAndSaves();
    void exitAndEscapeAskAfterChanges();
    void everyBoxHasItsLabel();

private:
    // Opens the editor on the file and runs `drive` once it shows.
    void runEditor(const std::function<void(QWidget*)>& drive);

    std::unique_ptr<olv::test::TempDir> m_dir;
    std::filesystem::path m_path;
    olv::test::ScriptedPrompter m_prompter;
};

void ScoreEditorDialogTest::init()
{
    m_dir = std::make_unique<olv::test::TempDir>();
    m_path = *m_dir / "cj.kcj";
    m_prompter = {};
}

void ScoreEditorDialogTest::runEditor(const std::function<void(QWidget*)>& drive)
{
    bool driven = false;
    // Closed afterwards, so a failed check does not leave the dialog waiting.
    olv::test::onNextModal<QWidget>([&](QWidget* dialog) {
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        drive(dialog);
        driven = true;
    });
    olv::runScoreEditor(nullptr, m_prompter, m_path);
    QVERIFY(driven);
}

void ScoreEditorDialogTest::typesAClassWithTheKeyboardAloneAndSaves()
{
    runEditor([this](QWidget* dialog) {
        QCOMPARE(text(dialog, "recordNumber"), QStringLiteral("0"));
        QVERIFY(!child(dialog, "deleteButton")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), child(dialog, "classBox"));

        type(QStringLiteral("一班"));
        for (const auto& [name, number, score] :
            { std::tuple { "张三", "1001", "" }, { "李四", "1002", "" }, { "王五\r\n", "1003", "85" } }) {
            press(Qt::Key_Return);
            // Names pasted from spreadsheet cells, the last with its cell's line break.
            qobject_cast<QLineEdit*>(QApplication::focusWidget())->insert(QString::fromUtf8(name));
            press(Qt::Key_Return);
            type(QString::fromLatin1(number));
            press(Qt::Key_Return);
            type(QString::fromLatin1(score));
            press(Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), child(dialog, "addButton"));
            press(Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), child(dialog, "classBox"));
        }
        QCOMPARE(text(dialog, "classBox"), QStringLiteral("一班"));
        QCOMPARE(text(dialog, "recordNumber"), QStringLiteral("3"));

        for (int tabs = 0; tabs < 20 && QApplication::focusWidget() != child(dialog, "saveButton"); ++tabs)
            press(Qt::Key_Tab);
        press(Qt::Key_Space);
        press(Qt::Key_Escape);
    });
    QVERIFY(m_prompter.prompts().empty());

    const auto expected = *m_dir / "expected.kcj";
    QCOMPARE(olv::writeScoreDatabase(expected,
                 { olv::paddedRecord({ gbk("一班"), gbk("张三"), "1001", "" }),
                     olv::paddedRecord({ gbk("一班"), gbk("李四"), "1002", "" }),
                     olv::paddedRecord({ gbk("一班"), gbk("王五"), "1003", "85" }) }),
        olv::FileResult::Done);
    QCOMPARE(olv::test::readBytes(m_path), olv::test::readBytes(expected));
}

void ScoreEditorDialogTest::exitAndEscapeAskAfterChanges()
{
    QCOMPARE(olv::writeScoreDatabase(m_path, { olv::paddedRecord({ "a", "b", "1001", "" }) }), olv::FileResult::Done);
    const std::string before = olv::test::readBytes(m_path);
    m_prompter.answerConfirms({ false, true });
    runEditor([](QWidget* dialog) {
        QCOMPARE(text(dialog, "recordNumber"), QStringLiteral("1"));
        QTest::mouseClick(child(dialog, "deleteButton"), Qt::LeftButton);
        QCOMPARE(text(dialog, "recordNumber"), QStringLiteral("0"));
        QTest::mouseClick(child(dialog, "exitButton"), Qt::LeftButton);
        QVERIFY(dialog->isVisible());
        QTest::keyClick(dialog, Qt::Key_Escape); // asks too; OK drops the edits
        QVERIFY(!dialog->isVisible());
    });
    QCOMPARE(m_prompter.prompts().size(), std::size_t(2));
    QCOMPARE(olv::test::readBytes(m_path), before);
}

void ScoreEditorDialogTest::everyBoxHasItsLabel()
{
    // AdminAccessibilityTest checks that every control has a name; here each box has its label.
    runEditor([](QWidget* dialog) {
        for (const char* box : { "classBox", "nameBox", "examNumberBox", "scoreBox" }) {
            const auto labels = dialog->findChildren<QLabel*>();
            QVERIFY(
                std::ranges::any_of(labels, [&](const QLabel* label) { return label->buddy() == child(dialog, box); }));
        }
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
}

QTEST_MAIN(ScoreEditorDialogTest)
#include "ScoreEditorDialogTest.moc"

// The real settings dialog on the offscreen platform: its controls, the keys, the password
// change, the tool buttons and the working directory of the bank copy.
#include "admin/settings/ui/SettingsDialog.h"

#include "admin/merge/ui/MergeChooserDialog.h"
#include "admin/settings/ui/PasswordChangeDialog.h"
#include "admin/ui/HelpWindow.h"
#include "common/ExamSettingsFile.h"
#include "support/ModalDialog.h"
#include "support/ScriptedPrompter.h"
#include "support/TestFiles.h"
#include "support/WidgetLookup.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextBrowser>
#include <memory>

namespace fs = std::filesystem;
using olv::test::button;
using olv::test::named;
using olv::test::onNextModal;
using olv::test::ScriptedPrompter;

namespace {

const QStringList buttonCaptions = { QStringLiteral("查看成绩"), QStringLiteral("答题情况"), QStringLiteral("查看试题"),
    QStringLiteral("修改口令"), QStringLiteral("帮    助"), QStringLiteral("编辑试题库"), QStringLiteral("编辑成绩库"),
    QStringLiteral("复制试题库"), QStringLiteral("合并文件"), QStringLiteral("考场监控"), QStringLiteral("确    定") };

} // namespace

class SettingsDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void showsEveryCaptionAndDisablesMissingTools();
    void enterNeitherSavesNorClosesAndEscapeEndsWithoutSaving();
    void refusedEntryStopsTheSaveWithTheFocusOnTheBox();
    void changedPasswordIsSavedOnlyWithTheSettings();
    void bankCopyRunsInItsBanksFolder();
    void mergeChooserOpensTheMerges();
    void helpShowsTheGuide();

private:
    void makeDialog(olv::AdminTools tools = {});
    fs::path settingsFile() const { return m_dir->path() / "olvane.dat"; }

    std::unique_ptr<olv::test::TempDir> m_dir;
    std::unique_ptr<olv::test::WorkingDirectory> m_workingDirectory;
    ScriptedPrompter m_prompter;
    std::unique_ptr<olv::SettingsDialog> m_dialog;
};

void SettingsDialogTest::init()
{
    m_dir = std::make_unique<olv::test::TempDir>();
    m_workingDirectory = std::make_unique<olv::test::WorkingDirectory>(m_dir->path());
    m_prompter = ScriptedPrompter();
}

void SettingsDialogTest::cleanup()
{
    m_dialog.reset();
    m_workingDirectory.reset();
    m_dir.reset();
}

void SettingsDialogTest::makeDialog(olv::AdminTools tools)
{
    olv::ExamSettings settings = olv::adminDefaults();
    settings.operatorPassword = "old";
    m_dialog
        = std::make_unique<olv::SettingsDialog>(m_prompter, settings, settingsFile(), m_dir->path(), std::move(tools));
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
}

void SettingsDialogTest::showsEveryCaptionAndDisablesMissingTools()
{
    makeDialog();
    QCOMPARE(m_dialog->windowTitle(), QStringLiteral("考试管理"));
    QStringList enabled;
    for (const QString& caption : buttonCaptions) {
        QPushButton* found = button(m_dialog.get(), caption);
        QVERIFY2(found, qPrintable(caption));
        QVERIFY(!found->isDefault() && !found->autoDefault());
        if (found->isEnabled())
            enabled << caption;
    }
    QCOMPARE(enabled,
        (QStringList { QStringLiteral("修改口令"), QStringLiteral("帮    助"), QStringLiteral("合并文件"),
            QStringLiteral("确    定") }));
    for (const char* caption : { "考试名称:", "考试科目:", "试题库文件名:", "成绩库文件名:", "题量:单选题:",
             "分值:判断题:", "固定号", "考试时间(分):", "最早交卷时间:" })
        QVERIFY2(named<QLineEdit>(m_dialog.get(), QString::fromUtf8(caption)), caption);
    // The boxes and flags shown are saved again in AdminEndToEndTest's settings file; the draw
    // mode it changes, so its radio shown is checked here.
    QVERIFY(named<QRadioButton>(m_dialog.get(), QStringLiteral("按考号"))->isChecked());
    // With their launchers the buttons work: AdminEndToEndTest and bankCopyRunsInItsBanksFolder.
}

void SettingsDialogTest::enterNeitherSavesNorClosesAndEscapeEndsWithoutSaving()
{
    makeDialog();
    QSignalSpy finished(m_dialog.get(), &QDialog::finished);
    QLineEdit* name = named<QLineEdit>(m_dialog.get(), QStringLiteral("考试名称:"));
    name->setFocus();
    QTest::keyClick(name, Qt::Key_Return);
    button(m_dialog.get(), QStringLiteral("确    定"))->setFocus();
    QTest::keyClick(m_dialog.get(), Qt::Key_Enter);
    QCOMPARE(finished.count(), 0);
    QVERIFY(m_dialog->isVisible());
    QVERIFY(!fs::exists(settingsFile()));

    name->setText(QStringLiteral("改了"));
    QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
    QCOMPARE(m_dialog->result(), int(QDialog::Rejected));
    QVERIFY(!m_dialog->isVisible());
    QVERIFY(!fs::exists(settingsFile()));
}

void SettingsDialogTest::refusedEntryStopsTheSaveWithTheFocusOnTheBox()
{
    makeDialog();
    // A refused number is AdminEndToEndTest's; here the exam name as pasted from a spreadsheet cell.
    QLineEdit* name = named<QLineEdit>(m_dialog.get(), QStringLiteral("考试名称:"));
    name->setText(QStringLiteral("期末😀"));
    button(m_dialog.get(), QStringLiteral("确    定"))->click();
    QTRY_VERIFY(name->hasFocus());
    QVERIFY(m_dialog->isVisible());
    QVERIFY(!fs::exists(settingsFile()));
    QCOMPARE(m_prompter.texts(), std::vector<std::string> { "考试名称中不能含有字符😀,请改用其它" });

    name->setText(QStringLiteral("期末\r\n"));
    button(m_dialog.get(), QStringLiteral("确    定"))->click();
    QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
    olv::ExamSettings saved = olv::adminDefaults();
    QCOMPARE(olv::readExamSettings(settingsFile(), saved), olv::SettingsRead::Read);
    QCOMPARE(saved.examName, olv::test::gbk("期末 "));
}

void SettingsDialogTest::changedPasswordIsSavedOnlyWithTheSettings()
{
    makeDialog();
    // First the two entries differ; the dialog stays open until they agree.
    onNextModal<olv::PasswordChangeDialog>([this](olv::PasswordChangeDialog* dialog) {
        QCOMPARE(named<QLineEdit>(dialog, QStringLiteral("输入新口令:"))->text(), QStringLiteral("old"));
        named<QLineEdit>(dialog, QStringLiteral("输入新口令:"))->setText(QStringLiteral("新口令"));
        button(dialog, QStringLiteral("确定"))->click();
        QCOMPARE(m_prompter.texts(), std::vector<std::string> { "两次输入的密码不一致,请重新输入." });
        QVERIFY(dialog->isVisible());
        named<QLineEdit>(dialog, QStringLiteral("请再输一遍:"))->setText(QStringLiteral("新口令"));
        button(dialog, QStringLiteral("确定"))->click();
    });
    button(m_dialog.get(), QStringLiteral("修改口令"))->click();
    QCOMPARE(m_dialog->form().operatorPassword(), olv::test::gbk("新口令"));
    QVERIFY(!fs::exists(settingsFile()));

    // Cancelled: the password stays.
    onNextModal<olv::PasswordChangeDialog>([](olv::PasswordChangeDialog* dialog) {
        named<QLineEdit>(dialog, QStringLiteral("输入新口令:"))->clear();
        named<QLineEdit>(dialog, QStringLiteral("请再输一遍:"))->clear();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    button(m_dialog.get(), QStringLiteral("修改口令"))->click();
    QCOMPARE(m_dialog->form().operatorPassword(), olv::test::gbk("新口令"));
    // Saved with the settings, as AdminEndToEndTest compares byte for byte.
}

// The files of the other tools are SettingsFormTest's, their buttons AdminEndToEndTest's.
void SettingsDialogTest::bankCopyRunsInItsBanksFolder()
{
    const fs::path bankFolder = m_dir->path() / "banks";
    fs::create_directory(bankFolder);
    fs::path opened;
    fs::path folderDuringCopy;
    olv::AdminTools tools;
    tools.bankCopy = [&](QWidget*, olv::Prompter&, const fs::path& file) {
        opened = file;
        folderDuringCopy = fs::current_path();
    };
    makeDialog(tools);
    m_prompter.answerOpenFile((bankFolder / "b.kst").string());
    button(m_dialog.get(), QStringLiteral("复制试题库"))->click();
    QCOMPARE(opened, bankFolder / "b.kst");
    QCOMPARE(folderDuringCopy, bankFolder);
    QCOMPARE(fs::current_path(), m_dir->path());
}

void SettingsDialogTest::mergeChooserOpensTheMerges()
{
    int scoreMerges = 0;
    olv::AdminTools tools;
    tools.scoreMerge = [&](QWidget*, olv::Prompter&) { ++scoreMerges; };
    makeDialog(tools);
    onNextModal<olv::MergeChooserDialog>([](olv::MergeChooserDialog* chooser) {
        QCOMPARE(chooser->windowTitle(), QStringLiteral("文件合并"));
        QVERIFY(!button(chooser, QStringLiteral("合并试题库文件"))->isEnabled());
        QVERIFY(!button(chooser, QStringLiteral("合并答题卷文件"))->isEnabled());
        button(chooser, QStringLiteral("合并成绩库文件"))->click();
        button(chooser, QStringLiteral("结束"))->click();
    });
    button(m_dialog.get(), QStringLiteral("合并文件"))->click();
    QCOMPARE(scoreMerges, 1);
    QVERIFY(m_dialog->isVisible());
}

void SettingsDialogTest::helpShowsTheGuide()
{
    makeDialog();
    QString guide;
    onNextModal<olv::HelpWindow>([&guide](olv::HelpWindow* help) {
        guide = help->findChild<QTextBrowser*>()->toPlainText();
        button(help, QStringLiteral("关闭"))->click();
    });
    button(m_dialog.get(), QStringLiteral("帮    助"))->click();
    QVERIFY(guide.contains(QStringLiteral("考试管理使用说明")));
    QVERIFY(guide.contains(QStringLiteral("恢复")));
}

QTEST_MAIN(SettingsDialogTest)
#include "SettingsDialogTest.moc"

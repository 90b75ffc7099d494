#include "client/ui/LoginDialog.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using olv::LoginDialog;

namespace {

QLineEdit* edit(const LoginDialog& dialog, const char* name)
{
    return dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
}

void click(const LoginDialog& dialog, const char* image)
{
    QTest::mouseClick(dialog.findChild<QWidget*>(QString::fromLatin1(image)), Qt::LeftButton);
}

} // namespace

class LoginDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void examNumberTakesDigitsOnly();
    void paddedNumberStaysEditable();
    void enterDoesNothing();
    void escapeRejects();
    void confirmEmitsTheThreeTexts();
    void exitEmitsAndDoesNotEnd();

private:
    LoginDialog* m_dialog = nullptr;
};

void LoginDialogTest::init()
{
    m_dialog = new LoginDialog;
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog));
}

void LoginDialogTest::cleanup()
{
    delete m_dialog;
    m_dialog = nullptr;
}

void LoginDialogTest::examNumberTakesDigitsOnly()
{
    QLineEdit* number = edit(*m_dialog, "examNumberEdit");
    QTest::keyClicks(number, QStringLiteral("12a3-4.5*"));
    QCOMPARE(number->text(), QStringLiteral("12345"));

    QLineEdit* name = edit(*m_dialog, "nameEdit");
    QTest::keyClicks(name, QStringLiteral("a-1"));
    QCOMPARE(name->text(), QStringLiteral("a-1"));
}

void LoginDialogTest::paddedNumberStaysEditable()
{
    // After a refused login the box holds the number filled out with spaces.
    m_dialog->setFields("", "", "123           ");
    QLineEdit* number = edit(*m_dialog, "examNumberEdit");
    number->setFocus();
    number->end(false);
    QTest::keyClick(number, Qt::Key_Backspace);
    QTest::keyClicks(number, QStringLiteral("4x"));
    QCOMPARE(number->text(), QStringLiteral("123          4"));
}

void LoginDialogTest::enterDoesNothing()
{
    QSignalSpy finished(m_dialog, &QDialog::finished);
    QSignalSpy confirm(m_dialog, &LoginDialog::confirmClicked);
    QTest::keyClicks(edit(*m_dialog, "examNumberEdit"), QStringLiteral("7"));

    for (const char* box : { "classEdit", "nameEdit", "examNumberEdit" }) {
        QTest::keyClick(edit(*m_dialog, box), Qt::Key_Return);
        QTest::keyClick(edit(*m_dialog, box), Qt::Key_Enter);
    }
    // Not even on the confirm picture, which Space presses.
    QTest::keyClick(m_dialog->findChild<QWidget*>(QStringLiteral("confirmImage")), Qt::Key_Return);
    QTest::keyClick(m_dialog, Qt::Key_Return);

    QVERIFY(m_dialog->isVisible());
    QCOMPARE(finished.count(), 0);
    QCOMPARE(confirm.count(), 0);
    QCOMPARE(edit(*m_dialog, "examNumberEdit")->text(), QStringLiteral("7"));
}

void LoginDialogTest::escapeRejects()
{
    m_dialog->hide();
    QTimer::singleShot(0, m_dialog, [this] { QTest::keyClick(edit(*m_dialog, "nameEdit"), Qt::Key_Escape); });
    QCOMPARE(m_dialog->exec(), int(QDialog::Rejected));
}

void LoginDialogTest::confirmEmitsTheThreeTexts()
{
    QSignalSpy confirm(m_dialog, &LoginDialog::confirmClicked);
    edit(*m_dialog, "classEdit")->setText(QStringLiteral("一 班"));
    edit(*m_dialog, "nameEdit")->setText(QStringLiteral("张三"));
    QTest::keyClicks(edit(*m_dialog, "examNumberEdit"), QStringLiteral("2024"));

    click(*m_dialog, "confirmImage");
    QCOMPARE(confirm.count(), 1);
    QCOMPARE(confirm.at(0), (QVariantList { "一 班", "张三", "2024" }));
    QVERIFY(m_dialog->isVisible()); // the rules decide whether it ends
}

// The rules end the dialog through the view (the end-to-end exam logs in through it).
void LoginDialogTest::exitEmitsAndDoesNotEnd()
{
    QSignalSpy exit(m_dialog, &LoginDialog::exitClicked);
    QSignalSpy finished(m_dialog, &QDialog::finished);
    click(*m_dialog, "exitImage");
    QCOMPARE(exit.count(), 1);
    QCOMPARE(finished.count(), 0);
}

QTEST_MAIN(LoginDialogTest)
#include "LoginDialogTest.moc"

// The invigilator's password through the real dialog: once typed right (in a retry of a
// submission), a later prompt closed without its button must not pass for it.
#include "client/handin/Submission.h"
#include "ui/PasswordDialog.h"
#include "ui/QtPrompter.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

// Acts on the password dialog once it is shown.
void whenPasswordDialogShows(std::function<void(olv::PasswordDialog&)> act)
{
    QTimer::singleShot(0, qApp, [act = std::move(act)] {
        if (auto* dialog = qobject_cast<olv::PasswordDialog*>(QApplication::activeModalWidget()))
            act(*dialog);
        else
            whenPasswordDialogShows(act);
    });
}

} // namespace

class PasswordPromptTest : public QObject
{
    Q_OBJECT

private slots:
    void closingThePromptIsAWrongEntry();
};

void PasswordPromptTest::closingThePromptIsAWrongEntry()
{
    olv::QtPrompter prompter(QStringLiteral("Olvane"));

    // A retry of the submission: the invigilator types the password.
    whenPasswordDialogShows([](olv::PasswordDialog& dialog) {
        QTest::keyClicks(dialog.passwordEdit(), QStringLiteral("jk01"));
        dialog.findChild<QPushButton*>()->click();
    });
    QVERIFY(olv::askOperatorPassword(prompter, "jk01"));

    // The exit prompt: the candidate types something and presses Escape.
    QString shownText = QStringLiteral("unseen");
    whenPasswordDialogShows([&shownText](olv::PasswordDialog& dialog) {
        shownText = dialog.passwordEdit()->text();
        QTest::keyClicks(dialog.passwordEdit(), QStringLiteral("x"));
        QTest::keyClick(dialog.passwordEdit(), Qt::Key_Escape);
    });
    QVERIFY(!olv::askOperatorPassword(prompter, "jk01"));
    QCOMPARE(shownText, QString());
}

QTEST_MAIN(PasswordPromptTest)
#include "PasswordPromptTest.moc"

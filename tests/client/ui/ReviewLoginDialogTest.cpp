#include "client/ui/ReviewLoginDialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using olv::ReviewLoginDialog;

class ReviewLoginDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void examNumberTakesDigitsOnly();
    void keysAndButtonsEndIt_data();
    void keysAndButtonsEndIt();

private:
    QLineEdit* examNumber() const { return m_dialog->findChild<QLineEdit*>(QStringLiteral("examNumberEdit")); }
    QPushButton* button(const QString& name) const { return m_dialog->findChild<QPushButton*>(name); }

    ReviewLoginDialog* m_dialog = nullptr;
};

void ReviewLoginDialogTest::init()
{
    m_dialog = new ReviewLoginDialog;
    m_dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dialog));
    examNumber()->setFocus();
}

void ReviewLoginDialogTest::cleanup()
{
    delete m_dialog;
    m_dialog = nullptr;
}

void ReviewLoginDialogTest::examNumberTakesDigitsOnly()
{
    QTest::keyClicks(examNumber(), QStringLiteral("10 a0-1.*"));
    QCOMPARE(m_dialog->examNumber(), QStringLiteral("1001"));
}

void ReviewLoginDialogTest::keysAndButtonsEndIt_data()
{
    QTest::addColumn<QString>("buttonName"); // empty: the key is pressed instead
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    QTest::newRow("Enter") << QString() << int(Qt::Key_Return) << int(QDialog::Accepted);
    QTest::newRow("确定") << QStringLiteral("confirmButton") << 0 << int(QDialog::Accepted);
    QTest::newRow("Escape") << QString() << int(Qt::Key_Escape) << int(QDialog::Rejected);
    QTest::newRow("取消") << QStringLiteral("cancelButton") << 0 << int(QDialog::Rejected);
}

void ReviewLoginDialogTest::keysAndButtonsEndIt()
{
    QFETCH(QString, buttonName);
    QFETCH(int, key);
    QFETCH(int, result);
    QTest::keyClicks(examNumber(), QStringLiteral("1001"));
    if (buttonName.isEmpty())
        QTest::keyClick(examNumber(), Qt::Key(key));
    else
        QTest::mouseClick(button(buttonName), Qt::LeftButton);
    QCOMPARE(m_dialog->result(), result);
    QVERIFY(!m_dialog->isVisible());
    QCOMPARE(m_dialog->examNumber(), QStringLiteral("1001"));
}

QTEST_MAIN(ReviewLoginDialogTest)
#include "ReviewLoginDialogTest.moc"

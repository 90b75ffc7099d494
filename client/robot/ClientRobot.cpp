#include "client/robot/ClientRobot.h"

#include "client/ui/ExamWindow.h"
#include "client/ui/LoginDialog.h"
#include "client/ui/ReviewLoginDialog.h"
#include "ui/PasswordDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace olv {

namespace {

const QString letters = QStringLiteral("ABCD");
const QString confirmCaption = QStringLiteral("确定");

template <typename T>
T* activeModal()
{
    return qobject_cast<T*>(QApplication::activeModalWidget());
}

template <typename T>
T* child(QWidget* parent, const QString& name)
{
    return parent->findChild<T*>(name);
}

QString questionShown(QWidget* examWindow)
{
    return child<QLineEdit>(examWindow, QStringLiteral("questionNumber"))->text();
}

ExamWindow* examWindowAt(int number)
{
    auto* window = activeModal<ExamWindow>();
    return window && questionShown(window) == QString::number(number) ? window : nullptr;
}

QPushButton* visibleButton(QWidget* window, const QString& caption)
{
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        if (button->text() == caption && button->isVisible())
            return button;
    }
    return nullptr;
}

// The step's check has found the button; it is still there unless the client moved on.
void clickButton(QWidget* window, const QString& caption)
{
    if (QPushButton* button = visibleButton(window, caption))
        button->click();
}

// A step's check: the window shows the button and it can be clicked.
std::function<QString(QWidget*)> needsButton(const QString& caption)
{
    return [caption](QWidget* window) {
        const QPushButton* button = visibleButton(window, caption);
        if (!button)
            return QStringLiteral("there is no button \"%1\"").arg(caption);
        return button->isEnabled() ? QString() : QStringLiteral("the button \"%1\" is disabled").arg(caption);
    };
}

bool showsCheckBoxes(QWidget* examWindow)
{
    return child<QCheckBox>(examWindow, QStringLiteral("checkA"))->isVisible();
}

QString checkAnswerFits(QWidget* examWindow, const QString& answer)
{
    for (QChar letter : answer) {
        if (!letters.contains(letter))
            return QStringLiteral("there is no option ") + letter;
    }
    if (showsCheckBoxes(examWindow))
        return {};
    if (answer.size() != 1)
        return QStringLiteral("the radio buttons take one letter, not \"%1\"").arg(answer);
    if (!child<QRadioButton>(examWindow, QStringLiteral("radio") + answer)->isEnabled())
        return QStringLiteral("option %1 cannot be chosen").arg(answer);
    return {};
}

void setAnswerControls(QWidget* examWindow, const QString& answer)
{
    if (!showsCheckBoxes(examWindow)) {
        child<QRadioButton>(examWindow, QStringLiteral("radio") + answer)->click();
        return;
    }
    for (QChar letter : letters) {
        auto* box = child<QCheckBox>(examWindow, QStringLiteral("check") + letter);
        if (box->isChecked() != answer.contains(letter))
            box->click();
    }
}

// Like a candidate's typing: the box's validator has its say.
void typeInto(QLineEdit* edit, const QString& text)
{
    if (!edit->isEnabled())
        return;
    edit->clear();
    edit->insert(text);
}

// Typing at the keyboard into the widget that has the focus: what was there is selected and
// typed over, one key per character (as an input method delivers Chinese characters).
void typeKeys(QWidget* widget, const QString& text)
{
    QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(widget, Qt::Key_Delete);
    for (QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &release);
    }
}

QString focusName(QWidget* window)
{
    QWidget* focus = window->focusWidget();
    return focus ? focus->objectName() : QStringLiteral("nothing");
}

} // namespace

ClientRobot::ClientRobot(QString screenshotFolder, int timeoutMs)
    : WindowRobot(std::move(screenshotFolder), timeoutMs)
{ }

void ClientRobot::logIn(const QString& className, const QString& name, const QString& examNumber, const QString& shot)
{
    // The keyboard alone: each box that is enabled is typed into, Tab goes on to the next,
    // and Space presses the confirm picture that Tab reaches after the last box.
    add({ QStringLiteral("the login dialog"), [] { return activeModal<LoginDialog>(); }, {},
        [=, this](QWidget* dialog) {
            const std::pair<const char*, QString> boxes[]
                = { { "classEdit", className }, { "nameEdit", name }, { "examNumberEdit", examNumber } };
            for (const auto& [box, text] : boxes) {
                if (!child<QLineEdit>(dialog, QString::fromLatin1(box))->isEnabled())
                    continue;
                if (focusName(dialog) != QLatin1String(box)) {
                    fail(QStringLiteral("the login dialog: the focus is on %1, not on %2")
                             .arg(focusName(dialog), QLatin1String(box)));
                    return;
                }
                typeKeys(dialog->focusWidget(), text);
                QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
            }
            if (focusName(dialog) != QStringLiteral("confirmImage"))
                fail(QStringLiteral("the login dialog: Tab leads to %1, not to the confirm picture")
                         .arg(focusName(dialog)));
        },
        [this](QWidget* dialog) {
            if (failure().isEmpty())
                QTest::keyClick(dialog->focusWidget(), Qt::Key_Space);
        },
        shot });
}

void ClientRobot::reviewLogIn(const QString& examNumber, const QString& shot)
{
    typeAndConfirm(
        QStringLiteral("the review login dialog"), [] { return activeModal<ReviewLoginDialog>(); }, examNumber, shot);
}

void ClientRobot::enterPassword(const QString& password, const QString& shot)
{
    typeAndConfirm(
        QStringLiteral("the password dialog"), [] { return activeModal<PasswordDialog>(); }, password, shot);
}

void ClientRobot::typeAndConfirm(
    const QString& label, std::function<QWidget*()> target, const QString& text, const QString& shot)
{
    add({ label, std::move(target), needsButton(confirmCaption),
        [text](QWidget* dialog) { typeInto(dialog->findChild<QLineEdit*>(), text); },
        [](QWidget* dialog) { clickButton(dialog, confirmCaption); }, shot });
}

void ClientRobot::mark(int number, const QString& answer, const QString& shot)
{
    add({ QStringLiteral("question %1 in the exam window").arg(number), [number] { return examWindowAt(number); },
        [answer](QWidget* window) { return checkAnswerFits(window, answer); },
        [answer](QWidget* window) { setAnswerControls(window, answer); }, {}, shot });
}

void ClientRobot::answer(int number, const QString& answer, const QString& shot)
{
    mark(number, answer, shot);
    press(confirmCaption);
}

void ClientRobot::press(const QString& caption, const QString& shot)
{
    add({ QStringLiteral("the exam window's button \"%1\"").arg(caption), [] { return activeModal<ExamWindow>(); },
        needsButton(caption), {}, [caption](QWidget* window) { clickButton(window, caption); }, shot });
}

void ClientRobot::handIn(const QString& shot)
{
    press(QStringLiteral("交    卷"));
    answerMessage(
        QStringLiteral("考试时间还没到，你真的要结束考试吗？"), QMessageBox::Ok, QStringLiteral("提前结束"), shot);
}

void ClientRobot::screenshot(const QString& shot)
{
    add({ QStringLiteral("a window for the screenshot %1").arg(shot), [] { return QApplication::activeModalWidget(); },
        {}, {}, {}, shot });
}

void ClientRobot::unwind(QWidget* window)
{
    if (auto* exam = qobject_cast<ExamWindow*>(window))
        exam->closeWindow();
    else
        WindowRobot::unwind(window);
}

QString ClientRobot::describe(QWidget* window) const
{
    const QString text = WindowRobot::describe(window);
    return qobject_cast<ExamWindow*>(window) ? text + QStringLiteral(" at question ") + questionShown(window) : text;
}

} // namespace olv

#include "client/robot/ClientRobot.h"

#include "client/robot/Screenshot.h"
#include "client/ui/ExamWindow.h"
#include "client/ui/LoginDialog.h"
#include "client/ui/ReviewLoginDialog.h"
#include "ui/PasswordDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace olv {

namespace {

constexpr int pollIntervalMs = 10;
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

QString describe(QWidget* window)
{
    if (!window)
        return QStringLiteral("none");
    QString text = QString::fromLatin1(window->metaObject()->className());
    if (auto* box = qobject_cast<QMessageBox*>(window))
        text += QStringLiteral(" saying \"%1\"").arg(box->text());
    if (qobject_cast<ExamWindow*>(window))
        text += QStringLiteral(" at question ") + questionShown(window);
    return text;
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
    : m_screenshotFolder(std::move(screenshotFolder))
    , m_timeoutMs(timeoutMs)
{
    m_poll.setInterval(pollIntervalMs);
    QObject::connect(&m_poll, &QTimer::timeout, &m_poll, [this] { poll(); });
}

void ClientRobot::add(Step step) { m_steps.push_back(std::move(step)); }

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
            if (m_failure.isEmpty())
                QTest::keyClick(dialog->focusWidget(), Qt::Key_Space);
        },
        shot });
}

void ClientRobot::reviewLogIn(const QString& examNumber, const QString& shot)
{
    typeAndConfirm(
        QStringLiteral("the review login dialog"), [] { return activeModal<ReviewLoginDialog>(); }, examNumber, shot);
}

void ClientRobot::addMessageStep(const QString& label, std::function<QString(const QMessageBox&)> check,
    QMessageBox::StandardButton button, const QString& shot)
{
    add({ label, [] { return activeModal<QMessageBox>(); },
        [check = std::move(check), button](QWidget* window) {
            const auto& box = static_cast<const QMessageBox&>(*window);
            if (!box.button(button))
                return QStringLiteral("the box saying \"%1\" lacks that button").arg(box.text());
            return check(box);
        },
        {}, [button](QWidget* window) { static_cast<QMessageBox*>(window)->button(button)->click(); }, shot });
}

void ClientRobot::answerMessage(
    const QString& text, QMessageBox::StandardButton button, const QString& caption, const QString& shot)
{
    addMessageStep(
        QStringLiteral("the message \"%1\"").arg(text),
        [text, caption](const QMessageBox& box) {
            if (box.text() != text)
                return QStringLiteral("the box says \"%1\"").arg(box.text());
            if (!caption.isEmpty() && box.windowTitle() != caption)
                return QStringLiteral("the box's caption is \"%1\"").arg(box.windowTitle());
            return QString();
        },
        button, shot);
}

void ClientRobot::answerMessageContaining(const QString& part, QMessageBox::StandardButton button, const QString& shot)
{
    addMessageStep(
        QStringLiteral("a message with \"%1\"").arg(part),
        [part](const QMessageBox& box) {
            return box.text().contains(part) ? QString() : QStringLiteral("the box says \"%1\"").arg(box.text());
        },
        button, shot);
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

void ClientRobot::start()
{
    m_elapsed.start();
    m_poll.start();
}

void ClientRobot::poll()
{
    if (!m_failure.isEmpty()) {
        closeActiveWindow();
        return;
    }
    if (m_stepScheduled)
        return;
    if (m_steps.empty()) {
        m_poll.stop();
        return;
    }
    const Step& step = m_steps.front();
    QWidget* target = step.target();
    if (!target) {
        if (m_elapsed.hasExpired(m_timeoutMs))
            fail(QStringLiteral("timed out waiting for %1; the active window is %2")
                     .arg(step.label, describe(QApplication::activeModalWidget())));
        return;
    }
    if (const QString error = step.check ? step.check(target) : QString(); !error.isEmpty()) {
        fail(QStringLiteral("%1: %2").arg(step.label, error));
        return;
    }
    // The action runs from the event loop, not from here: a timer is not delivered again
    // while its own handler runs, and the action may open a dialog that later steps answer.
    m_stepScheduled = true;
    QTimer::singleShot(0, &m_poll, [this, step, window = QPointer<QWidget>(target)] {
        m_stepScheduled = false;
        if (!m_failure.isEmpty())
            return;
        if (window)
            run(step, window);
        else
            fail(step.label + QStringLiteral(": the window went away"));
    });
    m_steps.pop_front();
}

void ClientRobot::run(const Step& step, QWidget* target)
{
    if (step.prepare)
        step.prepare(target);
    takeScreenshot(target, step.shot);
    if (step.commit)
        step.commit(target);
}

void ClientRobot::takeScreenshot(QWidget* window, const QString& shot)
{
    if (shot.isEmpty() || m_screenshotFolder.isEmpty())
        return;
    const QDir folder(m_screenshotFolder);
    const QString path
        = folder.filePath(QStringLiteral("%1-%2.png").arg(m_screenshots.size() + 1, 2, 10, QLatin1Char('0')).arg(shot));
    if (!folder.mkpath(QStringLiteral(".")) || !screenshotOf(window).save(path, "PNG")) {
        fail(QStringLiteral("cannot save the screenshot ") + path);
        return;
    }
    m_screenshots << path;
}

void ClientRobot::fail(const QString& why)
{
    if (!m_failure.isEmpty())
        return;
    m_failure = why;
    qWarning("ClientRobot: %s", qUtf8Printable(why));
}

// Unwinds the client after a failure, one modal window per poll, until none is left.
void ClientRobot::closeActiveWindow()
{
    QWidget* window = QApplication::activeModalWidget();
    if (!window) {
        m_poll.stop();
        return;
    }
    if (auto* exam = qobject_cast<ExamWindow*>(window))
        exam->closeWindow();
    else if (auto* dialog = qobject_cast<QDialog*>(window))
        dialog->reject();
    else
        window->close();
}

} // namespace olv

#include "ui/robot/WindowRobot.h"

#include "ui/robot/Screenshot.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <algorithm>

namespace olv {

namespace {

constexpr int pollIntervalMs = 10;

template <typename T>
T* namedChild(QWidget* window, const QString& name)
{
    for (T* child : window->findChildren<T*>()) {
        if (child->accessibleName() == name && child->isVisible())
            return child;
    }
    return nullptr;
}

// A box of one line or of several.
QWidget* namedBox(QWidget* window, const QString& name)
{
    if (QLineEdit* line = namedChild<QLineEdit>(window, name))
        return line;
    return namedChild<QPlainTextEdit>(window, name);
}

QAbstractButton* namedButton(QWidget* window, const QString& name)
{
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if ((button->text() == name || button->accessibleName() == name) && button->isVisible())
            return button;
    }
    return nullptr;
}

// A step's check: the window shows the control and it can be used.
template <typename Find>
std::function<QString(QWidget*)> needs(const QString& what, const QString& name, Find find)
{
    return [what, name, find](QWidget* window) {
        const QWidget* control = find(window, name);
        if (!control)
            return QStringLiteral("there is no %1 \"%2\"").arg(what, name);
        return control->isEnabled() ? QString() : QStringLiteral("the %1 \"%2\" is disabled").arg(what, name);
    };
}

} // namespace

WindowRobot::WindowRobot(QString screenshotFolder, int timeoutMs)
    : m_screenshotFolder(std::move(screenshotFolder))
    , m_timeoutMs(timeoutMs)
{
    m_poll.setInterval(pollIntervalMs);
    QObject::connect(&m_poll, &QTimer::timeout, &m_poll, [this] { poll(); });
}

void WindowRobot::add(Step step) { m_steps.push_back(std::move(step)); }

std::function<QWidget*()> WindowRobot::windowTitled(const QString& title)
{
    return [title]() -> QWidget* {
        QWidget* window = QApplication::activeModalWidget();
        return window && window->windowTitle() == title ? window : nullptr;
    };
}

void WindowRobot::click(const QString& window, const QString& button, const QString& shot)
{
    add({ QStringLiteral("the button \"%1\" of \"%2\"").arg(button, window), windowTitled(window),
        needs(QStringLiteral("button"), button, namedButton), {},
        [button](QWidget* target) {
            if (QAbstractButton* found = namedButton(target, button))
                found->click();
        },
        shot });
}

void WindowRobot::type(const QString& window, const QString& box, const QString& text, const QString& shot)
{
    add({ QStringLiteral("the box \"%1\" of \"%2\"").arg(box, window), windowTitled(window),
        needs(QStringLiteral("box"), box, namedBox),
        [box, text](QWidget* target) {
            QWidget* found = namedBox(target, box);
            found->setFocus();
            if (auto* lines = qobject_cast<QPlainTextEdit*>(found)) {
                lines->selectAll();
                lines->insertPlainText(text);
                return;
            }
            auto* edit = static_cast<QLineEdit*>(found);
            edit->selectAll();
            edit->insert(text); // the box's validator has its say, as with typing
        },
        {}, shot });
}

void WindowRobot::typeAtFocus(const QString& window, const QString& text, const QString& shot)
{
    add({ QStringLiteral("the keys \"%1\" in \"%2\"").arg(text, window), windowTitled(window),
        [](QWidget* target) { return target->focusWidget() ? QString() : QStringLiteral("nothing has the focus"); },
        [text](QWidget* target) {
            QWidget* focused = target->focusWidget();
            if (std::ranges::all_of(text, [](QChar c) { return c.unicode() < 0x80; })) {
                QTest::keyClicks(focused, text);
                return;
            }
            QInputMethodEvent commit;
            commit.setCommitString(text);
            QApplication::sendEvent(focused, &commit);
        },
        {}, shot });
}

void WindowRobot::pressKey(
    const QString& window, Qt::Key key, int times, const QString& focusAfter, const QString& shot)
{
    const QString keyName = QKeySequence(key).toString();
    add({ QStringLiteral("%1 x %2 in \"%3\"").arg(keyName).arg(times).arg(window), windowTitled(window),
        [](QWidget* target) { return target->focusWidget() ? QString() : QStringLiteral("nothing has the focus"); },
        [this, window, key, times, focusAfter, keyName](QWidget* target) {
            for (int i = 0; i < times; ++i)
                QTest::keyClick(target->focusWidget(), key);
            const QWidget* focused = target->focusWidget();
            const QString focusName = focused ? focused->accessibleName() : QString();
            if (!focusAfter.isEmpty() && focusName != focusAfter)
                fail(QStringLiteral("%1 in \"%2\" leads to \"%3\", not to \"%4\"")
                         .arg(keyName, window, focusName, focusAfter));
        },
        {}, shot });
}

void WindowRobot::setChecked(const QString& window, const QString& control, bool checked, const QString& shot)
{
    add({ QStringLiteral("the control \"%1\" of \"%2\"").arg(control, window), windowTitled(window),
        needs(QStringLiteral("control"), control, namedButton),
        [control, checked](QWidget* target) {
            QAbstractButton* button = namedButton(target, control);
            if (button->isChecked() != checked)
                button->click();
        },
        {}, shot });
}

void WindowRobot::closeWindow(const QString& window, const QString& shot)
{
    add({ QStringLiteral("the window \"%1\" to close").arg(window), windowTitled(window), {}, {},
        [](QWidget* target) { target->close(); }, shot });
}

void WindowRobot::addMessageStep(const QString& label, std::function<QString(const QMessageBox&)> check,
    QMessageBox::StandardButton button, const QString& shot)
{
    add({ label, [] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); },
        [check = std::move(check), button](QWidget* window) {
            const auto& box = static_cast<const QMessageBox&>(*window);
            if (!box.button(button))
                return QStringLiteral("the box saying \"%1\" lacks that button").arg(box.text());
            return check(box);
        },
        {}, [button](QWidget* window) { static_cast<QMessageBox*>(window)->button(button)->click(); }, shot });
}

void WindowRobot::answerMessage(
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

void WindowRobot::answerMessageContaining(const QString& part, QMessageBox::StandardButton button, const QString& shot)
{
    addMessageStep(
        QStringLiteral("a message with \"%1\"").arg(part),
        [part](const QMessageBox& box) {
            return box.text().contains(part) ? QString() : QStringLiteral("the box says \"%1\"").arg(box.text());
        },
        button, shot);
}

void WindowRobot::chooseFile(const QString& path, const QString& shot)
{
    // As a person does it: the name typed into the picker's name box, then its accept button.
    const auto acceptButton = [](QWidget* picker) -> QAbstractButton* {
        auto* buttons = picker->findChild<QDialogButtonBox*>();
        for (QAbstractButton* button : buttons ? buttons->buttons() : QList<QAbstractButton*>()) {
            if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole)
                return button;
        }
        return nullptr;
    };
    add({ QStringLiteral("a file picker for \"%1\"").arg(path),
        [] { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()); },
        [acceptButton](QWidget* picker) {
            return picker->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) && acceptButton(picker)
                ? QString()
                : QStringLiteral("the picker has no name box or no accept button");
        },
        [path](QWidget* picker) { picker->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path); },
        [acceptButton](QWidget* picker) {
            if (QAbstractButton* button = acceptButton(picker))
                button->click();
        },
        shot });
}

void WindowRobot::screenshot(const QString& window, const QString& shot)
{
    add({ QStringLiteral("the window \"%1\" for the screenshot %2").arg(window, shot), windowTitled(window), {}, {}, {},
        shot });
}

void WindowRobot::start()
{
    m_elapsed.start();
    m_poll.start();
}

void WindowRobot::poll()
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

void WindowRobot::run(const Step& step, QWidget* target)
{
    if (step.prepare)
        step.prepare(target);
    takeScreenshot(target, step.shot);
    if (step.commit)
        step.commit(target);
}

void WindowRobot::takeScreenshot(QWidget* window, const QString& shot)
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

void WindowRobot::fail(const QString& why)
{
    if (!m_failure.isEmpty())
        return;
    m_failure = why;
    qWarning("WindowRobot: %s", qUtf8Printable(why));
}

// Unwinds the program after a failure, one modal window per poll, until none is left.
void WindowRobot::closeActiveWindow()
{
    QWidget* window = QApplication::activeModalWidget();
    if (!window) {
        m_poll.stop();
        return;
    }
    unwind(window);
}

QString WindowRobot::describe(QWidget* window) const
{
    if (!window)
        return QStringLiteral("none");
    QString text = QString::fromLatin1(window->metaObject()->className());
    if (auto* box = qobject_cast<QMessageBox*>(window))
        return text + QStringLiteral(" saying \"%1\"").arg(box->text());
    return text + QStringLiteral(" titled \"%1\"").arg(window->windowTitle());
}

void WindowRobot::unwind(QWidget* window)
{
    if (auto* dialog = qobject_cast<QDialog*>(window))
        dialog->reject();
    else
        window->close();
}

} // namespace olv

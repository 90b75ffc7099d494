#pragma once

#include <QElapsedTimer>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>

class QWidget;

namespace olv {

// Plays a person at the real windows of a program. The script is a list of steps run in
// order; each waits until its window is the active modal one and then acts on it from a
// zero-delay timer, so an action that opens a modal dialog does not hold up the steps that
// answer it. Nothing waits on the clock: the robot polls conditions, and the overall timeout
// only turns a stuck script into a failure. A failure closes the program's dialogs so that it
// returns. Windows are found by their title, controls by their caption or accessible name.
class WindowRobot
{
public:
    // Screenshots go to `screenshotFolder` (none when empty), numbered in the order taken.
    explicit WindowRobot(QString screenshotFolder = {}, int timeoutMs = 60'000);
    virtual ~WindowRobot() = default;

    // Clicks the button with this caption or accessible name in the window titled `window`.
    void click(const QString& window, const QString& button, const QString& shot = {});
    // Replaces the text of the box (one line or several) with this accessible name, as typing would.
    void type(const QString& window, const QString& box, const QString& text, const QString& shot = {});
    // Types `text` at the keyboard into the control that has the focus: ASCII key by key, other
    // characters as one commit of an input method.
    void typeAtFocus(const QString& window, const QString& text, const QString& shot = {});
    // Presses `key` `times` times at the control that has the focus. With `focusAfter`, fails
    // unless the focus then rests on the control with that accessible name.
    void pressKey(
        const QString& window, Qt::Key key, int times = 1, const QString& focusAfter = {}, const QString& shot = {});
    // Sets a check box or radio button, named by caption or accessible name, by clicking it.
    void setChecked(const QString& window, const QString& control, bool checked, const QString& shot = {});
    // Closes the window titled `window` as Escape or its close box would.
    void closeWindow(const QString& window, const QString& shot = {});
    // A message box whose text is exactly `text` and, when given, whose caption is `caption`.
    void answerMessage(const QString& text, QMessageBox::StandardButton button = QMessageBox::Ok,
        const QString& caption = {}, const QString& shot = {});
    // A message box whose text holds `part`.
    void answerMessageContaining(
        const QString& part, QMessageBox::StandardButton button = QMessageBox::Ok, const QString& shot = {});
    // The next file picker: chooses `path` and accepts it.
    void chooseFile(const QString& path, const QString& shot = {});
    // The window titled `window` as it is now. A small dialog is pictured over the window behind it.
    void screenshot(const QString& window, const QString& shot);

    // Starts playing; the steps run while the program's dialogs run their event loops.
    void start();
    bool isDone() const { return m_steps.empty() && m_failure.isEmpty(); }
    // Empty while nothing has gone wrong.
    const QString& failure() const { return m_failure; }
    const QStringList& screenshots() const { return m_screenshots; }

protected:
    struct Step
    {
        QString label;
        std::function<QWidget*()> target;
        // An error text when the target is not what the script expects.
        std::function<QString(QWidget*)> check;
        std::function<void(QWidget*)> prepare; // before the screenshot
        std::function<void(QWidget*)> commit; // after it
        QString shot;
    };

    void add(Step step);
    // The active modal window when its title is `title`.
    static std::function<QWidget*()> windowTitled(const QString& title);
    // Ends `window` after a failure, so that the program can return. Dialogs are rejected.
    virtual void unwind(QWidget* window);
    // The window in a failure's text.
    virtual QString describe(QWidget* window) const;
    // Ends the script with `why` as its failure.
    void fail(const QString& why);

private:
    void addMessageStep(const QString& label, std::function<QString(const QMessageBox&)> check,
        QMessageBox::StandardButton button, const QString& shot);
    void poll();
    void run(const Step& step, QWidget* target);
    void takeScreenshot(QWidget* window, const QString& shot);
    void closeActiveWindow();

    QString m_screenshotFolder;
    int m_timeoutMs;
    std::deque<Step> m_steps;
    QTimer m_poll;
    QElapsedTimer m_elapsed;
    bool m_stepScheduled = false;
    QString m_failure;
    QStringList m_screenshots;
};

} // namespace olv

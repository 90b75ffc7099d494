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

// Plays the candidate and the invigilator at the real client windows. The script is a list
// of steps run in order; each waits until its window is the active modal one and then acts
// on it from a zero-delay timer, so an action that opens a modal dialog does not hold up the
// steps that answer it. Nothing waits on the clock: the robot polls conditions, and the
// overall timeout only turns a stuck script into a failure. A failure closes the client's
// windows so that the program returns. Texts are as shown on screen.
class ClientRobot
{
public:
    // Screenshots go to `screenshotFolder` (none when empty), numbered in the order taken.
    explicit ClientRobot(QString screenshotFolder = {}, int timeoutMs = 60'000);

    // The login dialog, with the keyboard alone: types into the boxes that are enabled, Tab
    // from one to the next and on to the confirm picture, Space to press it. Fails when Tab
    // does not go that way.
    void logIn(const QString& className, const QString& name, const QString& examNumber, const QString& shot = {});
    // The review login: types the exam number and clicks "确定".
    void reviewLogIn(const QString& examNumber, const QString& shot = {});
    // A message box whose text is exactly `text` and, when given, whose caption is `caption`.
    void answerMessage(const QString& text, QMessageBox::StandardButton button = QMessageBox::Ok,
        const QString& caption = {}, const QString& shot = {});
    // A message box whose text holds `part`.
    void answerMessageContaining(
        const QString& part, QMessageBox::StandardButton button = QMessageBox::Ok, const QString& shot = {});
    // The operator password dialog.
    void enterPassword(const QString& password, const QString& shot = {});
    // The exam window, once it shows question `number`: sets the radio buttons or check boxes
    // to `letters`, without confirming.
    void mark(int number, const QString& letters, const QString& shot = {});
    // mark, then "确定".
    void answer(int number, const QString& letters, const QString& shot = {});
    // A button of the exam window, found by its caption ("上题", "末尾", "关闭系统", ...).
    void press(const QString& caption, const QString& shot = {});
    // "交    卷", then OK to the "提前结束" question (pictured as `shot`).
    void handIn(const QString& shot = {});
    // The active window as it is now. A small dialog is pictured over the window behind it.
    void screenshot(const QString& shot);
    // Starts playing; the steps run while the client's dialogs run their event loops.
    void start();
    bool isDone() const { return m_steps.empty() && m_failure.isEmpty(); }
    // Empty while nothing has gone wrong.
    const QString& failure() const { return m_failure; }
    const QStringList& screenshots() const { return m_screenshots; }

private:
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
    void addMessageStep(const QString& label, std::function<QString(const QMessageBox&)> check,
        QMessageBox::StandardButton button, const QString& shot);
    // A dialog with one edit box and "确定".
    void typeAndConfirm(
        const QString& label, std::function<QWidget*()> target, const QString& text, const QString& shot);
    void poll();
    void run(const Step& step, QWidget* target);
    void takeScreenshot(QWidget* window, const QString& shot);
    void fail(const QString& why);
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

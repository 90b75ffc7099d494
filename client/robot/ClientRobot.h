#pragma once

#include "ui/robot/WindowRobot.h"

#include <QString>
#include <functional>

namespace olv {

// Plays the candidate and the invigilator at the real client windows, on the steps of
// WindowRobot. Texts are as shown on screen.
class ClientRobot : public WindowRobot
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

protected:
    // The exam window ignores Escape and its close box: only closeWindow() ends it.
    void unwind(QWidget* window) override;
    QString describe(QWidget* window) const override;

private:
    // A dialog with one edit box and "确定".
    void typeAndConfirm(
        const QString& label, std::function<QWidget*()> target, const QString& text, const QString& shot);
};

} // namespace olv

#pragma once

#include "client/login/LoginView.h"

#include <QDialog>
#include <QPixmap>

class QLineEdit;

namespace olv {

// The candidate's login: class, name and exam number over a background picture, with
// picture buttons for confirm and exit (Tab reaches them, Space presses them). The rules
// listen to its signals and drive it through LoginView. Enter does nothing; Escape ends it
// as rejected.
class LoginDialog : public QDialog, public LoginView
{
    Q_OBJECT
public:
    explicit LoginDialog(QWidget* parent = nullptr);

    void setFields(const std::string& className, const std::string& name, const std::string& examNumber) override;
    void setClassAndNameEnabled(bool enabled) override;
    // Both QDialog's and LoginView's: ends the dialog as accepted.
    void accept() override;

signals:
    void confirmClicked(const QString& className, const QString& name, const QString& examNumber);
    void exitClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLineEdit* addEdit(const QString& name, const QString& caption, int left);

    QPixmap m_background;
    QLineEdit* m_class;
    QLineEdit* m_name;
    QLineEdit* m_examNumber;
};

} // namespace olv

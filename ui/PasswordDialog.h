#pragma once

#include <QDialog>

class QLineEdit;

namespace olv {

// "请输入操作口令:", one masked box and "确定". Closing it without the button keeps the
// text of the last confirmation.
class PasswordDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PasswordDialog(QWidget* parent = nullptr);

    // Shows the dialog modally and returns the text confirmed.
    QString ask();
    QLineEdit* passwordEdit() const { return m_edit; }

private:
    QLineEdit* m_edit;
    QString m_result;
};

} // namespace olv

#pragma once

#include <QDialog>

class QLineEdit;

namespace olv {

// "请输入操作口令:", one masked box and "确定". Every showing starts with an empty box, and
// closing it without the button gives the empty text, never an earlier entry.
class PasswordDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PasswordDialog(QWidget* parent = nullptr);

    // Shows the dialog modally and returns the text confirmed with "确定", empty otherwise.
    QString ask();
    QLineEdit* passwordEdit() const { return m_edit; }

private:
    QLineEdit* m_edit;
};

} // namespace olv

#pragma once

#include <QDialog>
#include <optional>

class QLineEdit;

namespace olv {

// The examiner's operator password prompt "口令": "请输入操作员口令:", one masked box, "确定"
// and "退出".
class OperatorPasswordDialog : public QDialog
{
    Q_OBJECT
public:
    explicit OperatorPasswordDialog(QWidget* parent = nullptr);

    // Shows the prompt modally with an empty box: the text confirmed, nothing for "退出" or
    // the close box.
    std::optional<QString> ask();

private:
    QLineEdit* m_edit;
};

} // namespace olv

#pragma once

#include <QDialog>
#include <optional>
#include <string>

class QLineEdit;

namespace olv {

class Prompter;

// "修改口令": the new operator password typed twice.
class PasswordChangeDialog : public QDialog
{
    Q_OBJECT
public:
    // Both boxes start with `current` (GBK).
    PasswordChangeDialog(Prompter& prompter, const std::string& current, QWidget* parent = nullptr);

    // Shows the dialog modally: the new password (GBK, maybe empty), nothing when cancelled.
    std::optional<std::string> ask();

private:
    void confirm();

    Prompter& m_prompter;
    QLineEdit* m_password;
    QLineEdit* m_repeated;
};

} // namespace olv

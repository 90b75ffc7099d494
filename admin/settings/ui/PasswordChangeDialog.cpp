#include "admin/settings/ui/PasswordChangeDialog.h"

#include "common/Prompter.h"
#include "ui/DialogControls.h"
#include "ui/GbkString.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace olv {

namespace {

QLineEdit* passwordBox(const QString& caption, const QString& text, QFormLayout* form, QWidget* parent)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setEchoMode(QLineEdit::Password);
    form->addRow(makeBuddyLabel(caption, edit, parent), edit);
    return edit;
}

} // namespace

PasswordChangeDialog::PasswordChangeDialog(Prompter& prompter, const std::string& current, QWidget* parent)
    : QDialog(parent)
    , m_prompter(prompter)
{
    setWindowTitle(QStringLiteral("修改口令"));
    auto* form = new QFormLayout;
    m_password = passwordBox(QStringLiteral("输入新口令:"), fromGbk(current), form, this);
    m_repeated = passwordBox(QStringLiteral("请再输一遍:"), fromGbk(current), form, this);
    QPushButton* ok = makeButton(QStringLiteral("确定"), QStringLiteral("okButton"), this);
    QPushButton* cancel = makeButton(QStringLiteral("取消"), QStringLiteral("cancelButton"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &PasswordChangeDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(makeButtonRow({ ok, cancel }));
}

std::optional<std::string> PasswordChangeDialog::ask()
{
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return toGbk(oneLineText(m_password->text()));
}

void PasswordChangeDialog::confirm()
{
    if (toGbk(oneLineText(m_password->text())) != toGbk(oneLineText(m_repeated->text()))) {
        m_prompter.message("两次输入的密码不一致,请重新输入.");
        return;
    }
    accept();
}

} // namespace olv

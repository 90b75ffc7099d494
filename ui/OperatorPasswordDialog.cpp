#include "ui/OperatorPasswordDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace olv {

OperatorPasswordDialog::OperatorPasswordDialog(QWidget* parent)
    : QDialog(parent)
    , m_edit(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("口令"));
    auto* label = new QLabel(QStringLiteral("请输入操作员口令:"), this);
    label->setBuddy(m_edit);
    m_edit->setEchoMode(QLineEdit::Password);
    m_edit->setAccessibleName(label->text());
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    auto* quit = new QPushButton(QStringLiteral("退出"), this);
    ok->setAccessibleName(ok->text());
    quit->setAccessibleName(quit->text());
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(quit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_edit);
    layout->addLayout(buttons);
}

std::optional<QString> OperatorPasswordDialog::ask()
{
    m_edit->clear();
    m_edit->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return m_edit->text();
}

} // namespace olv

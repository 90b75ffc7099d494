#include "ui/PasswordDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace olv {

PasswordDialog::PasswordDialog(QWidget* parent)
    : QDialog(parent)
    , m_edit(new QLineEdit(this))
{
    setWindowFlag(Qt::WindowStaysOnTopHint);
    m_edit->setEchoMode(QLineEdit::Password);
    m_edit->setAccessibleName(QStringLiteral("请输入操作口令"));
    auto* label = new QLabel(QStringLiteral("请输入操作口令:"), this);
    label->setBuddy(m_edit);
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(m_edit);
    row->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(row);
}

QString PasswordDialog::ask()
{
    m_edit->clear();
    const bool confirmed = exec() == QDialog::Accepted;
    const QString typed = confirmed ? m_edit->text() : QString();
    m_edit->clear();
    return typed;
}

} // namespace olv

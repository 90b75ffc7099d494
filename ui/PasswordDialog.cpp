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
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(m_edit);
    row->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("请输入操作口令:"), this));
    layout->addLayout(row);
}

QString PasswordDialog::ask()
{
    m_edit->clear();
    if (exec() == QDialog::Accepted)
        m_result = m_edit->text();
    return m_result;
}

} // namespace olv

#include "ui/OperatorPasswordDialog.h"

#include "ui/DialogControls.h"

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
    QLabel* label = makeBuddyLabel(QStringLiteral("请输入操作员口令:"), m_edit, this);
    m_edit->setEchoMode(QLineEdit::Password);
    QPushButton* ok = makeButton(QStringLiteral("确定"), QStringLiteral("okButton"), this);
    QPushButton* quit = makeButton(QStringLiteral("退出"), QStringLiteral("quitButton"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_edit);
    layout->addLayout(makeButtonRow({ ok, quit }));
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

#include "ui/SaveNameDialog.h"

#include "common/Prompter.h"
#include "common/SaveName.h"
#include "ui/DialogControls.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace olv {

namespace {

QString completed(const QString& name, const QString& extension)
{
    return QString::fromStdString(withDefaultExtension(name.toStdString(), extension.toStdString()));
}

} // namespace

SaveNameDialog::SaveNameDialog(Prompter& prompter, QString defaultExtension, QWidget* parent)
    : QDialog(parent)
    , m_prompter(prompter)
    , m_defaultExtension(std::move(defaultExtension))
    , m_edit(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("保存文件名:"));
    QLabel* label = makeBuddyLabel(QStringLiteral("保存文件名:"), m_edit, this);
    m_edit->setMinimumWidth(320);
    QPushButton* pickButton = makeButton(QStringLiteral("指定"), QStringLiteral("pickButton"), this);
    QPushButton* ok = makeButton(QStringLiteral("确定"), QStringLiteral("okButton"), this);
    ok->setDefault(true);
    QPushButton* cancel = makeButton(QStringLiteral("取消"), QStringLiteral("cancelButton"), this);
    connect(pickButton, &QPushButton::clicked, this, &SaveNameDialog::pick);
    connect(ok, &QPushButton::clicked, this, &SaveNameDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0, 1, 3);
    layout->addWidget(m_edit, 1, 0, 1, 2);
    layout->addWidget(pickButton, 1, 2);
    layout->setColumnStretch(0, 1);
    layout->addWidget(ok, 2, 1);
    layout->addWidget(cancel, 2, 2);
}

std::optional<QString> SaveNameDialog::ask()
{
    m_edit->clear();
    m_edit->setFocus();
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return m_edit->text();
}

void SaveNameDialog::confirm()
{
    if (m_edit->text().isEmpty()) {
        m_prompter.message("文件名不能为空");
        return;
    }
    m_edit->setText(completed(m_edit->text(), m_defaultExtension));
    accept();
}

void SaveNameDialog::pick()
{
    const std::optional<std::string> chosen
        = m_prompter.saveFileName(saveNamePickerFilter(m_defaultExtension.toStdString()));
    if (chosen)
        m_edit->setText(completed(QString::fromStdString(*chosen), m_defaultExtension));
}

} // namespace olv

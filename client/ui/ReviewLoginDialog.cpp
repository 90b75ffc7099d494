#include "client/ui/ReviewLoginDialog.h"

#include "client/ui/ClientResources.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace olv {

namespace {

QPushButton* addButton(QHBoxLayout* row, const QString& text, const QString& name)
{
    auto* button = new QPushButton(text);
    button->setObjectName(name);
    row->addWidget(button);
    return button;
}

} // namespace

ReviewLoginDialog::ReviewLoginDialog(QWidget* parent)
    : QDialog(parent)
    , m_examNumber(new QLineEdit)
{
    setWindowTitle(QStringLiteral("评卷"));
    setWindowIcon(QIcon(clientImage(QStringLiteral("olvane.png"))));
    m_examNumber->setObjectName(QStringLiteral("examNumberEdit"));
    m_examNumber->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    QPushButton* confirm = addButton(buttons, QStringLiteral("确定"), QStringLiteral("confirmButton"));
    QPushButton* cancel = addButton(buttons, QStringLiteral("取消"), QStringLiteral("cancelButton"));
    confirm->setDefault(true);
    connect(confirm, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* label = new QLabel(QStringLiteral("请输入你的考号:"));
    label->setBuddy(m_examNumber);
    m_examNumber->setAccessibleName(QStringLiteral("考号"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_examNumber);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
}

QString ReviewLoginDialog::examNumber() const { return m_examNumber->text(); }

} // namespace olv

#include "client/ui/LoginDialog.h"

#include "client/ui/ClientResources.h"
#include "client/ui/PictureButton.h"
#include "ui/GbkString.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>

namespace olv {

namespace {

// Where the background picture leaves room for the boxes and the buttons
// (resources/images/draw-images.sh draws it).
constexpr int boxTop = 122;
constexpr QSize boxSize { 140, 26 };
constexpr int classLeft = 40;
constexpr int nameLeft = 210;
constexpr int examNumberLeft = 380;
constexpr QPoint confirmPosition { 170, 196 };
constexpr QPoint exitPosition { 290, 196 };

} // namespace

LoginDialog::LoginDialog(QWidget* parent)
    : QDialog(parent)
    , m_background(clientImage(QStringLiteral("login-background.png")))
    , m_class(addEdit(QStringLiteral("classEdit"), QStringLiteral("班级"), classLeft))
    , m_name(addEdit(QStringLiteral("nameEdit"), QStringLiteral("姓名"), nameLeft))
    , m_examNumber(addEdit(QStringLiteral("examNumberEdit"), QStringLiteral("考号"), examNumberLeft))
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setWindowTitle(QStringLiteral("Olvane"));
    setWindowIcon(QIcon(clientImage(QStringLiteral("olvane.png"))));
    setFixedSize(m_background.size());
    // Spaces pass only so that the padded number shown after a refused login stays editable.
    m_examNumber->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9 ]*")), this));

    // Made after the boxes, so Tab goes from the exam number to confirm and then to exit.
    auto* confirm = new PictureButton(clientImage(QStringLiteral("login-confirm.png")), QStringLiteral("确定"), this);
    confirm->setObjectName(QStringLiteral("confirmImage"));
    confirm->move(confirmPosition);
    connect(confirm, &PictureButton::clicked, this,
        [this] { emit confirmClicked(m_class->text(), m_name->text(), m_examNumber->text()); });
    auto* exit = new PictureButton(clientImage(QStringLiteral("login-exit.png")), QStringLiteral("退出"), this);
    exit->setObjectName(QStringLiteral("exitImage"));
    exit->move(exitPosition);
    connect(exit, &PictureButton::clicked, this, &LoginDialog::exitClicked);
}

QLineEdit* LoginDialog::addEdit(const QString& name, const QString& caption, int left)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    // The background picture shows the caption; a screen reader needs it said.
    edit->setAccessibleName(caption);
    edit->setGeometry({ QPoint(left, boxTop), boxSize });
    edit->setFrame(false);
    edit->setTextMargins(4, 0, 4, 0);
    return edit;
}

void LoginDialog::setFields(const std::string& className, const std::string& name, const std::string& examNumber)
{
    m_class->setText(fromGbk(className));
    m_name->setText(fromGbk(name));
    m_examNumber->setText(fromGbk(examNumber));
}

void LoginDialog::setClassAndNameEnabled(bool enabled)
{
    m_class->setEnabled(enabled);
    m_name->setEnabled(enabled);
    (enabled ? m_class : m_examNumber)->setFocus();
}

void LoginDialog::accept() { QDialog::accept(); }

void LoginDialog::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
}

void LoginDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return;
    QDialog::keyPressEvent(event);
}

} // namespace olv

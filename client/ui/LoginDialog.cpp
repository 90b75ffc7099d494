#include "client/ui/LoginDialog.h"

#include "client/ui/ClickableImage.h"
#include "client/ui/ClientResources.h"
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
    , m_class(addEdit(QStringLiteral("classEdit"), classLeft))
    , m_name(addEdit(QStringLiteral("nameEdit"), nameLeft))
    , m_examNumber(addEdit(QStringLiteral("examNumberEdit"), examNumberLeft))
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setWindowTitle(QStringLiteral("Olvane"));
    setWindowIcon(QIcon(clientImage(QStringLiteral("olvane.png"))));
    setFixedSize(m_background.size());
    // Spaces pass only so that the padded number shown after a refused login stays editable.
    m_examNumber->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9 ]*")), this));

    auto* confirm = new ClickableImage(clientImage(QStringLiteral("login-confirm.png")), this);
    confirm->setObjectName(QStringLiteral("confirmImage"));
    confirm->move(confirmPosition);
    connect(confirm, &ClickableImage::clicked, this,
        [this] { emit confirmClicked(m_class->text(), m_name->text(), m_examNumber->text()); });
    auto* exit = new ClickableImage(clientImage(QStringLiteral("login-exit.png")), this);
    exit->setObjectName(QStringLiteral("exitImage"));
    exit->move(exitPosition);
    connect(exit, &ClickableImage::clicked, this, &LoginDialog::exitClicked);
}

QLineEdit* LoginDialog::addEdit(const QString& name, int left)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
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

#include "client/ui/PictureButton.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace olv {

PictureButton::PictureButton(const QPixmap& picture, const QString& caption, QWidget* parent)
    : QAbstractButton(parent)
    , m_picture(picture)
{
    setText(caption);
    setAccessibleName(caption);
    setFixedSize(picture.size());
    setCursor(Qt::PointingHandCursor);
    // A mouse click leaves the focus where it was, so the picture looks as it always did.
    setFocusPolicy(Qt::TabFocus);
}

QSize PictureButton::sizeHint() const { return m_picture.size(); }

void PictureButton::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
    if (!hasFocus())
        return;
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    frame.rect = rect().adjusted(2, 2, -2, -2);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
}

} // namespace olv

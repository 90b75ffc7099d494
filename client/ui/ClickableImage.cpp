#include "client/ui/ClickableImage.h"

#include <QMouseEvent>

namespace olv {

ClickableImage::ClickableImage(const QPixmap& picture, QWidget* parent)
    : QLabel(parent)
{
    setPixmap(picture);
    setFixedSize(picture.size());
    setCursor(Qt::PointingHandCursor);
}

void ClickableImage::mousePressEvent(QMouseEvent* event)
{
    // Taken here so that the release comes back to this widget.
    event->setAccepted(event->button() == Qt::LeftButton);
}

void ClickableImage::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()))
        return;
    emit clicked();
}

} // namespace olv

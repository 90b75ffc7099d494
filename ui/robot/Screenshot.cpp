#include "ui/robot/Screenshot.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace olv {

namespace {

int area(const QWidget* widget) { return widget->width() * widget->height(); }

QWidget* largestWindowBehind(QWidget* window)
{
    QWidget* behind = nullptr;
    for (QWidget* other : QApplication::topLevelWidgets()) {
        if (other != window && other->isVisible() && area(other) > area(behind ? behind : window))
            behind = other;
    }
    return behind;
}

QPixmap withTitleBar(QWidget* window)
{
    const QPixmap content = window->grab();
    if (window->windowFlags().testFlag(Qt::FramelessWindowHint))
        return content;
    const int titleHeight = window->fontMetrics().height() + 8;
    QPixmap picture(content.width(), content.height() + titleHeight);
    QPainter painter(&picture);
    const QRect title(0, 0, picture.width(), titleHeight);
    painter.fillRect(title, QColor(0x3a, 0x5f, 0x8f));
    painter.setPen(Qt::white);
    painter.drawText(title.adjusted(8, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft, window->windowTitle());
    painter.drawPixmap(0, titleHeight, content);
    painter.setPen(Qt::black);
    painter.drawRect(picture.rect().adjusted(0, 0, -1, -1));
    return picture;
}

} // namespace

QPixmap screenshotOf(QWidget* window)
{
    const QPixmap front = withTitleBar(window);
    QWidget* behind = largestWindowBehind(window);
    if (!behind)
        return front;
    QPixmap picture = behind->grab();
    QPainter painter(&picture);
    QRect place(QPoint(0, 0), front.size());
    place.moveCenter(picture.rect().center());
    painter.drawPixmap(place.topLeft(), front);
    return picture;
}

} // namespace olv

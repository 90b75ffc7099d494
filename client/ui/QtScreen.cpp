#include "client/ui/QtScreen.h"

#include <QGuiApplication>
#include <QScreen>

namespace olv {

namespace {

QSize primarySize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    // Device pixels: the resolution check is about the display mode, not about scaled units.
    return screen ? screen->size() * screen->devicePixelRatio() : QSize();
}

} // namespace

int QtScreen::width() const { return primarySize().width(); }

int QtScreen::height() const { return primarySize().height(); }

bool QtScreen::changeMode(int, int) { return false; }

void QtScreen::restoreMode() { }

} // namespace olv

#pragma once

#include <QPixmap>

class QWidget;

namespace olv {

// The window as the candidate sees it. The window system draws no frames here, so a window
// with a title bar gets one drawn with its caption, and a dialog in front of a larger window
// is pictured over it, centred.
QPixmap screenshotOf(QWidget* window);

} // namespace olv

#pragma once

#include <QPixmap>
#include <QString>

namespace olv {

// The client's pictures, built into the program. The library is static, so its resources
// are registered by hand before the first use.
QPixmap clientImage(const QString& name);

} // namespace olv

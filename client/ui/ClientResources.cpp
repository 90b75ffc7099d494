#include "client/ui/ClientResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE declares a global function, so it cannot be used inside a namespace.
static void registerClientResources() { Q_INIT_RESOURCE(client); }

namespace olv {

QPixmap clientImage(const QString& name)
{
    static const bool registered = (registerClientResources(), true);
    Q_UNUSED(registered);
    return QPixmap(QStringLiteral(":/images/") + name);
}

} // namespace olv

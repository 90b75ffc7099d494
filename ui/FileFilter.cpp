#include "ui/FileFilter.h"

#include "ui/GbkString.h"

#include <QStringList>

namespace olv {

QString qtFileFilter(std::string_view filter)
{
    const QStringList items = fromUtf8(filter).split(u'|', Qt::SkipEmptyParts);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < items.size(); i += 2) {
        QString patterns = items[i + 1];
        patterns.replace(u';', u' ');
        // "*.*" means every file on Windows; Qt's "*" also matches names without a dot.
        if (patterns == u"*.*")
            patterns = QStringLiteral("*");
        filters << items[i] + QStringLiteral(" (") + patterns + u')';
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace olv

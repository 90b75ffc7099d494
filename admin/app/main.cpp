#include "admin/ui/AdminApp.h"
#include "admin/ui/AdminTools.h"
#include "platform/Clock.h"
#include "platform/PathMapping.h"
#include "ui/Accessibility.h"
#include "ui/QtPrompter.h"
#include "ui/QtTranslation.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Olvadmin"));
    olv::installQtChineseTranslation(app);
    olv::installViewFocusAction();

    olv::QtPrompter prompter(QStringLiteral("Olvadmin"));
    olv::SystemClock clock;
    return olv::runAdmin(prompter, olv::adminTools(clock), olv::defaultLocalDriveRoot());
}

#include "admin/ui/AdminApp.h"
#include "admin/ui/AdminTools.h"
#include "platform/PathMapping.h"
#include "ui/Accessibility.h"
#include "ui/QtPrompter.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Olvadmin"));
    olv::installViewFocusAction();

    olv::QtPrompter prompter(QStringLiteral("Olvadmin"));
    return olv::runAdmin(prompter, olv::adminTools(), olv::defaultLocalDriveRoot());
}

#include "client/ui/ClientApp.h"
#include "client/ui/ClientResources.h"
#include "client/ui/QtScreen.h"
#include "platform/Clock.h"
#include "platform/PathMapping.h"
#include "ui/Accessibility.h"
#include "ui/QtPrompter.h"
#include "ui/QtTranslation.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Olvane"));
    olv::installQtChineseTranslation(app);
    olv::installViewFocusAction();
    QApplication::setWindowIcon(QIcon(olv::clientImage(QStringLiteral("olvane.png"))));

    olv::QtPrompter prompter(QStringLiteral("Olvane"));
    olv::QtScreen screen;
    olv::SystemClock clock;
    return olv::runClient(olv::defaultLocalDriveRoot(), clock, prompter, screen);
}

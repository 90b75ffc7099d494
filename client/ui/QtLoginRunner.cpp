#include "client/ui/QtLoginRunner.h"

#include "client/login/LoginForm.h"
#include "client/startup/ClientEnvironment.h"
#include "client/ui/LoginDialog.h"
#include "platform/PathMapping.h"
#include "ui/GbkString.h"

namespace olv {

std::optional<LoginResult> QtLoginRunner::run(const std::string& scoreFile, bool rosterRequired)
{
    LoginDialog dialog;
    LoginForm form(dialog, m_env.prompter, nativePath(scoreFile, m_env.localDriveRoot), rosterRequired);
    QObject::connect(&dialog, &LoginDialog::confirmClicked, &dialog,
        [&form](const QString& className, const QString& name, const QString& examNumber) {
            form.confirm(toGbk(className), toGbk(name), toGbk(examNumber));
        });
    QObject::connect(&dialog, &LoginDialog::exitClicked, &dialog, [&form] { form.exit(); });
    form.init();
    if (dialog.exec() != QDialog::Accepted || !form.loginAccepted())
        return std::nullopt;
    return LoginResult { form.className(), form.name(), form.examNumber() };
}

} // namespace olv

#include "admin/ui/HelpWindow.h"

#include "admin/ui/ToolButton.h"

#include <QDesktopServices>
#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

// Q_INIT_RESOURCE declares a global function, so it cannot be used inside a namespace.
static void registerAdminResources() { Q_INIT_RESOURCE(admin); }

namespace olv {

namespace {

QString examinersGuide()
{
    static const bool registered = (registerAdminResources(), true);
    Q_UNUSED(registered);
    QFile guide(QStringLiteral(":/help/guide.md"));
    if (!guide.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(guide.readAll());
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Olvadmin 帮助"));
    auto* text = new QTextBrowser(this);
    text->setObjectName(QStringLiteral("guide"));
    text->setAccessibleName(QStringLiteral("考试管理使用说明"));
    text->setOpenExternalLinks(false);
    text->setMarkdown(examinersGuide());
    QPushButton* close = toolButton(QStringLiteral("关闭"), true, this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(buttons);
    resize(720, 560);
}

void showHelp(QWidget* parent, const std::filesystem::path& helpFile)
{
    std::error_code failed;
    if (std::filesystem::is_regular_file(helpFile, failed)) {
        const std::filesystem::path absolute = std::filesystem::absolute(helpFile, failed);
        if (!failed && QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(absolute.string()))))
            return;
    }
    HelpWindow window(parent);
    window.exec();
}

} // namespace olv

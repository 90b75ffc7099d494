#include "ui/QtPrompter.h"

#include "ui/FileFilter.h"
#include "ui/GbkString.h"
#include "ui/OperatorPasswordDialog.h"
#include "ui/PasswordDialog.h"
#include "ui/SaveNameDialog.h"

#include <QFileDialog>
#include <QMessageBox>

namespace olv {

QtPrompter::QtPrompter(QString programTitle, QWidget* parent)
    : m_programTitle(std::move(programTitle))
    , m_parent(parent)
{ }

QtPrompter::~QtPrompter() { delete m_passwordDialog; }

QString QtPrompter::captionOr(std::string_view caption) const
{
    return caption.empty() ? m_programTitle : fromUtf8(caption);
}

void QtPrompter::message(std::string_view text, std::string_view caption)
{
    QMessageBox box(QMessageBox::NoIcon, captionOr(caption), fromUtf8(text), QMessageBox::Ok, m_parent);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

bool QtPrompter::confirm(std::string_view text, std::string_view caption)
{
    QMessageBox box(
        QMessageBox::NoIcon, captionOr(caption), fromUtf8(text), QMessageBox::Ok | QMessageBox::Cancel, m_parent);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

std::string QtPrompter::password()
{
    if (!m_passwordDialog)
        m_passwordDialog = new PasswordDialog(m_parent);
    return m_passwordDialog->ask().toStdString();
}

std::optional<std::string> QtPrompter::openFileName(std::string_view filter)
{
    // Qt's own dialog, so the working directory stays as it was on every platform. A name that
    // does not exist yet is taken too: the editors start a new file with it.
    QFileDialog dialog(m_parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(qtFileFilter(filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst().toStdString();
}

std::optional<std::string> QtPrompter::saveFileName(std::string_view filter)
{
    // The caller decides what happens to an existing file, so Qt does not ask.
    const QString chosen = QFileDialog::getSaveFileName(m_parent, {}, {}, qtFileFilter(filter), nullptr,
        QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.toStdString();
}

std::optional<std::string> QtPrompter::saveName(std::string_view defaultExtension)
{
    SaveNameDialog dialog(*this, fromUtf8(defaultExtension), m_parent);
    const std::optional<QString> name = dialog.ask();
    if (!name)
        return std::nullopt;
    return name->toStdString();
}

std::optional<std::string> QtPrompter::askOperatorPassword()
{
    OperatorPasswordDialog dialog(m_parent);
    const std::optional<QString> typed = dialog.ask();
    if (!typed)
        return std::nullopt;
    return typed->toStdString();
}

} // namespace olv

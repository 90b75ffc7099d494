#pragma once

#include "common/Prompter.h"

#include <QString>

class QWidget;

namespace olv {

class PasswordDialog;

// The Prompter with real message boxes. Boxes without a caption of their own carry the
// program's title.
class QtPrompter : public Prompter
{
public:
    QtPrompter(QString programTitle, QWidget* parent = nullptr);
    ~QtPrompter() override;

    void message(std::string_view text, std::string_view caption = {}) override;
    bool confirm(std::string_view text, std::string_view caption = {}) override;
    std::string password() override;
    std::optional<std::string> openFileName(std::string_view filter) override;
    std::optional<std::string> saveFileName(std::string_view filter) override;
    std::optional<std::string> saveName(std::string_view defaultExtension) override;
    std::optional<std::string> askOperatorPassword() override;

    void setParent(QWidget* parent) { m_parent = parent; }

private:
    QString captionOr(std::string_view caption) const;

    QString m_programTitle;
    QWidget* m_parent;
    PasswordDialog* m_passwordDialog = nullptr;
};

} // namespace olv

#pragma once

#include <QDialog>
#include <filesystem>

namespace olv {

// The examiner's guide shipped with the program, in a window of its own.
class HelpWindow : public QDialog
{
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
};

// "帮    助": the help file of the working directory, opened with the desktop's application
// for it when there is one; otherwise, or when that fails, the guide in a HelpWindow.
void showHelp(QWidget* parent, const std::filesystem::path& helpFile = "Help.hlp");

} // namespace olv

#pragma once

#include <QDialog>

namespace olv {

class Prompter;
struct AdminTools;

// "文件合并": leads to the three merges; "结束" closes it.
class MergeChooserDialog : public QDialog
{
    Q_OBJECT
public:
    MergeChooserDialog(Prompter& prompter, const AdminTools& tools, QWidget* parent = nullptr);
};

} // namespace olv

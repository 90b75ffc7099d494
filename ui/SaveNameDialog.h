#pragma once

#include <QDialog>
#include <optional>

class QLineEdit;

namespace olv {

class Prompter;

// The save-name dialog "保存文件名:": a name typed, or picked with "指定", completed with the
// default extension when it holds no ".".
class SaveNameDialog : public QDialog
{
    Q_OBJECT
public:
    // `defaultExtension` with its dot (".txt", ".kst"). Messages go through `prompter`.
    SaveNameDialog(Prompter& prompter, QString defaultExtension, QWidget* parent = nullptr);

    // Shows the dialog modally with an empty box: the completed name, nothing for "取消".
    std::optional<QString> ask();

private:
    void confirm();
    void pick();

    Prompter& m_prompter;
    QString m_defaultExtension;
    QLineEdit* m_edit;
};

} // namespace olv

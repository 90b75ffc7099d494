#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace olv {

// Controls of the examiner's dialogs, each named for scripts and robots and given its caption as
// the name a screen reader says.
QPushButton* makeButton(const QString& caption, const QString& objectName, QWidget* parent);
// A box with its label: the label's caption is the box's accessible name and the label its buddy.
QLineEdit* makeLabelledBox(QLabel*& label, const QString& caption, const QString& objectName, QWidget* parent);

} // namespace olv

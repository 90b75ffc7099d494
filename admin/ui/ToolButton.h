#pragma once

#include <QString>

class QPushButton;
class QWidget;

namespace olv {

// A push button of the examiner's dialogs: named for screen readers by its caption, never
// pressed by the Enter key, disabled while the tool behind it is missing.
QPushButton* toolButton(const QString& caption, bool enabled, QWidget* parent);

} // namespace olv

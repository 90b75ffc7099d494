#include "admin/ui/ToolButton.h"

#include <QPushButton>

namespace olv {

QPushButton* toolButton(const QString& caption, bool enabled, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setAccessibleName(caption.simplified());
    button->setAutoDefault(false);
    button->setEnabled(enabled);
    return button;
}

} // namespace olv

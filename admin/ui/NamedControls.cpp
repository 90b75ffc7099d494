#include "admin/ui/NamedControls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace olv {

QPushButton* makeButton(const QString& caption, const QString& objectName, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setAccessibleName(caption);
    // Enter belongs to the dialog's own rules, never to whichever button has the focus.
    button->setAutoDefault(false);
    return button;
}

QLineEdit* makeLabelledBox(QLabel*& label, const QString& caption, const QString& objectName, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(objectName);
    QString spoken = caption;
    spoken.remove(QLatin1Char(':'));
    box->setAccessibleName(spoken);
    label = new QLabel(caption, parent);
    label->setBuddy(box);
    return box;
}

} // namespace olv

#pragma once

// A window as a screen reader meets it through Qt's accessibility interface (header only: the
// widget tests of both programs include it): the controls shown, each with a name, each button
// with an action, and the actions that must reach the program.

#include <QAccessible>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <vector>

namespace olv::test {

inline bool isAccessibleControl(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::EditableText:
    case QAccessible::List:
    case QAccessible::Tree:
    case QAccessible::Table:
    case QAccessible::ComboBox:
    case QAccessible::SpinBox:
    case QAccessible::Graphic:
        return true;
    default:
        return false;
    }
}

inline bool canBePressed(QAccessibleInterface* control)
{
    QAccessibleActionInterface* actions = control->actionInterface();
    if (!actions)
        return false;
    const QStringList names = actions->actionNames();
    return names.contains(QAccessibleActionInterface::pressAction())
        || ((control->role() == QAccessible::RadioButton || control->role() == QAccessible::CheckBox) && names.contains(QAccessibleActionInterface::toggleAction()));
}

// What a screen reader meets in a window: the controls shown, and one line per control it
// would stumble over.
struct AccessibleWalk
{
    int controls = 0;
    QStringList faults;
};

inline void walkAccessibly(QAccessibleInterface* node, AccessibleWalk& result)
{
    if (!node || node->state().invisible)
        return;
    QStringList& faults = result.faults;
    const QAccessible::Role role = node->role();
    result.controls += isAccessibleControl(role) ? 1 : 0;
    const QString name = node->text(QAccessible::Name);
    const QString what
        = QStringLiteral("%1 (role %2)").arg(node->object() ? node->object()->objectName() : "?").arg(role);
    if (isAccessibleControl(role) && name.trimmed().isEmpty())
        faults << what + QStringLiteral(" has no name");
    const bool button
        = role == QAccessible::PushButton || role == QAccessible::CheckBox || role == QAccessible::RadioButton;
    if (button && !node->state().disabled && !canBePressed(node))
        faults << what + QStringLiteral(" \"%1\" cannot be pressed").arg(name);
    // The lines of a list are its text; a paper can have thousands.
    if (role == QAccessible::List || role == QAccessible::Tree || role == QAccessible::Table)
        return;
    for (int i = 0; i < node->childCount(); ++i)
        walkAccessibly(node->child(i), result);
}

// The faults of a window that shows `controls` controls (any number when negative).
inline QStringList accessibilityFaults(QWidget* window, int controls)
{
    AccessibleWalk result;
    walkAccessibly(QAccessible::queryAccessibleInterface(window), result);
    if (controls >= 0 && result.controls != controls)
        result.faults << QStringLiteral("%1 controls shown, not %2").arg(result.controls).arg(controls);
    return result.faults;
}

// The accessible object of `window` named `name` (a control, or a line of a list), or null.
inline QAccessibleInterface* accessibleNamed(QAccessibleInterface* node, const QString& name)
{
    if (!node || node->state().invisible)
        return nullptr;
    if (node->text(QAccessible::Name) == name)
        return node;
    for (int i = 0; i < node->childCount(); ++i)
        if (QAccessibleInterface* found = accessibleNamed(node->child(i), name))
            return found;
    return nullptr;
}

// One action a screen reader takes, and how to see that the program reacted to it.
struct AccessibleAction
{
    QString control; // accessible name, of a control or of a line of `list`
    QString action; // QAccessibleActionInterface's name, e.g. toggleAction()
    std::function<bool()> reached;
    QWidget* list = nullptr;
};

// The line of `list` a screen reader reads as `text`, or null.
inline QAccessibleInterface* accessibleLine(QWidget* list, const QString& text)
{
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(list);
    for (int i = 0; view && i < view->childCount(); ++i)
        if (QAccessibleInterface* line = view->child(i); line && line->text(QAccessible::Name) == text)
            return line;
    return nullptr;
}

// The faults of actions taken through the accessibility interface: a control that is missing,
// lacks the action, or whose action does not reach the program.
inline QStringList unreachedActions(QWidget* window, const std::vector<AccessibleAction>& actions)
{
    QStringList faults;
    for (const AccessibleAction& step : actions) {
        QAccessibleInterface* control = step.list
            ? accessibleLine(step.list, step.control)
            : accessibleNamed(QAccessible::queryAccessibleInterface(window), step.control);
        QAccessibleActionInterface* interface = control ? control->actionInterface() : nullptr;
        if (!interface || !interface->actionNames().contains(step.action)) {
            faults << QStringLiteral("\"%1\" (role %3: %4) has no action %2")
                          .arg(step.control, step.action)
                          .arg(control ? control->role() : -1)
                          .arg(interface ? interface->actionNames().join(",") : QString());
            continue;
        }
        interface->doAction(step.action);
        if (!step.reached())
            faults << QStringLiteral("\"%1\" %2 does not reach the program").arg(step.control, step.action);
    }
    return faults;
}

} // namespace olv::test

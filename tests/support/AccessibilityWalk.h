#pragma once

// A window as a screen reader meets it through Qt's accessibility interface (header only: the
// widget tests of both programs include it): the controls shown, each with a name, each button
// with an action, and the actions that must reach the program.

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <algorithm>
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
    // A button that stays down (a radio button, a check box, a tile that marks a choice) is
    // toggled rather than pressed.
    const auto* button = qobject_cast<const QAbstractButton*>(control->object());
    return names.contains(QAccessibleActionInterface::pressAction())
        || (button && button->isCheckable() && names.contains(QAccessibleActionInterface::toggleAction()));
}

// A label that shows a value a screen reader does not read: its name, which is all a screen
// reader reads, lacks the text shown.
inline bool hidesItsValue(QAccessibleInterface* node)
{
    const auto* label = qobject_cast<const QLabel*>(node->object());
    if (!label || label->textFormat() == Qt::RichText || label->text().trimmed().isEmpty())
        return false;
    return !node->text(QAccessible::Name).contains(label->text().trimmed());
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
    if (hidesItsValue(node))
        faults << what + QStringLiteral(" \"%1\" does not read its value").arg(name);
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

// The action that selects a line of a list through the list's table interface, as a screen
// reader selects it without moving the current line.
inline const QString selectRowAction = QStringLiteral("selectRow");

// One action a screen reader takes, and how to see that the program reacted to it (waited for:
// a press is an animated click, which lands a moment later).
struct AccessibleAction
{
    QString control; // accessible name, of a control or of a line of `list`
    QString action; // QAccessibleActionInterface's name, e.g. toggleAction(), or selectRowAction
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

// Selects the line of `list` read as `text` through the list's table interface; false when
// there is no such line or the list refuses.
inline bool selectLineAccessibly(QWidget* list, const QString& text)
{
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(list);
    QAccessibleTableInterface* table = view ? view->tableInterface() : nullptr;
    for (int row = 0; table && row < table->rowCount(); ++row)
        if (QAccessibleInterface* line = table->cellAt(row, 0); line && line->text(QAccessible::Name) == text)
            return table->selectRow(row);
    return false;
}

// The faults of actions taken through the accessibility interface: a control that is missing,
// lacks the action, or whose action does not reach the program.
inline QStringList unreachedActions(QWidget* window, const std::vector<AccessibleAction>& actions)
{
    QStringList faults;
    for (const AccessibleAction& step : actions) {
        if (step.action == selectRowAction) {
            if (!selectLineAccessibly(step.list, step.control))
                faults << QStringLiteral("line \"%1\" cannot be selected").arg(step.control);
            else if (!QTest::qWaitFor(step.reached, 1000))
                faults << QStringLiteral("selecting line \"%1\" does not reach the program").arg(step.control);
            continue;
        }
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
        if (!QTest::qWaitFor(step.reached, 1000))
            faults << QStringLiteral("\"%1\" %2 does not reach the program").arg(step.control, step.action);
    }
    return faults;
}

// The radio buttons of `window` that none of `actions` ticks: what a radio button changes is
// the program's to show, so each one is tried.
inline QStringList untriedRadioButtons(QWidget* window, const std::vector<AccessibleAction>& actions)
{
    QStringList faults;
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(const_cast<QAbstractButton*>(button));
        if (control->role() != QAccessible::RadioButton || !button->isVisible() || !button->isEnabled())
            continue;
        const QString name = control->text(QAccessible::Name);
        if (std::none_of(actions.begin(), actions.end(),
                [&](const AccessibleAction& step) { return !step.list && step.control == name; }))
            faults << QStringLiteral("radio button \"%1\" is never ticked").arg(name);
    }
    return faults;
}

} // namespace olv::test

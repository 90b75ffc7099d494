#pragma once

// Finding a window's controls by object name in Qt tests (header only).

#include <QListView>
#include <QPushButton>
#include <QWidget>

namespace olv::test {

// The control of `window` with that object name; a missing one ends the test at once.
template <typename T = QWidget>
T* child(const QWidget* window, const char* name)
{
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}
template <typename T = QWidget>
T* child(const QWidget& window, const char* name)
{
    return child<T>(&window, name);
}

// The push button of `window` with that caption, or nullptr.
inline QPushButton* button(const QWidget* window, const QString& caption)
{
    for (QPushButton* found : window->findChildren<QPushButton*>())
        if (found->text() == caption)
            return found;
    return nullptr;
}

// The control of `window` that a screen reader names `accessibleName`, or nullptr.
template <typename T>
T* named(const QWidget* window, const QString& accessibleName)
{
    for (T* found : window->findChildren<T*>())
        if (found->accessibleName() == accessibleName)
            return found;
    return nullptr;
}

// The text of one line of a list.
inline QString rowText(const QListView* list, int row) { return list->model()->index(row, 0).data().toString(); }

} // namespace olv::test

#pragma once

// Finding a window's controls by object name in Qt tests (header only).

#include <QListView>
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

// The text of one line of a list.
inline QString rowText(const QListView* list, int row) { return list->model()->index(row, 0).data().toString(); }

} // namespace olv::test

#pragma once

// Driving real modal windows in Qt tests (header only: the widget tests include it).

#include <QAbstractButton>
#include <QApplication>
#include <QListView>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <functional>

namespace olv::test {

// Runs `drive` on the modal window of type T once it is shown. The window is closed afterwards
// when `drive` left it open, also after a failed check returned early, so a failure never
// leaves the test waiting.
template <typename T>
void onNextModal(std::function<void(T*)> drive)
{
    QTimer::singleShot(0, [drive = std::move(drive)] {
        const auto closeAfterwards = qScopeGuard([] {
            if (QWidget* open = QApplication::activeModalWidget())
                open->close();
        });
        QTRY_VERIFY(qobject_cast<T*>(QApplication::activeModalWidget()));
        drive(qobject_cast<T*>(QApplication::activeModalWidget()));
    });
}

// Clicks the button of `window` with that object name.
inline void click(QWidget* window, const char* button)
{
    QTest::mouseClick(window->findChild<QAbstractButton*>(QString::fromLatin1(button)), Qt::LeftButton);
}

// Clicks a row of a list, as the user selects it.
inline void clickRow(QListView* list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(row, 0)).center());
}

} // namespace olv::test

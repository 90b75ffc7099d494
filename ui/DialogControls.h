#pragma once

#include <QSize>
#include <QString>
#include <cstddef>
#include <functional>
#include <initializer_list>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace olv {

class LineListModel;

// Controls of the examiner's dialogs, each named for scripts and robots.

// A push button whose accessible name is its caption (a caption on several lines is read
// as one); Enter does not press it unless it is made the default: Enter belongs to the
// dialog's own rules, never to whichever button has the focus.
QPushButton* makeButton(const QString& caption, const QString& objectName, QWidget* parent);

// A label that names `buddy`, for the eye and for the screen reader.
QLabel* makeBuddyLabel(const QString& caption, QWidget* buddy, QWidget* parent);
// Shows `value` in a label that shows a value, and gives the label the caption and the value as
// its accessible name: a screen reader reads a label by its name only.
void showLabelValue(QLabel* label, const QString& caption, const QString& value);
// A box with its label: the label's caption (without its colon) is the box's accessible name
// and the label its buddy.
QLineEdit* makeLabelledBox(QLabel*& label, const QString& caption, const QString& objectName, QWidget* parent);

// The buttons along the foot of a dialog, kept to its right edge.
QHBoxLayout* makeButtonRow(std::initializer_list<QWidget*> buttons);
// The controls down the side of a dialog, kept to its top edge.
QVBoxLayout* makeButtonColumn(std::initializer_list<QWidget*> controls);

// A line list whose lines report `lineSize` (the width gives the horizontal scroll extent).
QListView* makeSizedLineList(LineListModel* model, QSize lineSize, const QString& objectName, QWidget* parent);

// Makes `row` the current and selected line of the list and scrolls to it; not reported to
// onRowSelected.
void selectRow(QListView* list, std::size_t row);

// Calls `selected` with the row the user moves a list to, or selects in it by whatever means:
// assistive technology selects a line without moving the current one, so the current line
// follows the selection.
void onRowSelected(QListView* list, std::function<void(std::size_t)> selected);

} // namespace olv

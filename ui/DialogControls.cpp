#include "ui/DialogControls.h"

#include "ui/LineListModel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace olv {

namespace {

// Set while the program moves a list, so that only the user's moves are reported: a window
// that follows one list with the other would otherwise answer its own moves.
const char* const movingProperty = "olvMovingSelection";

} // namespace

QPushButton* makeButton(const QString& caption, const QString& objectName, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(objectName);
    button->setAccessibleName(QString(caption).remove(QLatin1Char('\n')));
    button->setAutoDefault(false);
    return button;
}

QLabel* makeBuddyLabel(const QString& caption, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    buddy->setAccessibleName(caption);
    return label;
}

void showLabelValue(QLabel* label, const QString& caption, const QString& value)
{
    label->setText(value);
    const QString name = QString(caption).remove(QLatin1Char(':'));
    label->setAccessibleName(value.isEmpty() ? name : name + QStringLiteral(": ") + value);
}

QLineEdit* makeLabelledBox(QLabel*& label, const QString& caption, const QString& objectName, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(objectName);
    box->setAccessibleName(QString(caption).remove(QLatin1Char(':')));
    label = new QLabel(caption, parent);
    label->setBuddy(box);
    return box;
}

QHBoxLayout* makeButtonRow(std::initializer_list<QWidget*> buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QWidget* button : buttons)
        row->addWidget(button);
    return row;
}

QVBoxLayout* makeButtonColumn(std::initializer_list<QWidget*> controls)
{
    auto* column = new QVBoxLayout;
    for (QWidget* control : controls)
        column->addWidget(control);
    column->addStretch();
    return column;
}

QListView* makeSizedLineList(LineListModel* model, QSize lineSize, const QString& objectName, QWidget* parent)
{
    model->setLineSize(lineSize);
    QListView* list = makeLineListView(model, parent);
    list->setObjectName(objectName);
    return list;
}

void selectRow(QListView* list, std::size_t row)
{
    const QModelIndex index = list->model()->index(static_cast<int>(row), 0);
    if (!index.isValid())
        return;
    list->setProperty(movingProperty, true);
    list->setCurrentIndex(index);
    list->setProperty(movingProperty, false);
    list->scrollTo(index);
}

void onRowSelected(QListView* list, std::function<void(std::size_t)> selected)
{
    QObject::connect(list->selectionModel(), &QItemSelectionModel::currentChanged, list,
        [list, selected = std::move(selected)](const QModelIndex& current) {
            if (current.isValid() && !list->property(movingProperty).toBool())
                selected(static_cast<std::size_t>(current.row()));
        });
    QObject::connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, list, [list] {
        if (list->property(movingProperty).toBool())
            return;
        QItemSelectionModel* selection = list->selectionModel();
        const QModelIndexList selected = selection->selectedIndexes();
        if (!selected.isEmpty() && selected.first() != selection->currentIndex())
            selection->setCurrentIndex(selected.first(), QItemSelectionModel::NoUpdate);
    });
}

} // namespace olv

#include "ui/LineListModel.h"

#include "ui/ByteColumnDelegate.h"
#include "ui/GbkString.h"
#include "ui/ListFont.h"

#include <QListView>

namespace olv {

LineListModel::LineListModel(QObject* parent)
    : QAbstractListModel(parent)
{
}

void LineListModel::setLines(std::vector<RenderedLine> lines)
{
    beginLinesChange();
    m_lines = std::move(lines);
    m_shown = &m_lines;
    m_changing = false;
    endResetModel();
}

void LineListModel::setLine(std::size_t row, RenderedLine line)
{
    if (m_shown != &m_lines || row >= m_lines.size())
        return;
    m_lines[row] = std::move(line);
    const QModelIndex changed = index(static_cast<int>(row));
    emit dataChanged(changed, changed);
}

void LineListModel::showLines(const std::vector<RenderedLine>& lines)
{
    beginLinesChange();
    m_shown = &lines;
    m_changing = false;
    endResetModel();
}

void LineListModel::beginLinesChange()
{
    if (m_changing)
        return;
    beginResetModel();
    m_changing = true;
}

int LineListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_shown->size());
}

QVariant LineListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const RenderedLine& line = (*m_shown)[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return fromGbk(line.text);
    case TagRole:
        return line.tag;
    case Qt::SizeHintRole:
        return m_lineSize.isValid() ? QVariant(m_lineSize) : QVariant();
    default:
        return {};
    }
}

QListView* makeLineListView(LineListModel* model, QWidget* parent)
{
    auto* view = new QListView(parent);
    view->setModel(model);
    view->setFont(listFont());
    view->setItemDelegate(new ByteColumnDelegate(view));
    view->setUniformItemSizes(true);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return view;
}

} // namespace olv

#pragma once

#include "common/QuestionList.h"

#include <QAbstractListModel>
#include <QSize>

#include <vector>

class QListView;
class QWidget;

namespace olv {

// The one list model for every list that can hold a whole bank or score database: the lines
// as laid out (GBK), shown as text, each with its tag under TagRole. The view asks only for
// the rows it draws, so a list of 200,000 lines fills at once.
class LineListModel : public QAbstractListModel
{
public:
    static constexpr int TagRole = Qt::UserRole;

    explicit LineListModel(QObject* parent = nullptr);

    void setLines(std::vector<RenderedLine> lines);
    // Shows lines that the caller owns and keeps alive while they are shown, without copying
    // them: for lists too long to copy on every change. The owner calls beginLinesChange()
    // before it changes them and showLines() once they are complete again.
    void showLines(const std::vector<RenderedLine>& lines);
    void beginLinesChange();
    const std::vector<RenderedLine>& lines() const { return *m_shown; }
    // Rewrites one line of lines given to setLines in place, keeping the selection and the scroll
    // position.
    void setLine(std::size_t row, RenderedLine line);
    // Every line reports this size, so a list gets its horizontal scroll extent from it.
    void setLineSize(QSize size) { m_lineSize = size; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::vector<RenderedLine> m_lines;
    const std::vector<RenderedLine>* m_shown = &m_lines;
    bool m_changing = false;
    QSize m_lineSize;
};

// A list view over a LineListModel in the fixed-width list font, each character drawn on its
// byte column, with uniform item sizes and single selection.
QListView* makeLineListView(LineListModel* model, QWidget* parent = nullptr);

} // namespace olv

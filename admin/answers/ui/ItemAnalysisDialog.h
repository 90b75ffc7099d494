#pragma once

#include "admin/answers/ItemStatistics.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <filesystem>
#include <string>
#include <vector>

class QChartView;
class QSortFilterProxyModel;
class QTableView;

namespace olv {

class Prompter;

// The rows of "试题分析": one per question, over the computed statistics. Every column sorts by
// its value (Qt::UserRole); an undefined figure sorts below every number.
class ItemTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { Number, Stem, Candidates, Right, Wrong, Facility, Discrimination, PointBiserial, ColumnCount };

    ItemTableModel(const ItemStatistics& statistics, std::vector<QString> stems, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const ItemStatistics& m_statistics;
    std::vector<QString> m_stems; // UTF-8 stems by question, empty where the bank has none
};

// "试题分析": the item statistics of the answer sheet as a sortable table, facility as bars
// and discrimination as a line; a bar selects its question in the table. The rules are
// ItemStatistics'; the window holds no file logic beyond handing the table to the save.
class ItemAnalysisDialog : public QDialog
{
    Q_OBJECT
public:
    // `stems` are the stems of the bank questions in question order (UTF-8), possibly none.
    ItemAnalysisDialog(Prompter& prompter, ItemStatistics statistics, std::vector<QString> stems,
        QWidget* parent = nullptr);

    QTableView* table() const { return m_table; }
    // Selects the table row of question `index` (0-based).
    void selectQuestion(int index);

private:
    QChartView* buildChart();
    void save();

    Prompter& m_prompter;
    ItemStatistics m_statistics;
    ItemTableModel* m_model;
    QSortFilterProxyModel* m_sorted;
    QTableView* m_table;
    std::vector<int> m_charted; // the question index of each bar
};

// The stems of the bank's questions in question order, as the table shows them, or none when
// the bank cannot be read (reading tells the examiner why).
std::vector<QString> questionStems(const std::filesystem::path& bankFile, Prompter& prompter);

} // namespace olv

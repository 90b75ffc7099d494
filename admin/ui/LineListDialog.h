#pragma once

#include "admin/LineListView.h"

#include <QDialog>
#include <functional>

class QListView;
class QPushButton;

namespace olv {

class LineListModel;

// A modal list tool: one list of laid-out lines and its buttons. It shows what its rules ask
// for and reports the examiner's selection to them; it holds no file logic.
class LineListDialog : public QDialog, public LineListView
{
    Q_OBJECT
public:
    LineListDialog(const QString& caption, QWidget* parent);

    void showLines(const std::vector<std::string>& lines, std::optional<std::size_t> selectedRow) override;
    void closeView() override;

    // Runs the dialog unless the rules closed it while it was being filled.
    void execUnlessClosed();
    QListView* list() const { return m_list; }

protected:
    // Called with the examiner's selection whenever it changes.
    void onSelectionChanged(std::function<void(std::optional<std::size_t>)> report);
    // A named push button (see makeButton) that runs `command` when pressed.
    QPushButton* commandButton(const QString& caption, const QString& name, std::function<void()> command);

private:
    LineListModel* m_model;
    QListView* m_list;
    std::function<void(std::optional<std::size_t>)> m_reportSelection;
    bool m_closed = false;
};

} // namespace olv

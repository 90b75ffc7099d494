#include "admin/ui/LineListDialog.h"

#include "ui/DialogControls.h"
#include "ui/LineListModel.h"
#include "ui/ListFont.h"

#include <QFontMetrics>
#include <QListView>
#include <QPushButton>
#include <algorithm>

namespace olv {

namespace {

// Every line as wide as the longest one, so the list scrolls sideways to the end of each.
QSize lineSize(const std::vector<std::string>& lines)
{
    std::size_t longest = 0;
    for (const std::string& line : lines)
        longest = std::max(longest, line.size());
    const QFontMetrics metrics(listFont());
    const int width
        = metrics.horizontalAdvance(QLatin1Char('0')) * static_cast<int>(std::min<std::size_t>(longest, 100000));
    return { width + 2 * metrics.horizontalAdvance(QLatin1Char(' ')), metrics.height() + 2 };
}

} // namespace

LineListDialog::LineListDialog(const QString& caption, QWidget* parent)
    : QDialog(parent)
    , m_model(new LineListModel(this))
    , m_list(makeLineListView(m_model, this))
{
    setWindowTitle(caption);
    m_list->setAccessibleName(caption);
    onRowSelected(m_list, [this](std::size_t row) {
        if (m_reportSelection)
            m_reportSelection(row);
    });
}

void LineListDialog::showLines(const std::vector<std::string>& lines, std::optional<std::size_t> selectedRow)
{
    std::vector<RenderedLine> rendered;
    rendered.reserve(lines.size());
    for (const std::string& line : lines) {
        // A line of the answer sheet keeps the CR that ends it; the screen has no use for it.
        std::string_view text = line;
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        rendered.push_back({ std::string(text) });
    }
    m_model->setLineSize(lineSize(lines));
    m_model->setLines(std::move(rendered));
    if (selectedRow)
        selectRow(m_list, *selectedRow);
}

void LineListDialog::closeView()
{
    m_closed = true;
    done(QDialog::Rejected);
}

void LineListDialog::execUnlessClosed()
{
    if (!m_closed)
        exec();
}

void LineListDialog::onSelectionChanged(std::function<void(std::optional<std::size_t>)> report)
{
    m_reportSelection = std::move(report);
}

QPushButton* LineListDialog::commandButton(const QString& caption, const QString& name, std::function<void()> command)
{
    QPushButton* button = makeButton(caption, name, this);
    connect(button, &QPushButton::clicked, this, [command = std::move(command)] { command(); });
    return button;
}

} // namespace olv

#include "admin/scores/ShownList.h"

#include "admin/bank/OutputFile.h"
#include "common/Prompter.h"

namespace olv {

ShownList::ShownList(LineListView& view, Prompter& prompter)
    : m_view(view)
    , m_prompter(prompter)
{ }

void ShownList::show(std::vector<std::string> lines)
{
    m_lines = std::move(lines);
    m_view.showLines(m_lines, m_selectedRow);
}

void ShownList::close()
{
    m_closed = true;
    m_view.closeView();
}

void ShownList::save()
{
    std::optional<std::string> name = m_prompter.saveName(".txt");
    if (!name)
        return;
    if (writeTextLines(std::filesystem::path(*name), m_lines))
        m_prompter.message("已保存到文件" + *name);
    else
        m_prompter.message("不能保存到文件" + *name);
}

} // namespace olv

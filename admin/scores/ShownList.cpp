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

std::optional<std::filesystem::path> ShownList::save()
{
    std::optional<std::string> name = m_prompter.saveName(".txt");
    if (!name)
        return std::nullopt;
    const std::filesystem::path path(*name);
    if (writeTextLines(path, m_lines)) {
        m_prompter.message("已保存到文件" + *name);
        return path;
    }
    m_prompter.message("不能保存到文件" + *name);
    return std::nullopt;
}

} // namespace olv

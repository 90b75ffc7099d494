#include "admin/ui/AdminTools.h"

namespace olv {

// One line per tool: tools.name = [](QWidget* parent, Prompter& prompter, ...) { ... };
AdminTools adminTools()
{
    AdminTools tools;
    return tools;
}

} // namespace olv

// olvtool: the shared file formats from the command line, for IT staff and scripts.
#include "tools/OlvTool.h"

#include <iostream>
#include <map>

namespace {

const char* const usage = "usage: olvtool COMMAND ARGS...\n"
                          "  bank-text BANK                       print the plain text of a bank file\n"
                          "  bank-pack TEXT BANK                  write a bank file from such text (UTF-8)\n"
                          "  bank-view BANK                       print the bank as the programs list it\n"
                          "  paper SETTINGS EXAMNUMBER SECONDS    print the paper a client would draw\n"
                          "  scores SCOREFILE                     print the lines of a score database\n"
                          "  roster-pack TEXT SCOREFILE           write a score database from a roster (UTF-8, one\n"
                          "                                       candidate a line: class TAB name TAB exam number)\n"
                          "  settings-defaults FILE               write exam settings with the examiner's defaults\n"
                          "  settings-set FILE [NAME=VALUE]...    change exam settings as the examiner's dialog saves\n"
                          "                                       them (names as in ExamSettings, texts in UTF-8)\n";

} // namespace

int main(int argc, char** argv)
{
    using Command = void (*)(const std::vector<std::string>&, std::ostream&);
    const std::map<std::string, Command> commands = {
        { "bank-text", olv::tool::bankText },
        { "bank-pack", olv::tool::bankPack },
        { "bank-view", olv::tool::bankView },
        { "paper", olv::tool::paper },
        { "scores", olv::tool::scores },
        { "roster-pack", olv::tool::rosterPack },
        { "settings-defaults", olv::tool::settingsDefaults },
        { "settings-set", olv::tool::settingsSet },
    };
    if (argc < 2 || !commands.contains(argv[1])) {
        std::cerr << usage;
        return 1;
    }
    try {
        commands.at(argv[1])(std::vector<std::string>(argv + 2, argv + argc), std::cout);
    } catch (const olv::tool::ToolError& error) {
        std::cerr << "olvtool: " << error.what() << '\n';
        return 1;
    }
    return std::cout.good() ? 0 : 1;
}

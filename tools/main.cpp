// olvtool: the shared file formats from the command line, for IT staff and scripts.
#include "tools/OlvTool.h"

#include <iostream>
#include <map>
#include <new>
#include <string_view>

namespace {

const char* const usage = "usage: olvtool COMMAND ARGS...   (man olvtool for the details)\n"
                          "  bank-text BANK                       print the plain text of a bank file\n"
                          "  bank-pack TEXT BANK                  write a bank file from such text (UTF-8)\n"
                          "  bank-view BANK                       print the bank as the programs list it\n"
                          "  bank-check BANK                      print each question the bank editor would refuse\n"
                          "                                       or ask about (number TAB message); fails when any\n"
                          "  paper SETTINGS EXAMNUMBER SECONDS    print the paper a client would draw\n"
                          "  scores SCOREFILE                     print the lines of a score database\n"
                          "  roster-pack TEXT SCOREFILE           write a score database from a roster (UTF-8, one\n"
                          "                                       candidate a line: class TAB name TAB exam number)\n"
                          "  settings-defaults FILE               write exam settings with the examiner's defaults\n"
                          "  merge-scores FIRST SECOND OUT        write the lines of two score databases to a new one\n"
                          "  merge-answers FIRST SECOND OUT       write the lines of two answer sheet files to a new one\n"
                          "  bank-export BANK OUT                 write the bank as text with its answers\n"
                          "  bank-select BANK OUT N...            write the questions numbered N... as a new bank\n"
                          "  written-paper SETTINGS SECONDS OUT   write the written paper drawn at time SECONDS\n"
                          "                                       (--pdf before SETTINGS: as A4 PDF)\n"
                          "  answer-key SETTINGS SECONDS OUT      write the answer key of that paper\n"
                          "  bank-merge FIRST SECOND OUT          write the two banks joined kind by kind\n"
                          "  score-list SCOREFILE [ORDER]         print the score list with its statistics; ORDER 0 score,\n"
                          "                                       1 exam number, 2 class+score, 3 class+exam number, 4 none\n"
                          "  answer-list ANSWERFILE               print the answer analysis of an answer sheet\n"
                          "  retake SCOREFILE EXAMNUMBER          clear a candidate's score so the exam can be taken again\n"
                          "  settings-set FILE [NAME=VALUE]...    change exam settings as the examiner's dialog saves\n"
                          "                                       them (names as in ExamSettings, texts in UTF-8)\n"
                          "  roster-import SHEET ROSTER           add the candidates of an XLSX/CSV to a score database;\n"
                          "                                       refused rows on stderr (row TAB reason), then fails\n"
                          "  score-export SCOREFILE OUT [ORDER]   write the score list as OUT.xlsx or OUT.csv\n"
                          "  item-stats ANSWERFILE                print facility, discrimination and point-biserial per\n"
                          "                                       question and KR-20 (TAB separated)\n"
                          "  item-stats --xlsx ANSWERFILE OUT.xlsx  the same table as an XLSX\n"
                          "  bank-import IN OUT.kst               write the questions of an Aiken, GIFT, Moodle XML or\n"
                          "                                       CSV sheet file as a bank; refusals on stderr\n"
                          "  bank-export-moodle BANK OUT.xml      write the bank as Moodle XML\n";

} // namespace

int main(int argc, char** argv)
{
    using Command = void (*)(const std::vector<std::string>&, std::ostream&);
    const std::map<std::string, Command> commands = {
        { "bank-text", olv::tool::bankText },
        { "bank-pack", olv::tool::bankPack },
        { "bank-view", olv::tool::bankView },
        { "bank-check", olv::tool::bankCheck },
        { "paper", olv::tool::paper },
        { "scores", olv::tool::scores },
        { "roster-pack", olv::tool::rosterPack },
        { "settings-defaults", olv::tool::settingsDefaults },
        { "merge-scores", olv::tool::mergeScores },
        { "merge-answers", olv::tool::mergeAnswers },
        { "bank-export", olv::tool::bankExport },
        { "bank-select", olv::tool::bankSelect },
        { "written-paper", olv::tool::writtenPaper },
        { "answer-key", olv::tool::answerKey },
        { "bank-merge", olv::tool::bankMerge },
        { "score-list", olv::tool::scoreList },
        { "answer-list", olv::tool::answerList },
        { "retake", olv::tool::retake },
        { "settings-set", olv::tool::settingsSet },
        { "roster-import", olv::tool::rosterImport },
        { "score-export", olv::tool::scoreExport },
        { "item-stats", olv::tool::itemStats },
        { "bank-import", olv::tool::bankImport },
        { "bank-export-moodle", olv::tool::bankExportMoodle },
    };
    if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
        std::cout << usage;
        return 0;
    }
    if (argc < 2 || !commands.contains(argv[1])) {
        std::cerr << usage;
        return 1;
    }
    try {
        commands.at(argv[1])(std::vector<std::string>(argv + 2, argv + argc), std::cout);
    } catch (const olv::tool::ToolError& error) {
        std::cerr << "olvtool: " << error.what() << '\n';
        return 1;
    } catch (const std::bad_alloc&) {
        std::cerr << "olvtool: not enough memory for " << argv[1] << '\n';
        return 1;
    }
    return std::cout.good() ? 0 : 1;
}

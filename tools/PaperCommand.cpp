#include "tools/OlvTool.h"

#include "common/CNumbers.h"
#include "common/ExamPaper.h"
#include "common/ExamSettingsFile.h"
#include "platform/Gbk.h"
#include "platform/PathMapping.h"

namespace olv::tool {

// The paper the exam client draws for that exam number at time SECONDS.
void paper(const std::vector<std::string>& args, std::ostream& out)
{
    expectArguments(args, 3, "paper SETTINGS EXAMNUMBER SECONDS");
    const auto now = parseWholeNumber(args[2], "SECONDS");
    const ExamSettings settings = readSettingsFile(args[0], clientDefaults());

    const auto bankPath = nativePath(settings.bankFile, defaultLocalDriveRoot());
    auto drawn = drawPaper(readBank(bankPath.string()), settings, utf8ToGbk(args[1]), now);
    if (!drawn)
        throw ToolError("the question bank holds a single-choice question without an answer");

    out << "bank-numbers:";
    for (int number : drawn->bankNumbers)
        out << ' ' << number;
    out << '\n';
    printTaggedLines(renderQuestionList(QuestionListVariant::PaperView, drawn->questions, &settings), out);
    out << "answers:\n";
    for (int number = 1; number <= drawn->questionCount(); ++number)
        out << number << "--" << gbkToUtf8(drawn->question(number).answer) << '\n';
}

} // namespace olv::tool

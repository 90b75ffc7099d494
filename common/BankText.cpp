#include "common/BankText.h"

#include "platform/Gbk.h"

#include <array>

namespace olv {

namespace {

using KindTexts = std::array<std::string, 3>;

const std::string& byKind(const KindTexts& texts, QuestionKind kind) { return texts[static_cast<int>(kind)]; }

} // namespace

const std::string& sectionMarker(QuestionKind kind)
{
    static const KindTexts markers = { utf8ToGbk("●单选题:"), utf8ToGbk("●多选题:"), utf8ToGbk("●判断题:") };
    return byKind(markers, kind);
}

const std::string& listHeading(QuestionKind kind)
{
    static const KindTexts headings = {
        utf8ToGbk("    ●单选题:只能选一个答案"),
        utf8ToGbk("    ●多选题:错选漏选均不得分"),
        utf8ToGbk("    ●判断题:正确为A;错误为B"),
    };
    return byKind(headings, kind);
}

const std::string& numberMark()
{
    static const std::string mark = utf8ToGbk("、");
    return mark;
}

const std::string& pointsPerQuestion()
{
    static const std::string unit = utf8ToGbk("分/题");
    return unit;
}

} // namespace olv

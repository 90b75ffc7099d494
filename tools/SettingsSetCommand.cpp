#include "admin/settings/NumberText.h"
#include "admin/settings/SettingsSave.h"
#include "common/ExamSettingsFile.h"
#include "platform/Gbk.h"
#include "tools/OlvTool.h"

#include <climits>
#include <functional>
#include <map>

namespace olv::tool {

namespace {

using Setter = std::function<bool(ExamSettings&, const std::string&)>;

Setter text(std::string ExamSettings::*field)
{
    return [field](ExamSettings& s, const std::string& value) {
        s.*field = utf8ToGbk(value);
        return gbkToUtf8(s.*field) == value; // every character has a GBK form
    };
}

Setter whole(int ExamSettings::*field, int lowest, int highest)
{
    return [=](ExamSettings& s, const std::string& value) {
        const std::optional<int> number = olv::parseWholeNumber(value);
        if (!number || *number < lowest || *number > highest)
            return false;
        s.*field = *number;
        return true;
    };
}

Setter whole(int ExamSettings::*field) { return whole(field, INT_MIN, INT_MAX); }
Setter flag(int ExamSettings::*field) { return whole(field, 0, 1); }

Setter points(float ExamSettings::*field)
{
    return [field](ExamSettings& s, const std::string& value) {
        const std::optional<float> number = parseNumber(value);
        if (number)
            s.*field = *number;
        return number.has_value();
    };
}

const std::map<std::string, Setter>& setters()
{
    static const std::map<std::string, Setter> all = {
        { "examName", text(&ExamSettings::examName) },
        { "subject", text(&ExamSettings::subject) },
        { "examMinutes", whole(&ExamSettings::examMinutes) },
        { "earliestHandInMinutes", whole(&ExamSettings::earliestHandInMinutes) },
        { "fixedNumber", whole(&ExamSettings::fixedNumber) },
        { "singleChoiceCount", whole(&ExamSettings::singleChoiceCount) },
        { "multipleChoiceCount", whole(&ExamSettings::multipleChoiceCount) },
        { "trueFalseCount", whole(&ExamSettings::trueFalseCount) },
        { "singleChoicePoints", points(&ExamSettings::singleChoicePoints) },
        { "multipleChoicePoints", points(&ExamSettings::multipleChoicePoints) },
        { "trueFalsePoints", points(&ExamSettings::trueFalsePoints) },
        { "drawMode",
            [](ExamSettings& s, const std::string& value) {
                const std::optional<int> mode = olv::parseWholeNumber(value);
                if (!mode || *mode < 0 || *mode > 3)
                    return false;
                s.drawMode = static_cast<DrawMode>(*mode);
                return true;
            } },
        { "shuffleQuestions", flag(&ExamSettings::shuffleQuestions) },
        { "shuffleOptions", flag(&ExamSettings::shuffleOptions) },
        { "rosterRequired", flag(&ExamSettings::rosterRequired) },
        { "showScoreAfterExam", flag(&ExamSettings::showScoreAfterExam) },
        { "passwordToExit", flag(&ExamSettings::passwordToExit) },
        { "reviewMode", flag(&ExamSettings::reviewMode) },
        { "bankFile", text(&ExamSettings::bankFile) },
        { "scoreFile", text(&ExamSettings::scoreFile) },
        { "operatorPassword", text(&ExamSettings::operatorPassword) },
    };
    return all;
}

} // namespace

void settingsSet(const std::vector<std::string>& args, std::ostream&)
{
    if (args.empty())
        throw ToolError("usage: olvtool settings-set FILE [NAME=VALUE]...");
    const std::string& file = args[0];
    ExamSettings settings = adminDefaults();
    if (readExamSettings(file, settings) == SettingsRead::ReadError)
        throw ToolError("cannot read " + file);
    for (auto assignment = args.begin() + 1; assignment != args.end(); ++assignment) {
        const std::size_t equals = assignment->find('=');
        const std::string name = assignment->substr(0, equals);
        const auto setter = setters().find(name);
        if (equals == std::string::npos || setter == setters().end())
            throw ToolError("unknown setting \"" + name + "\"");
        if (!setter->second(settings, assignment->substr(equals + 1)))
            throw ToolError("bad value for " + name + ": " + assignment->substr(equals + 1));
    }
    switch (saveExamSettings(file, settings)) {
    case SettingsSave::Saved:
        return;
    case SettingsSave::ExamTimeRefused:
        throw ToolError("考试时间设置错,请重新输入");
    case SettingsSave::EarliestHandInRefused:
        throw ToolError("最早交卷时间不能大于考试时间。");
    case SettingsSave::WriteFailed:
        throw ToolError("cannot write " + file);
    }
}

} // namespace olv::tool

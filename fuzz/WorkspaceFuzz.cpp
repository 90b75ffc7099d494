// The client's workspace at resumption: the settings copy, the paper, the question index, the
// answer card and the hand-in progress, read back by a real start-up and handed in.
#include "FuzzExam.h"
#include "FuzzFiles.h"
#include "client/exam/ExamSession.h"
#include "client/exam/ExamState.h"
#include "client/startup/Workspace.h"
#include "common/ExamSettingsFile.h"
#include "common/ScoreDatabase.h"

#include <unistd.h>

using namespace olv;

namespace {

// The hand-in writes where the settings say: only names inside the working folder are tried.
bool staysInside(std::string_view name)
{
    return name.find_first_of("/:") == std::string_view::npos && !name.starts_with('\\')
        && name.find("..") == std::string_view::npos;
}

bool settingsStayInside(const std::filesystem::path& copy)
{
    ExamSettings settings = clientDefaults();
    std::string examNumber;
    if (readExamSettings(copy, settings, examNumber) == SettingsRead::NotFound)
        return true;
    return staysInside(settings.scoreFile) && staysInside(settings.answerFile) && staysInside(settings.bankFile)
        && staysInside(examFolderName(settings));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Relative names of the settings resolve against the working folder.
    if (::chdir(fuzz::scratchFolder().c_str()) != 0)
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::emptyScratchFolder();
    const std::filesystem::path root = fuzz::scratchFolder();
    fuzz::AgreeingPrompter prompter;
    fuzz::ExamScreen screen;
    const FixedClock clock(1700000000);
    const ClientEnvironment env { root / "d", clock, prompter, screen };
    std::filesystem::create_directories(env.workspace());
    const Workspace workspace(env.workspace());
    if (writeScoreDatabase(root / "cj.kcj", { { "class", "name", fuzz::seedExamNumber, loginMark() } })
        != FileResult::Done)
        std::abort();

    const std::vector<std::string_view> parts = fuzz::splitParts(fuzz::bytesOf(data, size));
    const std::filesystem::path files[] = { workspace.settingsCopy(), workspace.paperFile(fuzz::seedExamNumber),
        workspace.questionIndexFile(fuzz::seedExamNumber), workspace.answerCardFile(fuzz::seedExamNumber),
        workspace.handInFile(fuzz::seedExamNumber) };
    for (std::size_t i = 0; i < parts.size() && i < std::size(files); ++i) {
        if (!parts[i].empty())
            fuzz::writeFile(files[i], parts[i]);
    }
    if (!settingsStayInside(workspace.settingsCopy()))
        return 0;

    ExamState state;
    fuzz::NoLogin login;
    fuzz::NullExamView view;
    try {
        if (startExam(state, env, login) != StartMode::Resumed)
            return 0;
        ExamSession session(state, view, env);
        if (state.handIn)
            session.resumeHandIn();
        else
            session.handIn();
    } catch (const fuzz::InvigilatorNeeded&) { }
    return 0;
}

// Writes the seeds of the workspace target: the workspace of an exam started on the sample exam
// with some answers confirmed, and the same with a hand-in under way.
//   make_workspace_seeds SAMPLE_FOLDER OUTPUT_FOLDER
#include "FuzzExam.h"
#include "FuzzFiles.h"
#include "client/exam/ExamState.h"
#include "client/handin/HandInProgress.h"
#include "client/startup/Workspace.h"
#include "common/ScoreDatabase.h"
#include "common/TextFields.h"
#include "platform/File.h"

#include <iostream>
#include <unistd.h>

using namespace olv;

namespace {

class SampleLogin : public LoginRunner
{
public:
    std::optional<LoginResult> run(const std::string&, bool) override
    {
        return LoginResult { padRight("class", 16), padRight("name", 16), padRight(fuzz::seedExamNumber, 14) };
    }
};

std::string readAll(const std::filesystem::path& path)
{
    std::optional<File> file = File::open(path, OpenMode::ReadOnly, Sharing::Shared);
    std::optional<std::string> bytes = file ? file->readAll() : std::nullopt;
    return bytes.value_or("");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: make_workspace_seeds SAMPLE_FOLDER OUTPUT_FOLDER\n";
        return 2;
    }
    const std::filesystem::path sample = std::filesystem::absolute(argv[1]);
    const std::filesystem::path output = std::filesystem::absolute(argv[2]);
    const std::filesystem::path root = fuzz::scratchFolder();
    for (const char* name : { "WordE97.kst", "olvane.dat" })
        std::filesystem::copy_file(sample / name, root / name);
    if (::chdir(root.c_str()) != 0
        || writeScoreDatabase("cj.kcj", { { "class", "name", fuzz::seedExamNumber, blankScoreField() } })
            != FileResult::Done)
        return 1;

    fuzz::AgreeingPrompter prompter;
    fuzz::ExamScreen screen;
    const FixedClock clock(1700000000);
    const ClientEnvironment env { root / "d", clock, prompter, screen };
    std::filesystem::create_directories(env.workspace());
    ExamState state;
    SampleLogin login;
    if (startExam(state, env, login) != StartMode::Fresh)
        return 1;
    for (std::size_t i = 0; i < state.answerCard.size(); i += 3)
        state.answerCard[i] += i % 2 ? "B" : "AC";
    state.elapsedSeconds = 600;
    const Workspace workspace(env.workspace());
    const AnswerCardFile card { state.answerCard, state.bankQuestionCount, state.elapsedSeconds };
    writeAnswerCardFile(workspace, state.examNumber, card);

    const auto seed = [&](const std::string& name, const std::string& progress) {
        std::string text;
        for (const std::filesystem::path& file : { workspace.settingsCopy(), workspace.paperFile(state.examNumber),
                 workspace.questionIndexFile(state.examNumber), workspace.answerCardFile(state.examNumber) })
            text += readAll(file) + std::string(fuzz::partSeparator);
        std::filesystem::create_directories(output);
        fuzz::writeFile(output / name, text + progress);
    };
    seed("running-exam", "");
    writeHandInProgress(workspace, state.examNumber,
        { HandInStage::Answers, SubmissionState::Submitted, SubmissionState::NotStarted, 0, card });
    seed("hand-in-under-way", readAll(workspace.handInFile(state.examNumber)));
    return 0;
}

#pragma once

#include "platform/File.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace olv {

class ExamView;
class Prompter;
struct ClientEnvironment;
struct ExamState;

enum class SubmissionState
{
    NotStarted,
    Submitted, // written, or about to be
    GivenUp, // the invigilator stopped the retries
};

// Where the hand-in stands. Marking runs once; every later entry only runs the exit steps.
struct SubmissionStatus
{
    SubmissionState score = SubmissionState::NotStarted;
    SubmissionState answers = SubmissionState::NotStarted;
    std::string scoreText; // from the first marking
    // Inside markAndSubmit: the window's timer keeps running behind the retry dialogs.
    bool running = false;

    bool markingStarted() const { return score != SubmissionState::NotStarted; }
};

// Marks the paper, writes the score and the answer record to the shared files, leaves the
// marked answer card and copies for review, then runs the exit steps, which may close the
// window. Called by the hand-in button and by the tick that ends the exam time. An entry
// while another one waits in a dialog does nothing, so the window cannot close while the
// results are still being written.
void markAndSubmit(ExamState& state, ExamView& view, const ClientEnvironment& env, SubmissionStatus& status);

// The texts of one retry protocol.
struct RetryTexts
{
    std::string_view firstMessage;
    std::string_view secondMessage;
    std::string_view thirdMessage;
    std::string_view question;
    std::string_view caption;
};

// Three attempts, each waiting up to candidateLockWait for another machine's lock and each
// failure followed by its message; then the invigilator's password; then attempts for as long as
// the invigilator answers the question with OK. Nothing when given up.
std::optional<File> openWithRetries(Prompter& prompter, const std::filesystem::path& path, OpenMode mode,
    const RetryTexts& texts, std::string_view operatorPassword);

// Shows the password dialog once: whether the text typed is the operator password (GBK).
bool askOperatorPassword(Prompter& prompter, std::string_view operatorPassword);

} // namespace olv

#pragma once

#include <optional>
#include <string>

namespace olv {

struct ClientEnvironment;
struct ExamState;

enum class StartMode
{
    Fresh,
    Resumed,
    Review,
};

// The identity an accepted login gives, filled out to 16, 16 and 14 bytes. GBK.
struct LoginResult
{
    std::string className;
    std::string candidateName;
    std::string examNumber;
};

// Shows the login dialog for a score database (GBK path from the settings).
class LoginRunner
{
public:
    virtual ~LoginRunner() = default;
    // Nothing when the dialog was cancelled or ended without a login.
    virtual std::optional<LoginResult> run(const std::string& scoreFile, bool rosterRequired) = 0;
};

// The start of a review of a marked paper, supplied by whoever offers review mode.
class ReviewStartup
{
public:
    virtual ~ReviewStartup() = default;
    // Before the paper is assembled: forces the review settings, asks for the exam number
    // and chooses the bank. False, after any message, when the window must close.
    virtual bool prepare(ExamState& state) = 0;
    // After the paper is assembled: fills the answer card. False when the window must close.
    virtual bool fillAnswerCard(ExamState& state) = 0;
};

// The exam window's start-up from the client defaults: drive D:, the settings, the start mode
// (review, resumed or fresh with login and login mark), the paper and the answer card, with
// the workspace files written outside review mode. Nothing, after any message, when the
// window must close; review mode without a ReviewStartup shows nothing and fails.
std::optional<StartMode> startExam(
    ExamState& state, const ClientEnvironment& env, LoginRunner& login, ReviewStartup* review = nullptr);

} // namespace olv

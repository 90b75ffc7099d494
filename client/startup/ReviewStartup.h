#pragma once

#include "client/startup/ClientStartup.h"

#include <filesystem>
#include <optional>
#include <string>

namespace olv {

struct ClientEnvironment;
struct ExamSettings;

// Asks for the exam number of the paper to look at.
class ReviewLoginRunner
{
public:
    virtual ~ReviewLoginRunner() = default;
    // The text typed (GBK); nothing when the dialog was cancelled.
    virtual std::optional<std::string> run() = 0;
};

// A marked paper is shown whole and as it was sat: every question of the bank in bank order,
// nothing shuffled, nothing asked when the window closes.
void forceReviewSettings(ExamSettings& settings);

// The review of a marked paper. The candidate's paper copy in the exam folder is shown with its
// marked answer card; without it, the whole bank with the marks of the candidate's answer
// record; without that, the bank unmarked. Reads only: nothing is written.
class PaperReviewStartup : public ReviewStartup
{
public:
    PaperReviewStartup(const ClientEnvironment& env, ReviewLoginRunner& login);

    bool prepare(ExamState& state) override;
    bool fillAnswerCard(ExamState& state) override;

    // What the window shows in place of the countdown (GBK): the score of the score database or
    // of the answer record, "没考试" without a record, empty when nothing was found.
    const std::string& scoreText() const { return m_scoreText; }

private:
    void findCandidate(ExamState& state);
    void chooseBank(ExamState& state);
    void fillFromAnswerRecord(ExamState& state);
    void fillUnmarked(ExamState& state);

    const ClientEnvironment& m_env;
    ReviewLoginRunner& m_login;
    std::string m_scoreText;
    // The marked answer card copy; empty when the paper copy was not found.
    std::filesystem::path m_markedCard;
};

} // namespace olv

#pragma once

#include "common/ExamPaper.h"
#include "common/ExamSettings.h"
#include "common/ScoreRecord.h"

#include <ostream>
#include <stdexcept>

namespace olv {

class ClientRobot;
struct ClientEnvironment;

// Why the walk-through cannot be played in this folder.
class WalkthroughError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The exam in the working folder as the walk-through plays it.
struct WalkthroughExam
{
    ExamSettings settings;
    // Without a settings file the client asks whether to run with its defaults.
    bool settingsFound = false;
    // The first candidate of the roster who has not sat the exam, fields as stored.
    ScoreRecord candidate;
    // What the client will draw for that candidate at the walk-through's fixed time.
    ExamPaper paper;
};

// Reads the settings, the roster and the bank of the working folder. Throws WalkthroughError
// when there is no candidate left, the settings ask for review mode or an exam is still in
// progress on drive D:.
WalkthroughExam loadWalkthroughExam(const ClientEnvironment& env);

// Logs the candidate in, answers every question, hands in and leaves.
void scriptExam(ClientRobot& robot, const WalkthroughExam& exam);
// Looks at the marked paper in review mode and closes.
void scriptReview(ClientRobot& robot, const WalkthroughExam& exam);

// Review mode on in the settings file for one more run of the client, and the file back as
// it was afterwards.
void switchToReviewMode(const WalkthroughExam& exam);
void restoreExamSettings(const WalkthroughExam& exam);

// The candidate's score database line and answer sheet record, in UTF-8.
void printResults(std::ostream& out, const WalkthroughExam& exam, const ClientEnvironment& env);

} // namespace olv

#include "client/ExamRoom.h"
#include "common/ScoreRecord.h"
#include "support/LockWait.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

namespace olv {
namespace {

using namespace std::chrono_literals;
using test::readBytes;

constexpr int machines = 60;
constexpr int onRoster = 45; // the others add themselves at login
// Candidates who sit elsewhere: a long roster keeps each machine on the file a little longer,
// so that the machines really meet there.
constexpr int elsewhere = 3000;

// A whole exam room logging in and handing in at the same moment: nobody sees a message, and
// every score line and answer record is there exactly once.
TEST(ManyMachinesTest, AFullRoomLogsInAndHandsInAtOnceWithoutAMessageOrALostRecord)
{
    test::TempDir dir;
    // Waiting for the others is what the machines should do; how long it takes is the
    // benchmark's business, so this test never runs out of patience on a slow machine.
    test::LockWaitBudget patient(10min);
    const test::ExamRoom room(dir.path(), machines, onRoster, elsewhere);
    room.prepare();
    const std::string roster = readBytes(room.scoreFile());

    const test::ExamRoom::Outcome outcome = room.run();
    EXPECT_EQ(outcome.failedMachines, 0);
    EXPECT_EQ(outcome.messages, 0);

    // The roster's own candidates are scored in their lines, in place; the others and every
    // answer record are added once each, in whatever order the machines came.
    std::string rewritten;
    for (int machine = 0; machine < onRoster; ++machine)
        rewritten += room.storedLine(machine, room.score(machine));
    rewritten += roster.substr(rewritten.size());
    EXPECT_EQ(readBytes(room.scoreFile()).substr(0, rewritten.size()), rewritten);
    EXPECT_EQ(outcome.missingRecords, 0);
}

} // namespace
} // namespace olv

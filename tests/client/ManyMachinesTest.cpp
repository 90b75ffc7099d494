#include "client/ExamRoom.h"
#include "common/ScoreRecord.h"
#include "support/LockWait.h"
#include "support/TestFiles.h"

#include <algorithm>
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

std::vector<std::string> splitAfter(const std::string& text, std::string_view end)
{
    std::vector<std::string> parts;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t found = text.find(end, start);
        std::size_t stop = found == std::string::npos ? text.size() : found + end.size();
        parts.push_back(text.substr(start, stop - start));
        start = stop;
    }
    std::ranges::sort(parts);
    return parts;
}

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

    std::string rewritten;
    for (int machine = 0; machine < onRoster; ++machine)
        rewritten += room.storedLine(machine, room.score(machine));
    rewritten += roster.substr(rewritten.size());
    const std::string scores = readBytes(room.scoreFile());
    ASSERT_GE(scores.size(), rewritten.size());
    EXPECT_EQ(scores.substr(0, rewritten.size()), rewritten);
    std::string appended;
    std::string records;
    for (int machine = 0; machine < machines; ++machine) {
        if (machine >= onRoster)
            appended += room.storedLine(machine, room.score(machine));
        records += room.answerRecord(machine);
    }
    EXPECT_EQ(splitAfter(scores.substr(rewritten.size()), "\r\n"), splitAfter(appended, "\r\n"));
    EXPECT_EQ(splitAfter(readBytes(room.answerFile()), "\r\r\n"), splitAfter(records, "\r\r\n"));
}

} // namespace
} // namespace olv

#pragma once

#include "support/ChildProcess.h"

#include <filesystem>
#include <string>
#include <vector>

namespace olv::test {

// A class whose time runs out together: `machines` exam machines, each a process of its own with
// its own drive D:, log in and hand in on one exam folder at the same moment. Machines below
// `onRoster` find their line on the roster; the others are added at login. `elsewhere`
// candidates of other rooms stand after them, so every lookup has a long file to read.
class ExamRoom
{
public:
    ExamRoom(std::filesystem::path folder, int machines, int onRoster, int elsewhere);

    // The exam folder as the examiner leaves it: settings, bank, roster.
    void prepare() const;

    struct Outcome
    {
        int failedMachines = 0; // machines whose login or hand-in did not complete
        int messages = 0; // prompts the candidates saw besides the exam-over message
        double seconds = 0; // from the common start until the last machine was done
    };
    // Starts every machine, lets them go at once and waits for all of them.
    Outcome run() const;

    // The stored roster line of a machine with that score field.
    std::string storedLine(int machine, const std::string& scoreField) const;
    // The answer record of a machine as it lands on disk.
    std::string answerRecord(int machine) const;
    std::string score(int machine) const;
    std::filesystem::path scoreFile() const { return m_folder / "cj.kcj"; }
    std::filesystem::path answerFile() const { return m_folder / "room" / "daan.txt"; }

private:
    // One machine: its drive D: and exam ready, then login and hand-in once the parent says go.
    // The exit code: the prompts seen (at most 99), plus 100 when the exam did not complete.
    int machineMain(int machine, ChildProcess::Link& link) const;

    std::filesystem::path m_folder;
    int m_machines;
    int m_onRoster;
    int m_elsewhere;
};

} // namespace olv::test

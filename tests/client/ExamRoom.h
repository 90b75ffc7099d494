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
// Every machine waits at one start gate, which opens for all of them at the same instant.
class ExamRoom
{
public:
    ExamRoom(std::filesystem::path folder, int machines, int onRoster, int elsewhere);

    // The exam folder as the examiner leaves it: settings, bank, roster.
    void prepare() const;

    struct Outcome
    {
        int refusedLogins = 0; // machines whose login did not get through
        int failedMachines = 0; // machines whose login or hand-in did not complete
        int messages = 0; // prompts the candidates saw besides the exam-over message
        int missingRecords = 0; // score lines and answer records not there exactly once
        double seconds = 0; // from the common start until the last machine was done
    };
    // Starts every machine, opens the gate and waits for all of them.
    Outcome run() const;
    // The machines' score lines and answer records that are missing, doubled or damaged.
    int missingRecords() const;

    // The stored roster line of a machine with that score field.
    std::string storedLine(int machine, const std::string& scoreField) const;
    // The answer record of a machine as it lands on disk.
    std::string answerRecord(int machine) const;
    std::string score(int machine) const;
    std::filesystem::path scoreFile() const { return m_folder / "cj.kcj"; }
    std::filesystem::path answerFile() const { return m_folder / "room" / "daan.txt"; }

private:
    // One machine: its drive D: and exam ready, then login and hand-in once the gate opens.
    // The exit code: the prompts seen (at most 31), plus 32 when the login was refused and 64
    // when the exam did not complete.
    int machineMain(int machine, ChildProcess::Link& link, int gate) const;

    std::filesystem::path m_folder;
    int m_machines;
    int m_onRoster;
    int m_elsewhere;
};

} // namespace olv::test

#pragma once

#include "common/ExamPaper.h"
#include "common/ExamSettings.h"
#include "common/QuestionBankFile.h"
#include "platform/File.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace olv {

// The client's local workspace "d:\ExaminationTemporary": everything needed to resume an
// interrupted exam on this machine. File names use the exam number with every space
// removed (E below).
class Workspace
{
public:
    explicit Workspace(std::filesystem::path folder)
        : m_folder(std::move(folder))
    { }

    const std::filesystem::path& folder() const { return m_folder; }
    std::filesystem::path settingsCopy() const; // "olvane.dat"
    std::filesystem::path paperFile(std::string_view examNumber) const; // E + ".kst"
    std::filesystem::path questionIndexFile(std::string_view examNumber) const; // E + ".sth"
    std::filesystem::path answerCardFile(std::string_view examNumber) const; // E + ".das"
    std::filesystem::path bankTemporary(std::string_view examNumber) const; // E + ".bak"
    std::filesystem::path handInFile(std::string_view examNumber) const; // E + ".hnd"

private:
    std::filesystem::path fileOf(std::string_view examNumber, std::string_view extension) const;

    std::filesystem::path m_folder;
};

// The paper file as the settings name it ("d:\ExaminationTemporary\" + E + ".kst", GBK): the
// bank of a resumed exam. nativePath maps it onto Workspace::paperFile.
std::string paperFileSetting(std::string_view examNumber);

// What the answer card file holds besides the lines.
struct AnswerCardFile
{
    std::vector<std::string> lines;
    int bankQuestionCount = 0;
    long elapsedSeconds = 0;
};

// The file's text before text mode: the lines, the bank question count, the time ("%-10ld").
std::string answerCardText(const AnswerCardFile& card);

// Rewritten at start and at every confirmed answer. Written to a temporary file, flushed
// to disk and renamed over the old one, so a power cut leaves the old or the new file
// whole. False when it could not be written (the exam goes on regardless).
bool writeAnswerCardFile(const Workspace& workspace, std::string_view examNumber, const AnswerCardFile& card);

// The paper in question bank format: each kind in presented order, options as presented.
BankWriteResult writePaperFile(const Workspace& workspace, std::string_view examNumber, const QuestionBank& paper);

// One bank question number per line, in paper order. False when it could not be written.
bool writeQuestionIndex(const Workspace& workspace, std::string_view examNumber, const std::vector<int>& bankNumbers);

// The settings in force and, as a 24th line, the exam number ("%-14s"). Replaced whole like
// the answer card file. False when it could not be written (the exam goes on regardless).
bool writeWorkspaceSettings(const Workspace& workspace, const ExamSettings& settings, std::string_view examNumber);

// The first `questionCount` lines as bank question numbers; nothing when the file cannot be
// opened, holds fewer lines, or a number could not belong to a bank (below 1, twice, or beyond
// maxBankQuestions).
std::optional<std::vector<int>> readQuestionIndex(
    const Workspace& workspace, std::string_view examNumber, int questionCount);

// Nothing when the file cannot be opened or a card line or the elapsed-time line is missing.
// The numbers are taken as they stand: answerCardFits checks them against the exam.
std::optional<AnswerCardFile> readAnswerCardFile(
    const Workspace& workspace, std::string_view examNumber, int questionCount);
// The same from the current position of an open file.
std::optional<AnswerCardFile> readAnswerCard(File& file, int questionCount);

// Whether the settings copy can be resumed: the paper, the question index and the copy open,
// and either a hand-in is under way (its progress file opens) or the answer card file opens and
// still ends with an elapsed-time line (its last 12 bytes read as a line ending in two spaces
// and not beginning with "***").
bool isWorkspaceComplete(const Workspace& workspace, std::string_view examNumber);

} // namespace olv

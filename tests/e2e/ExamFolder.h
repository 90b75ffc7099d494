#pragma once

// What both end-to-end tests share: a fresh exam folder as the working directory, and the
// file texts and bank questions in the programs' own form.
#include "common/Question.h"
#include "common/ScoreDatabase.h"
#include "support/TestFiles.h"

#include <QByteArray>
#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace olv::test {

// The working directory is a fresh temp folder for as long as this lives. The single-instance
// lock of the client lives in the temp folder too: a client that runs elsewhere on this machine
// must not stop the one under test.
class ExamFolder
{
public:
    ExamFolder() { qputenv("TMPDIR", QByteArray::fromStdString(m_dir.path().string())); }
    ~ExamFolder()
    {
        if (m_hadTmpDir)
            qputenv("TMPDIR", m_oldTmpDir);
        else
            qunsetenv("TMPDIR");
    }
    ExamFolder(const ExamFolder&) = delete;
    ExamFolder& operator=(const ExamFolder&) = delete;

    const std::filesystem::path& path() const { return m_dir.path(); }

private:
    TempDir m_dir;
    WorkingDirectory m_workingDirectory { m_dir.path() };
    bool m_hadTmpDir = qEnvironmentVariableIsSet("TMPDIR");
    QByteArray m_oldTmpDir = qgetenv("TMPDIR");
};

inline std::string crlfLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

inline std::string padded(std::string text, std::size_t width)
{
    text.resize(std::max(width, text.size()), ' ');
    return text;
}

// A score database line as stored: the 57 bytes with their pairs exchanged, then CR LF.
inline std::string storedScoreLine(const char* className, const char* name, const char* examNumber, const char* score)
{
    const std::string plain = padded(gbk(className), 16) + "*" + padded(gbk(name), 16) + "." + padded(examNumber, 14)
        + "-" + padded(score, 8);
    return swapLineBytePairs(plain) + "\r\n";
}

inline Question question(QuestionKind kind, const char* stem, std::array<const char*, 4> options, const char* answer)
{
    Question q { kind, gbk(stem), {}, answer };
    for (std::size_t i = 0; i < 4; ++i)
        q.options[i] = gbk(options[i]);
    return q;
}

} // namespace olv::test

#pragma once

#include "platform/WorkingDirectoryGuard.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace olv::test {

// A fresh folder under the system's temp folder, removed with everything in it.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(std::string_view name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

// The working directory set to a folder for a test's time, as relative names in the exam
// files resolve against it.
using WorkingDirectory = WorkingDirectoryGuard;

// Whole files as bytes, without any translation.
std::string readBytes(const std::filesystem::path& path);
void writeBytes(const std::filesystem::path& path, std::string_view bytes);

// UTF-8 literal -> GBK bytes, for building expected file contents.
std::string gbk(std::string_view utf8);

} // namespace olv::test

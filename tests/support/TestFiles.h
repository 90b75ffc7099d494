#pragma once

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

// Makes `folder` the working directory for the guard's lifetime, as relative names in the
// exam files resolve against it.
class WorkingDirectory
{
public:
    explicit WorkingDirectory(const std::filesystem::path& folder);
    ~WorkingDirectory();
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    std::filesystem::path m_previous;
};

// Whole files as bytes, without any translation.
std::string readBytes(const std::filesystem::path& path);
void writeBytes(const std::filesystem::path& path, std::string_view bytes);

// UTF-8 literal -> GBK bytes, for building expected file contents.
std::string gbk(std::string_view utf8);

} // namespace olv::test

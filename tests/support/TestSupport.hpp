#pragma once

#include <boost/filesystem/path.hpp>

#include <chrono>
#include <functional>
#include <string>

namespace OrvaneTest {

// A folder that is removed with everything in it when the object goes.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const boost::filesystem::path& path() const { return m_path; }
    boost::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    boost::filesystem::path m_path;
};

// Polls a condition until it holds or the deadline passes; returns whether it held.
bool waitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds deadline = std::chrono::milliseconds(5000));

// The per-process home every test runs in: XDG_DATA_HOME, XDG_RUNTIME_DIR, TMPDIR and HOME
// all point below it, so no test touches the real user's files.
const boost::filesystem::path& testHome();

std::string readFile(const boost::filesystem::path& path);
void writeFile(const boost::filesystem::path& path, const std::string& content);

} // namespace OrvaneTest

#include "support/TestSupport.hpp"

#include <boost/filesystem/operations.hpp>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace fs = boost::filesystem;

namespace OrvaneTest {

TempDir::TempDir()
    : m_path(fs::temp_directory_path() / fs::unique_path("orvane-test-%%%%-%%%%-%%%%"))
{
    fs::create_directories(m_path);
}

TempDir::~TempDir()
{
    boost::system::error_code ignored;
    fs::remove_all(m_path, ignored);
}

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds deadline)
{
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end)
            return condition();
        std::this_thread::yield();
        std::this_thread::sleep_for(std::chrono::milliseconds(2)); // polling interval, not synchronisation
    }
    return true;
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path.string(), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeFile(const fs::path& path, const std::string& content)
{
    std::ofstream out(path.string(), std::ios::binary | std::ios::trunc);
    out << content;
}

namespace {

fs::path makeTestHome()
{
    const char* base = std::getenv("TMPDIR");
    fs::path home = fs::path(base && *base ? base : "/tmp") / fs::unique_path("orvane-home-%%%%-%%%%-%%%%");
    for (const char* sub : {"data", "runtime", "tmp", "documents"})
        fs::create_directories(home / sub);
    fs::permissions(home / "runtime", fs::owner_all);
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", (home / "runtime").c_str(), 1);
    ::setenv("XDG_DOCUMENTS_DIR", (home / "documents").c_str(), 1);
    ::setenv("TMPDIR", (home / "tmp").c_str(), 1);
    // The built-in texts whatever the developer's language; a test that wants another sets it.
    for (const char* language : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        ::unsetenv(language);
    ::setenv("LANG", "C.UTF-8", 1);
    return home;
}

} // namespace

const fs::path& testHome()
{
    static const fs::path home = makeTestHome();
    return home;
}

} // namespace OrvaneTest

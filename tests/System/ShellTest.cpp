#include "System/Shell.hpp"

#include "HTTP/Query.hpp"

#include "ScopedEnvironment.hpp"
#include "support/TestSupport.hpp"

#include <boost/filesystem/operations.hpp>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>

namespace fs = boost::filesystem;
using Orvane::System::ShellOpen;
using OrvaneTest::ScopedEnvironment;

namespace {

// An open command that records its working folder and its arguments, one per line, into a file
// that appears complete (renamed into place) once the command has run.
class RecordingCommand
{
public:
    RecordingCommand()
        : m_script(m_dir / "open")
        , m_record(m_dir / "record")
        , m_command("ORVANE_OPEN_COMMAND", m_script.string())
    {
        OrvaneTest::writeFile(m_script,
                              "#!/bin/sh\n"
                              "{ pwd -P; printf '%s\\n' \"$@\"; } > '"
                                  + m_record.string() + ".part' && mv '" + m_record.string() + ".part' '"
                                  + m_record.string() + "'\n");
        fs::permissions(m_script, fs::perms(0755));
    }

    std::string waitForRecord() const
    {
        EXPECT_TRUE(OrvaneTest::waitUntil([this] { return fs::exists(m_record); })) << "the command never ran";
        return OrvaneTest::readFile(m_record);
    }

    const fs::path& script() const { return m_script; }

private:
    OrvaneTest::TempDir m_dir;
    fs::path m_script;
    fs::path m_record;
    ScopedEnvironment m_command;
};

bool isGone(pid_t pid)
{
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

TEST(ShellOpen, PassesTheArgumentVerbatimWithoutAShellInTheDocumentsFolder)
{
    RecordingCommand command;
    const std::string argument = "/tmp/a b;$(touch pwned) `id` 'q' \"d\" *";
    const std::optional<pid_t> pid = ShellOpen(argument);
    ASSERT_TRUE(pid);
    const std::string documents = fs::canonical(std::getenv("XDG_DOCUMENTS_DIR")).string();
    EXPECT_EQ(documents + "\n" + argument + "\n", command.waitForRecord());
    EXPECT_FALSE(fs::exists(fs::path(documents) / "pwned"));
    EXPECT_TRUE(OrvaneTest::waitUntil([&] { return isGone(*pid); })) << "the child was left a zombie";
}

TEST(ShellOpen, CommandThatCannotStartGivesNothing)
{
    RecordingCommand command;
    {
        ScopedEnvironment missing("ORVANE_OPEN_COMMAND", (command.script().parent_path() / "missing").string());
        EXPECT_FALSE(ShellOpen("http://127.0.0.1/"));
    }
    fs::permissions(command.script(), fs::perms(0644));
    EXPECT_FALSE(ShellOpen("http://127.0.0.1/"));
}

TEST(OpenWithQuery, AppendsTheQueryOnlyWhenItHasParameters)
{
    RecordingCommand command;
    const std::string documents = fs::canonical(std::getenv("XDG_DOCUMENTS_DIR")).string();
    Orvane::System::OpenWithQuery("http://127.0.0.1:8080/orvane.htm", Orvane::HTTP::Query());
    EXPECT_EQ(documents + "\nhttp://127.0.0.1:8080/orvane.htm\n", command.waitForRecord());

    RecordingCommand second;
    Orvane::HTTP::Query query;
    query.Add("IFM", "4");
    query.Add("UN", "alice");
    Orvane::System::OpenWithQuery("http://127.0.0.1:8080/orvane.htm", query);
    EXPECT_EQ(documents + "\nhttp://127.0.0.1:8080/orvane.htm?IFM=4&UN=alice\n", second.waitForRecord());
}

} // namespace

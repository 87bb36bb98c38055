#include "kestle/config.hpp"
#include "kestle/exception.hpp"
#include "support/TestSupport.hpp"

#include <boost/filesystem/exception.hpp>
#include <boost/filesystem/operations.hpp>
#include <boost/make_shared.hpp>
#include <boost/program_options/errors.hpp>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = boost::filesystem;
using OrvaneTest::readFile;
using OrvaneTest::writeFile;

namespace {

const std::string defaultText = "ALPHA = 7\nBETA = 1\nNAME = plain text\nVERSION = 1.00\n";

class TestConfig : public kestle::config<std::string>
{
public:
    explicit TestConfig(const fs::path& path, converter_list conversion = converter_list())
        : m_path(path.string())
        , m_conversion(conversion)
    { }

private:
    void define(definition& declared) override
    {
        declared.path(m_path).version(1.0).add_integer("ALPHA", 7).add_boolean("BETA", true).add("NAME", "plain text");
        if (!m_conversion.empty())
            declared.add_conversion(0.5, m_conversion);
    }

    std::string m_path;
    converter_list m_conversion;
};

// Renames OLD to ALPHA; the next converter of the list sees its result.
struct RenameOld : kestle::config<std::string>::converter
{
    void operator()(std::map<std::string, std::string>& values) const override
    {
        values["ALPHA"] = values["OLD"];
        values.erase("OLD");
    }
};
struct NameFromAlpha : kestle::config<std::string>::converter
{
    void operator()(std::map<std::string, std::string>& values) const override
    {
        values["NAME"] = "was " + values["ALPHA"];
    }
};

// What load() ended with, by exception class.
std::string loadOutcome(TestConfig& config)
{
    try {
        config.load();
        return "loaded";
    } catch (const kestle::nonsupport_version&) {
        return "nonsupport_version";
    } catch (const kestle::defective_config&) {
        return "defective_config";
    } catch (const kestle::convertible_version&) {
        return "convertible_version";
    } catch (const kestle::open_file_failure&) {
        return "open_file_failure";
    } catch (const boost::program_options::invalid_config_file_syntax&) {
        return "syntax_error";
    }
}

unsigned mode(const fs::path& path)
{
    struct stat status = {};
    EXPECT_EQ(0, ::lstat(path.c_str(), &status)) << path;
    return status.st_mode & 07777;
}

ino_t inode(const fs::path& path)
{
    struct stat status = {};
    EXPECT_EQ(0, ::lstat(path.c_str(), &status)) << path;
    return status.st_ino;
}

class ConfigTest : public ::testing::Test
{
protected:
    OrvaneTest::TempDir dir;
    fs::path file = dir / "config.dat";
    TestConfig config {file};
};

TEST_F(ConfigTest, MissingFileIsCreatedWithDefaultsInPrivateFolders)
{
    const fs::path nested = dir / "Brantel" / "Orvane" / "config.dat";
    TestConfig fresh(nested);
    ASSERT_EQ("loaded", loadOutcome(fresh));

    EXPECT_EQ(defaultText, readFile(nested));
    EXPECT_EQ("7", fresh.value("ALPHA"));
    EXPECT_EQ("1.00", fresh.value("VERSION"));
    EXPECT_EQ(0700u, mode(dir / "Brantel"));
    EXPECT_EQ(0700u, mode(dir / "Brantel" / "Orvane"));
    EXPECT_EQ(0600u, mode(nested));
    EXPECT_FALSE(fs::exists(dir / "Brantel" / "Orvane" / "config.tmp"));
}

TEST_F(ConfigTest, ReadsTheConfigurationFileSyntax)
{
    writeFile(file,
              "# heading\n"
              "VERSION = 1   # the same version as 1.00\r\n"
              "  ALPHA\t=  42  # note\n"
              "\n"
              "NAME =   two  words  \n"
              "BETA=0\n"
              "BETA=\n"
              "UNKNOWN = dropped\n"
              "[SECTION]\n"
              "NAME = read as SECTION.NAME\n");
    ASSERT_EQ("loaded", loadOutcome(config));

    EXPECT_EQ("42", config.value("ALPHA"));
    EXPECT_EQ("two  words", config.value("NAME"));
    EXPECT_EQ("", config.value("BETA"));
    EXPECT_THROW(config.value("UNKNOWN"), kestle::logic_error);

    config.save(false);
    EXPECT_EQ("ALPHA = 42\nBETA = \nNAME = two  words\nVERSION = 1.00\n", readFile(file));
    EXPECT_EQ("loaded", loadOutcome(config));
}

TEST_F(ConfigTest, VersionDecidesWhetherTheFileIsUsed)
{
    const std::string keys = "ALPHA = 1\nBETA = 0\nNAME = n\n";
    const struct
    {
        std::string text;
        std::string outcome;
    } cases[] = {
        {"", "nonsupport_version"},
        {keys, "nonsupport_version"},
        {keys + "VERSION = 1.01\n", "nonsupport_version"},
        {keys + "VERSION = abc\n", "nonsupport_version"},
        {keys + "VERSION = 1.0x\n", "nonsupport_version"},
        {keys + "VERSION = 0x1\n", "nonsupport_version"},
        {keys + "VERSION =\n", "nonsupport_version"},
        {keys + "VERSION = 1e999\n", "nonsupport_version"},
        {keys + "VERSION = nan\n", "nonsupport_version"},
        {keys + "VERSION = 0.5\n", "nonsupport_version"}, // no conversion registered here
        {keys + "VERSION = 1.000\n", "loaded"},
        {keys + "VERSION = 1.\n", "loaded"},
        {"VERSION = 1.00\n", "defective_config"},
    };
    for (const auto& c : cases) {
        writeFile(file, c.text);
        EXPECT_EQ(c.outcome, loadOutcome(config)) << c.text;
        EXPECT_EQ(c.text, readFile(file)) << "load never writes an existing file";
        if (c.outcome == "nonsupport_version") {
            EXPECT_EQ("7", config.value("ALPHA")) << "the defaults stand in after " << c.text;
        }
    }
}

TEST_F(ConfigTest, DefectiveFileIsCompletedAndTheOldOneKeptAsBackup)
{
    writeFile(file, "VERSION = 1.00\nALPHA = 5\n");
    ASSERT_EQ("defective_config", loadOutcome(config));
    EXPECT_EQ("5", config.value("ALPHA"));
    EXPECT_EQ("plain text", config.value("NAME"));

    config.save(true);
    EXPECT_EQ("ALPHA = 5\nBETA = 1\nNAME = plain text\nVERSION = 1.00\n", readFile(file));
    EXPECT_EQ("VERSION = 1.00\nALPHA = 5\n", readFile(dir / "config.bak"));
    EXPECT_EQ("loaded", loadOutcome(config));
}

TEST_F(ConfigTest, SaveKeepsTheOldFileInPlaceAndOnlyTheLatestBackup)
{
    ASSERT_EQ("loaded", loadOutcome(config));
    const std::string first = readFile(file);
    const ino_t firstInode = inode(file);

    config.value("NAME") = "second";
    config.save(true);
    // The backup is the very file that was in place, not a moved or rewritten copy.
    EXPECT_EQ(firstInode, inode(dir / "config.bak"));
    EXPECT_NE(firstInode, inode(file));
    EXPECT_EQ(first, readFile(dir / "config.bak"));

    config.value("NAME") = "third";
    config.save(true);
    EXPECT_EQ("ALPHA = 7\nBETA = 1\nNAME = second\nVERSION = 1.00\n", readFile(dir / "config.bak"));
    EXPECT_EQ("ALPHA = 7\nBETA = 1\nNAME = third\nVERSION = 1.00\n", readFile(file));
    EXPECT_FALSE(fs::exists(dir / "config.tmp"));

    config.value("NAME") = "fourth";
    config.save(false);
    EXPECT_EQ("ALPHA = 7\nBETA = 1\nNAME = second\nVERSION = 1.00\n", readFile(dir / "config.bak"));
}

TEST_F(ConfigTest, SavedFilesAreOwnerOnlyWhateverWasThereBefore)
{
    writeFile(file, defaultText);
    writeFile(dir / "config.tmp", "left by a crash");
    fs::permissions(file, fs::perms(0644));
    fs::permissions(dir / "config.tmp", fs::perms(0666));
    ASSERT_EQ("loaded", loadOutcome(config));

    config.save(true);
    EXPECT_EQ(0600u, mode(file));
    EXPECT_EQ(0600u, mode(dir / "config.bak"));
    EXPECT_EQ(defaultText, readFile(file));
    EXPECT_FALSE(fs::exists(dir / "config.tmp"));
}

TEST_F(ConfigTest, OlderVersionIsConvertedInOrderAndMerged)
{
    TestConfig converting(file, {boost::make_shared<RenameOld>(), boost::make_shared<NameFromAlpha>()});
    const std::string old = "VERSION = 0.50\nOLD = 9\nBETA = 0\n";
    writeFile(file, old);

    ASSERT_EQ("convertible_version", loadOutcome(converting));
    EXPECT_EQ("9", converting.value("ALPHA"));
    EXPECT_EQ("was 9", converting.value("NAME"));
    EXPECT_EQ("0", converting.value("BETA"));
    EXPECT_EQ("1.00", converting.value("VERSION"));
    EXPECT_THROW(converting.value("OLD"), kestle::logic_error);
    EXPECT_EQ(old, readFile(file));
}

TEST_F(ConfigTest, UnreadableFilesAreRefusedUntouched)
{
    ASSERT_EQ("loaded", loadOutcome(config));
    config.value("ALPHA") = "kept";
    const struct
    {
        std::string name;
        std::function<void()> prepare;
    } cases[] = {
        {"a folder", [&] { fs::create_directory(file); }},
        {"a FIFO with no writer", [&] { ASSERT_EQ(0, ::mkfifo(file.c_str(), 0600)); }},
        {"a file over the size limit",
         [&] { writeFile(file, "VERSION = 1.00\n" + std::string(TestConfig::max_file_size, '#')); }},
        {"a file without read permission",
         [&] {
             writeFile(file, defaultText);
             fs::permissions(file, fs::no_perms);
         }},
    };
    for (const auto& c : cases) {
        if (c.name == "a file without read permission" && ::geteuid() == 0)
            continue; // root reads it anyway
        fs::remove_all(file);
        c.prepare();
        EXPECT_EQ("open_file_failure", loadOutcome(config)) << c.name;
        EXPECT_EQ("kept", config.value("ALPHA")) << c.name;
        EXPECT_TRUE(fs::exists(file)) << c.name;
    }
}

TEST_F(ConfigTest, LineWithoutEqualsSignIsASyntaxErrorThatChangesNothing)
{
    ASSERT_EQ("loaded", loadOutcome(config));
    config.value("ALPHA") = "kept";
    writeFile(file, "VERSION = 1.00\nALPHA\n");

    EXPECT_EQ("syntax_error", loadOutcome(config));
    EXPECT_EQ("kept", config.value("ALPHA"));
    EXPECT_EQ("VERSION = 1.00\nALPHA\n", readFile(file));
}

TEST_F(ConfigTest, FailedSaveLeavesThePreviousFile)
{
    ASSERT_EQ("loaded", loadOutcome(config));
    config.value("NAME") = "never written";
    fs::create_directory(dir / "config.tmp"); // the temporary file cannot be created

    EXPECT_THROW(config.save(true), kestle::open_file_failure);
    EXPECT_EQ(defaultText, readFile(file));
    EXPECT_FALSE(fs::exists(dir / "config.bak"));
}

TEST_F(ConfigTest, FolderBlockedByAFileRaisesTheFileSystemError)
{
    writeFile(dir / "blocker", "");
    TestConfig blocked(dir / "blocker" / "config.dat");
    EXPECT_THROW(blocked.load(), boost::filesystem::filesystem_error);
}

TEST_F(ConfigTest, UndeclaredKeyIsAProgrammingError)
{
    ASSERT_EQ("loaded", loadOutcome(config));
    EXPECT_THROW(config.value("MISSING"), kestle::logic_error);
    const TestConfig& constant = config;
    EXPECT_EQ("plain text", constant.value("NAME"));
}

} // namespace

#include "System/Folders.hpp"

#include "Exceptions.hpp"
#include "ScopedEnvironment.hpp"
#include "support/TestSupport.hpp"

#include <boost/filesystem/operations.hpp>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace fs = boost::filesystem;
using namespace Orvane::System;
using OrvaneTest::ScopedEnvironment;
using OrvaneTest::TempDir;

namespace {

unsigned modeOf(const fs::path& path)
{
    struct stat info
    { };
    EXPECT_EQ(0, ::stat(path.c_str(), &info)) << path;
    return info.st_mode & 07777;
}

std::string slashed(const fs::path& path)
{
    return path.string() + "/";
}

TEST(Folders, LocalAppDataFollowsXdgDataHomeElseHome)
{
    TempDir dir;
    {
        ScopedEnvironment data("XDG_DATA_HOME", (dir.path() / "data").string() + "//");
        EXPECT_EQ(slashed(dir.path() / "data"), CSIDLToPath(CSIDL_LOCAL_APPDATA));
    }
    ScopedEnvironment home("HOME", dir.path().string());
    for (const std::optional<std::string>& unusable :
         {std::optional<std::string>(), std::optional<std::string>(""), std::optional<std::string>("relative/data")}) {
        ScopedEnvironment data("XDG_DATA_HOME", unusable);
        EXPECT_EQ(slashed(dir.path() / ".local/share"), CSIDLToPath(CSIDL_LOCAL_APPDATA));
    }
}

TEST(Folders, DocumentsComeFromVariableThenUserDirsThenHome)
{
    TempDir dir;
    fs::create_directories(dir / "Dokumente" / "a \"b\"");
    fs::create_directories(dir / "config");
    fs::create_directories(dir / "viaVariable");
    ScopedEnvironment home("HOME", dir.path().string());
    ScopedEnvironment config("XDG_CONFIG_HOME", (dir / "config").string());
    OrvaneTest::writeFile(dir / "config/user-dirs.dirs",
                          "# written by xdg-user-dirs-update\n"
                          "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                          "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente/a \\\"b\\\"\"\n");
    {
        ScopedEnvironment documents("XDG_DOCUMENTS_DIR", (dir / "viaVariable").string());
        EXPECT_EQ(slashed(dir / "viaVariable"), CSIDLToPath(CSIDL_PERSONAL));
    }
    {
        ScopedEnvironment documents("XDG_DOCUMENTS_DIR", (dir / "missing").string());
        EXPECT_EQ(slashed(dir / "Dokumente/a \"b\""), CSIDLToPath(CSIDL_PERSONAL));
    }
    ScopedEnvironment documents("XDG_DOCUMENTS_DIR", std::nullopt);
    EXPECT_EQ(slashed(dir / "Dokumente/a \"b\""), CSIDLToPath(CSIDL_PERSONAL));
    OrvaneTest::writeFile(dir / "config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/NotThere\"\n");
    EXPECT_EQ(slashed(dir.path()), CSIDLToPath(CSIDL_PERSONAL));
    fs::remove(dir / "config/user-dirs.dirs");
    EXPECT_EQ(slashed(dir.path()), CSIDLToPath(CSIDL_PERSONAL));
}

TEST(Folders, UnknownFolderRaisesSystemError)
{
    EXPECT_THROW(CSIDLToPath(0x26), Orvane::SystemError);
}

TEST(Folders, TemporaryFoldersAreNotCreated)
{
    TempDir dir;
    ScopedEnvironment tmp("TMPDIR", (dir / "t").string());
    EXPECT_EQ(slashed(dir / "t"), GetTempDir());
    EXPECT_EQ(slashed(dir / "t") + "Brantel/Orvane/", GetAppTempDir());
    EXPECT_FALSE(fs::exists(dir / "t"));
    ScopedEnvironment none("TMPDIR", std::nullopt);
    EXPECT_EQ("/tmp/", GetTempDir());
}

TEST(Folders, AppDataFolderIsCreatedPrivateWithItsParents)
{
    TempDir dir;
    ScopedEnvironment data("XDG_DATA_HOME", (dir / "fresh/share").string());
    const mode_t oldMask = ::umask(0);
    const std::string folder = GetAppDataDir();
    ::umask(oldMask);
    EXPECT_EQ(slashed(dir / "fresh/share/Brantel/Orvane"), folder);
    for (const char* created : {"fresh", "fresh/share", "fresh/share/Brantel", "fresh/share/Brantel/Orvane"})
        EXPECT_EQ(0700u, modeOf(dir / created)) << created;
    EXPECT_EQ(folder, GetAppDataDir());
}

TEST(Folders, ExistingAppDataFolderOpenToOthersIsTightened)
{
    TempDir dir;
    fs::create_directories(dir / "Brantel/Orvane");
    fs::permissions(dir / "Brantel/Orvane", fs::perms(0755));
    ScopedEnvironment data("XDG_DATA_HOME", dir.path().string());
    GetAppDataDir();
    EXPECT_EQ(0700u, modeOf(dir / "Brantel/Orvane"));
}

TEST(Folders, AppDataFolderBlockedByFileRaisesSystemError)
{
    TempDir dir;
    OrvaneTest::writeFile(dir / "file", "x");
    ScopedEnvironment data("XDG_DATA_HOME", (dir / "file").string());
    EXPECT_THROW(GetAppDataDir(), Orvane::SystemError);
    OrvaneTest::writeFile(dir / "Brantel", "x");
    ScopedEnvironment beside("XDG_DATA_HOME", dir.path().string());
    EXPECT_THROW(GetAppDataDir(), Orvane::SystemError);
}

TEST(Folders, PrivateFileIsOwnerOnlyEvenWhenItExistedOpen)
{
    TempDir dir;
    const fs::path file = dir / "config.dat";
    OrvaneTest::writeFile(file, "an older and longer content");
    fs::permissions(file, fs::perms(0644));
    const mode_t oldMask = ::umask(0);
    WritePrivateFile(file.string(), "secret");
    ::umask(oldMask);
    EXPECT_EQ(0600u, modeOf(file));
    EXPECT_EQ("secret", OrvaneTest::readFile(file));
    WritePrivateFile((dir / "new.dat").string(), "");
    EXPECT_EQ(0600u, modeOf(dir / "new.dat"));
    EXPECT_THROW(WritePrivateFile((dir / "missing/x.dat").string(), "x"), Orvane::SystemError);
}

} // namespace

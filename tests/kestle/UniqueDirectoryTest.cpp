#include "kestle/filesystem/unique_directory.hpp"
#include "support/TestSupport.hpp"

#include <boost/date_time/posix_time/posix_time.hpp>
#include <boost/filesystem/exception.hpp>
#include <boost/filesystem/operations.hpp>
#include <boost/format.hpp>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace fs = boost::filesystem;
using kestle::filesystem::unique_directory;

namespace {

std::string today()
{
    const auto date = boost::posix_time::microsec_clock::local_time().date();
    return (boost::format("%04d%02d%02d") % static_cast<int>(date.year()) % static_cast<int>(date.month())
            % static_cast<int>(date.day()))
        .str();
}

unsigned mode(const fs::path& path)
{
    struct stat status = {};
    EXPECT_EQ(0, ::stat(path.c_str(), &status)) << path;
    return status.st_mode & 07777;
}

TEST(UniqueDirectoryTest, CreatesAnEmptyPrivateDirectoryNamedByPrefixStampAndCounter)
{
    OrvaneTest::TempDir dir;
    const fs::path folder = dir / "Brantel" / "Orvane";
    const std::string before = today();
    const auto created = unique_directory(folder, "pre");
    const std::string after = today();

    ASSERT_TRUE(created);
    EXPECT_EQ(folder, created->parent_path());
    EXPECT_TRUE(fs::is_directory(*created));
    EXPECT_TRUE(fs::is_empty(*created));
    EXPECT_EQ(0700u, mode(*created));
    EXPECT_EQ(0700u, mode(folder));

    const std::string name = created->filename().string();
    const std::string date = name.substr(3, 8);
    EXPECT_EQ("pre", name.substr(0, 3));
    EXPECT_TRUE(date == before || date == after) << name;
    // Hours, minutes, seconds and microseconds follow unpadded: at least one digit each.
    EXPECT_GE(name.size(), 3u + 8u + 4u + 8u) << name;
    EXPECT_EQ("00000000", name.substr(name.size() - 8)) << name;
    EXPECT_EQ(std::string::npos, name.find_first_not_of("0123456789", 3, name.size() - 3 - 8)) << name;
}

TEST(UniqueDirectoryTest, ConcurrentCallersNeverShareADirectoryAndCountersRunFromZero)
{
    OrvaneTest::TempDir dir;
    const int threads = 4, calls = 50;
    std::vector<std::vector<fs::path>> results(threads);
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t)
        workers.emplace_back([&, t] {
            for (int i = 0; i < calls; ++i)
                results[t].push_back(*unique_directory(dir.path(), ""));
        });
    for (auto& worker : workers)
        worker.join();

    std::set<fs::path> distinct;
    std::map<std::string, std::set<std::string>> countersByStamp;
    for (const auto& list : results)
        for (const auto& path : list) {
            distinct.insert(path);
            const std::string name = path.filename().string();
            countersByStamp[name.substr(0, name.size() - 8)].insert(name.substr(name.size() - 8));
        }
    EXPECT_EQ(static_cast<std::size_t>(threads * calls), distinct.size());
    EXPECT_EQ(distinct.size(), static_cast<std::size_t>(std::distance(fs::directory_iterator(dir.path()), {})));
    // Callers that met in the same microsecond took the counters in order from 00000000.
    for (const auto& stamp : countersByStamp) {
        std::set<std::string> expected;
        for (std::size_t i = 0; i < stamp.second.size(); ++i)
            expected.insert((boost::format("%08X") % i).str());
        EXPECT_EQ(expected, stamp.second) << stamp.first;
    }
}

TEST(UniqueDirectoryTest, FileInPlaceOfTheFolderRaisesTheFileSystemError)
{
    OrvaneTest::TempDir dir;
    OrvaneTest::writeFile(dir / "blocker", "");
    EXPECT_THROW(unique_directory(dir / "blocker", ""), boost::filesystem::filesystem_error);
    EXPECT_THROW(unique_directory(dir / "blocker" / "below", ""), boost::filesystem::filesystem_error);
}

} // namespace

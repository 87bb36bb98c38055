#include "Utility/LastSelectedDevice.hpp"

#include "Exceptions.hpp"
#include "Utility/SearchAgent.hpp"
#include "support/TestSupport.hpp"

#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>

#include <sys/stat.h>

using namespace OrvaneTest;
using Orvane::MonitoredEntry::MFP;
using Orvane::Utility::LastSelectedDevice;

namespace {

MFP Defaults()
{
    MFP mfp;
    mfp.SetHTTP(80);
    mfp.SetHTTPS(443);
    mfp.SetSSL(true);
    return mfp;
}

MFP Device()
{
    MFP mfp = Defaults();
    mfp.SetName(std::wstring(L"\u8907\u5408\u6a5f 2F"));
    mfp.SetHost(L"10.0.0.5");
    mfp.SetHTTP(8080);
    mfp.SetHTTPS(0);
    return mfp;
}

class LastSelected : public ::testing::Test
{
protected:
    TempDir folder;
    LastSelectedDevice file {folder.path().string() + "/"};
};

} // namespace

TEST_F(LastSelected, StoresPrivatelyAndReadsBack)
{
    EXPECT_FALSE(file.Load(Defaults()));
    file.Store(Device());
    struct stat info
    { };
    ASSERT_EQ(0, ::stat(file.GetPath().c_str(), &info));
    EXPECT_EQ(0600u, info.st_mode & 0777);
    EXPECT_EQ(Device(), file.Load(Defaults()).value_or(MFP()));
}

TEST_F(LastSelected, AFileItDidNotWriteIsNoDevice)
{
    for (const std::string& content : {std::string("not json"), std::string("{\"host\": 5}"),
                                      std::string("{\"host\": \"10.0.0.5\", \"http\": 70000, \"https\": 443}"),
                                      std::string("{\"host\": \"10.0.0.5\", \"http\": \"80\", \"https\": 443}"),
                                      std::string("{\"host\": \"10.0.0.5\xFF\", \"http\": 80, \"https\": 443}"),
                                      "{\"host\": \"10.0.0.5\", \"http\": 80, \"https\": 443, \"x\": \""
                                          + std::string(LastSelectedDevice::FileSizeMax, 'x') + "\"}"}) {
        writeFile(file.GetPath(), content);
        EXPECT_FALSE(file.Load(Defaults())) << content.substr(0, 80);
    }
}

TEST_F(LastSelected, AgentAnswersTheZeroRecordWithoutAFileAndRaisesWhenItCannotBeRead)
{
    Orvane::Utility::SearchAgent agent({}, Defaults(), folder.path().string() + "/");
    const MFP& none = agent.GetSelectedDevice();
    EXPECT_EQ(L"", none.GetHost());
    EXPECT_FALSE(none.GetName());
    EXPECT_EQ(0, none.GetHTTP().value_or(-1));
    EXPECT_EQ(0, none.GetHTTPS().value_or(-1));

    agent.SelectDevice(Device());
    EXPECT_EQ(Device(), Orvane::Utility::SearchAgent({}, Defaults(), folder.path().string() + "/").GetSelectedDevice());

    boost::filesystem::remove(file.GetPath());
    boost::filesystem::create_directory(file.GetPath()); // read() fails: EISDIR
    EXPECT_THROW(agent.GetSelectedDevice(), Orvane::SystemError);
}

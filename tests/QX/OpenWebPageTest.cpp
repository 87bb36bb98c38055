#include "Device.hpp"

#include "QX/Quexhall.hpp"
#include "System/ScopedEnvironment.hpp"

#include <boost/filesystem/operations.hpp>

#include <gtest/gtest.h>

using namespace QXTest;

namespace {

// The browser: a command that writes the address it was given into a file.
class Browser
{
public:
    Browser()
        : m_command("ORVANE_OPEN_COMMAND", (m_folder / "open").string())
    {
        OrvaneTest::writeFile(m_folder / "open",
                              "#!/bin/sh\nprintf '%s' \"$1\" > '" + m_folder.path().string() + "/part' && mv '"
                                  + m_folder.path().string() + "/part' '" + m_folder.path().string() + "/url'\n");
        boost::filesystem::permissions(m_folder / "open", boost::filesystem::perms(0755));
    }

    std::string opened() const
    {
        const auto url = m_folder / "url";
        if (!OrvaneTest::waitUntil([&] { return boost::filesystem::exists(url); }))
            return "<nothing opened>";
        const std::string text = OrvaneTest::readFile(url);
        boost::filesystem::remove(url);
        return text;
    }

private:
    OrvaneTest::TempDir m_folder;
    OrvaneTest::ScopedEnvironment m_command;
};

Orvane::MonitoredEntry::MFP Device(int http, int https, bool ssl)
{
    Orvane::MonitoredEntry::MFP mfp;
    mfp.SetHost(L"mfp.example");
    mfp.SetHTTP(http);
    mfp.SetHTTPS(https);
    mfp.SetSSL(ssl);
    return mfp;
}

} // namespace

TEST(OpenWebPage, OpensTheDevicePageWithModeAndAccount)
{
    const Browser browser;
    const std::pair<Orvane::MonitoredEntry::MFP, std::string> cases[] = {
        {Device(80, 443, true), "https://mfp.example/orvane.htm?IFM=3&UN=alice"},
        {Device(443, 8443, false), "http://mfp.example:443/orvane.htm?IFM=3&UN=alice"},
        {Device(80, 443, false), "http://mfp.example/orvane.htm?IFM=3&UN=alice"},
        {Device(8080, 443, false), "http://mfp.example:8080/orvane.htm?IFM=3&UN=alice"},
    };
    for (const auto& [mfp, url] : cases) {
        Orvane::QX::Quexhall(mfp).OpenWebPage(Alice(), 3);
        EXPECT_EQ(url, browser.opened());
    }
    Orvane::QX::Quexhall(Device(80, 443, false)).OpenWebPage(Account(L"a b&c", L"x"), 4);
    EXPECT_EQ("http://mfp.example/orvane.htm?IFM=4&UN=a%20b%26c", browser.opened());
}

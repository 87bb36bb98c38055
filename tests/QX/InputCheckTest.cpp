#include "QX/InputCheck.hpp"

#include <gtest/gtest.h>

using namespace Orvane::QX;

TEST(InputCheck, HostIsAnIPv4AddressOrAHostName)
{
    const std::pair<std::wstring, bool> cases[] = {
        {L"192.168.0.1", true},
        {L"0.0.0.0", true},
        {L"255.255.255.255", true},
        {L"mfp", true},
        {L"a", true},
        {L"mfp-3_f.office.example", true},
        {L"256.1.1.1", true}, // not an address, but a name of digit labels
        {L"", false},
        {L"-mfp", false},
        {L"mfp-", false},
        {L"mfp..office", false},
        {L"mfp.", false},
        {L"mfp office", false},
        {L"mfp:80", false},
        {L"prüfer", false},
        {std::wstring(255, L'a'), true},
        {std::wstring(256, L'a'), false},
    };
    for (const auto& [host, valid] : cases)
        EXPECT_EQ(valid, IsValidHost(host)) << std::string(host.begin(), host.end());
}

TEST(InputCheck, PortsTextsAndAscii)
{
    EXPECT_TRUE(IsValidPort(0));
    EXPECT_TRUE(IsValidPort(65535));
    EXPECT_FALSE(IsValidPort(-1));
    EXPECT_FALSE(IsValidPort(65536));
    EXPECT_TRUE(IsNotEmpty(L"x"));
    EXPECT_FALSE(IsNotEmpty(L""));
    EXPECT_TRUE(IsASCII(L""));
    EXPECT_TRUE(IsASCII(L"pass\x7f"));
    EXPECT_FALSE(IsASCII(L"pass\x80"));
    EXPECT_FALSE(IsASCII(L"パス"));
}

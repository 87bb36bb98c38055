#pragma once

#include "MonitoredEntry/EntryProperty.hpp"
#include "MonitoredEntry/EventProperty.hpp"

#include <string>

namespace OrvaneTest {

// A property every check accepts under the default limits, for the device `host`.
inline Orvane::MonitoredEntry::EntryProperty validProperty(const std::wstring& host = L"192.168.0.10",
                                                           bool monitoring = true)
{
    using namespace Orvane::MonitoredEntry;
    MFP mfp;
    mfp.SetHost(host);
    mfp.SetHTTP(80);
    User user;
    user.SetID(L"user01");
    user.SetPassword(Password(L"secret"));
    Config config;
    config.SetLogMax(25);
    config.SetInterval(1800000);
    config.SetEraseTime(10000);
    EntryProperty property;
    property.SetMonitoring(monitoring);
    property.SetMFP(mfp);
    property.SetUser(user);
    property.SetConfig(config);
    return property;
}

inline Orvane::MonitoredEntry::EventProperty eventProperty(const std::wstring& docID,
                                                           const std::string& time = "Mon, 01 Apr 2024 10:00:00 +0900")
{
    return Orvane::MonitoredEntry::EventProperty(L"Scan", L"scan.pdf", std::wstring(L"/thumb/") + docID, docID,
                                                 Orvane::RSS::EventTime(time));
}

} // namespace OrvaneTest

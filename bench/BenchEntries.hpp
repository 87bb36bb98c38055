#pragma once

// Entry properties for the benchmarks, valid under the default limits.

#include "MonitoredEntry/EntryProperty.hpp"

#include <string>

namespace OrvaneBench {

// A monitored account `account` on the device at `host`:`port`, checked every `intervalMs`.
inline Orvane::MonitoredEntry::EntryProperty BenchProperty(const std::wstring& host, int port,
                                                           const std::wstring& account, const std::wstring& password,
                                                           int intervalMs)
{
    using namespace Orvane::MonitoredEntry;
    MFP mfp;
    mfp.SetHost(host);
    mfp.SetHTTP(port);
    User user;
    user.SetID(account);
    user.SetPassword(Password(password));
    Config config;
    config.SetLogMax(50);
    config.SetInterval(intervalMs);
    config.SetEraseTime(10000);
    EntryProperty property;
    property.SetMonitoring(true);
    property.SetMFP(mfp);
    property.SetUser(user);
    property.SetConfig(config);
    return property;
}

} // namespace OrvaneBench

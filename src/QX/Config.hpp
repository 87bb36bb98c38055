#pragma once

#include "HTTP/Timeout.hpp"

#include <memory>

namespace Orvane::QX {

// The eleven time-out sets of the device operations, by index.
class Config
{
public:
    enum Set {
        RSSFeed = 0,
        MachineSettings = 1,
        UserInfo = 2,
        UserList = 3,
        DownloadImage = 4,
        GetImage = 5,
        Print = 6,
        Thumbnail = 7,
        Subscribe = 8,
        Unsubscribe = 9,
        Delete = 10,
        SetCount = 11
    };

    Config();
    Config(const Config& other);
    Config& operator=(const Config& other);
    ~Config();

    const HTTP::Timeout& Get(Set set) const;
    void Put(Set set, const HTTP::Timeout& timeout);

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

// Installs a copy as the process-wide current configuration, replacing the previous one whole.
void SetConfig(const Config& config);

// A copy of the process-wide current configuration.
Config GetConfig();

} // namespace Orvane::QX

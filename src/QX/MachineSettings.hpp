#pragma once

#include <string>

namespace Orvane::QX {

// What GetMachineSettings reads from the device.
struct MachineSettings
{
    std::string MachineName;
    bool SecurityPolicy = false;
    bool GuestLogin = false;
};

} // namespace Orvane::QX

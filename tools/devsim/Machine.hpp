#pragma once

#include <string>

namespace OrvaneDevSim {

// The device-wide settings answered by GetMachineSettings.
struct Machine
{
    std::string name;
    bool securityPolicy = false;
    bool guestLogin = false;
};

} // namespace OrvaneDevSim

#pragma once

#include <map>
#include <string>
#include <strings.h>

namespace OrvaneDevSim {

// Query parameter names are looked up without regard to case: the program sends "IFM" on the
// document page and appends "ifm" to thumbnail addresses.
struct CaseInsensitiveLess
{
    bool operator()(const std::string& a, const std::string& b) const { return ::strcasecmp(a.c_str(), b.c_str()) < 0; }
};

// What the device service needs to know about one HTTP request, independent of the server library.
struct DeviceRequest
{
    std::string method;
    std::string path;
    std::map<std::string, std::string, CaseInsensitiveLess> params;
    std::string body;
    std::string remoteAddress;
    std::string authorization;
    std::string host; // the Host header, used to write absolute links
    bool secure = false;

    std::string param(const std::string& name) const
    {
        const auto found = params.find(name);
        return found == params.end() ? std::string() : found->second;
    }
};

} // namespace OrvaneDevSim

#pragma once

#include "Markup.hpp"

#include <map>
#include <string>

namespace OrvaneDevSim {

// The answer the device service gives, before faults shape how it goes on the wire.
struct DeviceReply
{
    int status = 200;
    std::string contentType;
    std::string body;
    std::map<std::string, std::string> headers;

    static DeviceReply html(int status, const std::string& text)
    {
        return {
            status, "text/html; charset=UTF-8", "<html><body><p>" + Markup::escape(text) + "</p></body></html>", {}};
    }
};

} // namespace OrvaneDevSim

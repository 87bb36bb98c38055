#pragma once

#include "CommandService.hpp"
#include "DeviceReply.hpp"
#include "DocumentPage.hpp"

#include <string>

namespace OrvaneDevSim {

class DeviceState;
struct DeviceRequest;

// The device's web service as a whole: names the operation of each request and answers it.
class DeviceService
{
public:
    explicit DeviceService(DeviceState& state);

    // One of the command page names, "feed", "thumbnail", the document page operations, or
    // "unknown" for everything else.
    static std::string operationOf(const DeviceRequest& request);

    DeviceReply handle(const std::string& operation, const DeviceRequest& request);

private:
    DeviceReply feed(const DeviceRequest& request) const;
    DeviceReply thumbnail(const DeviceRequest& request) const;
    static std::string feedAccount(const std::string& path);

    DeviceState& m_state;
    CommandService m_commands;
    DocumentPage m_page;
};

} // namespace OrvaneDevSim

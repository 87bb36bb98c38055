#pragma once

#include "DeviceReply.hpp"

#include <string>

namespace OrvaneDevSim {

class DeviceState;
class XmlRequest;
struct DeviceRequest;

// The five commands posted as XML documents to the "/cgi-bin/" pages.
class CommandService
{
public:
    explicit CommandService(DeviceState& state);

    // command: the operation name, which is also the page name without ".cgi".
    DeviceReply handle(const std::string& command, const DeviceRequest& request);

    static bool isCommand(const std::string& name);

private:
    DeviceReply machineSettings() const;
    DeviceReply userList() const;
    DeviceReply userInfo(const XmlRequest& document) const;
    DeviceReply subscribe(const XmlRequest& document, const DeviceRequest& request);
    DeviceReply unsubscribe(const XmlRequest& document, const DeviceRequest& request);

    DeviceState& m_state;
};

} // namespace OrvaneDevSim

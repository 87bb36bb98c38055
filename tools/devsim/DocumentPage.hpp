#pragma once

#include "DeviceReply.hpp"

#include <string>

namespace OrvaneDevSim {

class DeviceState;
struct DeviceRequest;

// The device page "/orvane.htm": document download, print and delete by "IFM" code, and the
// login and notified-items pages the program opens in a browser.
class DocumentPage
{
public:
    explicit DocumentPage(DeviceState& state);

    // The operation a request of this page is, from its "IFM" parameter.
    static std::string operationOf(const std::string& ifm);

    DeviceReply handle(const std::string& operation, const DeviceRequest& request);

private:
    DeviceReply download(const DeviceRequest& request);
    DeviceReply print(const DeviceRequest& request);
    DeviceReply remove(const DeviceRequest& request);
    DeviceReply loginPage(const DeviceRequest& request) const;
    DeviceReply notifiedPage(const DeviceRequest& request) const;
    DeviceReply topPage() const;
    void markReadIfAsked(const DeviceRequest& request);

    DeviceState& m_state;
};

} // namespace OrvaneDevSim

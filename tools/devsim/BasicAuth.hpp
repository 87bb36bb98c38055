#pragma once

#include "DeviceReply.hpp"

#include <optional>
#include <string>

namespace OrvaneDevSim {

class DeviceState;
struct DeviceRequest;

// HTTP Basic authentication of the feed, thumbnails and the document actions that need it.
class BasicAuth
{
public:
    // The account named by valid credentials, or nothing.
    static std::optional<std::string> account(const DeviceState& state, const DeviceRequest& request);

    // Nothing when the request is authenticated as the owner; otherwise the refusal to send:
    // 401 for missing or wrong credentials, 403 for another account.
    static std::optional<DeviceReply> refuse(const DeviceState& state, const DeviceRequest& request,
                                             const std::string& owner);

private:
    static std::optional<std::string> decodeBase64(const std::string& text);
};

} // namespace OrvaneDevSim

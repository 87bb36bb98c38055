#include "BasicAuth.hpp"

#include "DeviceRequest.hpp"
#include "DeviceState.hpp"

#include <strings.h>

namespace OrvaneDevSim {

std::optional<std::string> BasicAuth::decodeBase64(const std::string& text)
{
    static const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    unsigned bits = 0;
    int count = 0;
    for (const char c : text) {
        if (c == '=')
            break;
        const auto value = alphabet.find(c);
        if (value == std::string::npos)
            return std::nullopt;
        bits = (bits << 6) | static_cast<unsigned>(value);
        count += 6;
        if (count >= 8) {
            count -= 8;
            out += static_cast<char>((bits >> count) & 0xFF);
        }
    }
    return out;
}

std::optional<std::string> BasicAuth::account(const DeviceState& state, const DeviceRequest& request)
{
    static const std::string scheme = "Basic ";
    const std::string& header = request.authorization;
    if (header.size() <= scheme.size() || ::strncasecmp(header.c_str(), scheme.c_str(), scheme.size()) != 0)
        return std::nullopt;
    const auto decoded = decodeBase64(header.substr(scheme.size()));
    const auto colon = decoded ? decoded->find(':') : std::string::npos;
    if (colon == std::string::npos)
        return std::nullopt;
    const std::string user = decoded->substr(0, colon);
    if (!state.checkPassword(user, decoded->substr(colon + 1)))
        return std::nullopt;
    return user;
}

std::optional<DeviceReply> BasicAuth::refuse(const DeviceState& state, const DeviceRequest& request,
                                             const std::string& owner)
{
    const auto user = account(state, request);
    if (!user) {
        DeviceReply reply = DeviceReply::html(401, "Authentication required");
        reply.headers["WWW-Authenticate"] = "Basic realm=\"Orvane\"";
        return reply;
    }
    if (*user != owner)
        return DeviceReply::html(403, "This belongs to another account");
    return std::nullopt;
}

} // namespace OrvaneDevSim

#pragma once

#include "support/DevSim.hpp"

#include <httplib.h>

#include <optional>
#include <string>

// Raw HTTP and XML calls to the simulated device, as the program would make them.
class DeviceCalls
{
public:
    explicit DeviceCalls(const OrvaneTest::DevSim& devsim, bool secure = false);

    // Posts a command document ("<REQUEST><COMMAND>..</COMMAND>[<PARAM>params</PARAM>]</REQUEST>").
    httplib::Result command(const std::string& page, const std::string& name, const std::string& params = "");
    httplib::Result post(const std::string& path, const std::string& body);
    // A GET with Basic credentials when a user is given.
    httplib::Result get(const std::string& target, const std::string& user = "", const std::string& password = "");

    // The text of the first element of that name in an XML answer; nothing when the answer is not
    // well-formed or has no such element.
    static std::optional<std::string> text(const std::string& xml, const std::string& element);
    static std::string subscribeParams(const std::string& user, const std::string& password, int port);

private:
    httplib::Client m_client;
};

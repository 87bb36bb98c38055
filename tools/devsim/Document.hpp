#pragma once

#include <string>

namespace OrvaneDevSim {

// One document the device keeps for an account.
struct Document
{
    std::string id;
    std::string title;
    std::string category;
    std::string contentType;
    std::string content;
    std::string pubDate; // RFC 822, as the feed shows it
    bool read = false;
    int printCount = 0;
};

} // namespace OrvaneDevSim

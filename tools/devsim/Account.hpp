#pragma once

#include "Document.hpp"
#include "Subscription.hpp"

#include <string>
#include <vector>

namespace OrvaneDevSim {

// A user account on the device with its documents (oldest first) and feed subscribers.
struct Account
{
    std::string id;
    std::string password;
    std::string displayName;
    std::string lastBuildDate;
    std::vector<Document> documents;
    std::vector<Subscription> subscribers;
};

} // namespace OrvaneDevSim

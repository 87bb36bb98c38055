#pragma once

#include <string>

namespace OrvaneDevSim {

// A program that asked for change signals: where its datagrams go.
struct Subscription
{
    std::string address;
    int port = 0;
};

} // namespace OrvaneDevSim

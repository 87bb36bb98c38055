#include "ControlClient.hpp"

#include <httplib.h>

#include <iostream>

namespace OrvaneDevSim {

int ControlClient::run(int argc, char** argv)
{
    if (argc < 4 || argc > 5) {
        std::cerr << "usage: orvane-devsim ctl <control port> <command> [json]\n";
        return 2;
    }
    int port = 0;
    try {
        port = std::stoi(argv[2]);
    } catch (const std::exception&) {
        std::cerr << "not a port: " << argv[2] << '\n';
        return 2;
    }
    const std::string command = argv[3];
    httplib::Client client("127.0.0.1", port);
    const auto result = command == "state" || command == "log"
        ? client.Get(("/" + command).c_str())
        : client.Post(("/" + command).c_str(), argc == 5 ? argv[4] : "{}", "application/json");
    if (!result) {
        std::cerr << "no answer from the simulator: " << httplib::to_string(result.error()) << '\n';
        return 1;
    }
    std::cout << result->body;
    return result->status / 100 == 2 ? 0 : 1;
}

} // namespace OrvaneDevSim

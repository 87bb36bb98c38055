#pragma once

#include <string>

namespace OrvaneDevSim {

// "orvane-devsim ctl <port> <command> [json]": sends one control command to a running simulator
// on 127.0.0.1 and prints its JSON answer. "state" and "log" are reads; every other command is
// posted with the JSON (default {}).
class ControlClient
{
public:
    // Answers the process exit code: 0 for a 2xx answer, 1 otherwise.
    static int run(int argc, char** argv);
};

} // namespace OrvaneDevSim

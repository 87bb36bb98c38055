#pragma once

#include <optional>
#include <string>

namespace OrvaneDevSim {

// The simulator's command line.
struct Options
{
    int httpPort = 0;
    int httpsPort = 0;
    int controlPort = 0;
    std::string bind = "127.0.0.1";
    std::string portsFile;
    std::string configFile;
    bool demo = false;
    std::string certificateFile;
    std::string keyFile;
    // A test that dies must not leave its simulator holding the test's output open.
    bool exitWithParent = false;

    // Nothing when the program should exit at once (help shown); std::invalid_argument (with the
    // text to show) for a bad command line.
    static std::optional<Options> parse(int argc, char** argv);
};

} // namespace OrvaneDevSim

#include "Options.hpp"

#include <boost/program_options.hpp>

#include <iostream>
#include <sstream>
#include <stdexcept>

namespace po = boost::program_options;

namespace OrvaneDevSim {

namespace {

void checkPort(int port, const char* name)
{
    if (port < 0 || port > 65535)
        throw std::invalid_argument(std::string("--") + name + " must be 0 to 65535");
}

} // namespace

std::optional<Options> Options::parse(int argc, char** argv)
{
    Options options;
    po::options_description description(
        "orvane-devsim: a simulated device web service on loopback\n"
        "usage: orvane-devsim [options] | orvane-devsim ctl <control port> <command> [json]\n"
        "options");
    description.add_options()("help,h", "show this help")("http-port", po::value(&options.httpPort)->default_value(0),
                                                          "HTTP port (0: a free port)")(
        "https-port", po::value(&options.httpsPort)->default_value(0), "HTTPS port (0: a free port)")(
        "control-port", po::value(&options.controlPort)->default_value(0), "control port (0: a free port)")(
        "bind", po::value(&options.bind)->default_value("127.0.0.1"), "loopback address to listen on")(
        "ports-file", po::value(&options.portsFile), "write the ports as JSON here once listening")(
        "config", po::value(&options.configFile), "accounts and documents (JSON)")(
        "demo", po::bool_switch(&options.demo), "a demo machine with the account demo/demo")(
        "cert", po::value(&options.certificateFile), "HTTPS certificate (PEM); self-signed when absent")(
        "key", po::value(&options.keyFile), "HTTPS private key (PEM)")(
        "exit-with-parent", po::bool_switch(&options.exitWithParent), "stop when the starting process ends");
    po::variables_map values;
    try {
        po::store(po::parse_command_line(argc, argv, description), values);
        po::notify(values);
    } catch (const po::error& error) {
        throw std::invalid_argument(error.what());
    }
    if (values.count("help")) {
        std::cout << description << '\n';
        return std::nullopt;
    }
    checkPort(options.httpPort, "http-port");
    checkPort(options.httpsPort, "https-port");
    checkPort(options.controlPort, "control-port");
    if (options.demo && !options.configFile.empty())
        throw std::invalid_argument("--demo and --config exclude each other");
    if (options.certificateFile.empty() != options.keyFile.empty())
        throw std::invalid_argument("--cert and --key go together");
    return options;
}

} // namespace OrvaneDevSim

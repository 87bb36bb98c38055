#include "CommandLine.hpp"

#include "System/Text.hpp"

#include <boost/program_options.hpp>

namespace po = boost::program_options;

namespace Orvane {

namespace {

constexpr unsigned LineWidth = 80;

// Grouped as users look for them; parsing takes all groups together.
po::options_description Options()
{
    po::options_description run("Running", LineWidth);
    run.add_options()("headless", "run without any window: events are written to standard output as JSON lines")(
        "verbose", "write what the desktop offers (platform, tray, notifications) to standard error")(
        "version", "show the version and the language file's version")("help,h", "show this list");

    po::options_description install("Registering a device (replaces the configuration)", LineWidth);
    install.add_options()("install,i", "reset the configuration and register the entry the options describe")(
        "mname", po::value<std::string>(), "device name")("host", po::value<std::string>(),
                                                          "device IP address or host name")(
        "http", po::value<std::int32_t>(), "device HTTP port")("https", po::value<std::int32_t>(), "device HTTPS port")(
        "uname", po::value<std::string>(), "account display name")("uid", po::value<std::string>(),
                                                                   "account ID used to log in")(
        "upass", po::value<std::string>(), "account password")("convert", "accepted for installers; no effect");

    po::options_description search("Finding devices", LineWidth);
    search.add_options()("search", "search the local network for devices and write one JSON line per device found")(
        "timeout", po::value<double>(), "the longest the search takes, in seconds (5)")(
        "search-host", po::value<std::vector<std::string>>(),
        "also ask this host (HOST or HOST:PORT) by SNMP; repeatable")(
        "no-broadcast", "do not send the SNMP request to the local networks' broadcast addresses");

    po::options_description other("Ending", LineWidth);
    other.add_options()("uninstall,u", "close the running instance");

    po::options_description options(LineWidth);
    options.add(run).add(install).add(search).add(other);
    return options;
}

boost::optional<std::wstring> Text(const po::variables_map& values, const char* name)
{
    if (!values.count(name))
        return boost::none;
    return System::FromANSI(values[name].as<std::string>());
}

boost::optional<std::int32_t> Number(const po::variables_map& values, const char* name)
{
    if (!values.count(name))
        return boost::none;
    return values[name].as<std::int32_t>();
}

} // namespace

struct CommandLine::Pimpl
{
    po::variables_map values;
    InstallOptions install;
};

CommandLine::CommandLine(int argc, const char* const argv[])
    : m_pimpl(std::make_unique<Pimpl>())
{
    po::variables_map& values = m_pimpl->values;
    po::store(po::command_line_parser(argc, argv).options(Options()).allow_unregistered().run(), values);
    po::notify(values);
    m_pimpl->install = {Text(values, "mname"), Text(values, "host"), Number(values, "http"), Number(values, "https"),
                        Text(values, "uname"), Text(values, "uid"),  Text(values, "upass")};
}

CommandLine::~CommandLine() = default;

bool CommandLine::IsInstall() const
{
    return m_pimpl->values.count("install") != 0;
}

bool CommandLine::IsUninstall() const
{
    return m_pimpl->values.count("uninstall") != 0;
}

bool CommandLine::IsHeadless() const
{
    return m_pimpl->values.count("headless") != 0;
}

bool CommandLine::IsVerbose() const
{
    return m_pimpl->values.count("verbose") != 0;
}

bool CommandLine::IsHelp() const
{
    return m_pimpl->values.count("help") != 0;
}

bool CommandLine::IsVersion() const
{
    return m_pimpl->values.count("version") != 0;
}

bool CommandLine::IsSearch() const
{
    return m_pimpl->values.count("search") != 0;
}

CommandLine::SearchOptions CommandLine::GetSearchOptions() const
{
    const po::variables_map& values = m_pimpl->values;
    SearchOptions options;
    if (values.count("timeout"))
        options.timeoutSeconds = values["timeout"].as<double>();
    if (values.count("search-host"))
        options.hosts = values["search-host"].as<std::vector<std::string>>();
    options.broadcast = values.count("no-broadcast") == 0;
    return options;
}

const CommandLine::InstallOptions& CommandLine::GetInstallOptions() const
{
    return m_pimpl->install;
}

void CommandLine::PrintHelp(std::ostream& out)
{
    out << "Usage: orvane [options]\n"
           "Without options Orvane runs as the resident notifier in the tray; only one instance runs per user.\n"
           "The exit codes are listed in orvane(1).\n"
        << Options();
}

} // namespace Orvane

#include "SearchMode.hpp"

#include "Config.hpp"
#include "ExitCode.hpp"
#include "MonitoredEntry/EntryProperty.hpp"
#include "Utility/AnnouncedText.hpp"
#include "Utility/SearchAgent.hpp"

#include <boost/filesystem/operations.hpp>

#include <nlohmann/json.hpp>

#include <cmath>

namespace Orvane {

namespace {

void PutText(nlohmann::json& line, const char* key, const std::string& text)
{
    if (!text.empty())
        line[key] = text;
}

nlohmann::json DeviceLine(const Utility::FoundDevice& device)
{
    const MonitoredEntry::MFP& mfp = device.mfp;
    nlohmann::json line;
    line["name"] = mfp.GetName() ? nlohmann::json(Utility::Utf8Text(*mfp.GetName())) : nlohmann::json();
    line["host"] = Utility::Utf8Text(mfp.GetHost());
    line["http"] = mfp.GetHTTP().value_or(0);
    line["https"] = mfp.GetHTTPS().value_or(0);
    line["ssl"] = mfp.IsSSL();
    line["sources"] = device.sources;
    line["services"] = device.services;
    line["addresses"] = device.addresses;
    PutText(line, "hostName", device.hostName);
    PutText(line, "model", device.model);
    PutText(line, "location", device.location);
    PutText(line, "uuid", device.uuid);
    return line;
}

bool IsTimeout(const boost::optional<double>& seconds)
{
    return !seconds || (std::isfinite(*seconds) && *seconds > 0 && *seconds <= SearchMode::TimeoutMax);
}

// The records start from the configured default device when there is a configuration; a search
// writes none.
MonitoredEntry::MFP DefaultDevice()
{
    Config config = Config::Instance();
    if (boost::filesystem::exists(config.GetPath()))
        config.Load();
    return config.GetDefaultEntryProperty().GetMFP();
}

} // namespace

struct SearchMode::Pimpl
{
    CommandLine::SearchOptions options;
    std::ostream& out;
};

SearchMode::SearchMode(const CommandLine::SearchOptions& options, std::ostream& out)
    : m_pimpl(std::make_unique<Pimpl>(Pimpl {options, out}))
{ }

SearchMode::~SearchMode() = default;

bool SearchMode::Execute()
{
    const CommandLine::SearchOptions& options = m_pimpl->options;
    try {
        if (!IsTimeout(options.timeoutSeconds))
            throw ExitCode::InvalidOptions;
        Utility::DeviceSearch::Options search = Utility::SearchAgent::DefaultOptions();
        if (options.timeoutSeconds)
            search.timeout = std::chrono::milliseconds(std::llround(*options.timeoutSeconds * 1000));
        search.snmp.hosts = options.hosts;
        search.snmp.broadcast = options.broadcast;
        Utility::SearchAgent agent(search, DefaultDevice());
        agent.Search();
        for (const Utility::FoundDevice& device : agent.GetFoundRecords())
            m_pimpl->out << DeviceLine(device).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
        SetExitCode(ExitCode::Success);
        return true;
    } catch (...) {
        FailWithCurrentException();
    }
    return false;
}

void SearchMode::Finish() { }

} // namespace Orvane

#include "Utility/SearchAgent.hpp"

#include "Config.hpp"
#include "Exceptions.hpp"
#include "MonitoredEntry/EntryProperty.hpp"
#include "Utility/LastSelectedDevice.hpp"

#include <kestle/exception.hpp>

#include <mutex>

namespace Orvane::Utility {

struct SearchAgent::Pimpl
{
    Pimpl(const DeviceSearch::Options& options, const MonitoredEntry::MFP& defaults, const std::string& folder)
        : options(options)
        , defaults(defaults)
        , lastSelected(folder)
    { }

    static void CheckError(const boost::optional<SearchError>& error);
    MonitoredEntry::MFP ZeroRecord() const;

    const DeviceSearch::Options options;
    const MonitoredEntry::MFP defaults;
    const LastSelectedDevice lastSelected;
    std::vector<FoundDevice> records;
    std::vector<MonitoredEntry::MFP> found;
    MonitoredEntry::MFP selected;
    std::mutex runningMutex;
    std::shared_ptr<DeviceSearch> running;
};

void SearchAgent::Pimpl::CheckError(const boost::optional<SearchError>& error)
{
    if (!error)
        return;
    switch (error->code) {
    case SearchError::CommunicationFailure:
        BOOST_THROW_EXCEPTION(kestle::communication_failure());
    case SearchError::SystemFailure:
        BOOST_THROW_EXCEPTION(SystemError(error->systemError));
    default:
        return; // nothing chosen, nothing to report
    }
}

MonitoredEntry::MFP SearchAgent::Pimpl::ZeroRecord() const
{
    MonitoredEntry::MFP zero = defaults;
    zero.SetName(boost::none);
    zero.SetHost(std::wstring());
    zero.SetHTTP(0);
    zero.SetHTTPS(0);
    return zero;
}

SearchAgent::SearchAgent()
    : SearchAgent(DefaultOptions(), Config::Instance().GetDefaultEntryProperty().GetMFP())
{ }

SearchAgent::SearchAgent(const DeviceSearch::Options& options, const MonitoredEntry::MFP& defaults,
                         const std::string& folder)
    : m_pimpl(std::make_shared<Pimpl>(options, defaults, folder))
{ }

SearchAgent::~SearchAgent() = default;

DeviceSearch::Options SearchAgent::DefaultOptions()
{
    DeviceSearch::Options options;
    options.snmp.broadcast = true;
    return options;
}

void SearchAgent::Search(const DeviceSearch::Listener& listener)
{
    Pimpl& p = *m_pimpl;
    auto search = std::make_shared<DeviceSearch>(p.options, p.defaults);
    {
        std::lock_guard<std::mutex> lock(p.runningMutex);
        p.running = search;
    }
    DeviceSearch::Result result = search->Run(listener);
    {
        std::lock_guard<std::mutex> lock(p.runningMutex);
        if (p.running == search)
            p.running.reset();
    }
    p.records = std::move(result.devices);
    p.found.clear();
    for (const FoundDevice& record : p.records)
        p.found.push_back(record.mfp);
    Pimpl::CheckError(result.error);
}

void SearchAgent::Cancel()
{
    std::lock_guard<std::mutex> lock(m_pimpl->runningMutex);
    if (m_pimpl->running)
        m_pimpl->running->Cancel();
}

const std::vector<MonitoredEntry::MFP>& SearchAgent::GetFoundDevices() const
{
    return m_pimpl->found;
}

const std::vector<FoundDevice>& SearchAgent::GetFoundRecords() const
{
    return m_pimpl->records;
}

const MonitoredEntry::MFP& SearchAgent::GetSelectedDevice()
{
    Pimpl& p = *m_pimpl;
    p.selected = p.lastSelected.Load(p.defaults).value_or(p.ZeroRecord());
    return p.selected;
}

void SearchAgent::SelectDevice(const MonitoredEntry::MFP& device)
{
    m_pimpl->lastSelected.Store(device);
    m_pimpl->selected = device;
}

} // namespace Orvane::Utility

#include "Utility/DeviceSearch.hpp"

#include "Utility/AvahiSource.hpp"
#include "Utility/DeviceMerger.hpp"
#include "Utility/SearchChannel.hpp"

#include <atomic>
#include <mutex>
#include <system_error>
#include <thread>

namespace Orvane::Utility {

namespace {

using Clock = std::chrono::steady_clock;
constexpr int MdnsIndex = 0;
constexpr int SnmpIndex = 1;

} // namespace

struct DeviceSearch::Pimpl
{
    // The source threads of one run; stopped and joined however the run ends.
    class Threads
    {
    public:
        explicit Threads(Pimpl& search)
            : m_search(search)
        { }
        ~Threads()
        {
            m_search.StopSources();
            for (std::thread& thread : m_threads)
                thread.join();
        }
        template <typename Body>
        void Start(Body body)
        {
            m_threads.emplace_back(body);
        }

    private:
        Pimpl& m_search;
        std::vector<std::thread> m_threads;
    };

    Pimpl(const Options& options, const MonitoredEntry::MFP& defaults)
        : options(options)
        , defaults(defaults)
        , snmp(options.snmp)
    { }

    void StartSources(Threads& threads, SearchChannel& channel, Clock::time_point deadline);
    void StopSources();
    Result Collect(SearchChannel& channel, Clock::time_point start, const Listener& listener);

    const Options options;
    const MonitoredEntry::MFP defaults;
    AvahiSource avahi;
    SnmpSource snmp;
    std::atomic<bool> cancelled {false};
    std::mutex channelMutex; // Cancel wakes the channel of a run
    SearchChannel* channel = nullptr;
};

void DeviceSearch::Pimpl::StartSources(Threads& threads, SearchChannel& channel, Clock::time_point deadline)
{
    threads.Start([this, &channel, deadline] {
        if (options.mdns)
            avahi.Run(channel, MdnsIndex, deadline);
        channel.Finish(MdnsIndex);
    });
    threads.Start([this, &channel, deadline] {
        snmp.Run(channel, deadline);
        channel.Finish(SnmpIndex);
    });
}

void DeviceSearch::Pimpl::StopSources()
{
    avahi.Stop();
    snmp.Stop();
}

DeviceSearch::Result DeviceSearch::Pimpl::Collect(SearchChannel& channel, Clock::time_point start,
                                                  const Listener& listener)
{
    const Clock::time_point deadline = start + options.timeout;
    const Clock::time_point earliest = start + std::min(options.minimum, options.timeout);
    DeviceMerger merger(defaults);
    Result result;
    Clock::time_point lastNews = start;
    bool settled = false;
    while (!cancelled) {
        const Clock::time_point until
            = settled ? std::min(deadline, std::max(earliest, lastNews + options.quiet)) : deadline;
        SearchChannel::Batch batch = channel.Take(until);
        bool news = false;
        for (const Sighting& sighting : batch.sightings)
            news = merger.Add(sighting) || news;
        const Clock::time_point now = Clock::now();
        if (news) {
            lastNews = now;
            std::vector<FoundDevice> devices = merger.GetDevices();
            if (devices != result.devices) {
                result.devices = std::move(devices);
                if (listener)
                    listener(result.devices);
            }
        }
        settled = batch.settled;
        result.error = batch.error;
        if (result.error || batch.finished || now >= deadline
            || (settled && now >= earliest && now - lastNews >= options.quiet))
            break;
    }
    return result;
}

DeviceSearch::DeviceSearch(const Options& options, const MonitoredEntry::MFP& defaults)
    : m_pimpl(std::make_unique<Pimpl>(options, defaults))
{ }

DeviceSearch::~DeviceSearch() = default;

DeviceSearch::Result DeviceSearch::Run(const Listener& listener)
{
    Pimpl& p = *m_pimpl;
    const Clock::time_point start = Clock::now();
    SearchChannel channel(2);
    {
        std::lock_guard<std::mutex> lock(p.channelMutex);
        p.channel = &channel;
    }
    Result result;
    try {
        Pimpl::Threads threads(p);
        p.StartSources(threads, channel, start + p.options.timeout);
        result = p.Collect(channel, start, listener);
    } catch (const std::system_error& error) {
        // A thread the search could not start.
        result.error = SearchError {SearchError::SystemFailure, error.code().value()};
    }
    std::lock_guard<std::mutex> lock(p.channelMutex);
    p.channel = nullptr;
    return result;
}

void DeviceSearch::Cancel()
{
    Pimpl& p = *m_pimpl;
    p.cancelled = true;
    p.StopSources();
    std::lock_guard<std::mutex> lock(p.channelMutex);
    if (p.channel)
        p.channel->Wake();
}

} // namespace Orvane::Utility

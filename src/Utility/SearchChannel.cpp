#include "Utility/SearchChannel.hpp"

#include <algorithm>
#include <condition_variable>
#include <mutex>

namespace Orvane::Utility {

struct SearchChannel::Pimpl
{
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<Sighting> sightings;
    std::vector<bool> settled;
    std::vector<bool> finished;
    boost::optional<SearchError> error;
    bool news = false;

    template <typename Change>
    void Update(Change change)
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            change();
            news = true;
        }
        changed.notify_all();
    }
};

SearchChannel::SearchChannel(int sources)
    : m_pimpl(std::make_unique<Pimpl>())
{
    m_pimpl->settled.assign(sources, false);
    m_pimpl->finished.assign(sources, false);
}

SearchChannel::~SearchChannel() = default;

void SearchChannel::Post(Sighting sighting)
{
    m_pimpl->Update([&] { m_pimpl->sightings.push_back(std::move(sighting)); });
}

void SearchChannel::SetSettled(int source, bool settled)
{
    Pimpl& p = *m_pimpl;
    {
        std::lock_guard<std::mutex> lock(p.mutex);
        if (p.settled[source] == settled)
            return;
    }
    p.Update([&] { p.settled[source] = settled; });
}

void SearchChannel::Fail(const SearchError& error)
{
    m_pimpl->Update([&] {
        if (!m_pimpl->error)
            m_pimpl->error = error;
    });
}

void SearchChannel::Finish(int source)
{
    m_pimpl->Update([&] {
        m_pimpl->finished[source] = true;
        m_pimpl->settled[source] = true;
    });
}

void SearchChannel::Wake()
{
    m_pimpl->Update([] {});
}

SearchChannel::Batch SearchChannel::Take(Clock::time_point until)
{
    Pimpl& p = *m_pimpl;
    std::unique_lock<std::mutex> lock(p.mutex);
    p.changed.wait_until(lock, until, [&] { return p.news; });
    p.news = false;
    Batch batch;
    batch.sightings.swap(p.sightings);
    batch.settled = std::all_of(p.settled.begin(), p.settled.end(), [](bool s) { return s; });
    batch.finished = std::all_of(p.finished.begin(), p.finished.end(), [](bool f) { return f; });
    batch.error = p.error;
    return batch;
}

} // namespace Orvane::Utility

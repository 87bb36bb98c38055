#pragma once

#include <chrono>
#include <memory>

namespace Orvane::Utility {

class SearchChannel;

// DNS-SD over mDNS through the Avahi daemon: browses the printer services and resolves each one
// to its host, address, port and TXT keys. Every Avahi object lives and dies on the thread that
// calls Run.
class AvahiSource
{
public:
    AvahiSource();
    ~AvahiSource();
    AvahiSource(const AvahiSource&) = delete;
    AvahiSource& operator=(const AvahiSource&) = delete;

    // Posts every resolved service to the channel as the source with this index, until Stop or the
    // deadline; settled while every browser has reported all it knows for now and no resolver is
    // pending. Without a daemon it posts nothing and returns at once. A daemon that fails or goes
    // away is a communication failure; resources the search cannot get are a system failure.
    void Run(SearchChannel& channel, int source, std::chrono::steady_clock::time_point deadline);
    // From any thread: Run returns soon.
    void Stop();

    // Services resolved at once, and in one search; announcements beyond are dropped.
    static constexpr int PendingResolversMax = 64;
    static constexpr int ResolvesMax = 512;
    // TXT strings read from one service.
    static constexpr int TxtEntriesMax = 64;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::Utility

#include "Utility/AvahiSource.hpp"

#include "Utility/AnnouncedText.hpp"
#include "Utility/DeviceRecord.hpp"
#include "Utility/SearchChannel.hpp"
#include "Utility/TxtEntry.hpp"

#include <avahi-client/client.h>
#include <avahi-client/lookup.h>
#include <avahi-common/error.h>
#include <avahi-common/simple-watch.h>

#include <net/if.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <deque>
#include <mutex>

namespace Orvane::Utility {

namespace {

constexpr std::size_t CStringMax = 1024; // no DNS name is longer
constexpr int PollSliceMs = 100;

std::string Text(const char* text)
{
    return text ? AnnouncedText(text, strnlen(text, CStringMax), AnnouncedTextMax) : std::string();
}

bool IsLinkLocal(const AvahiAddress& address)
{
    return address.proto == AVAHI_PROTO_INET6 && address.data.ipv6.address[0] == 0xFE
        && (address.data.ipv6.address[1] & 0xC0) == 0x80;
}

std::string AddressText(const AvahiAddress& address, AvahiIfIndex interface)
{
    char text[AVAHI_ADDRESS_STR_MAX] = {};
    avahi_address_snprint(text, sizeof text, &address);
    std::string result = text;
    if (IsLinkLocal(address)) {
        char name[IF_NAMESIZE] = {};
        // A link-local address means nothing without its interface.
        if (interface < 0 || !if_indextoname(static_cast<unsigned>(interface), name))
            return std::string();
        result += std::string("%") + name;
    }
    return result;
}

// One service to resolve.
struct Request
{
    AvahiIfIndex interface;
    AvahiProtocol protocol;
    std::string name;
    std::string type;
    std::string domain;
    std::size_t browsed; // index of the browsed service type
};

} // namespace

struct AvahiSource::Pimpl
{
    // What one browser reports to; its address stays put while the search runs.
    struct Browser
    {
        Pimpl* owner;
        std::size_t index;
        bool allForNow = false;
    };

    void Start();
    void Loop(std::chrono::steady_clock::time_point deadline);
    void Release();
    void Browsed(Browser& browser, AvahiIfIndex interface, AvahiProtocol protocol, AvahiBrowserEvent event,
                 const char* name, const char* type, const char* domain);
    void ResolveWaiting();
    void Resolved(std::size_t browsed, AvahiIfIndex interface, AvahiResolverEvent event, const char* name,
                  const char* hostName, const AvahiAddress* address, std::uint16_t port, AvahiStringList* txt);
    void Failed(int code, int systemError = 0);
    bool IsSettled() const;

    static void OnClient(AvahiClient*, AvahiClientState state, void* self);
    static void OnBrowse(AvahiServiceBrowser*, AvahiIfIndex interface, AvahiProtocol protocol, AvahiBrowserEvent event,
                         const char* name, const char* type, const char* domain, AvahiLookupResultFlags, void* browser);
    static void OnResolve(AvahiServiceResolver* resolver, AvahiIfIndex interface, AvahiProtocol,
                          AvahiResolverEvent event, const char* name, const char*, const char*, const char* hostName,
                          const AvahiAddress* address, std::uint16_t port, AvahiStringList* txt, AvahiLookupResultFlags,
                          void* browser);

    SearchChannel* channel = nullptr;
    int source = 0;
    std::atomic<bool> stopped {false};
    bool failed = false;

    std::mutex pollMutex; // Stop wakes the poll while it exists
    AvahiSimplePoll* poll = nullptr;
    AvahiClient* client = nullptr;
    std::vector<Browser> browsers;
    std::deque<Request> waiting;
    int pending = 0;
    int requested = 0;
};

void AvahiSource::Pimpl::Failed(int code, int systemError)
{
    if (!failed)
        channel->Fail({code, systemError});
    failed = true;
}

bool AvahiSource::Pimpl::IsSettled() const
{
    for (const Browser& browser : browsers)
        if (!browser.allForNow)
            return false;
    return pending == 0 && waiting.empty();
}

void AvahiSource::Pimpl::OnClient(AvahiClient*, AvahiClientState state, void* self)
{
    // Called from inside avahi_client_new as well, whose answer then tells what went wrong.
    auto& p = *static_cast<Pimpl*>(self);
    if (state == AVAHI_CLIENT_FAILURE && p.client)
        p.Failed(SearchError::CommunicationFailure);
}

void AvahiSource::Pimpl::Start()
{
    {
        std::lock_guard<std::mutex> lock(pollMutex);
        poll = avahi_simple_poll_new();
    }
    if (!poll)
        return Failed(SearchError::SystemFailure, ENOMEM);
    int error = 0;
    client = avahi_client_new(avahi_simple_poll_get(poll), AvahiClientFlags(0), OnClient, this, &error);
    if (!client) {
        if (error == AVAHI_ERR_NO_DAEMON)
            return;
        return Failed(error == AVAHI_ERR_NO_MEMORY ? SearchError::SystemFailure : SearchError::CommunicationFailure,
                      error == AVAHI_ERR_NO_MEMORY ? ENOMEM : 0);
    }
    browsers.reserve(ServiceTypes.size());
    for (std::size_t index = 0; index < ServiceTypes.size(); ++index) {
        browsers.push_back({this, index});
        if (!avahi_service_browser_new(client, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC, ServiceTypes[index].c_str(),
                                       nullptr, AvahiLookupFlags(0), OnBrowse, &browsers.back()))
            return Failed(SearchError::CommunicationFailure);
    }
}

void AvahiSource::Pimpl::OnBrowse(AvahiServiceBrowser*, AvahiIfIndex interface, AvahiProtocol protocol,
                                  AvahiBrowserEvent event, const char* name, const char* type, const char* domain,
                                  AvahiLookupResultFlags, void* browser)
{
    auto& b = *static_cast<Browser*>(browser);
    b.owner->Browsed(b, interface, protocol, event, name, type, domain);
}

void AvahiSource::Pimpl::Browsed(Browser& browser, AvahiIfIndex interface, AvahiProtocol protocol,
                                 AvahiBrowserEvent event, const char* name, const char* type, const char* domain)
{
    switch (event) {
    case AVAHI_BROWSER_NEW:
        // The resolver needs the names exactly as announced; they are bounded C strings of the daemon.
        if (requested < ResolvesMax && name && type && domain
            && strnlen(name, CStringMax) + strnlen(type, CStringMax) + strnlen(domain, CStringMax) < CStringMax) {
            ++requested;
            waiting.push_back({interface, protocol, name, type, domain, browser.index});
            ResolveWaiting();
        }
        break;
    case AVAHI_BROWSER_ALL_FOR_NOW:
        browser.allForNow = true;
        break;
    case AVAHI_BROWSER_FAILURE:
        Failed(SearchError::CommunicationFailure);
        break;
    case AVAHI_BROWSER_REMOVE:
    case AVAHI_BROWSER_CACHE_EXHAUSTED:
        break;
    }
}

void AvahiSource::Pimpl::ResolveWaiting()
{
    while (!waiting.empty() && pending < PendingResolversMax) {
        const Request request = waiting.front();
        waiting.pop_front();
        auto* resolver = avahi_service_resolver_new(client, request.interface, request.protocol, request.name.c_str(),
                                                    request.type.c_str(), request.domain.c_str(), request.protocol,
                                                    AvahiLookupFlags(0), OnResolve, &browsers[request.browsed]);
        if (resolver)
            ++pending;
    }
}

void AvahiSource::Pimpl::OnResolve(AvahiServiceResolver* resolver, AvahiIfIndex interface, AvahiProtocol,
                                   AvahiResolverEvent event, const char* name, const char*, const char*,
                                   const char* hostName, const AvahiAddress* address, std::uint16_t port,
                                   AvahiStringList* txt, AvahiLookupResultFlags, void* browser)
{
    auto& b = *static_cast<Browser*>(browser);
    b.owner->Resolved(b.index, interface, event, name, hostName, address, port, txt);
    avahi_service_resolver_free(resolver);
    --b.owner->pending;
    b.owner->ResolveWaiting();
}

void AvahiSource::Pimpl::Resolved(std::size_t browsed, AvahiIfIndex interface, AvahiResolverEvent event,
                                  const char* name, const char* hostName, const AvahiAddress* address,
                                  std::uint16_t port, AvahiStringList* txt)
{
    if (event != AVAHI_RESOLVER_FOUND || !address)
        return; // a service that does not resolve in time is not offered
    Sighting sighting;
    sighting.source = Sighting::Source::Mdns;
    sighting.address = AddressText(*address, interface);
    sighting.service = ServiceTypes[browsed];
    sighting.instance = Text(name);
    sighting.hostName = Text(hostName);
    sighting.port = port;
    int entries = 0;
    for (const AvahiStringList* entry = txt; entry && entries < TxtEntriesMax; entry = entry->next, ++entries)
        ReadTxtEntry(entry->text, entry->size, sighting);
    channel->Post(std::move(sighting));
}

void AvahiSource::Pimpl::Loop(std::chrono::steady_clock::time_point deadline)
{
    using namespace std::chrono;
    while (!stopped && !failed) {
        const auto left = duration_cast<milliseconds>(deadline - steady_clock::now()).count();
        if (left <= 0)
            break;
        if (avahi_simple_poll_iterate(poll, static_cast<int>(std::min<long long>(left, PollSliceMs))) < 0) {
            if (errno != EINTR)
                Failed(SearchError::SystemFailure, errno);
            break;
        }
        channel->SetSettled(source, IsSettled());
    }
}

void AvahiSource::Pimpl::Release()
{
    // Freeing the client frees its browsers and resolvers.
    if (client)
        avahi_client_free(client);
    client = nullptr;
    std::lock_guard<std::mutex> lock(pollMutex);
    if (poll)
        avahi_simple_poll_free(poll);
    poll = nullptr;
}

AvahiSource::AvahiSource()
    : m_pimpl(std::make_unique<Pimpl>())
{ }

AvahiSource::~AvahiSource() = default;

void AvahiSource::Run(SearchChannel& channel, int source, std::chrono::steady_clock::time_point deadline)
{
    Pimpl& p = *m_pimpl;
    p.channel = &channel;
    p.source = source;
    p.Start();
    if (p.client && !p.failed)
        p.Loop(deadline);
    p.Release();
}

void AvahiSource::Stop()
{
    Pimpl& p = *m_pimpl;
    p.stopped = true;
    std::lock_guard<std::mutex> lock(p.pollMutex);
    if (p.poll)
        avahi_simple_poll_wakeup(p.poll);
}

} // namespace Orvane::Utility

#include "Utility/SnmpSource.hpp"

#include "Utility/AnnouncedText.hpp"
#include "Utility/SearchChannel.hpp"

#include <net-snmp/library/large_fd_set.h>
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <deque>
#include <mutex>

namespace Orvane::Utility {

namespace {

const oid SysName[] = {1, 3, 6, 1, 2, 1, 1, 5, 0};
const oid SysDescr[] = {1, 3, 6, 1, 2, 1, 1, 1, 0};
const oid PrinterName[] = {1, 3, 6, 1, 2, 1, 43, 5, 1, 1, 16, 1};
constexpr long SliceUs = 100 * 1000;

// Once per process: no MIB files, no configuration or persistent files, no log output.
void InitLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] {
        setenv("MIBS", "", 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_PERSIST_STATE, 1);
        snmp_disable_log();
        init_snmp("orvane");
    });
}

// Only plain addresses and names: a target must not pick another transport ("tcp:", "unix:").
bool IsPlainHost(const std::string& host)
{
    return !host.empty() && host.size() <= 255 && std::all_of(host.begin(), host.end(), [](unsigned char c) {
        return std::isalnum(c) || c == '.' || c == '-' || c == '_' || c == ':';
    });
}

template <std::size_t N>
bool Is(const netsnmp_variable_list& variable, const oid (&name)[N])
{
    return snmp_oid_compare(variable.name, variable.name_length, name, N) == 0;
}

std::string ResponderAddress(const netsnmp_pdu& pdu)
{
    if (!pdu.transport_data || pdu.transport_data_length < static_cast<int>(sizeof(sockaddr_in)))
        return std::string();
    const auto& remote = static_cast<const netsnmp_indexed_addr_pair*>(pdu.transport_data)->remote_addr;
    char text[INET_ADDRSTRLEN] = {};
    if (remote.sa.sa_family != AF_INET || !inet_ntop(AF_INET, &remote.sin.sin_addr, text, sizeof text))
        return std::string();
    return text;
}

} // namespace

struct SnmpSource::Pimpl
{
    struct Target
    {
        Pimpl* owner;
        std::string peer;
        bool broadcast;
        void* session = nullptr;
        bool done = false;
    };

    bool AddTargets();
    bool Open(Target& target);
    void Loop(std::chrono::steady_clock::time_point deadline);
    bool WaitAndRead(long waitUs);
    void Answered(const netsnmp_pdu& pdu);
    void Close();
    bool IsDone() const;

    static int OnResponse(int operation, netsnmp_session*, int, netsnmp_pdu* pdu, void* target);

    Targets targets;
    SearchChannel* channel = nullptr;
    std::atomic<bool> stopped {false};
    std::deque<Target> open; // stable addresses: they are the sessions' callback data
    std::size_t answers = 0;
};

bool SnmpSource::Pimpl::AddTargets()
{
    for (const std::string& host : targets.hosts)
        if (IsPlainHost(host) && open.size() < TargetsMax)
            open.push_back({this, "udp:" + host, false});
    if (!targets.broadcast)
        return true;
    ifaddrs* interfaces = nullptr;
    if (getifaddrs(&interfaces) != 0) {
        channel->Fail({SearchError::SystemFailure, errno});
        return false;
    }
    for (const ifaddrs* i = interfaces; i && open.size() < TargetsMax; i = i->ifa_next) {
        char text[INET_ADDRSTRLEN] = {};
        if ((i->ifa_flags & IFF_UP) && (i->ifa_flags & IFF_BROADCAST) && i->ifa_broadaddr
            && i->ifa_broadaddr->sa_family == AF_INET
            && inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(i->ifa_broadaddr)->sin_addr, text, sizeof text))
            open.push_back({this, std::string("udp:") + text + ":161", true});
    }
    freeifaddrs(interfaces);
    return true;
}

bool SnmpSource::Pimpl::Open(Target& target)
{
    netsnmp_session settings;
    snmp_sess_init(&settings);
    settings.version = SNMP_VERSION_2c;
    settings.community = reinterpret_cast<u_char*>(targets.community.data());
    settings.community_len = targets.community.size();
    settings.peername = target.peer.data();
    settings.timeout = static_cast<long>(std::chrono::microseconds(targets.window).count());
    settings.retries = 0;
    settings.callback = OnResponse;
    settings.callback_magic = &target;
    if (target.broadcast)
        settings.flags |= SNMP_FLAGS_UDP_BROADCAST;
    target.session = snmp_sess_open(&settings);
    if (!target.session)
        return false;
    netsnmp_pdu* request = snmp_pdu_create(SNMP_MSG_GET);
    snmp_add_null_var(request, SysName, OID_LENGTH(SysName));
    snmp_add_null_var(request, SysDescr, OID_LENGTH(SysDescr));
    snmp_add_null_var(request, PrinterName, OID_LENGTH(PrinterName));
    if (snmp_sess_send(target.session, request) == 0) {
        snmp_free_pdu(request);
        return false;
    }
    return true;
}

int SnmpSource::Pimpl::OnResponse(int operation, netsnmp_session*, int, netsnmp_pdu* pdu, void* target)
{
    auto& t = *static_cast<Target*>(target);
    if (operation == NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE && pdu)
        t.owner->Answered(*pdu);
    // A broadcast request stays open until it times out, so that every agent's answer counts.
    const bool keepOpen = t.broadcast && operation == NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE;
    t.done = !keepOpen;
    return keepOpen ? 0 : 1;
}

void SnmpSource::Pimpl::Answered(const netsnmp_pdu& pdu)
{
    if (answers >= AnswersMax)
        return;
    Sighting sighting;
    sighting.source = Sighting::Source::Snmp;
    sighting.address = ResponderAddress(pdu);
    for (const netsnmp_variable_list* v = pdu.variables; v; v = v->next_variable) {
        // A value of another type than a string is dropped.
        if (v->type != ASN_OCTET_STR || !v->val.string)
            continue;
        const std::string text = AnnouncedText(v->val.string, v->val_len, AnnouncedTextMax);
        if (Is(*v, SysName))
            sighting.sysName = text;
        else if (Is(*v, SysDescr))
            sighting.sysDescr = text;
        else if (Is(*v, PrinterName))
            sighting.printerName = text;
    }
    if (sighting.address.empty())
        return;
    ++answers;
    channel->Post(std::move(sighting));
}

bool SnmpSource::Pimpl::IsDone() const
{
    return std::all_of(open.begin(), open.end(), [](const Target& t) { return t.done; });
}

bool SnmpSource::Pimpl::WaitAndRead(long waitUs)
{
    netsnmp_large_fd_set readable;
    netsnmp_large_fd_set_init(&readable, FD_SETSIZE);
    int count = 0;
    for (Target& t : open) {
        timeval ignored {};
        int block = 1;
        if (!t.done)
            snmp_sess_select_info2(t.session, &count, &readable, &ignored, &block);
    }
    timeval wait {0, waitUs};
    const int ready = netsnmp_large_fd_set_select(count, &readable, nullptr, nullptr, &wait);
    const int error = errno;
    for (Target& t : open)
        if (!t.done && ready > 0)
            snmp_sess_read2(t.session, &readable);
    for (Target& t : open)
        if (!t.done)
            snmp_sess_timeout(t.session);
    netsnmp_large_fd_set_cleanup(&readable);
    if (ready < 0 && error != EINTR) {
        channel->Fail({SearchError::SystemFailure, error});
        return false;
    }
    return true;
}

void SnmpSource::Pimpl::Loop(std::chrono::steady_clock::time_point deadline)
{
    using namespace std::chrono;
    const auto end = std::min(deadline, steady_clock::now() + targets.window);
    while (!stopped && !IsDone()) {
        const auto left = duration_cast<microseconds>(end - steady_clock::now()).count();
        if (left <= 0 || !WaitAndRead(static_cast<long>(std::min<long long>(left, SliceUs))))
            break;
    }
}

void SnmpSource::Pimpl::Close()
{
    for (Target& t : open)
        if (t.session)
            snmp_sess_close(t.session);
    open.clear();
}

SnmpSource::SnmpSource(const Targets& targets)
    : m_pimpl(std::make_unique<Pimpl>())
{
    m_pimpl->targets = targets;
}

SnmpSource::~SnmpSource() = default;

void SnmpSource::Run(SearchChannel& channel, std::chrono::steady_clock::time_point deadline)
{
    Pimpl& p = *m_pimpl;
    p.channel = &channel;
    if (!p.AddTargets() || p.open.empty())
        return;
    InitLibrary();
    std::size_t reachable = 0;
    for (auto& target : p.open) {
        target.done = !p.Open(target);
        reachable += target.done ? 0 : 1;
    }
    if (reachable == 0)
        channel.Fail({SearchError::CommunicationFailure, 0});
    else
        p.Loop(deadline);
    p.Close();
}

void SnmpSource::Stop()
{
    m_pimpl->stopped = true;
}

} // namespace Orvane::Utility

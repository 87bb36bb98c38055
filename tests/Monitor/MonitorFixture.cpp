#include "MonitorFixture.hpp"

#include "Config.hpp"
#include "QX/Config.hpp"

#include <boost/asio/ip/address.hpp>

#include <chrono>
#include <thread>

namespace OrvaneTest {

using namespace Orvane;
using MonitoredEntry::EntryManager;
namespace ip = boost::asio::ip;

int listenPort()
{
    // Bound and released once: the process-wide receiver binds it for the rest of the process.
    static const int port = [] {
        boost::asio::io_context io;
        ip::udp::socket probe(io, ip::udp::endpoint(ip::address_v4::any(), 0));
        return static_cast<int>(probe.local_endpoint().port());
    }();
    return port;
}

void applySettings(const MonitorSettings& settings)
{
    Config::Current current = Config::GetCurrent();
    current.Port = listenPort();
    current.EntryMax = 3;
    current.SubscribeIntervalMs = settings.subscribeMs;
    current.RetrySubscribeIntervalMs = settings.retryMs;
    current.MachineMonitorIntervalMs = settings.machineMs;
    current.DetectedEventQueueSize = settings.queueSize;
    current.RegularCheckIntervalMs = {1, 3600000};
    Config::SetCurrent(current);
    // A device that is not there fails at once instead of after the default retries.
    QX::Config timeouts;
    for (int set = 0; set < QX::Config::SetCount; ++set)
        timeouts.Put(static_cast<QX::Config::Set>(set), HTTP::Timeout {2000, 0, 5000, 5000});
    QX::SetConfig(timeouts);
}

MonitorFixture::MonitorFixture(const MonitorSettings& settings)
{
    applySettings(settings);
}

MonitorFixture::Property MonitorFixture::propertyFor(const std::string& account, const DevSim* device,
                                                     int intervalMs) const
{
    const DevSim& target = device ? *device : sim;
    MonitoredEntry::MFP mfp;
    mfp.SetHost(std::wstring(target.address().begin(), target.address().end()));
    mfp.SetHTTP(target.httpPort());
    MonitoredEntry::User user;
    user.SetID(std::wstring(account.begin(), account.end()));
    const std::string password = account + "-pass";
    user.SetPassword(MonitoredEntry::Password(std::wstring(password.begin(), password.end())));
    MonitoredEntry::Config config;
    config.SetLogMax(50);
    config.SetInterval(intervalMs);
    config.SetNotice(true);
    config.SetEraseTime(10000);
    Property property;
    property.SetMonitoring(true);
    property.SetMFP(mfp);
    property.SetUser(user);
    property.SetConfig(config);
    return property;
}

MonitorFixture::ID MonitorFixture::addEntry(const std::string& account, const DevSim* device, int intervalMs,
                                            bool monitoring)
{
    Property property = propertyFor(account, device, intervalMs);
    property.SetMonitoring(monitoring);
    return addEntry(entries, property);
}

MonitorFixture::ID MonitorFixture::addEntry(EntryManager& manager, const Property& property)
{
    EntryManager::Transaction transaction(manager);
    const ID id = transaction.Append(property);
    transaction.Commit();
    return id;
}

void MonitorFixture::change(const ID& id, const std::function<void(Property&)>& edit)
{
    EntryManager::Transaction transaction(entries);
    const auto copy = transaction.CopyEntry(id);
    Property property = copy->GetProperty();
    edit(property);
    copy->SetProperty(property);
    transaction.SetEntry(copy);
    transaction.Commit();
}

void MonitorFixture::remove(const ID& id)
{
    EntryManager::Transaction transaction(entries);
    transaction.Remove(id);
    transaction.Commit();
}

MonitoredEntry::Entry MonitorFixture::entry(const ID& id) const
{
    EntryManager::ScopedLock lock(entries);
    return entries.GetDB().GetEntry(id);
}

bool MonitorFixture::hasStatus(const ID& id, int state, int failure) const
{
    const Property property = entry(id).GetProperty();
    return property.GetSubscriptionState() == state && property.GetSubscriptionFailure() == failure;
}

int MonitorFixture::count(const DevSim& device, const std::string& operation)
{
    int found = 0;
    for (const auto& request : device.requestLog())
        found += request.at("operation").get<std::string>() == operation ? 1 : 0;
    return found;
}

std::vector<std::string> MonitorFixture::subscribers(const DevSim& device, const std::string& account)
{
    std::vector<std::string> found;
    const nlohmann::json state = device.state();
    for (const auto& stored : state.at("accounts")) {
        if (stored.at("id") != account)
            continue;
        for (const auto& subscriber : stored.at("subscribers"))
            found.push_back(subscriber.at("address").get<std::string>() + ":"
                            + std::to_string(subscriber.at("port").get<int>()));
    }
    return found;
}

bool MonitorFixture::subscribed(const DevSim& device, const std::string& account)
{
    return !subscribers(device, account).empty();
}

DatagramSender::DatagramSender(const std::string& source)
    : m_socket(m_io, ip::udp::endpoint(ip::make_address(source), 0))
{ }

void DatagramSender::send(int count)
{
    const ip::udp::endpoint to(ip::make_address("127.0.0.1"), static_cast<unsigned short>(listenPort()));
    const char payload = 'x';
    for (int i = 0; i < count; ++i) {
        m_socket.send_to(boost::asio::buffer(&payload, 1), to);
        if (i % 50 == 49)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

} // namespace OrvaneTest

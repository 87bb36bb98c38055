#include "Monitor/MachineMonitor.hpp"

#include "Config.hpp"
#include "HTTP/Exceptions.hpp"
#include "Monitor/EntryWriter.hpp"
#include "MonitoredEntry/MFP.hpp"
#include "MonitoredEntry/User.hpp"
#include "QX/Config.hpp"
#include "QX/Quexhall.hpp"
#include "System/Text.hpp"

#include <boost/chrono/duration.hpp>
#include <boost/optional/optional.hpp>
#include <boost/thread/condition_variable.hpp>
#include <boost/thread/locks.hpp>
#include <boost/thread/mutex.hpp>
#include <boost/thread/thread.hpp>

namespace Orvane::Monitor {

using MonitoredEntry::Entry;
using MonitoredEntry::EntryProperty;
using MonitoredEntry::MFP;
using MonitoredEntry::User;

namespace {

using Lock = boost::unique_lock<boost::mutex>;
using Name = boost::optional<std::wstring>;

// A name the device reports: none when it is empty, or nothing is left of it after conversion.
Name ReportedName(const std::string& reported)
{
    std::wstring name = System::FromANSI(reported);
    if (name.empty())
        return boost::none;
    return name;
}

} // namespace

struct MachineMonitor::Pimpl
{
    Pimpl(const Entry::ID& id, MonitoredEntry::EntryManager& manager)
        : entry(manager, id)
    { }

    void Update();
    std::pair<MFP, User> Copy();
    // Asks the device for one name and stores it; a device that fails leaves the name as it was.
    template <class Ask, class Apply>
    void Refresh(const Ask& ask, const Apply& apply);
    void RefreshDeviceName();
    void RefreshAccountName();
    void Wait();

    const EntryWriter entry;
    const std::int32_t interval = Config::GetCurrent().MachineMonitorIntervalMs;

    // The monitor lock: device and account.
    MFP device;
    User account;
    boost::mutex mutex;
    // Nothing signals it: the monitor only waits out its interval, or is interrupted.
    boost::condition_variable wake;
};

void MachineMonitor::Pimpl::Update()
{
    boost::optional<std::pair<MFP, User>> read;
    entry.Read([&read](const Entry& stored) {
        read = std::make_pair(stored.GetProperty().GetMFP(), stored.GetProperty().GetUser());
    });
    if (!read)
        return;
    Lock lock(mutex);
    device = read->first;
    account = read->second;
}

std::pair<MFP, User> MachineMonitor::Pimpl::Copy()
{
    Lock lock(mutex);
    return {device, account};
}

template <class Ask, class Apply>
void MachineMonitor::Pimpl::Refresh(const Ask& ask, const Apply& apply)
{
    const auto used = Copy();
    Name name;
    try {
        const QX::Quexhall client(used.first);
        boost::this_thread::interruption_point();
        name = ReportedName(ask(client, used.second));
    } catch (const HTTP::Error&) {
        return; // tried again after the interval
    }
    entry.Change([&](Entry& stored) {
        EntryProperty property = stored.GetProperty();
        apply(property, name);
        stored.SetProperty(property);
    });
}

void MachineMonitor::Pimpl::RefreshDeviceName()
{
    Refresh(
        [](const QX::Quexhall& client, const User&) {
            return client.GetMachineSettings(QX::GetConfig().Get(QX::Config::MachineSettings))->MachineName;
        },
        [](EntryProperty& property, const Name& name) {
            MFP mfp = property.GetMFP();
            mfp.SetName(name);
            property.SetMFP(mfp);
        });
}

void MachineMonitor::Pimpl::RefreshAccountName()
{
    Refresh(
        [](const QX::Quexhall& client, const User& account) {
            return client.GetUserInfo(account, QX::GetConfig().Get(QX::Config::UserInfo))->DisplayName;
        },
        [](EntryProperty& property, const Name& name) {
            User user = property.GetUser();
            user.SetName(name);
            property.SetUser(user);
        });
}

void MachineMonitor::Pimpl::Wait()
{
    Lock lock(mutex);
    wake.wait_for(lock, boost::chrono::milliseconds(interval));
}

MachineMonitor::MachineMonitor(const Entry::ID& id, MonitoredEntry::EntryManager& manager)
    : m_pimpl(std::make_shared<Pimpl>(id, manager))
{ }

MachineMonitor::~MachineMonitor()
{
    try {
        stop();
    } catch (...) {
        // A destructor has nobody to tell.
    }
}

const Entry::ID& MachineMonitor::GetID() const
{
    return m_pimpl->entry.GetID();
}

void MachineMonitor::Update()
{
    m_pimpl->Update();
}

bool MachineMonitor::operator<(const MachineMonitor& other) const
{
    return GetID() < other.GetID();
}

bool MachineMonitor::operator==(const MachineMonitor& other) const
{
    return GetID() == other.GetID();
}

int MachineMonitor::run()
{
    const std::shared_ptr<Pimpl> p = m_pimpl;
    p->Update();
    for (;;) {
        p->RefreshDeviceName();
        p->RefreshAccountName();
        p->Wait();
    }
}

} // namespace Orvane::Monitor

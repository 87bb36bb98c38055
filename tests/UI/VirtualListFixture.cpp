#include "VirtualListFixture.hpp"

#include "Config.hpp"
#include "support/TestSupport.hpp"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QIcon>
#include <QImage>

namespace OrvaneTest {

using namespace Orvane;
using MonitoredEntry::EntryManager;

VirtualListFixture::VirtualListFixture()
{
    Config::Current current = Config::GetCurrent();
    current.EntryMax = 20;
    current.EventLogMaxLimit = 1000;
    current.RegularCheckIntervalMs = {1, 3600000};
    Config::SetCurrent(current);
}

VirtualListFixture::ID VirtualListFixture::addEntry(const EntryTraits& traits)
{
    MonitoredEntry::MFP mfp;
    mfp.SetHost(traits.host);
    mfp.SetName(traits.deviceName);
    mfp.SetHTTP(traits.httpPort);
    MonitoredEntry::User user;
    user.SetID(traits.account);
    user.SetName(traits.accountName);
    user.SetPassword(MonitoredEntry::Password(traits.account + L"-pass"));
    MonitoredEntry::Config config;
    config.SetLogMax(1000);
    config.SetInterval(3600000);
    config.SetNotice(traits.notice);
    config.SetEraseTime(10000);
    MonitoredEntry::EntryProperty property;
    property.SetMonitoring(traits.monitoring);
    property.SetSubscriptionState(traits.subscriptionState);
    property.SetSubscriptionFailure(traits.subscriptionFailure);
    property.SetMFP(mfp);
    property.SetUser(user);
    property.SetConfig(config);
    EntryManager::Transaction transaction(entries);
    const ID id = transaction.Append(property);
    transaction.Commit();
    return id;
}

std::vector<VirtualListFixture::EventKey> VirtualListFixture::addEvents(const ID& id,
                                                                        const std::vector<EventSpec>& events)
{
    std::vector<EventKey> keys;
    EntryManager::Transaction transaction(entries);
    const auto copy = transaction.CopyEntry(id);
    const auto log = copy->GetEventLog();
    for (const auto& traits : events) {
        const std::wstring docID
            = traits.category + L"/" + traits.info + L"/" + std::wstring(traits.time.begin(), traits.time.end());
        const EventID eventID = log->Append(
            MonitoredEntry::EventProperty(traits.category, traits.info, boost::none, docID, RSS::EventTime(traits.time)));
        MonitoredEntry::Event event = log->GetEvent(eventID);
        event.SetRead(traits.read);
        log->SetEvent(event);
        keys.emplace_back(id, eventID);
    }
    copy->SetEventLog(log);
    transaction.SetEntry(copy);
    transaction.Commit();
    return keys;
}

void VirtualListFixture::removeEntry(const ID& id)
{
    EntryManager::Transaction transaction(entries);
    transaction.Remove(id);
    transaction.Commit();
}

void VirtualListFixture::removeEvent(const EventKey& key)
{
    EntryManager::Transaction transaction(entries);
    const auto copy = transaction.CopyEntry(key.first);
    const auto log = copy->GetEventLog();
    MonitoredEntry::EventLog::EventList kept;
    for (const auto& event : log->GetEventList())
        if (event.GetID() != key.second)
            kept.push_back(event);
    copy->SetEventLog(std::make_shared<MonitoredEntry::EventLog>(log->GetMax(), log->GetNextID(), kept));
    transaction.SetEntry(copy);
    transaction.Commit();
}

void VirtualListFixture::change(const ID& id, const std::function<void(MonitoredEntry::EntryProperty&)>& edit)
{
    EntryManager::Transaction transaction(entries);
    const auto copy = transaction.CopyEntry(id);
    MonitoredEntry::EntryProperty property = copy->GetProperty();
    edit(property);
    copy->SetProperty(property);
    transaction.SetEntry(copy);
    transaction.Commit();
}

bool VirtualListFixture::isRead(const EventKey& key) const
{
    const EntryManager::ScopedLock lock(entries);
    return entries.GetDB().GetEntry(key.first).ReadEventLog().GetEvent(key.second).IsRead();
}

bool settle(const std::function<bool()>& condition)
{
    return waitUntil([&] {
        QCoreApplication::processEvents();
        return condition();
    });
}

QVariant cell(const QAbstractItemModel& model, int row, int column, int role)
{
    return model.data(model.index(row, column), role);
}

bool looksLike(const QVariant& icon, const char* name)
{
    if (!icon.canConvert<QIcon>())
        return false;
    const QIcon expected(QStringLiteral(":/icons/%1.svg").arg(QString::fromLatin1(name)));
    return icon.value<QIcon>().pixmap(16).toImage() == expected.pixmap(16).toImage();
}

} // namespace OrvaneTest

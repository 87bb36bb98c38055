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

VirtualListFixture::ID VirtualListFixture::addEntry(const EntrySpec& spec)
{
    MonitoredEntry::MFP mfp;
    mfp.SetHost(spec.host);
    mfp.SetName(spec.deviceName);
    mfp.SetHTTP(spec.httpPort);
    MonitoredEntry::User user;
    user.SetID(spec.account);
    user.SetName(spec.accountName);
    user.SetPassword(MonitoredEntry::Password(spec.account + L"-pass"));
    MonitoredEntry::Config config;
    config.SetLogMax(1000);
    config.SetInterval(3600000);
    config.SetNotice(spec.notice);
    config.SetEraseTime(10000);
    MonitoredEntry::EntryProperty property;
    property.SetMonitoring(spec.monitoring);
    property.SetSubscriptionState(spec.subscriptionState);
    property.SetSubscriptionFailure(spec.subscriptionFailure);
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
    for (const auto& spec : events) {
        const std::wstring docID
            = spec.category + L"/" + spec.info + L"/" + std::wstring(spec.time.begin(), spec.time.end());
        const EventID eventID = log->Append(
            MonitoredEntry::EventProperty(spec.category, spec.info, boost::none, docID, RSS::EventTime(spec.time)));
        MonitoredEntry::Event event = log->GetEvent(eventID);
        event.SetRead(spec.read);
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

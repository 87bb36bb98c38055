#pragma once

#include "MonitoredEntry/EntryManager.hpp"

#include <QVariant>

#include <gtest/gtest.h>

#include <boost/optional/optional.hpp>

#include <functional>
#include <string>
#include <vector>

class QAbstractItemModel;

namespace OrvaneTest {

struct EntryTraits
{
    std::wstring host = L"127.0.0.1";
    boost::optional<std::wstring> deviceName;
    std::wstring account = L"alice";
    boost::optional<std::wstring> accountName;
    bool monitoring = true;
    int subscriptionState = 1;
    int subscriptionFailure = 0;
    bool notice = true;
    int httpPort = 80;
};

struct EventSpec
{
    std::wstring category;
    std::wstring info;
    std::string time; // RFC 822
    bool read = false;
};

// Entries and their logs in a real entry manager, changed through transactions as the engine does.
class VirtualListFixture : public ::testing::Test
{
protected:
    using ID = Orvane::MonitoredEntry::Entry::ID;
    using EventID = Orvane::MonitoredEntry::Event::ID;
    using EventKey = std::pair<ID, EventID>;

    VirtualListFixture();

    ID addEntry(const EntryTraits& traits);
    std::vector<EventKey> addEvents(const ID& id, const std::vector<EventSpec>& events);
    void removeEntry(const ID& id);
    void removeEvent(const EventKey& key);
    void change(const ID& id, const std::function<void(Orvane::MonitoredEntry::EntryProperty&)>& edit);
    bool isRead(const EventKey& key) const;

    Orvane::MonitoredEntry::EntryManager entries;
};

// Runs the event loop until the condition holds or the deadline passes.
bool settle(const std::function<bool()>& condition);

// One cell of a model.
QVariant cell(const QAbstractItemModel& model, int row, int column, int role);
// Whether an icon is drawn like the program's picture of that name ("list-unread", ...).
bool looksLike(const QVariant& icon, const char* name);

} // namespace OrvaneTest

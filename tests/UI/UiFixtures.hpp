#pragma once

#include "MonitoredEntry/EntryManager.hpp"

#include "MonitoredEntry/EntryFixtures.hpp"

#include <QCoreApplication>

#include <chrono>
#include <functional>
#include <string>

namespace OrvaneTest {

// Waits for a condition while the UI thread's queued work runs.
bool waitWithEvents(const std::function<bool()>& condition,
                    std::chrono::milliseconds deadline = std::chrono::milliseconds(5000));

// An entry that no monitor contacts (monitoring off, a loopback host), with `unread` unread events.
Orvane::MonitoredEntry::Entry::ID addQuietEntry(Orvane::MonitoredEntry::EntryManager& manager,
                                                const std::wstring& host, int unread = 0,
                                                const std::wstring& name = std::wstring(), bool monitoring = false);
// Appends an unread event to the entry's log; answers its identifier.
Orvane::MonitoredEntry::Event::ID addEvent(Orvane::MonitoredEntry::EntryManager& manager,
                                           const Orvane::MonitoredEntry::Entry::ID& id, const std::wstring& docID);
void markAllRead(Orvane::MonitoredEntry::EntryManager& manager, const Orvane::MonitoredEntry::Entry::ID& id);

} // namespace OrvaneTest

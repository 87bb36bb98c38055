#pragma once

#include "MonitoredEntry/EntryManager.hpp"
#include "MonitoredEntry/Serialization/StoreArchive.hpp"
#include "support/TestSupport.hpp"

#include <boost/filesystem/path.hpp>
#include <boost/locale/encoding_utf.hpp>

#include <memory>
#include <string>

namespace OrvaneTest {

// The texts every field of a stored entry takes.
struct StoreTexts
{
    std::wstring wide;
    std::string narrow;
};

inline std::shared_ptr<Orvane::MonitoredEntry::Entry> storedEntry(int id, const StoreTexts& texts, bool named,
                                                                  bool withFeed, int events = 1, int items = 1)
{
    using namespace Orvane::MonitoredEntry;
    MFP mfp;
    mfp.SetName(named ? boost::optional<std::wstring>(L"name " + texts.wide) : boost::none);
    mfp.SetHost(L"host" + std::to_wstring(id) + L"." + texts.wide);
    mfp.SetHTTP(80);
    mfp.SetHTTPS(443);
    User user;
    user.SetName(L"user " + texts.wide);
    user.SetID(L"id " + texts.wide);
    user.SetPassword(Password(L"secret"));
    Config config;
    config.SetLogMax(events);
    config.SetInterval(300000);
    config.SetNotice(true);
    config.SetEraseTime(10000);
    config.SetDeleteMsg(true);
    EntryProperty property;
    property.SetMonitoring(true);
    property.SetMFP(mfp);
    property.SetUser(user);
    property.SetConfig(config);
    auto entry = std::make_shared<Entry>(Entry::ID(id), property);
    auto log = entry->GetEventLog();
    for (int event = 0; event < events; ++event) {
        const std::wstring n = std::to_wstring(event);
        const std::string time = "Mon, 02 Jun 2025 10:" + std::to_string(10 + event % 50) + ":00 +0900";
        log->Append(EventProperty(L"category " + n + texts.wide, L"info " + texts.wide, L"/thumb?" + n + texts.wide,
                                  L"doc" + n + texts.wide, Orvane::RSS::EventTime(time)));
    }
    entry->SetEventLog(log);
    if (withFeed) {
        Orvane::RSS::RSSFeed::ItemList list;
        for (int item = 0; item < items; ++item) {
            const std::string n = std::to_string(item);
            list.emplace_back("title " + n + texts.narrow, "http://h/doc?" + n + texts.narrow, "cat " + texts.narrow,
                              "guid" + n + texts.narrow, "Mon, 02 Jun 2025 10:15:00 +0900");
        }
        entry->SetLatestRSSFeed(
            Orvane::RSS::RSSFeed("feed " + texts.narrow, "http://h/rss?" + texts.narrow, "date " + texts.narrow, list));
    }
    return entry;
}

// Writes a data store holding the given entries into `folder`, as the program would save it.
inline void writeStore(const boost::filesystem::path& folder, const Orvane::MonitoredEntry::EntryDB::EntryList& entries)
{
    using namespace Orvane::MonitoredEntry;
    const Entry::ID nextID(entries.empty() ? 0 : entries.back()->GetID().GetValue() + 1);
    const EntryManager manager {EntryDB(nextID, entries)};
    const std::wstring document = Serialization::WriteStore(manager);
    writeFile(folder / "data.dat", boost::locale::conv::utf_to_utf<char>(document));
}

} // namespace OrvaneTest

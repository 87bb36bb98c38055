#include "DocumentFixture.hpp"

#include "MonitoredEntry/EntryFixtures.hpp"
#include "System/Text.hpp"

namespace OrvaneTest {

using namespace Orvane;
using namespace Orvane::MonitoredEntry;

DocumentFixture::DocumentFixture()
{
    EntryProperty property = validProperty(L"127.0.0.1", false);
    MFP mfp = property.GetMFP();
    mfp.SetHTTP(sim.httpPort());
    mfp.SetName(std::wstring(L"DevSim MFP"));
    property.SetMFP(mfp);
    User user = property.GetUser();
    user.SetID(L"alice");
    user.SetName(std::wstring(L"Alice"));
    user.SetPassword(Password(L"alice-pass"));
    property.SetUser(user);
    EntryManager::Transaction transaction(entries);
    entryID = transaction.Append(property);
    transaction.Commit();
}

MachineEvent::PopupPresenter::Request DocumentFixture::request(const EventProperty& property)
{
    EntryManager::Transaction transaction(entries);
    const std::shared_ptr<Entry> entry = transaction.CopyEntry(entryID);
    const std::shared_ptr<EventLog> log = entry->GetEventLog();
    const Event::ID eventID = log->Append(property);
    entry->SetEventLog(log);
    transaction.SetEntry(entry);
    transaction.Commit();
    const EntryProperty& owner = entry->GetProperty();
    return {entries, entryID, eventID, MachineEvent::Event(owner.GetMFP(), owner.GetUser(), property)};
}

MachineEvent::PopupPresenter::Request DocumentFixture::addDocument(const std::string& contentType,
                                                                   const nlohmann::json& extra)
{
    const std::wstring id = System::FromANSI(sim.addDocument("alice", "Report", contentType, extra));
    const std::wstring thumbnail = L"http://127.0.0.1:" + std::to_wstring(sim.httpPort()) + L"/thumbnail.jpg?DC=" + id;
    return request(EventProperty(L"Scan", L"Report", thumbnail, id, RSS::EventTime("Mon, 01 Apr 2024 10:00:00 +0900")));
}

MachineEvent::PopupPresenter::Request DocumentFixture::addNotice(const std::wstring& info)
{
    return request(
        EventProperty(L"Notice", info, boost::none, boost::none, RSS::EventTime("Mon, 01 Apr 2024 10:00:00 +0900")));
}

void DocumentFixture::configure(bool markRead, bool confirmDelete, int eraseTime, bool monitoring, int logMax)
{
    EntryManager::Transaction transaction(entries);
    const std::shared_ptr<Entry> entry = transaction.CopyEntry(entryID);
    EntryProperty property = entry->GetProperty();
    Config config = property.GetConfig();
    config.SetEventRead(markRead);
    config.SetDeleteMsg(confirmDelete);
    config.SetEraseTime(eraseTime);
    config.SetLogMax(logMax);
    config.SetNotice(true);
    property.SetConfig(config);
    property.SetMonitoring(monitoring);
    entry->SetProperty(property);
    const std::shared_ptr<EventLog> log = entry->GetEventLog();
    log->SetMax(logMax);
    entry->SetEventLog(log);
    transaction.SetEntry(entry);
    transaction.Commit();
}

bool DocumentFixture::isRead(const MachineEvent::PopupPresenter::Request& request) const
{
    const EntryManager::ScopedLock lock(entries);
    return entries.GetDB().GetEntry(entryID).GetEventLog()->GetEvent(request.eventID).IsRead();
}

nlohmann::json DocumentFixture::document(const std::string& id) const
{
    const nlohmann::json state = sim.state();
    for (const auto& account : state.at("accounts"))
        for (const auto& document : account.at("documents"))
            if (document.at("id") == id)
                return document;
    return nullptr;
}

std::vector<std::string> DocumentFixture::queries(const std::string& operation) const
{
    std::vector<std::string> found;
    const nlohmann::json log = sim.requestLog();
    for (const auto& entry : log)
        if (entry.at("operation") == operation)
            found.push_back(entry.at("query").get<std::string>());
    return found;
}

} // namespace OrvaneTest

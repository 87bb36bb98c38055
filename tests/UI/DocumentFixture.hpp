#pragma once

#include "MachineEvent/PopupPresenter.hpp"
#include "MonitoredEntry/EntryManager.hpp"
#include "support/DevSim.hpp"

#include <string>

namespace OrvaneTest {

// An entry of the simulator's account "alice" with events for documents added on the simulator.
class DocumentFixture
{
public:
    DocumentFixture();

    // Adds a document on the simulator and its event to the entry's log; answers the popup request.
    Orvane::MachineEvent::PopupPresenter::Request addDocument(const std::string& contentType = "application/pdf",
                                                              const nlohmann::json& extra = nlohmann::json::object());
    // An event without a document.
    Orvane::MachineEvent::PopupPresenter::Request addNotice(const std::wstring& info = L"Toner low");
    // Changes the entry's settings used by the details dialog.
    void configure(bool markRead, bool confirmDelete, int eraseTime = 10000, bool monitoring = false, int logMax = 25);

    bool isRead(const Orvane::MachineEvent::PopupPresenter::Request& request) const;
    // The simulator's record of the document, or null when it is gone.
    nlohmann::json document(const std::string& id) const;
    // The queries of the document page requests of one operation ("download", "print", ...).
    std::vector<std::string> queries(const std::string& operation) const;

    DevSim sim;
    Orvane::MonitoredEntry::EntryManager entries;
    Orvane::MonitoredEntry::Entry::ID entryID;

private:
    Orvane::MachineEvent::PopupPresenter::Request request(const Orvane::MonitoredEntry::EventProperty& property);
};

} // namespace OrvaneTest

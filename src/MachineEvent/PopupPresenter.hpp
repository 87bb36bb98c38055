#pragma once

#include "MachineEvent/Event.hpp"
#include "MonitoredEntry/Entry.hpp"
#include "MonitoredEntry/Event.hpp"

namespace Orvane::MonitoredEntry {
class EntryManager;
}

namespace Orvane::MachineEvent {

// What puts a popup in front of the user for the popup manager. The desktop's presenter asks the UI
// thread for the window and waits for its outcome.
class PopupPresenter
{
public:
    // The event to show, and where it lives, for the window's document actions.
    struct Request
    {
        MonitoredEntry::EntryManager& manager;
        MonitoredEntry::Entry::ID entryID;
        MonitoredEntry::Event::ID eventID;
        MachineEvent::Event event;
    };

    struct Result
    {
        // ResultRead when the popup was closed with its close button or its document was deleted.
        int code = 0;
        // The user opened the event log viewer from the popup.
        bool viewerRequested = false;
    };

    static constexpr int ResultRead = 1;

    virtual ~PopupPresenter() = default;

    // Shows the popup and waits until it is gone. Called on the popup manager's thread only, one at a
    // time; returns at once, with a code other than ResultRead, while the presenter is closed.
    virtual Result Show(const Request& request) = 0;
    // From any thread: closes the open popup, if any, and keeps the presenter closed (Show opens
    // nothing) until Reopen. The popup manager calls it when it is asked to stop.
    virtual void Close() = 0;
    // Shows open popups again; the popup manager calls it when it starts.
    virtual void Reopen() = 0;
};

} // namespace Orvane::MachineEvent

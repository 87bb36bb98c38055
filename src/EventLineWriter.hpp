#pragma once

#include "MachineEvent/NotifiableEventManager.hpp"

#include <boost/asio/io_context.hpp>

#include <memory>
#include <ostream>
#include <string>

namespace Orvane {

namespace MonitoredEntry {
class EntryManager;
}

// The headless run's announcement of new events: one JSON object per line on the output, flushed
// at once, with the entry and event identifiers, the device and account as the user sees them,
// the event's category, info and time text, the document identifier, the thumbnail address and
// whether the entry asks for popups. Nothing is marked read.
class EventLineWriter : public MachineEvent::NotifiableEventManager
{
public:
    // Lines are written on the io_context's thread; entries and out must outlive it.
    EventLineWriter(boost::asio::io_context& io, const MonitoredEntry::EntryManager& entries, std::ostream& out);
    ~EventLineWriter() override;

    // Hands the pair to the io_context's thread and returns.
    void Notify(EventPair pair) override;

    // The line of one logged event, without its line end.
    static std::string Format(const MonitoredEntry::Entry& entry, const MonitoredEntry::Event& event);

private:
    struct Pimpl;
    std::shared_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane

#include "EventLineWriter.hpp"

#include "MonitoredEntry/EntryManager.hpp"

#include <boost/asio/post.hpp>
#include <boost/locale/encoding_utf.hpp>

#include <nlohmann/json.hpp>

namespace Orvane {

namespace {

std::string UTF8(const std::wstring& text)
{
    return boost::locale::conv::utf_to_utf<char>(text);
}

nlohmann::json OptionalText(const boost::optional<std::wstring>& text)
{
    return text ? nlohmann::json(UTF8(*text)) : nlohmann::json();
}

// A device is shown by its name when it has one, else by its host; an account likewise by its
// name, else its ID.
std::string DeviceName(const MonitoredEntry::MFP& mfp)
{
    return UTF8(mfp.GetName().value_or(mfp.GetHost()));
}

std::string AccountName(const MonitoredEntry::User& user)
{
    return UTF8(user.GetName().value_or(user.GetID()));
}

} // namespace

struct EventLineWriter::Pimpl
{
    void Write(const EventPair& pair);

    boost::asio::io_context& io;
    const MonitoredEntry::EntryManager& entries;
    std::ostream& out;
};

// An event that left its log or an entry removed in the meantime has nothing left to announce.
void EventLineWriter::Pimpl::Write(const EventPair& pair)
{
    std::string line;
    {
        MonitoredEntry::EntryManager::ScopedLock lock(entries);
        const MonitoredEntry::EntryDB& db = entries.GetDB();
        if (!db.Contains(pair.first))
            return;
        const MonitoredEntry::Entry& entry = db.GetEntry(pair.first);
        if (!entry.ReadEventLog().Contains(pair.second))
            return;
        line = Format(entry, entry.ReadEventLog().GetEvent(pair.second));
    }
    out << line << '\n';
    out.flush();
}

EventLineWriter::EventLineWriter(boost::asio::io_context& io, const MonitoredEntry::EntryManager& entries,
                                 std::ostream& out)
    : m_pimpl(std::make_shared<Pimpl>(Pimpl {io, entries, out}))
{ }

EventLineWriter::~EventLineWriter() = default;

void EventLineWriter::Notify(EventPair pair)
{
    boost::asio::post(m_pimpl->io, [pimpl = m_pimpl, pair] { pimpl->Write(pair); });
}

std::string EventLineWriter::Format(const MonitoredEntry::Entry& entry, const MonitoredEntry::Event& event)
{
    const MonitoredEntry::EntryProperty& entryProperty = entry.GetProperty();
    const MonitoredEntry::EventProperty& property = event.GetProperty();
    const nlohmann::json line = {{"entry", entry.GetID().GetValue()},
                                 {"event", event.GetID().GetValue()},
                                 {"device", DeviceName(entryProperty.GetMFP())},
                                 {"account", AccountName(entryProperty.GetUser())},
                                 {"category", UTF8(property.GetCategory())},
                                 {"info", UTF8(property.GetInfo())},
                                 {"time", property.GetTime().GetText()},
                                 {"document", OptionalText(property.GetDocID())},
                                 {"thumbnail", OptionalText(property.GetThumbNailURL())},
                                 {"notice", entryProperty.GetConfig().IsNotice()}};
    return line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

} // namespace Orvane

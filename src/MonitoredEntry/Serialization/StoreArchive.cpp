#include "MonitoredEntry/Serialization/StoreArchive.hpp"

#include "MonitoredEntry/Serialization/StoreModel.hpp"

#include <boost/archive/xml_wiarchive.hpp>
#include <boost/archive/xml_woarchive.hpp>

#include <sstream>

namespace Orvane::MonitoredEntry::Serialization {

namespace {

// The archives convert nothing themselves: the caller turns the document into UTF-8 and back.
constexpr unsigned int ArchiveFlags = boost::archive::no_codecvt;

} // namespace

std::wstring WriteStore(const EntryManager& manager)
{
    std::wostringstream stream;
    {
        boost::archive::xml_woarchive archive(stream, ArchiveFlags);
        archive << boost::serialization::make_nvp("Orvane", manager);
    }
    return stream.str();
}

std::unique_ptr<EntryManager> ReadStore(const std::wstring& document)
{
    std::wistringstream stream(document);
    boost::archive::xml_wiarchive archive(stream, ArchiveFlags);
    ManagerRecord root;
    archive >> boost::serialization::make_nvp("Orvane", root);
    // Everything the manager needs has been read. The archive reads its closing element when it is
    // destroyed and raises from its destructor when that element is missing or anything else
    // follows; a stream marked failed makes it skip that step.
    stream.setstate(std::ios::failbit);
    return std::make_unique<EntryManager>(root.Get());
}

} // namespace Orvane::MonitoredEntry::Serialization

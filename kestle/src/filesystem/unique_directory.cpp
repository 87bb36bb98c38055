#include "kestle/filesystem/unique_directory.hpp"

#include "kestle/exception.hpp"
#include "kestle/filesystem/create_private_directories.hpp"

#include <boost/date_time/posix_time/posix_time_types.hpp>
#include <boost/format.hpp>
#include <boost/noncopyable.hpp>

#include <cstdint>
#include <string>

namespace kestle {
namespace filesystem {

namespace {

// A kind of file-system entry that can be created under a candidate name.
template <class Path>
class entry_traits : boost::noncopyable
{
public:
    virtual ~entry_traits() = default;
    virtual Path candidate(const std::string& name) const = 0;
    // True only when this call created the entry.
    virtual bool create(const Path& path) const = 0;
};

// The date as YYYYMMDD, then hours, minutes, seconds and microseconds without padding.
std::string time_stamp()
{
    const boost::posix_time::ptime now = boost::posix_time::microsec_clock::local_time();
    const boost::gregorian::date date = now.date();
    const boost::posix_time::time_duration time = now.time_of_day();
    return (boost::format("%04d%02d%02d%d%d%d%d") % static_cast<int>(date.year()) % static_cast<int>(date.month())
            % static_cast<int>(date.day()) % time.hours() % time.minutes() % time.seconds()
            % (time.total_microseconds() % 1000000))
        .str();
}

template <class Path>
class type_directory : public entry_traits<Path>
{
public:
    type_directory(const Path& folder, const std::string& prefix)
        : m_folder(folder)
        , m_prefix(prefix)
        , m_stamp(time_stamp())
    { }

    Path candidate(const std::string& name) const override { return m_folder / (m_prefix + m_stamp + name); }
    bool create(const Path& path) const override { return create_private_directories(path); }

private:
    const Path m_folder;
    const std::string m_prefix;
    // Taken once, so every candidate of one call shares it.
    const std::string m_stamp;
};

template <class Path>
class unique_entry_creator
{
public:
    explicit unique_entry_creator(const entry_traits<Path>& kind)
        : m_kind(kind)
    { }

    boost::shared_ptr<Path> create() const
    {
        static const std::uint32_t limit = 0xFFFFFFFF;
        for (std::uint32_t counter = 0; counter < limit; ++counter) {
            const Path path = m_kind.candidate((boost::format("%08X") % counter).str());
            if (m_kind.create(path))
                return boost::shared_ptr<Path>(new Path(path));
        }
        BOOST_THROW_EXCEPTION(runtime_error());
    }

private:
    const entry_traits<Path>& m_kind;
};

} // namespace

boost::shared_ptr<boost::filesystem::path> unique_directory(const boost::filesystem::path& folder,
                                                            const std::string& prefix)
{
    const type_directory<boost::filesystem::path> kind(folder, prefix);
    return unique_entry_creator<boost::filesystem::path>(kind).create();
}

} // namespace filesystem
} // namespace kestle

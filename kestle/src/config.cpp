#include "kestle/config.hpp"

#include "kestle/exception.hpp"
#include "kestle/filesystem/create_private_directories.hpp"

#include <boost/filesystem/exception.hpp>
#include <boost/filesystem/path.hpp>
#include <boost/optional.hpp>
#include <boost/program_options/options_description.hpp>
#include <boost/program_options/parsers.hpp>
#include <boost/throw_exception.hpp>

#include <cerrno>
#include <fcntl.h>
#include <iomanip>
#include <locale>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace kestle {

namespace fs = boost::filesystem;

namespace {

const std::string version_key = "VERSION";

// Closes the descriptor on every way out.
class file_descriptor : boost::noncopyable
{
public:
    explicit file_descriptor(int fd)
        : m_fd(fd)
    { }
    ~file_descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int get() const { return m_fd; }
    // Closing can report a late write error, so callers that wrote check it.
    int release_and_close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd);
    }

private:
    int m_fd;
};

[[noreturn]] void raise_file_error(const char* operation, const fs::path& path, int error,
                                   const fs::path& other = fs::path())
{
    const boost::system::error_code code(error, boost::system::system_category());
    if (other.empty())
        BOOST_THROW_EXCEPTION(fs::filesystem_error(operation, path, code));
    BOOST_THROW_EXCEPTION(fs::filesystem_error(operation, path, other, code));
}

std::string version_text(double version)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << std::fixed << std::setprecision(2) << version;
    return out.str();
}

// The whole text must be a number: "1.0x" or "abc" is no version at all.
boost::optional<double> read_version(const std::string& text)
{
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    double version = 0;
    if (!(in >> version) || !in.eof())
        return boost::none;
    return version;
}

void read_up_to_limit(int fd, std::string& content)
{
    content.resize(config<std::string>::max_file_size + 1);
    std::size_t total = 0;
    while (total < content.size()) {
        const ssize_t got = ::read(fd, &content[total], content.size() - total);
        if (got == 0)
            break;
        if (got < 0 && errno != EINTR)
            BOOST_THROW_EXCEPTION(open_file_failure());
        total += got > 0 ? static_cast<std::size_t>(got) : 0;
    }
    if (total > config<std::string>::max_file_size)
        BOOST_THROW_EXCEPTION(open_file_failure());
    content.resize(total);
}

// Returns false when there is no file. Anything but a regular file of bounded size is refused, and
// O_NONBLOCK keeps a FIFO in its place from hanging the open.
bool read_file(const fs::path& path, std::string& content)
{
    const file_descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
        if (errno == ENOENT)
            return false;
        BOOST_THROW_EXCEPTION(open_file_failure());
    }
    struct stat status;
    if (::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode))
        BOOST_THROW_EXCEPTION(open_file_failure());
    read_up_to_limit(fd.get(), content);
    return true;
}

std::map<std::string, std::string> parse(const std::string& content)
{
    std::istringstream in(content);
    in.imbue(std::locale::classic());
    const auto parsed
        = boost::program_options::parse_config_file(in, boost::program_options::options_description(), true);
    std::map<std::string, std::string> values;
    for (const auto& option : parsed.options)
        values[option.string_key] = option.value.empty() ? std::string() : option.value.front();
    return values;
}

void write_all(int fd, const fs::path& path, const std::string& content)
{
    std::size_t written = 0;
    while (written < content.size()) {
        const ssize_t done = ::write(fd, content.data() + written, content.size() - written);
        if (done < 0 && errno != EINTR)
            raise_file_error("write", path, errno);
        written += done > 0 ? static_cast<std::size_t>(done) : 0;
    }
}

// The file is complete on disk when this returns; on failure nothing is left behind.
void write_private_file(const fs::path& path, const std::string& content)
{
    file_descriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (fd.get() < 0)
        BOOST_THROW_EXCEPTION(open_file_failure());
    try {
        // A temporary file left by an earlier run keeps its mode through O_TRUNC.
        if (::fchmod(fd.get(), 0600) != 0)
            raise_file_error("fchmod", path, errno);
        write_all(fd.get(), path, content);
        if (::fsync(fd.get()) != 0)
            raise_file_error("fsync", path, errno);
        if (fd.release_and_close() != 0)
            raise_file_error("close", path, errno);
    } catch (...) {
        ::unlink(path.c_str());
        throw;
    }
}

// The previous file stays in place under its own name; the backup is a second name for it.
void keep_backup(const fs::path& path, const fs::path& backup)
{
    if (::unlink(backup.c_str()) != 0 && errno != ENOENT)
        raise_file_error("unlink", backup, errno);
    if (::link(path.c_str(), backup.c_str()) != 0) {
        if (errno == ENOENT)
            return;
        raise_file_error("link", path, errno, backup);
    }
    struct stat status;
    if (::lstat(backup.c_str(), &status) == 0 && S_ISREG(status.st_mode) && ::chmod(backup.c_str(), 0600) != 0)
        raise_file_error("chmod", backup, errno);
}

// Makes the rename itself durable.
void sync_folder(const fs::path& folder)
{
    const file_descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() < 0 || ::fsync(fd.get()) != 0)
        raise_file_error("fsync", folder, errno);
}

} // namespace

template <class String>
struct config<String>::Pimpl
{
    double version = 0;
    map_type defaults;
    std::map<double, converter_list> conversions;
    String path;
    map_type values;

    void reset_definition()
    {
        path.clear();
        conversions.clear();
        defaults.clear();
        set_version(0);
    }

    void set_version(double current)
    {
        version = current;
        defaults[version_key] = version_text(current);
    }

    bool supports(double file_version) const { return file_version == version || conversions.count(file_version); }

    void convert(double file_version, map_type& working) const
    {
        const auto found = conversions.find(file_version);
        if (found == conversions.end())
            return;
        for (const auto& converter : found->second)
            (*converter)(working);
    }

    // Every declared key, from the file where it has one; undeclared keys are dropped.
    map_type merge(const map_type& working, bool& defective) const
    {
        map_type merged;
        for (const auto& entry : defaults) {
            const auto found = entry.first == version_key ? working.end() : working.find(entry.first);
            if (found != working.end()) {
                merged.insert(*found);
                continue;
            }
            merged.insert(entry);
            defective = defective || entry.first != version_key;
        }
        return merged;
    }

    std::string written_form() const
    {
        std::string text;
        for (const auto& entry : values)
            text += entry.first + " = " + entry.second + "\n";
        return text;
    }
};

template <class String>
config<String>::definition::definition(Pimpl& state)
    : m_state(state)
{ }

template <class String>
typename config<String>::definition& config<String>::definition::path(const String& path)
{
    m_state.path = path;
    return *this;
}

template <class String>
typename config<String>::definition& config<String>::definition::version(double version)
{
    m_state.set_version(version);
    return *this;
}

template <class String>
typename config<String>::definition& config<String>::definition::add(const String& key, const String& value)
{
    m_state.defaults[key] = value;
    return *this;
}

template <class String>
typename config<String>::definition& config<String>::definition::add_integer(const String& key, long long value)
{
    return add(key, std::to_string(value));
}

template <class String>
typename config<String>::definition& config<String>::definition::add_boolean(const String& key, bool value)
{
    return add(key, value ? "1" : "0");
}

template <class String>
typename config<String>::definition& config<String>::definition::add_conversion(double from,
                                                                                const converter_list& converters)
{
    m_state.conversions[from] = converters;
    return *this;
}

template <class String>
config<String>::config()
    : m_pimpl(new Pimpl)
{ }

template <class String>
config<String>::~config() = default;

// Values afterwards: unchanged after open_file_failure and a syntax error; the defaults after
// nonsupport_version; complete (merged with the defaults) after convertible_version and
// defective_config, so that the caller can save them.
template <class String>
void config<String>::load()
{
    Pimpl& state = *m_pimpl;
    state.reset_definition();
    definition declared(state);
    define(declared);

    std::string content;
    if (!read_file(fs::path(state.path), content)) {
        state.values = state.defaults;
        save(false);
        return;
    }
    map_type working = parse(content);
    const auto found = working.find(version_key);
    const auto version = found == working.end() ? boost::none : read_version(found->second);
    if (!version || !state.supports(*version)) {
        state.values = state.defaults;
        BOOST_THROW_EXCEPTION(nonsupport_version());
    }
    state.convert(*version, working);
    bool defective = false;
    state.values = state.merge(working, defective);
    if (*version != state.version)
        BOOST_THROW_EXCEPTION(convertible_version());
    if (defective)
        BOOST_THROW_EXCEPTION(defective_config());
}

// There is always a complete file under the path: the new text goes to the ".tmp" file first and is
// renamed over the old one, and the backup is a hard link, so the old file never leaves its place.
template <class String>
void config<String>::save(bool backup) const
{
    const fs::path path(m_pimpl->path);
    const fs::path temporary = fs::path(path).replace_extension("tmp");
    const fs::path backup_path = fs::path(path).replace_extension("bak");
    if (temporary == path || backup_path == path)
        BOOST_THROW_EXCEPTION(logic_error());
    const fs::path folder = path.parent_path();
    filesystem::create_private_directories(folder);
    write_private_file(temporary, m_pimpl->written_form());
    if (backup)
        keep_backup(path, backup_path);
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        raise_file_error("rename", temporary, error, path);
    }
    sync_folder(folder.empty() ? fs::path(".") : folder);
}

template <class String>
String& config<String>::value(const String& key)
{
    const auto found = m_pimpl->values.find(key);
    if (found == m_pimpl->values.end())
        BOOST_THROW_EXCEPTION(logic_error());
    return found->second;
}

template <class String>
const String& config<String>::value(const String& key) const
{
    return const_cast<config&>(*this).value(key);
}

template class config<std::string>;

} // namespace kestle

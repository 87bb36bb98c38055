#include "Serializer.hpp"

#include "Exceptions.hpp"
#include "MonitoredEntry/Exceptions.hpp"
#include "MonitoredEntry/Serialization/LegacyConfig.hpp"
#include "MonitoredEntry/Serialization/MalformedStore.hpp"
#include "MonitoredEntry/Serialization/StoreArchive.hpp"
#include "System/Folders.hpp"

#include <boost/locale/encoding_utf.hpp>
#include <boost/throw_exception.hpp>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace Orvane {

namespace {

const char DataFileName[] = "data.dat";
// Far beyond any store the program writes; a larger file is refused before it is read.
constexpr off_t MaxStoreSize = 64 * 1024 * 1024;

using MonitoredEntry::EntryManager;
using MonitoredEntry::Serialization::MalformedStore;

[[noreturn]] void ThrowLastError()
{
    BOOST_THROW_EXCEPTION(SystemError::last());
}

class FileDescriptor
{
public:
    explicit FileDescriptor(int fd)
        : m_fd(fd)
    { }
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return m_fd; }

private:
    int m_fd;
};

// The file's bytes, or nothing when there is no file.
std::optional<std::string> ReadStoreFile(const std::string& path)
{
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0 && errno == ENOENT)
        return std::nullopt;
    struct stat info
    { };
    if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0)
        ThrowLastError();
    if (info.st_size > MaxStoreSize)
        BOOST_THROW_EXCEPTION(MalformedStore() << MonitoredEntry::ErrorMessage("the data store is too large"));
    std::string content;
    char buffer[65536];
    for (ssize_t got; (got = ::read(file.Get(), buffer, sizeof buffer)) != 0;) {
        if (got < 0 && errno != EINTR)
            ThrowLastError();
        content.append(buffer, static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
        if (content.size() > static_cast<std::size_t>(MaxStoreSize))
            BOOST_THROW_EXCEPTION(MalformedStore() << MonitoredEntry::ErrorMessage("the data store is too large"));
    }
    return content;
}

std::string FolderOf(const std::string& path)
{
    return path.substr(0, path.rfind('/') + 1);
}

// A rename is on disk only once its folder is.
void SyncFolder(const std::string& folder)
{
    const FileDescriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.Get() < 0 || ::fsync(directory.Get()) != 0)
        ThrowLastError();
}

std::string TimeStamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    ::localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

// Moves the store to the first free "data.dat.unreadable-<time>[-n]" beside it.
void SetAside(const std::string& path)
{
    const std::string stem = path + ".unreadable-" + TimeStamp();
    for (int attempt = 0;; ++attempt) {
        const std::string target = attempt == 0 ? stem : stem + "-" + std::to_string(attempt);
        if (::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0 || errno == ENOENT)
            return;
        if (errno != EEXIST)
            ThrowLastError();
    }
}

bool TryLoad(Serializer& serializer)
{
    try {
        Load(serializer);
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace

struct Serializer::Pimpl
{
    // Empty for the program's folder, which is looked up (and created) at each use.
    std::string folder;
    std::unique_ptr<EntryManager> manager = std::make_unique<EntryManager>();
    // Set when an unreadable store could not be moved aside: saving would overwrite it.
    std::optional<SystemError> storeKept;

    std::string Path() const { return (folder.empty() ? System::GetAppDataDir() : folder) + DataFileName; }
};

Serializer::Serializer()
    : m_pimpl(std::make_shared<Pimpl>())
{ }

Serializer::Serializer(const std::string& folder)
    : m_pimpl(std::make_shared<Pimpl>())
{
    m_pimpl->folder = folder.empty() || folder.back() == '/' ? folder : folder + "/";
}

MonitoredEntry::EntryManager& Serializer::GetEntryManager() const
{
    return *m_pimpl->manager;
}

std::string Serializer::GetPath() const
{
    return m_pimpl->Path();
}

void Load(Serializer& serializer)
{
    const std::string path = serializer.GetPath();
    const std::optional<std::string> content = ReadStoreFile(path);
    if (!content) {
        serializer.m_pimpl->manager = std::make_unique<EntryManager>();
        return;
    }
    const std::wstring document = boost::locale::conv::utf_to_utf<wchar_t>(*content, boost::locale::conv::stop);
    auto manager = MonitoredEntry::Serialization::ReadStore(document);
    // Only a store that was read becomes the backup: an unreadable one must not replace the copy of
    // the last good start.
    System::WritePrivateFile(path + ".bak", *content);
    serializer.m_pimpl->manager = std::move(manager);
    serializer.m_pimpl->storeKept.reset();
}

void Save(const Serializer& serializer)
{
    if (serializer.m_pimpl->storeKept)
        BOOST_THROW_EXCEPTION(*serializer.m_pimpl->storeKept);
    const std::string path = serializer.GetPath();
    const std::string temporary = path + ".tmp";
    const EntryManager& manager = serializer.GetEntryManager();
    std::wstring document;
    {
        const EntryManager::ScopedLock lock(manager);
        document = MonitoredEntry::Serialization::WriteStore(manager);
    }
    System::WritePrivateFile(temporary, boost::locale::conv::utf_to_utf<char>(document));
    if (::rename(temporary.c_str(), path.c_str()) != 0)
        ThrowLastError();
    SyncFolder(FolderOf(path));
}

bool LoadOnStartUp(Serializer& serializer)
{
    using MonitoredEntry::Serialization::IsLegacyConfig;
    using MonitoredEntry::Serialization::SetLegacyConfig;
    bool loaded = TryLoad(serializer);
    if (!loaded && IsLegacyConfig())
        loaded = TryLoad(serializer);
    // The switch is left on by a legacy read; a later load in this process reads the current format.
    SetLegacyConfig(false);
    if (loaded)
        return true;
    try {
        SetAside(serializer.GetPath());
    } catch (const SystemError& error) {
        serializer.m_pimpl->storeKept = error;
    }
    return false;
}

} // namespace Orvane

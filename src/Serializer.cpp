#include "Serializer.hpp"

#include "Exceptions.hpp"
#include "MonitoredEntry/Exceptions.hpp"
#include "MonitoredEntry/Serialization/LegacyConfig.hpp"
#include "MonitoredEntry/Serialization/MalformedStore.hpp"
#include "MonitoredEntry/Serialization/StoreArchive.hpp"
#include "System/FileDescriptor.hpp"
#include "System/Folders.hpp"

#include <boost/locale/encoding_utf.hpp>
#include <boost/throw_exception.hpp>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <iostream>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace Orvane {

namespace {

const char DataFileName[] = "data.dat";

using MonitoredEntry::EntryManager;
using MonitoredEntry::Serialization::MalformedStore;

[[noreturn]] void ThrowLastError()
{
    BOOST_THROW_EXCEPTION(SystemError::last());
}

using System::FileDescriptor;

// The file's bytes, or nothing when there is no file. A file that cannot be read raises SystemError;
// one larger than any store Save writes raises MalformedStore.
std::optional<std::string> ReadStoreFile(const std::string& path, std::size_t maxSize)
{
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0 && errno == ENOENT)
        return std::nullopt;
    struct stat info
    { };
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0)
        ThrowLastError();
    if (static_cast<std::uintmax_t>(info.st_size) > maxSize)
        BOOST_THROW_EXCEPTION(MalformedStore() << MonitoredEntry::ErrorMessage("the data store is too large"));
    std::string content;
    char buffer[65536];
    for (ssize_t got; (got = ::read(file.get(), buffer, sizeof buffer)) != 0;) {
        if (got < 0 && errno != EINTR)
            ThrowLastError();
        content.append(buffer, static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
        if (content.size() > maxSize)
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
    if (directory.get() < 0 || ::fsync(directory.get()) != 0)
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

// The copy of the last good start, through a temporary so that a failed write (a full disk, say)
// leaves the previous copy whole. Failing is only worth a warning: the store itself is fine.
void WriteBackup(const std::string& path, const std::string& content)
{
    const std::string backup = path + ".bak";
    const std::string temporary = backup + ".tmp";
    try {
        System::WritePrivateFile(temporary, content);
        if (::rename(temporary.c_str(), backup.c_str()) != 0)
            ThrowLastError();
    } catch (const std::exception& error) {
        ::unlink(temporary.c_str());
        std::cerr << "orvane: warning: the load backup " << backup << " was not written: " << error.what()
                  << std::endl;
    }
}

struct LoadAttempt
{
    bool loaded = false;
    // Set when the store could not be read, as opposed to read and found unusable.
    std::optional<SystemError> readError;
};

LoadAttempt TryLoad(Serializer& serializer)
{
    try {
        Load(serializer);
        return {true, std::nullopt};
    } catch (const SystemError& error) {
        return {false, error};
    } catch (...) {
        return {};
    }
}

} // namespace

struct Serializer::Pimpl
{
    // Empty for the program's folder, which is looked up (and created) at each use.
    std::string folder;
    std::unique_ptr<EntryManager> manager = std::make_unique<EntryManager>();
    std::size_t maxSize = MaxStoreSize;
    // Set while a store that could not be read, or not be moved aside, is still in place: saving
    // would overwrite it.
    std::optional<SystemError> storeKept;

    std::string Path() const { return (folder.empty() ? System::GetAppDataDir() : folder) + DataFileName; }
};

Serializer::Serializer()
    : m_pimpl(std::make_shared<Pimpl>())
{ }

Serializer::Serializer(const std::string& folder, std::size_t maxSize)
    : m_pimpl(std::make_shared<Pimpl>())
{
    m_pimpl->folder = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    m_pimpl->maxSize = maxSize;
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
    const std::optional<std::string> content = ReadStoreFile(path, serializer.m_pimpl->maxSize);
    if (!content) {
        serializer.m_pimpl->manager = std::make_unique<EntryManager>();
        return;
    }
    const std::wstring document = boost::locale::conv::utf_to_utf<wchar_t>(*content, boost::locale::conv::stop);
    auto manager = MonitoredEntry::Serialization::ReadStore(document);
    // Only a store that was read becomes the backup: an unreadable one must not replace the copy of
    // the last good start.
    WriteBackup(path, *content);
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
    const std::string bytes = boost::locale::conv::utf_to_utf<char>(document);
    // Load would refuse it: the old store stays.
    if (bytes.size() > serializer.m_pimpl->maxSize)
        BOOST_THROW_EXCEPTION(SystemError(EFBIG));
    System::WritePrivateFile(temporary, bytes);
    if (::rename(temporary.c_str(), path.c_str()) != 0)
        ThrowLastError();
    SyncFolder(FolderOf(path));
}

bool LoadOnStartUp(Serializer& serializer)
{
    using MonitoredEntry::Serialization::IsLegacyConfig;
    using MonitoredEntry::Serialization::SetLegacyConfig;
    LoadAttempt attempt = TryLoad(serializer);
    if (!attempt.loaded && !attempt.readError && IsLegacyConfig())
        attempt = TryLoad(serializer);
    // The switch is left on by a legacy read; a later load in this process reads the current format.
    SetLegacyConfig(false);
    if (attempt.loaded)
        return true;
    // A read error says nothing about the file's content: it stays where it is for the next start.
    if (attempt.readError) {
        serializer.m_pimpl->storeKept = attempt.readError;
        return false;
    }
    try {
        SetAside(serializer.GetPath());
    } catch (const SystemError& error) {
        serializer.m_pimpl->storeKept = error;
    }
    return false;
}

} // namespace Orvane

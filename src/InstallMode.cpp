#include "InstallMode.hpp"

#include "Config.hpp"
#include "ConsoleMessage.hpp"
#include "ExitCode.hpp"
#include "HTTP/Exceptions.hpp"
#include "MonitoredEntry/EntryManager.hpp"
#include "MonitoredEntry/Exceptions.hpp"
#include "QX/Quexhall.hpp"
#include "Serializer.hpp"
#include "SingleInstance.hpp"
#include "System/Text.hpp"
#include "Utility/SearchAgent.hpp"

#include <boost/filesystem/operations.hpp>

#include <algorithm>
#include <chrono>
#include <thread>

namespace Orvane {

namespace {

constexpr int TakeoverAttempts = 3;
constexpr auto TakeoverPause = std::chrono::milliseconds(300);
constexpr std::size_t PasswordLengthMax = 28;

bool IsHost(const std::wstring& host)
{
    // The device record's own rule decides what a host is; the rest of this record is valid.
    MonitoredEntry::MFP mfp;
    mfp.SetHost(host);
    mfp.SetHTTP(0);
    return mfp.IsValid();
}

bool IsPort(const boost::optional<std::int32_t>& port)
{
    return !port || (*port >= 0 && *port <= 65535);
}

bool IsPresent(const boost::optional<std::wstring>& text)
{
    return text && !text->empty();
}

bool IsPassword(const boost::optional<std::wstring>& password)
{
    return !password
        || (password->size() <= PasswordLengthMax
            && std::all_of(password->begin(), password->end(), [](wchar_t c) { return c >= 0 && c < 0x80; }));
}

bool AreValid(const CommandLine::InstallOptions& options)
{
    return (!options.mname || !options.mname->empty()) && options.host && IsHost(*options.host) && IsPort(options.http)
        && IsPort(options.https) && IsPresent(options.uname) && IsPresent(options.uid) && IsPassword(options.upass);
}

// The name the device reports for itself; none when it cannot be reached.
boost::optional<std::wstring> AskDeviceName(const MonitoredEntry::MFP& mfp)
{
    try {
        const auto settings
            = QX::Quexhall(mfp).GetMachineSettings(Config::Instance().GetTimeout(QX::Config::MachineSettings));
        return System::FromANSI(settings->MachineName);
    } catch (const HTTP::Error&) {
        return boost::none;
    }
}

// The device selected last in a device search, when it is the device being installed. Its failures
// end the install as unexpected ones.
boost::optional<MonitoredEntry::MFP> FallbackDevice(const std::wstring& host)
{
    const MonitoredEntry::MFP selected = Utility::SearchAgent().GetSelectedDevice();
    if (selected.GetHost() != host)
        return boost::none;
    return selected;
}

void RemoveFile(const std::string& path)
{
    boost::filesystem::remove(path);
}

} // namespace

struct InstallMode::Pimpl
{
    Pimpl(SingleInstance& instance, const CommandLine::InstallOptions& options, SettingsSheet sheet)
        : instance(instance)
        , options(options)
        , sheet(std::move(sheet))
    { }

    void TakeOver();
    void ResetConfig();
    MonitoredEntry::EntryProperty BuildProperty() const;
    MonitoredEntry::Entry::ID Append(const MonitoredEntry::EntryProperty& property);

    SingleInstance& instance;
    const CommandLine::InstallOptions options;
    const SettingsSheet sheet;
    std::unique_ptr<Serializer> serializer; // made once the configuration is reset
    bool succeeded = false;
};

void InstallMode::Pimpl::TakeOver()
{
    for (int attempt = 0; attempt < TakeoverAttempts; ++attempt) {
        if (instance.TryLock())
            return;
        if (!CloseRunningInstance())
            std::this_thread::sleep_for(TakeoverPause);
    }
    throw ExitCode::NotClosed;
}

void InstallMode::Pimpl::ResetConfig()
{
    const std::string path = Config::Instance().GetPath();
    RemoveFile(path);
    RemoveFile(boost::filesystem::path(path).replace_extension("bak").string());
    Config::Instance().Load();
    Config::Instance().PublishLimits();
}

MonitoredEntry::EntryProperty InstallMode::Pimpl::BuildProperty() const
{
    MonitoredEntry::EntryProperty property = Config::Instance().GetDefaultEntryProperty();
    MonitoredEntry::MFP mfp = property.GetMFP();
    mfp.SetHost(*options.host);
    const auto fallback = FallbackDevice(*options.host);
    if (options.http || fallback)
        mfp.SetHTTP(options.http ? options.http : fallback->GetHTTP());
    if (options.https || fallback)
        mfp.SetHTTPS(options.https ? options.https : fallback->GetHTTPS());
    mfp.SetName(IsPresent(options.mname) ? options.mname : fallback ? fallback->GetName() : AskDeviceName(mfp));
    property.SetMFP(mfp);

    MonitoredEntry::User user;
    user.SetName(options.uname);
    user.SetID(*options.uid);
    user.SetPassword(options.upass ? MonitoredEntry::Password(*options.upass) : MonitoredEntry::Password());
    property.SetUser(user);
    return property;
}

MonitoredEntry::Entry::ID InstallMode::Pimpl::Append(const MonitoredEntry::EntryProperty& property)
{
    if (!property.IsValid())
        throw ExitCode::InvalidEntry;
    serializer = std::make_unique<Serializer>();
    try {
        MonitoredEntry::EntryManager::Transaction transaction(serializer->GetEntryManager());
        const MonitoredEntry::Entry::ID id = transaction.Append(property);
        transaction.Commit();
        return id;
    } catch (const MonitoredEntry::OverLimitEntryCount&) {
        throw ExitCode::EntryCountLimit;
    } catch (const MonitoredEntry::DuplicateEntry&) {
        throw ExitCode::NotClosed;
    } catch (const MonitoredEntry::InvalidEntry&) {
        throw ExitCode::InvalidEntry;
    }
}

InstallMode::InstallMode(SingleInstance& instance, const CommandLine::InstallOptions& options, SettingsSheet sheet)
    : m_pimpl(std::make_unique<Pimpl>(instance, options, std::move(sheet)))
{ }

InstallMode::~InstallMode() = default;

bool InstallMode::Execute()
{
    Pimpl& p = *m_pimpl;
    p.succeeded = false;
    try {
        if (!AreValid(p.options))
            throw ExitCode::InvalidOptions;
        p.TakeOver();
        p.ResetConfig();
        const MonitoredEntry::Entry::ID id = p.Append(p.BuildProperty());
        if (p.sheet)
            p.sheet(p.serializer->GetEntryManager(), id);
        SetExitCode(ExitCode::Success);
        p.succeeded = true;
        return true;
    } catch (...) {
        FailWithCurrentException();
    }
    return false;
}

void InstallMode::Finish()
{
    if (m_pimpl->succeeded) {
        try {
            Save(*m_pimpl->serializer);
        } catch (const std::exception& error) {
            ConsoleMessage::Show(ConsoleMessage::SaveFailure, error.what());
            SetExitCode(ExitCode::SaveFailure);
        }
    }
    m_pimpl->instance.Unlock();
}

} // namespace Orvane

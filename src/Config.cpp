#include "Config.hpp"

#include "MonitoredEntry/EntryProperty.hpp"
#include "System/Folders.hpp"

#include <kestle/config.hpp>
#include <kestle/exception.hpp>

#include <boost/optional/optional.hpp>

#include <algorithm>
#include <limits>
#include <locale>
#include <mutex>
#include <sstream>
#include <stdexcept>

namespace Orvane {

namespace {

struct Key
{
    const char* name;
    bool flag; // "1" or "0"; every other key is a 32-bit integer
    std::int32_t value;
};

const Key Keys[] = {
    {"PORT", false, 61000},
    {"ENTRY_MAX", false, 3},
    {"EVENT_LOG_MAX_LIMIT", false, 50},
    {"DETECTED_EVENT_QUEUE_SIZE", false, 50},
    {"REGULAR_SERIALIZE_INTERVAL_MS", false, 300000},
    {"SUBSCRIBE_INTERVAL_MS", false, 1800000},
    {"RETRY_SUBSCRIBE_INTERVAL_MS", false, 300000},
    {"MACHINE_MONITOR_INTERVAL_MS", false, 600000},
    {"POPUP_EVENT_ERASE_INTERVAL_MS", false, 10000},
    {"POPUP_EVENT_ERASE_INTERVAL_MS_MIN", false, 0},
    {"POPUP_EVENT_ERASE_INTERVAL_MS_MAX", false, 100000000},
    {"REGULAR_CHECK_INTERVAL_MS_MIN", false, 60000},
    {"REGULAR_CHECK_INTERVAL_MS_MAX", false, 3600000},
    {"ENTRY_DEFAULT_ENABLE_MONITORING", true, 1},
    {"ENTRY_DEFAULT_HTTP", false, 80},
    {"ENTRY_DEFAULT_HTTPS", false, 443},
    {"ENTRY_DEFAULT_SSL", true, 0},
    {"ENTRY_DEFAULT_ENABLE_NOTICE", true, 1},
    {"ENTRY_DEFAULT_REGULAR_CHECK_INTERVAL_MS", false, 1800000},
    {"ENTRY_DEFAULT_LOG_MAX", false, 25},
    {"ENTRY_DEFAULT_ENABLE_EVENT_READ", true, 0},
    {"ENTRY_DEFAULT_ENABLE_DELETE_MSG", true, 1},
    {"HTTP_CONNECT_TIMEOUT_MS", false, 30000},
    {"HTTP_RETRY", false, 1},
    {"HTTP_SEND_TIMEOUT_MS", false, 30000},
    {"HTTP_RECV_TIMEOUT_MS", false, 30000},
    {"QX_GET_MACHINE_SETTINGS_SEND_TIMEOUT_MS", false, 30000},
    {"QX_GET_MACHINE_SETTINGS_RECV_TIMEOUT_MS", false, 30000},
    {"QX_GET_USER_INFO_SEND_TIMEOUT_MS", false, 30000},
    {"QX_GET_USER_INFO_RECV_TIMEOUT_MS", false, 30000},
    {"QX_GET_USER_LIST_SEND_TIMEOUT_MS", false, 30000},
    {"QX_GET_USER_LIST_RECV_TIMEOUT_MS", false, 30000},
    {"QX_DOWNLOAD_IMAGE_SEND_TIMEOUT_MS", false, 30000},
    {"QX_DOWNLOAD_IMAGE_RECV_TIMEOUT_MS", false, 30000},
    {"QX_GET_IMAGE_SEND_TIMEOUT_MS", false, 30000},
    {"QX_GET_IMAGE_RECV_TIMEOUT_MS", false, 30000},
    {"QX_PRINT_SEND_TIMEOUT_MS", false, 30000},
    {"QX_PRINT_RECV_TIMEOUT_MS", false, 30000},
    {"QX_GET_THUMBNAIL_SEND_TIMEOUT_MS", false, 30000},
    {"QX_GET_THUMBNAIL_RECV_TIMEOUT_MS", false, 30000},
    {"QX_SUBSCRIBE_SEND_TIMEOUT_MS", false, 30000},
    {"QX_SUBSCRIBE_RECV_TIMEOUT_MS", false, 30000},
    {"QX_UNSUBSCRIBE_SEND_TIMEOUT_MS", false, 30000},
    {"QX_UNSUBSCRIBE_RECV_TIMEOUT_MS", false, 30000},
    {"QX_DELETE_SEND_TIMEOUT_MS", false, 30000},
    {"QX_DELETE_RECV_TIMEOUT_MS", false, 30000},
};

// The send and receive keys of each time-out set, by set index.
const char* const TimeoutKeys[QX::Config::SetCount][2] = {
    {"HTTP_SEND_TIMEOUT_MS", "HTTP_RECV_TIMEOUT_MS"},
    {"QX_GET_MACHINE_SETTINGS_SEND_TIMEOUT_MS", "QX_GET_MACHINE_SETTINGS_RECV_TIMEOUT_MS"},
    {"QX_GET_USER_INFO_SEND_TIMEOUT_MS", "QX_GET_USER_INFO_RECV_TIMEOUT_MS"},
    {"QX_GET_USER_LIST_SEND_TIMEOUT_MS", "QX_GET_USER_LIST_RECV_TIMEOUT_MS"},
    {"QX_DOWNLOAD_IMAGE_SEND_TIMEOUT_MS", "QX_DOWNLOAD_IMAGE_RECV_TIMEOUT_MS"},
    {"QX_GET_IMAGE_SEND_TIMEOUT_MS", "QX_GET_IMAGE_RECV_TIMEOUT_MS"},
    {"QX_PRINT_SEND_TIMEOUT_MS", "QX_PRINT_RECV_TIMEOUT_MS"},
    {"QX_GET_THUMBNAIL_SEND_TIMEOUT_MS", "QX_GET_THUMBNAIL_RECV_TIMEOUT_MS"},
    {"QX_SUBSCRIBE_SEND_TIMEOUT_MS", "QX_SUBSCRIBE_RECV_TIMEOUT_MS"},
    {"QX_UNSUBSCRIBE_SEND_TIMEOUT_MS", "QX_UNSUBSCRIBE_RECV_TIMEOUT_MS"},
    {"QX_DELETE_SEND_TIMEOUT_MS", "QX_DELETE_RECV_TIMEOUT_MS"},
};

const Key& FindKey(const std::string& name)
{
    const auto found
        = std::find_if(std::begin(Keys), std::end(Keys), [&name](const Key& key) { return name == key.name; });
    if (found == std::end(Keys))
        BOOST_THROW_EXCEPTION(kestle::logic_error());
    return *found;
}

// The whole text as a 32-bit decimal number in the classic locale.
boost::optional<std::int32_t> ParseInteger(const std::string& text)
{
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    std::int32_t value = 0;
    if (!(in >> value) || !in.eof())
        return boost::none;
    return value;
}

boost::optional<std::int32_t> ParseValue(const Key& key, const std::string& text)
{
    if (key.flag)
        return text == "1" || text == "0" ? ParseInteger(text) : boost::none;
    return ParseInteger(text);
}

std::string ConfigPath()
{
    return System::GetAppDataDir() + "config.dat";
}

// (connect + send + receive time-out) x retry count x 2. A retry count of 0 still makes one
// attempt, and large values must not wrap round to a negative wait.
std::int32_t WaitLimit(const HTTP::Timeout& subscribe)
{
    const std::int64_t timeout = std::int64_t(subscribe.ConnectMs) + subscribe.SendMs + subscribe.RecvMs;
    const std::int64_t limit = timeout * std::max<std::int64_t>(subscribe.Retry, 1) * 2;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(limit, 0, std::numeric_limits<std::int32_t>::max()));
}

void CheckRange(const Config::Range& range)
{
    if (range.Max < range.Min)
        BOOST_THROW_EXCEPTION(std::runtime_error("boost::interval: empty interval created"));
}

Config::Current DefaultCurrent()
{
    auto value = [](const char* name) { return FindKey(name).value; };
    Config::Current current;
    current.EntryMax = value("ENTRY_MAX");
    current.Port = value("PORT");
    current.SubscribeIntervalMs = value("SUBSCRIBE_INTERVAL_MS");
    current.RetrySubscribeIntervalMs = value("RETRY_SUBSCRIBE_INTERVAL_MS");
    current.MachineMonitorIntervalMs = value("MACHINE_MONITOR_INTERVAL_MS");
    current.EventLogMaxLimit = value("EVENT_LOG_MAX_LIMIT");
    current.RegularCheckIntervalMs = {value("REGULAR_CHECK_INTERVAL_MS_MIN"), value("REGULAR_CHECK_INTERVAL_MS_MAX")};
    current.PopupEventEraseIntervalMs
        = {value("POPUP_EVENT_ERASE_INTERVAL_MS_MIN"), value("POPUP_EVENT_ERASE_INTERVAL_MS_MAX")};
    current.DetectedEventQueueSize = value("DETECTED_EVENT_QUEUE_SIZE");
    current.PopupEventEraseIntervalMsDefault = value("POPUP_EVENT_ERASE_INTERVAL_MS");
    current.SubscribeWaitLimitMs
        = WaitLimit({value("HTTP_CONNECT_TIMEOUT_MS"), value("HTTP_RETRY"), value("QX_SUBSCRIBE_SEND_TIMEOUT_MS"),
                     value("QX_SUBSCRIBE_RECV_TIMEOUT_MS")});
    return current;
}

std::mutex& CurrentMutex()
{
    static std::mutex mutex;
    return mutex;
}

Config::Current& CurrentValues()
{
    static Config::Current current = DefaultCurrent();
    return current;
}

} // namespace

struct Config::Pimpl : kestle::config<std::string>
{
    Range regularCheck;
    Range popupErase;
    QX::Config timeouts;
    std::shared_ptr<MonitoredEntry::EntryProperty> defaultProperty = std::make_shared<MonitoredEntry::EntryProperty>();

    void define(definition& declared) override
    {
        declared.path(ConfigPath()).version(1.0);
        for (const Key& key : Keys) {
            if (key.flag)
                declared.add_boolean(key.name, key.value != 0);
            else
                declared.add_integer(key.name, key.value);
        }
    }

    // Values that are not numbers are replaced by their defaults; true when any was.
    bool Heal()
    {
        bool healed = false;
        for (const Key& key : Keys) {
            std::string& text = value(key.name);
            if (ParseValue(key, text))
                continue;
            text = key.flag ? (key.value ? "1" : "0") : std::to_string(key.value);
            healed = true;
        }
        return healed;
    }

    std::int32_t Integer(const char* name) const
    {
        const auto parsed = ParseValue(FindKey(name), value(name));
        if (!parsed)
            BOOST_THROW_EXCEPTION(kestle::logic_error());
        return *parsed;
    }

    bool Flag(const char* name) const { return Integer(name) != 0; }

    Range MakeRange(const char* min, const char* max) const
    {
        const Range range {Integer(min), Integer(max)};
        CheckRange(range);
        return range;
    }

    void BuildTimeouts()
    {
        for (int set = 0; set < QX::Config::SetCount; ++set) {
            const HTTP::Timeout timeout {Integer("HTTP_CONNECT_TIMEOUT_MS"), Integer("HTTP_RETRY"),
                                         Integer(TimeoutKeys[set][0]), Integer(TimeoutKeys[set][1])};
            timeouts.Put(static_cast<QX::Config::Set>(set), timeout);
        }
    }

    void BuildDefaultProperty()
    {
        MonitoredEntry::MFP mfp;
        mfp.SetHTTP(Integer("ENTRY_DEFAULT_HTTP"));
        mfp.SetHTTPS(Integer("ENTRY_DEFAULT_HTTPS"));
        mfp.SetSSL(Flag("ENTRY_DEFAULT_SSL"));
        MonitoredEntry::Config config;
        config.SetLogMax(Integer("ENTRY_DEFAULT_LOG_MAX"));
        config.SetInterval(Integer("ENTRY_DEFAULT_REGULAR_CHECK_INTERVAL_MS"));
        config.SetNotice(Flag("ENTRY_DEFAULT_ENABLE_NOTICE"));
        config.SetEraseTime(Integer("POPUP_EVENT_ERASE_INTERVAL_MS"));
        config.SetEventRead(Flag("ENTRY_DEFAULT_ENABLE_EVENT_READ"));
        config.SetDeleteMsg(Flag("ENTRY_DEFAULT_ENABLE_DELETE_MSG"));
        auto property = std::make_shared<MonitoredEntry::EntryProperty>();
        property->SetMonitoring(Flag("ENTRY_DEFAULT_ENABLE_MONITORING"));
        property->SetMFP(mfp);
        property->SetConfig(config);
        defaultProperty = property;
    }
};

bool Config::Range::Contains(std::int32_t value) const
{
    CheckRange(*this);
    return Min <= value && value <= Max;
}

Config::Config(std::shared_ptr<Pimpl> pimpl)
    : m_pimpl(std::move(pimpl))
{ }

Config Config::Instance()
{
    static const Config instance(std::make_shared<Pimpl>());
    return instance;
}

void Config::Load()
{
    Pimpl& p = *m_pimpl;
    bool defective = false;
    try {
        p.load();
    } catch (const kestle::defective_config&) {
        defective = true; // the values now hold every key, the missing ones with their defaults
    }
    if (p.Heal() || defective)
        p.save(true);
    p.regularCheck = p.MakeRange("REGULAR_CHECK_INTERVAL_MS_MIN", "REGULAR_CHECK_INTERVAL_MS_MAX");
    p.popupErase = p.MakeRange("POPUP_EVENT_ERASE_INTERVAL_MS_MIN", "POPUP_EVENT_ERASE_INTERVAL_MS_MAX");
    p.BuildTimeouts();
    p.BuildDefaultProperty();
}

std::int32_t Config::GetPort() const
{
    return m_pimpl->Integer("PORT");
}

std::int32_t Config::GetEntryMax() const
{
    return m_pimpl->Integer("ENTRY_MAX");
}

std::int32_t Config::GetEventLogMaxLimit() const
{
    return m_pimpl->Integer("EVENT_LOG_MAX_LIMIT");
}

std::int32_t Config::GetDetectedEventQueueSize() const
{
    return m_pimpl->Integer("DETECTED_EVENT_QUEUE_SIZE");
}

std::int32_t Config::GetRegularSerializeIntervalMs() const
{
    return m_pimpl->Integer("REGULAR_SERIALIZE_INTERVAL_MS");
}

std::int32_t Config::GetSubscribeIntervalMs() const
{
    return m_pimpl->Integer("SUBSCRIBE_INTERVAL_MS");
}

std::int32_t Config::GetRetrySubscribeIntervalMs() const
{
    return m_pimpl->Integer("RETRY_SUBSCRIBE_INTERVAL_MS");
}

std::int32_t Config::GetMachineMonitorIntervalMs() const
{
    return m_pimpl->Integer("MACHINE_MONITOR_INTERVAL_MS");
}

std::int32_t Config::GetPopupEventEraseIntervalMs() const
{
    return m_pimpl->Integer("POPUP_EVENT_ERASE_INTERVAL_MS");
}

bool Config::IsEntryDefaultEnableEventRead() const
{
    return m_pimpl->Flag("ENTRY_DEFAULT_ENABLE_EVENT_READ");
}

bool Config::IsEntryDefaultEnableDeleteMsg() const
{
    return m_pimpl->Flag("ENTRY_DEFAULT_ENABLE_DELETE_MSG");
}

std::int32_t Config::GetSubscribeWaitLimitMs() const
{
    return WaitLimit(GetTimeout(QX::Config::Subscribe));
}

const HTTP::Timeout& Config::GetTimeout(QX::Config::Set set) const
{
    return m_pimpl->timeouts.Get(set);
}

const QX::Config& Config::GetTimeoutTable() const
{
    return m_pimpl->timeouts;
}

const Config::Range& Config::GetRegularCheckIntervalRange() const
{
    return m_pimpl->regularCheck;
}

const Config::Range& Config::GetPopupEventEraseIntervalRange() const
{
    return m_pimpl->popupErase;
}

const MonitoredEntry::EntryProperty& Config::GetDefaultEntryProperty() const
{
    return *m_pimpl->defaultProperty;
}

void Config::PublishLimits() const
{
    QX::SetConfig(GetTimeoutTable());
    Current current = GetCurrent();
    current.EntryMax = GetEntryMax();
    current.EventLogMaxLimit = GetEventLogMaxLimit();
    current.RegularCheckIntervalMs = GetRegularCheckIntervalRange();
    current.PopupEventEraseIntervalMs = GetPopupEventEraseIntervalRange();
    SetCurrent(current);
}

void Config::Publish() const
{
    PublishLimits();
    Current current = GetCurrent();
    current.Port = GetPort();
    current.SubscribeIntervalMs = GetSubscribeIntervalMs();
    current.RetrySubscribeIntervalMs = GetRetrySubscribeIntervalMs();
    current.MachineMonitorIntervalMs = GetMachineMonitorIntervalMs();
    current.DetectedEventQueueSize = GetDetectedEventQueueSize();
    current.PopupEventEraseIntervalMsDefault = GetPopupEventEraseIntervalMs();
    current.SubscribeWaitLimitMs = GetSubscribeWaitLimitMs();
    SetCurrent(current);
}

Config::Current Config::GetCurrent()
{
    std::lock_guard<std::mutex> lock(CurrentMutex());
    return CurrentValues();
}

void Config::SetCurrent(const Current& current)
{
    std::lock_guard<std::mutex> lock(CurrentMutex());
    CurrentValues() = current;
}

std::string Config::GetPath() const
{
    return ConfigPath();
}

} // namespace Orvane

#pragma once

#include "HTTP/Timeout.hpp"
#include "QX/Config.hpp"

#include <cstdint>
#include <memory>
#include <string>

namespace Orvane {

namespace MonitoredEntry {
class EntryProperty;
}

// The program's configuration, the file "config.dat" in the program's folder. There is one
// instance per process; the engine reads the values it needs from process-wide copies made once
// after loading (GetCurrent), never from the file.
class Config
{
public:
    // An inclusive range of allowed values.
    struct Range
    {
        std::int32_t Min = 0;
        std::int32_t Max = 0;

        // Raises std::runtime_error "boost::interval: empty interval created" when Max < Min.
        bool Contains(std::int32_t value) const;
    };

    // The process-wide copies. Until Publish runs they hold the defaults of the keys.
    struct Current
    {
        std::int32_t EntryMax = 0;
        std::int32_t Port = 0;
        std::int32_t SubscribeIntervalMs = 0;
        std::int32_t RetrySubscribeIntervalMs = 0;
        std::int32_t MachineMonitorIntervalMs = 0;
        std::int32_t EventLogMaxLimit = 0;
        Range RegularCheckIntervalMs;
        Range PopupEventEraseIntervalMs;
        std::int32_t DetectedEventQueueSize = 0;
        std::int32_t PopupEventEraseIntervalMsDefault = 0;
        std::int32_t SubscribeWaitLimitMs = 0;
    };

    // The process-wide instance, created on first use.
    static Config Instance();

    // Reads the file, creating it with the defaults when there is none. Missing keys and values that
    // are not numbers (or not "0"/"1" for a flag) take their defaults, and the file is rewritten with
    // the old one kept as "config.bak". Raises kestle::open_file_failure, kestle::nonsupport_version,
    // Orvane::SystemError, and std::runtime_error for an inverted range.
    void Load();

    std::int32_t GetPort() const;
    std::int32_t GetEntryMax() const;
    std::int32_t GetEventLogMaxLimit() const;
    std::int32_t GetDetectedEventQueueSize() const;
    std::int32_t GetRegularSerializeIntervalMs() const;
    std::int32_t GetSubscribeIntervalMs() const;
    std::int32_t GetRetrySubscribeIntervalMs() const;
    std::int32_t GetMachineMonitorIntervalMs() const;
    std::int32_t GetPopupEventEraseIntervalMs() const;
    bool IsEntryDefaultEnableEventRead() const;
    bool IsEntryDefaultEnableDeleteMsg() const;

    // The longest a dialog waits for a new or changed entry to be given its status:
    // (connect + send + receive time-out) x retry count x 2 of the subscribe set.
    std::int32_t GetSubscribeWaitLimitMs() const;

    const HTTP::Timeout& GetTimeout(QX::Config::Set set) const;
    const QX::Config& GetTimeoutTable() const;
    const Range& GetRegularCheckIntervalRange() const;
    const Range& GetPopupEventEraseIntervalRange() const;
    // What every new entry starts as.
    const MonitoredEntry::EntryProperty& GetDefaultEntryProperty() const;

    // Publishes the timeout table and fills every process-wide copy (normal start).
    void Publish() const;
    // Publishes the timeout table and copies only ENTRY_MAX, EVENT_LOG_MAX_LIMIT and the two ranges
    // (install mode).
    void PublishLimits() const;

    static Current GetCurrent();
    static void SetCurrent(const Current& current);

    // The file the configuration lives in.
    std::string GetPath() const;

private:
    struct Pimpl;
    explicit Config(std::shared_ptr<Pimpl> pimpl);
    std::shared_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane

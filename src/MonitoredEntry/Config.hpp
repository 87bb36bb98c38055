#pragma once

#include <cstdint>
#include <memory>

namespace Orvane::MonitoredEntry {

// The settings of one entry. A new value has every number 0 and every flag off; new entries are
// filled from the configured defaults.
class Config
{
public:
    Config();
    Config(const Config& other);
    Config& operator=(const Config& other);
    ~Config();

    // Events kept in the entry's log.
    std::int32_t GetLogMax() const;
    void SetLogMax(std::int32_t logMax);
    // Period of the regular feed check, in milliseconds.
    std::int32_t GetInterval() const;
    void SetInterval(std::int32_t interval);
    // New events are announced in a popup.
    bool IsNotice() const;
    void SetNotice(bool notice);
    // How long a popup stays, in milliseconds; 0 keeps it until it is closed.
    std::int32_t GetEraseTime() const;
    void SetEraseTime(std::int32_t eraseTime);
    // A document is marked read on the device when it is previewed, printed or saved.
    bool IsEventRead() const;
    void SetEventRead(bool eventRead);
    // Deleting a document asks first.
    bool IsDeleteMsg() const;
    void SetDeleteMsg(bool deleteMsg);

    // The three numbers lie in the process-wide ranges (Orvane::Config::GetCurrent). An inverted
    // range, or a log limit below 1, raises std::runtime_error instead of answering.
    bool IsValid() const;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::MonitoredEntry

#include "MonitoredEntry/Config.hpp"

#include <Config.hpp> // the program's configuration, for the process-wide ranges

namespace Orvane::MonitoredEntry {

struct Config::Pimpl
{
    std::int32_t logMax = 0;
    std::int32_t interval = 0;
    bool notice = false;
    std::int32_t eraseTime = 0;
    bool eventRead = false;
    bool deleteMsg = false;
};

Config::Config()
    : m_pimpl(std::make_unique<Pimpl>())
{ }

Config::Config(const Config& other)
    : m_pimpl(std::make_unique<Pimpl>(*other.m_pimpl))
{ }

Config& Config::operator=(const Config& other)
{
    *m_pimpl = *other.m_pimpl;
    return *this;
}

Config::~Config() = default;

std::int32_t Config::GetLogMax() const
{
    return m_pimpl->logMax;
}

void Config::SetLogMax(std::int32_t logMax)
{
    m_pimpl->logMax = logMax;
}

std::int32_t Config::GetInterval() const
{
    return m_pimpl->interval;
}

void Config::SetInterval(std::int32_t interval)
{
    m_pimpl->interval = interval;
}

bool Config::IsNotice() const
{
    return m_pimpl->notice;
}

void Config::SetNotice(bool notice)
{
    m_pimpl->notice = notice;
}

std::int32_t Config::GetEraseTime() const
{
    return m_pimpl->eraseTime;
}

void Config::SetEraseTime(std::int32_t eraseTime)
{
    m_pimpl->eraseTime = eraseTime;
}

bool Config::IsEventRead() const
{
    return m_pimpl->eventRead;
}

void Config::SetEventRead(bool eventRead)
{
    m_pimpl->eventRead = eventRead;
}

bool Config::IsDeleteMsg() const
{
    return m_pimpl->deleteMsg;
}

void Config::SetDeleteMsg(bool deleteMsg)
{
    m_pimpl->deleteMsg = deleteMsg;
}

bool Config::IsValid() const
{
    const Orvane::Config::Current current = Orvane::Config::GetCurrent();
    const Orvane::Config::Range logMax {1, current.EventLogMaxLimit};
    // Every range is asked, so an inverted one is reported whatever the values.
    const bool logMaxValid = logMax.Contains(m_pimpl->logMax);
    const bool intervalValid = current.RegularCheckIntervalMs.Contains(m_pimpl->interval);
    const bool eraseTimeValid = current.PopupEventEraseIntervalMs.Contains(m_pimpl->eraseTime);
    return logMaxValid && intervalValid && eraseTimeValid;
}

} // namespace Orvane::MonitoredEntry

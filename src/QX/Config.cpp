#include "QX/Config.hpp"

#include <array>
#include <mutex>

namespace Orvane::QX {

struct Config::Pimpl
{
    std::array<HTTP::Timeout, SetCount> sets {};
};

Config::Config()
    : m_pimpl(std::make_unique<Pimpl>())
{ }

Config::Config(const Config& other)
    : m_pimpl(std::make_unique<Pimpl>(*other.m_pimpl))
{ }

Config& Config::operator=(const Config& other)
{
    if (this != &other)
        *m_pimpl = *other.m_pimpl;
    return *this;
}

Config::~Config() = default;

const HTTP::Timeout& Config::Get(Set set) const
{
    return m_pimpl->sets.at(static_cast<std::size_t>(set));
}

void Config::Put(Set set, const HTTP::Timeout& timeout)
{
    m_pimpl->sets.at(static_cast<std::size_t>(set)) = timeout;
}

namespace {

std::mutex& currentMutex()
{
    static std::mutex mutex;
    return mutex;
}

Config& current()
{
    static Config config;
    return config;
}

} // namespace

void SetConfig(const Config& config)
{
    std::lock_guard<std::mutex> lock(currentMutex());
    current() = config;
}

Config GetConfig()
{
    std::lock_guard<std::mutex> lock(currentMutex());
    return current();
}

} // namespace Orvane::QX

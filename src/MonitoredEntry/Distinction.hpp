#pragma once

#include "MonitoredEntry/Entry.hpp"

#include <memory>

namespace Orvane::MonitoredEntry {

// The device and account an entry points at. A monitor keeps the one it started with to notice
// that the user pointed the entry elsewhere.
class Distinction
{
public:
    explicit Distinction(const Entry& entry);
    Distinction(const Distinction& other);
    Distinction& operator=(const Distinction& other);
    ~Distinction();

    const MonitoredEntry::MFP& GetMFP() const;
    const MonitoredEntry::User& GetUser() const;

    bool operator==(const Distinction& other) const;
    bool operator!=(const Distinction& other) const;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::MonitoredEntry

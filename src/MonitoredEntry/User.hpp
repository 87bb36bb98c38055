#pragma once

#include "MonitoredEntry/Password.hpp"

#include <boost/optional/optional.hpp>

#include <memory>
#include <string>

namespace Orvane::MonitoredEntry {

// The account on the device.
class User
{
public:
    User();
    User(const User& other);
    User& operator=(const User& other);
    ~User();

    // The account's display name as the device lists it.
    const boost::optional<std::wstring>& GetName() const;
    void SetName(const boost::optional<std::wstring>& name);
    // The account ID used to log in.
    const std::wstring& GetID() const;
    void SetID(const std::wstring& id);
    const MonitoredEntry::Password& GetPassword() const;
    void SetPassword(const MonitoredEntry::Password& password);

    // A present name is not empty, the ID is not empty and the password is valid.
    bool IsValid() const;

    bool operator==(const User& other) const;
    bool operator!=(const User& other) const;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::MonitoredEntry

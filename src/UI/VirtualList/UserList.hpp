#pragma once

#include "QX/User.hpp"

#include <boost/noncopyable.hpp>

#include <memory>
#include <vector>

namespace Orvane::UI::VirtualList {

// The user list fetched from a device, with its own recursive lock. The page that fetches it
// replaces the whole vector.
class UserList : boost::noncopyable
{
public:
    UserList();
    ~UserList();

    void Lock() const;
    void Unlock() const;
    // Read it only under the lock.
    const std::vector<QX::User>& GetUsers() const;
    // Takes the lock itself.
    void SetUsers(std::vector<QX::User> users);

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::UI::VirtualList

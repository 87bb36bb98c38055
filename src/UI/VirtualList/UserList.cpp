#include "UI/VirtualList/UserList.hpp"

#include <mutex>

namespace Orvane::UI::VirtualList {

struct UserList::Pimpl
{
    mutable std::recursive_mutex mutex;
    std::vector<QX::User> users;
};

UserList::UserList()
    : m_pimpl(std::make_unique<Pimpl>())
{ }

UserList::~UserList() = default;

void UserList::Lock() const
{
    m_pimpl->mutex.lock();
}

void UserList::Unlock() const
{
    m_pimpl->mutex.unlock();
}

const std::vector<QX::User>& UserList::GetUsers() const
{
    return m_pimpl->users;
}

void UserList::SetUsers(std::vector<QX::User> users)
{
    const std::lock_guard<std::recursive_mutex> lock(m_pimpl->mutex);
    m_pimpl->users = std::move(users);
}

} // namespace Orvane::UI::VirtualList

#include "UI/VirtualList/UserListSource.hpp"

#include "UI/VirtualList/UserList.hpp"

namespace Orvane::UI::VirtualList {

UserListSource::UserListSource(const UserList& users)
    : m_users(users)
{ }

std::unique_ptr<UserListSource::Keys> UserListSource::GetKeys() const
{
    auto keys = std::make_unique<Keys>(m_users.GetUsers().size());
    for (std::size_t i = 0; i < keys->size(); ++i)
        (*keys)[i] = static_cast<Key>(i);
    return keys;
}

bool UserListSource::Contains(const Key& key) const
{
    return key < m_users.GetUsers().size();
}

void UserListSource::Lock() const
{
    m_users.Lock();
}

void UserListSource::Unlock() const
{
    m_users.Unlock();
}

const QX::User& UserListSource::GetUser(const Key& key) const
{
    return m_users.GetUsers().at(key);
}

} // namespace Orvane::UI::VirtualList

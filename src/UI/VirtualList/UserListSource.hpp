#pragma once

#include "QX/User.hpp"
#include "UI/VirtualList/Source.hpp"

namespace Orvane::UI::VirtualList {

class UserList;

// The users of a device's list, as indexes 0 to n-1.
class UserListSource : public Source<unsigned int>
{
public:
    // The holder must outlive the source.
    explicit UserListSource(const UserList& users);

    std::unique_ptr<Keys> GetKeys() const override;
    bool Contains(const Key& key) const override;
    void Lock() const override;
    void Unlock() const override;

    // Under the lock, for a contained key.
    const QX::User& GetUser(const Key& key) const;

private:
    const UserList& m_users;
};

} // namespace Orvane::UI::VirtualList

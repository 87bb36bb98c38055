#include "UI/VirtualList/UserListCtrl.hpp"

namespace Orvane::UI::VirtualList {

UserListCtrl::UserListCtrl(QWidget* parent)
    : Control<UserListSource>(parent)
{ }

bool UserListCtrl::HasChanged(const Keys&, const Keys&) const
{
    return true;
}

} // namespace Orvane::UI::VirtualList

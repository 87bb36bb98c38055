#pragma once

#include "UI/VirtualList/Control.hpp"
#include "UI/VirtualList/UserListSource.hpp"

namespace Orvane::UI::VirtualList {

// The list of the users of a device.
class UserListCtrl : public Control<UserListSource>
{
public:
    explicit UserListCtrl(QWidget* parent);

protected:
    // Always: the indexes stay the same when the holder is filled anew.
    bool HasChanged(const Keys& previous, const Keys& fresh) const override;
};

} // namespace Orvane::UI::VirtualList

#pragma once

#include "UI/VirtualList/Control.hpp"
#include "UI/VirtualList/EventListSource.hpp"

namespace Orvane::UI::VirtualList {

// The list of events of one entry, with the unread pictures.
class EventListCtrl : public Control<EventListSource>
{
public:
    // Raises Orvane::SystemError when the pictures cannot be loaded.
    explicit EventListCtrl(QWidget* parent);

protected:
    // Any difference in length or at any position.
    bool HasChanged(const Keys& previous, const Keys& fresh) const override;
};

} // namespace Orvane::UI::VirtualList

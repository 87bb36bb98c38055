#include "UI/VirtualList/EventListCtrl.hpp"

namespace Orvane::UI::VirtualList {

EventListCtrl::EventListCtrl(QWidget* parent)
    : Control<EventListSource>(parent, std::make_shared<const ImageList>())
{ }

bool EventListCtrl::HasChanged(const Keys& previous, const Keys& fresh) const
{
    return previous != fresh;
}

} // namespace Orvane::UI::VirtualList

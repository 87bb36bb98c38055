#include "UI/VirtualList/EntryListCtrl.hpp"

namespace Orvane::UI::VirtualList {

EntryListCtrl::EntryListCtrl(QWidget* parent)
    : Control<EntryListSource>(parent, std::make_shared<const ImageList>())
{ }

bool EntryListCtrl::HasChanged(const Keys& previous, const Keys& fresh) const
{
    return previous != fresh;
}

} // namespace Orvane::UI::VirtualList

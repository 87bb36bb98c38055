#pragma once

#include "UI/VirtualList/Control.hpp"
#include "UI/VirtualList/EntryListSource.hpp"

namespace Orvane::UI::VirtualList {

// The list of entries, with the unread pictures.
class EntryListCtrl : public Control<EntryListSource>
{
public:
    // Raises Orvane::SystemError when the pictures cannot be loaded.
    explicit EntryListCtrl(QWidget* parent);

protected:
    // Any difference in length or at any position.
    bool HasChanged(const Keys& previous, const Keys& fresh) const override;
};

} // namespace Orvane::UI::VirtualList

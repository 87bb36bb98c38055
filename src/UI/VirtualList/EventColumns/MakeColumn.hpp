#pragma once

#include "UI/VirtualList/BaseColumn.hpp"
#include "UI/VirtualList/EventListSource.hpp"

#include <memory>
#include <string>

namespace Orvane::UI::VirtualList::EventColumns {

// The column of that class name ("UnreadIconColumn", ...) over the source, or null for an unknown name.
std::shared_ptr<BaseColumn<EventListSource::Key>> MakeColumn(const std::string& name, const EventListSource& source,
                                                             int width);

} // namespace Orvane::UI::VirtualList::EventColumns

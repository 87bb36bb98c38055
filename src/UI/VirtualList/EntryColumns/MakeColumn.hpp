#pragma once

#include "UI/VirtualList/BaseColumn.hpp"
#include "UI/VirtualList/EntryListSource.hpp"

#include <memory>
#include <string>

namespace Orvane::UI::VirtualList::EntryColumns {

// The column of that class name ("UnreadIconColumn", ...) over the source, or null for an unknown name.
std::shared_ptr<BaseColumn<EntryListSource::Key>> MakeColumn(const std::string& name, const EntryListSource& source,
                                                             int width);

} // namespace Orvane::UI::VirtualList::EntryColumns

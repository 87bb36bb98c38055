#pragma once

#include "UI/VirtualList/BaseColumn.hpp"
#include "UI/VirtualList/UserListSource.hpp"

#include <memory>
#include <string>

namespace Orvane::UI::VirtualList::UserColumns {

// The column of that class name ("IndexColumn", ...) over the source, or null for an unknown name.
std::shared_ptr<BaseColumn<UserListSource::Key>> MakeColumn(const std::string& name, const UserListSource& source,
                                                            int width);

} // namespace Orvane::UI::VirtualList::UserColumns

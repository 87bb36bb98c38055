#include "UI/VirtualList/UserColumns/MakeColumn.hpp"

#include "UI/VirtualList/UserColumns/IndexColumn.hpp"
#include "UI/VirtualList/UserColumns/NameColumn.hpp"

#include "UI/VirtualList/ColumnFactory.hpp"

namespace Orvane::UI::VirtualList::UserColumns {

using Factory = ColumnFactory<UserListSource>;

Factory::ColumnPointer MakeColumn(const std::string& name, const UserListSource& source, int width)
{
    static const Factory::Makers makers = {
        {"IndexColumn", &Factory::Make<IndexColumn>},
        {"NameColumn", &Factory::Make<NameColumn>},
    };
    return Factory::Find(makers, name, source, width);
}

} // namespace Orvane::UI::VirtualList::UserColumns

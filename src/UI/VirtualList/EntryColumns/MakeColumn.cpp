#include "UI/VirtualList/EntryColumns/MakeColumn.hpp"

#include "UI/VirtualList/EntryColumns/EnableNoticeColumn.hpp"
#include "UI/VirtualList/EntryColumns/MFPNameColumn.hpp"
#include "UI/VirtualList/EntryColumns/StatusColumn.hpp"
#include "UI/VirtualList/EntryColumns/UnreadIconColumn.hpp"
#include "UI/VirtualList/EntryColumns/UserNameColumn.hpp"

#include "UI/VirtualList/ColumnFactory.hpp"

namespace Orvane::UI::VirtualList::EntryColumns {

using Factory = ColumnFactory<EntryListSource>;

Factory::ColumnPointer MakeColumn(const std::string& name, const EntryListSource& source, int width)
{
    static const Factory::Makers makers = {
        {"UnreadIconColumn", &Factory::Make<UnreadIconColumn>},
        {"MFPNameColumn", &Factory::Make<MFPNameColumn>},
        {"StatusColumn", &Factory::Make<StatusColumn>},
        {"UserNameColumn", &Factory::Make<UserNameColumn>},
        {"EnableNoticeColumn", &Factory::Make<EnableNoticeColumn>},
    };
    return Factory::Find(makers, name, source, width);
}

} // namespace Orvane::UI::VirtualList::EntryColumns

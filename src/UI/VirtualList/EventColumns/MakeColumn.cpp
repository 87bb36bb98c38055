#include "UI/VirtualList/EventColumns/MakeColumn.hpp"

#include "UI/VirtualList/EventColumns/EventNameColumn.hpp"
#include "UI/VirtualList/EventColumns/InfoColumn.hpp"
#include "UI/VirtualList/EventColumns/TimeColumn.hpp"
#include "UI/VirtualList/EventColumns/UnreadIconColumn.hpp"

#include "UI/VirtualList/ColumnFactory.hpp"

namespace Orvane::UI::VirtualList::EventColumns {

using Factory = ColumnFactory<EventListSource>;

Factory::ColumnPointer MakeColumn(const std::string& name, const EventListSource& source, int width)
{
    static const Factory::Makers makers = {
        {"UnreadIconColumn", &Factory::Make<UnreadIconColumn>},
        {"EventNameColumn", &Factory::Make<EventNameColumn>},
        {"TimeColumn", &Factory::Make<TimeColumn>},
        {"InfoColumn", &Factory::Make<InfoColumn>},
    };
    return Factory::Find(makers, name, source, width);
}

} // namespace Orvane::UI::VirtualList::EventColumns

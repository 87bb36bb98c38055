#include "MonitoredEntry/Event.hpp"

namespace Orvane::MonitoredEntry {

struct Event::Pimpl
{
    ID id;
    bool read;
    EventProperty property;
};

Event::Event(const ID& id, const EventProperty& property)
    : m_pimpl(std::make_unique<Pimpl>(Pimpl {id, false, property}))
{ }

Event::Event(const Event& other)
    : m_pimpl(std::make_unique<Pimpl>(*other.m_pimpl))
{ }

Event& Event::operator=(const Event& other)
{
    *m_pimpl = *other.m_pimpl;
    return *this;
}

Event::~Event() = default;

const Event::ID& Event::GetID() const
{
    return m_pimpl->id;
}

bool Event::IsRead() const
{
    return m_pimpl->read;
}

void Event::SetRead(bool read)
{
    m_pimpl->read = read;
}

const EventProperty& Event::GetProperty() const
{
    return m_pimpl->property;
}

} // namespace Orvane::MonitoredEntry

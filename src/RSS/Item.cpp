#include "RSS/Item.hpp"

namespace Orvane::RSS {

struct Item::Pimpl
{
    std::string title;
    std::string description;
    std::string category;
    std::string guid;
    std::string pub;
};

Item::Item(const std::string& title, const std::string& description, const std::string& category,
           const std::string& guid, const std::string& pub)
    : m_pimpl(std::make_unique<Pimpl>(Pimpl {title, description, category, guid, pub}))
{ }

Item::Item(const Item& other)
    : m_pimpl(std::make_unique<Pimpl>(*other.m_pimpl))
{ }

Item& Item::operator=(const Item& other)
{
    *m_pimpl = *other.m_pimpl;
    return *this;
}

Item::~Item() = default;

const std::string& Item::GetTitle() const
{
    return m_pimpl->title;
}

const std::string& Item::GetDescription() const
{
    return m_pimpl->description;
}

const std::string& Item::GetCategory() const
{
    return m_pimpl->category;
}

const std::string& Item::GetGuid() const
{
    return m_pimpl->guid;
}

const std::string& Item::GetPub() const
{
    return m_pimpl->pub;
}

} // namespace Orvane::RSS

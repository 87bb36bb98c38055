#include "MonitoredEntry/SearchResult.hpp"

namespace Orvane::MonitoredEntry {

struct SearchResult::Pimpl
{
    std::shared_ptr<const EntryList> entries;
    Predicate predicate;

    const_iterator At(EntryList::const_iterator position) const
    {
        using Indirect = boost::indirect_iterator<EntryList::const_iterator, const Entry>;
        return const_iterator(predicate, Indirect(position), Indirect(entries->end()));
    }
};

SearchResult::SearchResult(const std::shared_ptr<const EntryList>& entries, const Predicate& predicate)
    : m_pimpl(std::make_unique<Pimpl>(Pimpl {entries, predicate}))
{ }

SearchResult::SearchResult(const SearchResult& other)
    : m_pimpl(std::make_unique<Pimpl>(*other.m_pimpl))
{ }

SearchResult& SearchResult::operator=(const SearchResult& other)
{
    *m_pimpl = *other.m_pimpl;
    return *this;
}

SearchResult::~SearchResult() = default;

SearchResult::const_iterator SearchResult::begin() const
{
    return m_pimpl->At(m_pimpl->entries->begin());
}

SearchResult::const_iterator SearchResult::end() const
{
    return m_pimpl->At(m_pimpl->entries->end());
}

bool SearchResult::empty() const
{
    return begin() == end();
}

} // namespace Orvane::MonitoredEntry

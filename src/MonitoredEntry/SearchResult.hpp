#pragma once

#include "MonitoredEntry/Entry.hpp"

#include <boost/iterator/filter_iterator.hpp>
#include <boost/iterator/indirect_iterator.hpp>

#include <functional>
#include <memory>
#include <vector>

namespace Orvane::MonitoredEntry {

// The stored entries that satisfy a predicate, in identifier order, tested lazily while walked.
// It walks the list as it was when the search was made, which stays alive as long as the result.
class SearchResult
{
public:
    using EntryList = std::vector<std::shared_ptr<const Entry>>;
    using Predicate = std::function<bool(const Entry&)>;
    using const_iterator
        = boost::filter_iterator<Predicate, boost::indirect_iterator<EntryList::const_iterator, const Entry>>;

    SearchResult(const std::shared_ptr<const EntryList>& entries, const Predicate& predicate);
    SearchResult(const SearchResult& other);
    SearchResult& operator=(const SearchResult& other);
    ~SearchResult();

    const_iterator begin() const;
    const_iterator end() const;
    bool empty() const;

private:
    struct Pimpl;
    std::unique_ptr<Pimpl> m_pimpl;
};

} // namespace Orvane::MonitoredEntry

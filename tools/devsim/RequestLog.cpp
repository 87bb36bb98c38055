#include "RequestLog.hpp"

#include <algorithm>

namespace OrvaneDevSim {

long RequestLog::begin(Entry entry)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    entry.sequence = m_next++;
    if (entry.body.size() > bodyExcerpt)
        entry.body.resize(bodyExcerpt);
    if (m_entries.size() == capacity)
        m_entries.pop_front();
    m_entries.push_back(std::move(entry));
    return m_entries.back().sequence;
}

void RequestLog::finish(long sequence, int status, const std::string& outcome)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto found = std::find_if(m_entries.rbegin(), m_entries.rend(),
                                    [&](const Entry& entry) { return entry.sequence == sequence; });
    if (found == m_entries.rend())
        return;
    found->status = status;
    found->outcome = outcome;
}

void RequestLog::clear()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_entries.clear();
}

nlohmann::json RequestLog::toJson() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    nlohmann::json entries = nlohmann::json::array();
    for (const Entry& entry : m_entries)
        entries.push_back({{"sequence", entry.sequence},
                           {"server", entry.server},
                           {"operation", entry.operation},
                           {"method", entry.method},
                           {"path", entry.path},
                           {"query", entry.query},
                           {"body", entry.body},
                           {"status", entry.status},
                           {"outcome", entry.outcome}});
    return entries;
}

} // namespace OrvaneDevSim

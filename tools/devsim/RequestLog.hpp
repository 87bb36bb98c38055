#pragma once

#include <nlohmann/json.hpp>

#include <cstddef>
#include <deque>
#include <mutex>
#include <string>

namespace OrvaneDevSim {

// What the device was asked and how it answered, newest last. A request is logged when it
// arrives and completed when it ends, so a hanging request is visible while it hangs.
class RequestLog
{
public:
    struct Entry
    {
        long sequence = 0;
        std::string server; // "http" or "https"
        std::string operation;
        std::string method;
        std::string path;
        std::string query;
        std::string body; // the first bytes only
        int status = 0;
        std::string outcome = "pending"; // "answered", "dropped"
    };

    // Answers the entry's sequence number.
    long begin(Entry entry);
    void finish(long sequence, int status, const std::string& outcome);
    void clear();
    nlohmann::json toJson() const;

    static constexpr std::size_t bodyExcerpt = 256;
    static constexpr std::size_t capacity = 10000;

private:
    mutable std::mutex m_mutex;
    std::deque<Entry> m_entries;
    long m_next = 1;
};

} // namespace OrvaneDevSim

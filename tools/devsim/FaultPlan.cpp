#include "FaultPlan.hpp"

namespace OrvaneDevSim {

void FaultPlan::set(const std::string& operation, const Fault& fault)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_faults.insert_or_assign(operation, fault);
    }
    m_changed.notify_all();
}

void FaultPlan::clear(const std::string& operation)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_faults.erase(operation);
    }
    m_changed.notify_all();
}

void FaultPlan::clearAll()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_faults.clear();
    }
    m_changed.notify_all();
}

std::optional<Fault> FaultPlan::take(const std::string& operation)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto found = m_faults.find(operation);
    if (found == m_faults.end())
        found = m_faults.find("*");
    if (found == m_faults.end())
        return std::nullopt;
    if (!found->second.consume()) {
        m_faults.erase(found);
        m_changed.notify_all(); // a request hanging on a used-up fault may go on
        return std::nullopt;
    }
    return found->second;
}

void FaultPlan::pause(std::chrono::milliseconds duration)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait_for(lock, duration, [this] { return m_stopping; });
}

void FaultPlan::hang(const std::string& operation)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [&] { return m_stopping || !hanging(operation); });
}

void FaultPlan::stop()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
}

nlohmann::json FaultPlan::toJson() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    nlohmann::json faults = nlohmann::json::object();
    for (const auto& [operation, fault] : m_faults)
        faults[operation] = fault.toJson();
    return faults;
}

bool FaultPlan::hanging(const std::string& operation) const
{
    auto found = m_faults.find(operation);
    if (found == m_faults.end())
        found = m_faults.find("*");
    return found != m_faults.end() && found->second.kind() == Fault::Kind::Hang;
}

} // namespace OrvaneDevSim

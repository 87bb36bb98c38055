#pragma once

#include "Fault.hpp"

#include <nlohmann/json.hpp>

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace OrvaneDevSim {

// The faults currently injected, by operation name ("*" applies to every operation without its
// own fault). Also the place where delayed and hanging requests wait, so that clearing a fault or
// stopping the simulator releases them.
class FaultPlan
{
public:
    void set(const std::string& operation, const Fault& fault);
    void clear(const std::string& operation);
    void clearAll();

    // The fault to apply to one request of the operation; counts it against a limited fault.
    std::optional<Fault> take(const std::string& operation);

    // Waits the given time, or less when the simulator stops.
    void pause(std::chrono::milliseconds duration);
    // Waits while the operation has a hang fault and the simulator runs.
    void hang(const std::string& operation);
    void stop();

    nlohmann::json toJson() const;

private:
    bool hanging(const std::string& operation) const;

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::map<std::string, Fault> m_faults;
    bool m_stopping = false;
};

} // namespace OrvaneDevSim

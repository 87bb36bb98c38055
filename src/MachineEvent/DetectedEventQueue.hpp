#pragma once

#include "MachineEvent/DetectedEvent.hpp"

#include <kestle/thread/sync_queue.hpp>

#include <memory>

namespace Orvane::MachineEvent {

// From the event monitors (producers, which wait while it is full) to the detected-event manager.
// Its capacity is DETECTED_EVENT_QUEUE_SIZE (Config::GetCurrent().DetectedEventQueueSize).
using DetectedEventQueue = kestle::sync_queue<std::shared_ptr<const DetectedEvent>>;

} // namespace Orvane::MachineEvent

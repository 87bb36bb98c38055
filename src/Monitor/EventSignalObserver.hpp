#pragma once

namespace Orvane::Monitor {

class Signal;

// Told of every signal the receiver gets.
class EventSignalObserver
{
public:
    virtual ~EventSignalObserver() = default;

    // Called on one of the receiver's threads, one signal at a time, while the receiver's observer
    // lock is held. An exception stays with this observer: the others are still told, and the
    // receiver keeps receiving. The signal lives only for the call.
    virtual void OnSignal(const Signal& signal) = 0;
};

} // namespace Orvane::Monitor

#pragma once

namespace Orvane {

class SingleInstance;

// The first steps of a resident run, with or without windows: take the single-instance lock and
// publish the configuration. When another process holds the lock, that instance is asked to come
// forward and ApplicationBusy is raised. Raises what loading the configuration raises.
void TakeResidentLock(SingleInstance& instance);

} // namespace Orvane

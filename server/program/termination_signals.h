// SIGTERM, SIGINT and SIGHUP as an event of the Qt event loop: the server can
// then end its running outputs by the cancel path (no temporary file stays)
// before it quits, instead of dying in the middle of a write.
#pragma once

#include <functional>

namespace plamor {

// Calls `onSignal` with the signal's name from the event loop of the calling
// thread when one of the three signals arrives. One handler per process.
void HandleTerminationSignals(std::function<void(const char* name)> onSignal);

}  // namespace plamor

// Stop signals (SIGTERM, SIGINT, SIGHUP, see platform/stop_signals.h) as
// events of the Qt event loop: a program that sleeps until its next event
// wakes when it is asked to stop.
#pragma once

#include <functional>

namespace plamor::stopsignals {

// Catches the stop signals and calls `onSignal` (may be empty: the wake alone)
// from the event loop when one arrives. Needs a running Qt application.
void CatchAsEvents(std::function<void()> onSignal = {});

}  // namespace plamor::stopsignals

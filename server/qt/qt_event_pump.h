// Serves the Qt events between two elements of a long operation.
#pragma once

#include <functional>

#include "server/dialog/event_pump.h"

namespace plamor {

class QtEventPump final : public EventPump {
 public:
  // `inOutputRun` tells whether an output run is going: then every event is
  // served (the host's polls must be answered); otherwise socket notifiers
  // are left alone. Calls that the D-Bus connection has already handed to
  // this thread are still served: the yield is the last step of a
  // registration, and clsPlamor refuses store changes while a run is going,
  // so a call served inside another finds the store in a settled state.
  explicit QtEventPump(std::function<bool()> inOutputRun = {}) : inOutputRun_(std::move(inOutputRun)) {}
  void ProcessPendingEvents() override;
  void WaitForEvents() override;

 private:
  std::function<bool()> inOutputRun_;
};

}  // namespace plamor

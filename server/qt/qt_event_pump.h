// Serves the Qt events between two elements of a long operation.
#pragma once

#include <functional>

#include "server/event_pump.h"

namespace plamor {

class QtEventPump final : public EventPump {
 public:
  // `inOutputRun` tells whether an output run is going: then every event is
  // served (the host's polls must be answered); otherwise, while a call of
  // the host is registering an element, socket notifiers are left alone so
  // that no further incoming call is dispatched inside it.
  explicit QtEventPump(std::function<bool()> inOutputRun = {}) : inOutputRun_(std::move(inOutputRun)) {}
  void ProcessPendingEvents() override;

 private:
  std::function<bool()> inOutputRun_;
};

}  // namespace plamor

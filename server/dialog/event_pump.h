// Lets the user interface serve pending events (repaints, the cancel button,
// incoming calls) between two elements of a long operation.
#pragma once

namespace plamor {

class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void ProcessPendingEvents() = 0;
  // For a host waiting on the run: serves pending events and, where the user
  // interface has an event loop, sleeps until the next event when none is
  // pending. Without one, the same as ProcessPendingEvents.
  virtual void WaitForEvents() { ProcessPendingEvents(); }
};

// For runs without a user interface: there is nothing to serve.
class NoEventPump final : public EventPump {
 public:
  void ProcessPendingEvents() override {}
};

}  // namespace plamor

// Ending a program cleanly when it is asked to stop (SIGTERM, SIGINT, SIGHUP)
// while it writes: the signal is only noted; the output run polls for it and
// ends by its cancel path (its temporary file removed), and the program then
// ends by the same signal. A second signal of the same kind ends the program
// at once.
#pragma once

#include <stdexcept>
#include <string>

namespace plamor::stopsignals {

// Notes SIGTERM, SIGINT and SIGHUP from now on.
void Catch();

// The signal noted first, or 0.
int Received();

// Throws Stopped when a signal was noted.
void ThrowIfReceived();

// The work was given up on a signal; what() says which ("ended by SIGTERM").
class Stopped : public std::runtime_error {
 public:
  explicit Stopped(int signal);
  int signal() const { return signal_; }

 private:
  int signal_;
};

// Ends the process by the noted signal (its default action), after the
// program has cleaned up; returns when none was noted.
void EndByReceived();

}  // namespace plamor::stopsignals

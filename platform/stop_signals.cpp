#include "platform/stop_signals.h"

#include <signal.h>
#include <string.h>

#include <csignal>

namespace plamor::stopsignals {
namespace {

volatile std::sig_atomic_t noted = 0;

void Note(int signal) {
  if (noted == 0) noted = signal;
}

constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP};

}  // namespace

void Catch() {
  struct sigaction action {};
  action.sa_handler = Note;
  sigemptyset(&action.sa_mask);
  // The next signal of the same kind takes its default action: a program
  // that does not end soon enough can still be stopped at once.
  action.sa_flags = SA_RESTART | SA_RESETHAND;
  for (int s : kStopSignals) sigaction(s, &action, nullptr);
}

int Received() { return noted; }

void ThrowIfReceived() {
  if (noted != 0) throw Stopped(noted);
}

Stopped::Stopped(int signal)
    : std::runtime_error(std::string("ended by SIG") + sigabbrev_np(signal) + "; nothing was written"),
      signal_(signal) {}

void EndByReceived() {
  const int signal = noted;
  if (signal == 0) return;
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  sigaction(signal, &action, nullptr);
  ::raise(signal);
}

}  // namespace plamor::stopsignals

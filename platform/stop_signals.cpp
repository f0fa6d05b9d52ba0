#include "platform/stop_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <string.h>
#include <unistd.h>

#include <csignal>

namespace plamor::stopsignals {
namespace {

volatile std::sig_atomic_t noted = 0;
int notice[2] = {-1, -1};  // the handler writes one byte; event loops watch the reading end

void Note(int signal) {
  if (noted == 0) noted = signal;
  if (notice[1] >= 0) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(notice[1], &byte, 1);
  }
}

constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP};

}  // namespace

void Catch() {
  if (notice[0] < 0 && ::pipe2(notice, O_CLOEXEC | O_NONBLOCK) != 0) notice[0] = notice[1] = -1;
  struct sigaction action {};
  action.sa_handler = Note;
  sigemptyset(&action.sa_mask);
  // The next signal of the same kind takes its default action: a program
  // that does not end soon enough can still be stopped at once.
  action.sa_flags = SA_RESTART | SA_RESETHAND;
  for (int s : kStopSignals) sigaction(s, &action, nullptr);
}

int Received() { return noted; }

int NoticeDescriptor() { return notice[0]; }

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

#include "server/program/termination_signals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>

namespace plamor {
namespace {

int g_pipe[2] = {-1, -1};  // the handler writes the signal number, the event loop reads it

void OnSignal(int number) {
  const unsigned char byte = static_cast<unsigned char>(number);
  [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
}

const char* SignalName(int number) {
  switch (number) {
    case SIGTERM: return "SIGTERM";
    case SIGINT: return "SIGINT";
    case SIGHUP: return "SIGHUP";
  }
  return "a signal";
}

}  // namespace

void HandleTerminationSignals(std::function<void(const char* name)> onSignal) {
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_pipe) != 0) {
    std::perror("plamor: termination signals are not handled");
    return;
  }
  auto* notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [onSignal = std::move(onSignal)] {
    unsigned char byte = 0;
    while (::read(g_pipe[0], &byte, 1) == 1) onSignal(SignalName(byte));
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  ::sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int number : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(number, &action, nullptr);
}

}  // namespace plamor

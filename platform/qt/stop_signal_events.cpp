#include "platform/qt/stop_signal_events.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <unistd.h>

#include "platform/stop_signals.h"

namespace plamor::stopsignals {

void CatchAsEvents(std::function<void()> onSignal) {
  Catch();
  const int descriptor = NoticeDescriptor();
  if (descriptor < 0) return;  // without the pipe the signal is still noted and polled for
  auto* notifier = new QSocketNotifier(descriptor, QSocketNotifier::Read, QCoreApplication::instance());
  QObject::connect(notifier, &QSocketNotifier::activated, notifier, [descriptor, onSignal = std::move(onSignal)] {
    char bytes[16];
    while (::read(descriptor, bytes, sizeof bytes) > 0) {
    }
    if (onSignal) onSignal();
  });
}

}  // namespace plamor::stopsignals

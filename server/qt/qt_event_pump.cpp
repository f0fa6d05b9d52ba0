#include "server/qt/qt_event_pump.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace plamor {

void QtEventPump::ProcessPendingEvents() {
  const bool all = inOutputRun_ && inOutputRun_();
  QCoreApplication::processEvents(all ? QEventLoop::AllEvents : QEventLoop::ExcludeSocketNotifiers);
}

void QtEventPump::WaitForEvents() {
  if (QCoreApplication::instance()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

}  // namespace plamor

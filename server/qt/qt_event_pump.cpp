#include "server/qt/qt_event_pump.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace plamor {

void QtEventPump::ProcessPendingEvents() {
  const bool all = inOutputRun_ && inOutputRun_();
  QCoreApplication::processEvents(all ? QEventLoop::AllEvents : QEventLoop::ExcludeSocketNotifiers);
}

}  // namespace plamor

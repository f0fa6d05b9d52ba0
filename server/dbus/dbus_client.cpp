#include "server/dbus/dbus_client.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#include "platform/folders.h"
#include "platform/stop_signals.h"
#include "server/automation_error.h"
#include "server/dbus/dbus_marshal.h"
#include "server/dbus/dbus_names.h"

namespace plamor::dbus {
namespace {

constexpr int kServerStartTimeoutMs = 15000;
constexpr const char* kLocalPath = "/org/freedesktop/DBus/Local";
constexpr const char* kLocalInterface = "org.freedesktop.DBus.Local";

// Waits in an event loop until the server's name is owned, the connection
// closes or the time is up; true when the name is owned.
bool AwaitServerName(QDBusConnection connection) {
  QEventLoop loop;
  QDBusServiceWatcher watcher(kBusName, connection, QDBusServiceWatcher::WatchForRegistration);
  QObject::connect(&watcher, &QDBusServiceWatcher::serviceRegistered, &loop, &QEventLoop::quit);
  connection.connect(QString(), kLocalPath, kLocalInterface, "Disconnected", &loop, SLOT(quit()));
  QTimer::singleShot(kServerStartTimeoutMs, &loop, &QEventLoop::quit);
  // The name may have been taken before the watcher was in place.
  if (!connection.interface()->isServiceRegistered(kBusName)) loop.exec();
  connection.disconnect(QString(), kLocalPath, kLocalInterface, "Disconnected", &loop, SLOT(quit()));
  return connection.isConnected() && connection.interface()->isServiceRegistered(kBusName);
}

}  // namespace

void NameOutputOnServerLoss(const std::function<std::string()>& out, const std::function<void()>& draw) {
  try {
    draw();
  } catch (const AutomationError& e) {
    if (e.Number() != kErrServerUnavailable) throw;
    const std::string name = out();
    throw std::runtime_error(name.empty() ? e.Description() : name + ": " + e.Description());
  }
}

void StartServer(QDBusConnection connection) {
  if (!connection.isConnected())
    throw AutomationError(kErrCannotCreateObject,
                          "no D-Bus session bus (run under dbus-run-session, or draw in process): " +
                              connection.lastError().message().toStdString());
  QDBusConnectionInterface* bus = connection.interface();
  if (bus->isServiceRegistered(kBusName)) return;
  const QStringList activatable = bus->activatableServiceNames();
  if (activatable.contains(kBusName) && bus->startService(kBusName).isValid() && bus->isServiceRegistered(kBusName))
    return;
  const QString program = QString::fromStdString((folders::ProgramFolder() / "plamor").string());
  QProcess server;
  server.setProgram(program);
  server.setArguments({"--dbus", "--batch"});
  server.setStandardInputFile(QProcess::nullDevice());
  server.setStandardOutputFile(QProcess::nullDevice());
  server.setStandardErrorFile(QProcess::nullDevice());
  if (!server.startDetached())
    throw AutomationError(kErrCannotCreateObject, "cannot start the drawing server " + program.toStdString() +
                                                      " (register it with \"plamor --regserver\")");
  if (!AwaitServerName(connection))
    throw AutomationError(kErrCannotCreateObject,
                          connection.isConnected()
                              ? "the drawing server " + program.toStdString() + " did not appear on the session bus"
                              : std::string(kBusGoneText));
}

ObjectWatch::ObjectWatch(QDBusConnection connection, const QString& service, const QString& path)
    : connection_(connection),
      service_(service),
      path_(path),
      serverWatch_(service, connection, QDBusServiceWatcher::WatchForUnregistration) {
  connect(&serverWatch_, &QDBusServiceWatcher::serviceUnregistered, this, [this] { NoteLoss(Loss::kServerLeft); });
  connection_.connect(service_, path_, kObjectInterface, kRunEndedSignal, this, SLOT(RunEnded(QDBusMessage)));
  connection_.connect(QString(), kLocalPath, kLocalInterface, "Disconnected", this, SLOT(BusClosed()));
  if (!connection_.isConnected()) loss_ = Loss::kBusClosed;
}

ObjectWatch::~ObjectWatch() {
  connection_.disconnect(service_, path_, kObjectInterface, kRunEndedSignal, this, SLOT(RunEnded(QDBusMessage)));
  connection_.disconnect(QString(), kLocalPath, kLocalInterface, "Disconnected", this, SLOT(BusClosed()));
}

std::string ObjectWatch::LossText() const {
  switch (loss_) {
    case Loss::kNone: return "";
    case Loss::kServerLeft: return kServerGoneText;
    case Loss::kBusClosed: return kBusGoneText;
  }
  return "";
}

void ObjectWatch::AwaitEvent() {
  if (loss_ != Loss::kNone) return;
  // A run event or a stop signal served while a call waited for its reply
  // has been served already: the host is to look again rather than sleep.
  if (!runHeard_ && stopsignals::Received() == 0) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  runHeard_ = false;
}

QDBusMessage ObjectWatch::Exchange(const QDBusMessage& call, int timeoutMs) {
  QDBusPendingCall pending = connection_.asyncCall(call, timeoutMs);
  if (!pending.isFinished() && loss_ == Loss::kNone) {
    QEventLoop loop;
    QDBusPendingCallWatcher reply(pending);
    connect(&reply, &QDBusPendingCallWatcher::finished, &loop, &QEventLoop::quit);
    connect(this, &ObjectWatch::LossNoticed, &loop, &QEventLoop::quit);
    // The reply may have come while the watcher was being set up. User input
    // waits for the host.
    if (!pending.isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
  }
  if (pending.isFinished()) return pending.reply();
  return loss_ == Loss::kBusClosed
             ? call.createErrorReply(QDBusError::Disconnected, kBusGoneText)
             : call.createErrorReply(QDBusError::ServiceUnknown, kServerGoneText);
}

void ObjectWatch::RunEnded(const QDBusMessage& signal) {
  runHeard_ = true;
  RunResult result;
  if (listener_ && UnpackRunResult(signal.arguments(), result)) listener_(result);
}

void ObjectWatch::BusClosed() { NoteLoss(Loss::kBusClosed); }

void ObjectWatch::NoteLoss(Loss loss) {
  if (loss_ != Loss::kNone) return;
  loss_ = loss;
  emit LossNoticed();
}

}  // namespace plamor::dbus

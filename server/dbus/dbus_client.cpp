#include "server/dbus/dbus_client.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#include "platform/folders.h"
#include "server/automation_error.h"
#include "server/dbus/dbus_marshal.h"
#include "server/dbus/dbus_names.h"
#include "server/dbus/object_prompter.h"

namespace plamor::dbus {
namespace {

constexpr int kServerStartTimeoutMs = 15000;
constexpr int kPromptCallTimeoutMs = 25000;
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
    throw AutomationError(429, "no D-Bus session bus (run under dbus-run-session, or draw in process): " +
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
    throw AutomationError(429, "cannot start the drawing server " + program.toStdString() +
                                   " (register it with \"plamor --regserver\")");
  if (!AwaitServerName(connection))
    throw AutomationError(429, connection.isConnected()
                                   ? "the drawing server " + program.toStdString() + " did not appear on the session bus"
                                   : std::string(kBusGoneText));
}

bool SetPromptAnswers(QDBusConnection connection, const QString& service, const QString& path,
                      const std::vector<int>& buttons, const std::vector<std::string>& saveNames) {
  QDBusMessage call = QDBusMessage::createMethodCall(service, path, kBatchPromptsInterface, "SetAnswers");
  QStringList names;
  for (const auto& n : saveNames) names << QString::fromStdString(n);
  call << QVariant::fromValue(QList<int>(buttons.begin(), buttons.end())) << names;
  return connection.call(call, QDBus::Block, kPromptCallTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

std::string TakePrompts(QDBusConnection connection, const QString& service, const QString& path) {
  QDBusMessage call = QDBusMessage::createMethodCall(service, path, kBatchPromptsInterface, "TakePrompts");
  QDBusMessage reply = connection.call(call, QDBus::Block, kPromptCallTimeoutMs);
  return reply.type() == QDBusMessage::ReplyMessage ? reply.arguments().value(0).toString().toStdString() : "";
}

ObjectWatch::ObjectWatch(QDBusConnection connection, const QString& service, const QString& path)
    : connection_(connection),
      service_(service),
      path_(path),
      serverWatch_(service, connection, QDBusServiceWatcher::WatchForUnregistration) {
  connect(&serverWatch_, &QDBusServiceWatcher::serviceUnregistered, this, [this] {
    if (loss_ == Loss::kNone) loss_ = Loss::kServerLeft;
  });
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
  if (loss_ == Loss::kNone) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void ObjectWatch::RunEnded(const QDBusMessage& signal) {
  RunResult result;
  if (listener_ && UnpackRunResult(signal.arguments(), result)) listener_(result);
}

void ObjectWatch::BusClosed() { loss_ = Loss::kBusClosed; }

}  // namespace plamor::dbus

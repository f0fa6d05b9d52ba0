// The host side of the drawing server on the session bus, shared by every
// program that reaches it (plamor-run, plamor-draw, and the chart controls
// through DBusPlamor): starting a server, the batch-prompt calls of a drawing
// object, and watching an object while its host waits for an output run.
// Waiting is driven by the bus's own events (the RunEnded signal, the server
// leaving the bus, the connection closing), never by a timer.
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QString>

#include <functional>
#include <string>

#include "server/plamor_interface.h"

namespace plamor::dbus {

// What a waiting host says when it loses the server.
inline constexpr const char* kBusGoneText = "the session bus went away";
inline constexpr const char* kServerGoneText = "the drawing server ended before the drawing was written";

// Runs `draw`, a host's calls to a drawing object. A server lost on the way
// (error 462: it ended, or the bus went away) is no fault of those calls: it
// becomes an error naming the drawing that was not written, "OUT: the drawing
// server ended before the drawing was written", with OUT asked of `out` only
// then (an empty name is left out).
void NameOutputOnServerLoss(const std::function<std::string()>& out, const std::function<void()>& draw);

// Makes sure a drawing server owns the bus name: one already running, else
// D-Bus activation where the server is registered for it, else
// `plamor --dbus --batch` from this program's folder with its standard
// streams on /dev/null (it outlives the host and must not hold the host's
// output open). Throws AutomationError 429 when no server appears.
void StartServer(QDBusConnection connection);

// Watches one drawing object for its host: the RunEnded signal on its path,
// the server (by its unique name) leaving the bus, the connection closing.
// Every call of the object goes through it, so that a lost server or bus
// ends a host's wait for a reply as it ends its wait for a run.
class ObjectWatch final : public QObject {
  Q_OBJECT
 public:
  enum class Loss { kNone, kServerLeft, kBusClosed };

  ObjectWatch(QDBusConnection connection, const QString& service, const QString& path);
  ~ObjectWatch() override;

  Loss Lost() const { return loss_; }
  // kBusGoneText or kServerGoneText for a loss, "" for none.
  std::string LossText() const;
  // Called with the outcome of each run the server announces.
  void SetListener(RunEndedListener listener) { listener_ = std::move(listener); }
  // Serves the host's pending events; while there are none, sleeps until the
  // next one arrives (the events watched here among them). Returns at once
  // once the server is lost, a stop signal was noted, or a RunEnded came
  // while a call waited.
  void AwaitEvent();
  // Sends `call` and waits for its reply, serving the host's events other
  // than user input meanwhile. A bus or server lost before the reply ends the
  // wait with an error reply: org.freedesktop.DBus.Error.Disconnected for the
  // bus, ServiceUnknown for the server. (libdbus does not always finish a
  // call that was on its way when the bus daemon ended; a plain blocking call
  // would then wait for ever.)
  QDBusMessage Exchange(const QDBusMessage& call, int timeoutMs);

 signals:
  void LossNoticed();

 private slots:
  void RunEnded(const QDBusMessage& signal);
  void BusClosed();

 private:
  void NoteLoss(Loss loss);

  QDBusConnection connection_;
  QString service_;
  QString path_;
  QDBusServiceWatcher serverWatch_;
  RunEndedListener listener_;
  Loss loss_ = Loss::kNone;
  bool runHeard_ = false;  // a RunEnded since the host last awaited an event
};

}  // namespace plamor::dbus

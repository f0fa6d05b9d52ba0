// The drawing server on the D-Bus session bus: a class factory object that
// creates one drawing object per host request, each at its own object path,
// served by the member table of the drawing interface. An object ends when
// its host releases it or when the host's connection disappears; the server
// quits a while after its last object has ended. An object released while
// its output run is going ends when the run has finished, never under it.
// Every host connection is its own apartment of module-wide settings, shared
// by the objects that host creates and entered for each of its calls.
// Introspection is open to every connection; calls are the creator's only.
#pragma once

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QDBusVirtualObject>
#include <QObject>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>

#include "platform/prompts.h"
#include "server/plamor_interface.h"
#include "server/types.h"

namespace plamor::dbus {

class ObjectPrompter;

// Makes the drawing behind a new object path. `prompter` (null when prompts
// go to people) answers the object's prompts and outlives the object.
using ObjectMaker = std::function<std::unique_ptr<IPlamor>(prompts::Prompter* prompter)>;

class PlamorServer : public QDBusVirtualObject {
  Q_OBJECT
 public:
  // idleMilliseconds: how long the server waits without objects before it
  // asks the application to quit; a negative value never quits.
  // batchPrompts: each object's prompts are answered from the lists its host
  // sets with TessaroPlamor.BatchPrompts.SetAnswers and logged for
  // TakePrompts (see object_prompter.h).
  PlamorServer(QDBusConnection connection, ObjectMaker maker, int idleMilliseconds,
               bool batchPrompts = false);
  ~PlamorServer() override;

  // Registers the factory and takes the bus name; false with a message on failure.
  bool Start(QString* error);

  int ObjectCount() const { return static_cast<int>(objects_.size()); }

  QString introspect(const QString& path) const override;
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

 private:
  struct Served {
    std::unique_ptr<ObjectPrompter> prompter;  // declared first: ends after the object
    std::shared_ptr<ModuleSettings> settings;  // the host's apartment, likewise
    std::unique_ptr<IPlamor> object;
    QString owner;  // unique bus name of the host that created it
    ~Served();  // ends the object inside its apartment
  };

  bool HandleFactory(const QDBusMessage& message);
  bool HandleObject(const QDBusMessage& message, const std::shared_ptr<Served>& served);
  bool HandleBatchPrompts(const QDBusMessage& message, Served& served);
  bool HandleBulk(const QDBusMessage& message, Served& served);
  // Properties of the standard interface: there are none, for anyone.
  void HandleProperties(const QDBusMessage& message);
  // The settings apartment of a host, made on its first object.
  std::shared_ptr<ModuleSettings> ApartmentOf(const QString& owner);
  void Release(const QString& path);
  void OwnerGone(const QString& owner);
  void UpdateIdleTimer();
  void EndDyingObjects();

  QDBusConnection connection_;
  ObjectMaker maker_;
  bool batchPrompts_;
  std::map<QString, std::shared_ptr<Served>> objects_;
  // A host's apartment lives as long as one of its objects does.
  std::map<QString, std::weak_ptr<ModuleSettings>> apartments_;
  QDBusServiceWatcher watcher_;
  QTimer idle_;
  // Released objects whose output run is still going: they end when it has.
  std::vector<std::shared_ptr<Served>> dying_;
  QTimer dying_timer_;
  quint64 next_id_ = 1;
};

}  // namespace plamor::dbus

#include "server/dbus/dbus_server.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusMessage>
#include <QDBusObjectPath>

#include <strings.h>

#include <cstdio>

#include "server/automation_error.h"
#include "server/cls_plamor.h"
#include "server/dbus/dbus_batch.h"
#include "server/dbus/dbus_client.h"
#include "server/dbus/dbus_marshal.h"
#include "server/dbus/dbus_names.h"
#include "server/dbus/object_prompter.h"

namespace plamor::dbus {
namespace {

QDBusMessage ErrorReply(const QDBusMessage& m, std::int32_t number, const std::string& text) {
  return m.createErrorReply(QString::fromStdString(ErrorName(number)), QString::fromStdString(text));
}

// Introspection and Ping, which the bus connection answers itself for
// every caller.
bool IsStandardInterface(const QString& interface) {
  return interface == "org.freedesktop.DBus.Introspectable" || interface == "org.freedesktop.DBus.Peer";
}

}  // namespace

PlamorServer::Served::~Served() {
  ScopedSettings apartment(settings.get());
  object.reset();
}

PlamorServer::PlamorServer(QDBusConnection connection, ObjectMaker maker, int idleMilliseconds,
                           bool batchPrompts)
    : connection_(connection), maker_(std::move(maker)), batchPrompts_(batchPrompts) {
  watcher_.setConnection(connection_);
  watcher_.setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
  connect(&watcher_, &QDBusServiceWatcher::serviceUnregistered, this,
          [this](const QString& owner) { OwnerGone(owner); });
  connection_.connect(QString(), "/org/freedesktop/DBus/Local", "org.freedesktop.DBus.Local", "Disconnected", this,
                      SLOT(BusGone()));
  idle_.setSingleShot(true);
  if (idleMilliseconds >= 0) {
    idle_.setInterval(idleMilliseconds);
    connect(&idle_, &QTimer::timeout, qApp, &QCoreApplication::quit);
  }
}

PlamorServer::~PlamorServer() {
  connection_.unregisterObject(kFactoryPath);
}

bool PlamorServer::Start(QString* error) {
  if (!connection_.isConnected()) {
    *error = "no D-Bus session bus: " + connection_.lastError().message();
    return false;
  }
  if (!connection_.registerVirtualObject(kFactoryPath, this, QDBusConnection::SubPath)) {
    *error = "cannot register " + QString(kFactoryPath) + ": " + connection_.lastError().message();
    return false;
  }
  if (!connection_.registerService(kBusName)) {
    *error = "cannot take the bus name " + QString(kBusName) + " (is another server running?)";
    return false;
  }
  UpdateIdleTimer();
  return true;
}

QString PlamorServer::introspect(const QString& path) const {
  if (path == kFactoryPath) {
    QString xml = QStringLiteral(
                      "  <interface name=\"%1\">\n"
                      "    <method name=\"Create\">\n"
                      "      <arg name=\"identifier\" type=\"s\" direction=\"in\"/>\n"
                      "      <arg name=\"object\" type=\"o\" direction=\"out\"/>\n"
                      "    </method>\n"
                      "    <method name=\"Release\">\n"
                      "      <arg name=\"object\" type=\"o\" direction=\"in\"/>\n"
                      "    </method>\n"
                      "    <method name=\"Draw\">\n"
                      "      <arg name=\"identifier\" type=\"s\" direction=\"in\"/>\n"
                      "      <arg name=\"runs\" type=\"a(sua{sv})\" direction=\"in\"/>\n"
                      "      <arg name=\"numbers\" type=\"ad\" direction=\"in\"/>\n"
                      "      <arg name=\"texts\" type=\"as\" direction=\"in\"/>\n"
                      "      <arg name=\"MGLPath\" type=\"s\" direction=\"in\"/>\n"
                      "      <arg name=\"state\" type=\"i\" direction=\"out\"/>\n"
                      "      <arg name=\"path\" type=\"s\" direction=\"out\"/>\n"
                      "      <arg name=\"message\" type=\"s\" direction=\"out\"/>\n"
                      "    </method>\n"
                      "  </interface>\n")
                      .arg(kFactoryInterface);
    for (const auto& [p, served] : objects_) xml += "  <node name=\"" + p.section('/', -1) + "\"/>\n";
    return xml;
  }
  if (objects_.count(path)) {
    const QString xml = IntrospectionXml() + QStringLiteral(
        "  <interface name=\"%1\">\n"
        "    <method name=\"Register\">\n"
        "      <arg name=\"runs\" type=\"a(sua{sv})\" direction=\"in\"/>\n"
        "      <arg name=\"numbers\" type=\"ad\" direction=\"in\"/>\n"
        "      <arg name=\"texts\" type=\"as\" direction=\"in\"/>\n"
        "    </method>\n"
        "  </interface>\n").arg(kBulkInterface);
    if (!batchPrompts_) return xml;
    return xml + QStringLiteral(
        "  <interface name=\"%1\">\n"
        "    <method name=\"SetAnswers\">\n"
        "      <arg name=\"buttons\" type=\"ai\" direction=\"in\"/>\n"
        "      <arg name=\"saveNames\" type=\"as\" direction=\"in\"/>\n"
        "    </method>\n"
        "    <method name=\"TakePrompts\">\n"
        "      <arg name=\"log\" type=\"s\" direction=\"out\"/>\n"
        "    </method>\n"
        "  </interface>\n").arg(kBatchPromptsInterface);
  }
  return {};
}

bool PlamorServer::handleMessage(const QDBusMessage& message, const QDBusConnection&) {
  if (message.path() == kFactoryPath) return HandleFactory(message);
  auto it = objects_.find(message.path());
  if (it == objects_.end()) {
    connection_.send(message.createErrorReply("org.freedesktop.DBus.Error.UnknownObject",
                                              "no drawing object at " + message.path()));
    return true;
  }
  std::shared_ptr<Served> served = it->second;  // alive for the whole call
  return HandleObject(message, served);
}

bool PlamorServer::HandleBatchPrompts(const QDBusMessage& message, Served& served) {
  if (message.member() == "TakePrompts" && message.signature().isEmpty()) {
    connection_.send(message.createReply(QString::fromStdString(served.prompter->TakePrompts())));
    return true;
  }
  if (message.member() != "SetAnswers" || message.signature() != "aias") {
    connection_.send(message.createErrorReply("org.freedesktop.DBus.Error.UnknownMethod",
                                              QString(kBatchPromptsInterface) +
                                                  " has SetAnswers(ai, as) and TakePrompts()"));
    return true;
  }
  std::vector<int> buttons;
  for (int b : qdbus_cast<QList<int>>(message.arguments().value(0))) buttons.push_back(b);
  std::vector<std::string> names;
  for (const QString& n : qdbus_cast<QStringList>(message.arguments().value(1))) names.push_back(n.toStdString());
  served.prompter->SetAnswers(std::move(buttons), std::move(names));
  connection_.send(message.createReply());
  return true;
}

bool PlamorServer::HandleBulk(const QDBusMessage& message, Served& served) {
  if (message.member() != "Register") {
    connection_.send(message.createErrorReply("org.freedesktop.DBus.Error.UnknownMethod",
                                              QString(kBulkInterface) + " has Register(" + kBulkSignature + ")"));
    return true;
  }
  if (message.signature() != kBulkSignature) {
    connection_.send(message.createErrorReply(
        "org.freedesktop.DBus.Error.InvalidArgs",
        QStringLiteral("Register takes \"%1\", not \"%2\"").arg(kBulkSignature, message.signature())));
    return true;
  }
  ScopedSettings apartment(served.settings.get());
  prompts::ScopedPrompter prompts(served.prompter.get());
  try {
    RegisterBatch(*served.object, message.arguments());
    connection_.send(message.createReply());
  } catch (const BatchError& e) {
    connection_.send(message.createErrorReply(e.Name(), QString::fromStdString(e.what())));
  }
  return true;
}

void PlamorServer::HandleProperties(const QDBusMessage& message) {
  if (message.member() == "GetAll") connection_.send(message.createReply(QVariant::fromValue(QVariantMap())));
  else connection_.send(message.createErrorReply("org.freedesktop.DBus.Error.UnknownProperty",
                                                 "the drawing object has no D-Bus properties; use its get_ and put_ members"));
}

std::shared_ptr<ModuleSettings> PlamorServer::ApartmentOf(const QString& owner) {
  for (auto it = apartments_.begin(); it != apartments_.end();)
    it = it->second.expired() ? apartments_.erase(it) : std::next(it);
  std::shared_ptr<ModuleSettings> apartment = apartments_[owner].lock();
  if (!apartment) {
    apartment = std::make_shared<ModuleSettings>();
    apartments_[owner] = apartment;
  }
  return apartment;
}

QString PlamorServer::CreateObject(const QDBusMessage& message, const QString& id) {
  if (!IsPlamorClass(id.trimmed().toStdString())) {
    connection_.send(ErrorReply(message, kErrUnknownClass, "unknown class identifier " + id.toStdString()));
    return {};
  }
  const QString path = kObjectPathPrefix + QString::number(next_id_++);
  auto served = std::make_shared<Served>();
  if (batchPrompts_) served->prompter = std::make_unique<ObjectPrompter>();
  served->settings = ApartmentOf(message.service());
  try {
    ScopedSettings apartment(served->settings.get());
    served->object = maker_(served->prompter.get());
  } catch (const std::exception& e) {
    connection_.send(ErrorReply(message, kErrInternal, std::string("cannot create the drawing: ") + e.what()));
    return {};
  }
  served->owner = message.service();
  served->object->OnRunEnded([this, path](const RunResult& result) { RunEnded(path, result); });
  // The bus tells of a host's end by a signal that may come after its last
  // elements are written; before the file is put in place the bus is asked.
  if (auto* drawing = dynamic_cast<clsPlamor*>(served->object.get()))
    drawing->OnFileComplete([this, served = served.get()] {
      if (!connection_.interface()->isServiceRegistered(served->owner).value()) CancelRun(*served);
    });
  objects_[path] = std::move(served);
  watcher_.addWatchedService(message.service());
  UpdateIdleTimer();
  return path;
}

void PlamorServer::HandleDraw(const QDBusMessage& message) {
  const QVariantList args = message.arguments();
  const QString path = CreateObject(message, args.value(0).toString());
  if (path.isEmpty()) return;
  std::shared_ptr<Served> served = objects_[path];
  QDBusMessage error;
  {
    ScopedSettings apartment(served->settings.get());
    prompts::ScopedPrompter prompts(served->prompter.get());
    try {
      RegisterBatch(*served->object, args.mid(1, 3));
      pendingDraws_[path] = message;  // answered when the run has ended
      served->object->OutPutPlamor(args.value(4).toString().toStdString());
      return;
    } catch (const BatchError& e) {
      error = message.createErrorReply(e.Name(), QString::fromStdString(e.what()));
    } catch (const AutomationError& e) {
      error = ErrorReply(message, e.Number(), e.what());
    } catch (const std::exception& e) {
      error = ErrorReply(message, kErrInternal, e.what());
    }
  }
  pendingDraws_.erase(path);
  Release(path);
  connection_.send(error);
}

bool PlamorServer::HandleFactory(const QDBusMessage& message) {
  const QString interface = message.interface();
  if (interface == "org.freedesktop.DBus.Properties") {
    HandleProperties(message);
    return true;
  }
  if (IsStandardInterface(interface)) return false;
  if (!interface.isEmpty() && interface != kFactoryInterface) {
    connection_.send(message.createErrorReply("org.freedesktop.DBus.Error.UnknownInterface",
                                              "the class factory has no interface " + interface));
    return true;
  }
  const QString member = message.member();
  if (member == "Create" && message.signature() == "s") {
    const QString path = CreateObject(message, message.arguments().value(0).toString());
    if (!path.isEmpty()) connection_.send(message.createReply(QVariant::fromValue(QDBusObjectPath(path))));
    return true;
  }
  if (member == "Draw" && message.signature() == kDrawSignature) {
    HandleDraw(message);
    return true;
  }
  if (member == "Release" && message.signature() == "o") {
    const QString path = message.arguments().value(0).value<QDBusObjectPath>().path();
    auto it = objects_.find(path);
    if (it == objects_.end() || it->second->owner != message.service()) {
      connection_.send(
          ErrorReply(message, kErrUnknownObject, "no drawing object of this host at " + path.toStdString()));
      return true;
    }
    Release(path);
    connection_.send(message.createReply());
    return true;
  }
  connection_.send(message.createErrorReply("org.freedesktop.DBus.Error.UnknownMethod",
                                            "the class factory has Create(s), Release(o) and Draw(" + QString(kDrawSignature) + "), not " +
                                                member + "(" + message.signature() + ")"));
  return true;
}

bool PlamorServer::HandleObject(const QDBusMessage& message, const std::shared_ptr<Served>& served) {
  const QString interface = message.interface();
  if (interface == "org.freedesktop.DBus.Properties") {
    HandleProperties(message);
    return true;
  }
  const bool bulk = interface == kBulkInterface;
  const bool answers = batchPrompts_ && interface == kBatchPromptsInterface;
  if (IsStandardInterface(interface)) return false;
  if (!interface.isEmpty() && interface != kObjectInterface && !bulk && !answers) {
    connection_.send(message.createErrorReply("org.freedesktop.DBus.Error.UnknownInterface",
                                              "the drawing object has no interface " + interface));
    return true;
  }
  if (message.service() != served->owner) {
    connection_.send(message.createErrorReply("org.freedesktop.DBus.Error.AccessDenied",
                                              "this drawing object belongs to another host"));
    return true;
  }
  if (answers) return HandleBatchPrompts(message, *served);
  if (bulk) return HandleBulk(message, *served);
  const MemberInfo* member = FindMember(message.member().toStdString());
  if (!member) {
    connection_.send(message.createErrorReply("org.freedesktop.DBus.Error.UnknownMethod",
                                              "_clsPlamor has no member " + message.member()));
    return true;
  }
  // The options dictionary may be left out when no optional argument is given.
  const QString signature = InSignature(*member);
  QVariantList arguments = message.arguments();
  if (signature.endsWith("a{sv}") && message.signature() + "a{sv}" == signature) arguments << QVariantMap();
  else if (message.signature() != signature) {
    connection_.send(message.createErrorReply(
        "org.freedesktop.DBus.Error.InvalidArgs",
        QStringLiteral("%1 takes \"%2\", not \"%3\"").arg(message.member(), signature, message.signature())));
    return true;
  }
  // The object may be released while it serves this call (a nested event
  // loop that sees its host disappear): `served` keeps it until the reply.
  IPlamor& target = *served->object;
  ScopedSettings apartment(served->settings.get());
  prompts::ScopedPrompter prompts(served->prompter.get());
  try {
    MemberCall call(*member, UnpackArguments(*member, arguments));
    ArgValue result = member->invoke(target, call);
    connection_.send(message.createReply(PackResult(*member, result)));
  } catch (const AutomationError& e) {
    connection_.send(ErrorReply(message, e.Number(), e.what()));
  } catch (const std::exception& e) {
    connection_.send(ErrorReply(message, kErrInternal, e.what()));
  }
  return true;
}

void PlamorServer::Release(const QString& path) {
  auto it = objects_.find(path);
  if (it == objects_.end()) return;
  const QString owner = it->second->owner;
  dying_.push_back(std::move(it->second));
  objects_.erase(it);
  EndDyingObjects();
  bool ownerHasMore = false;
  for (const auto& [p, s] : objects_) ownerHasMore |= (s->owner == owner);
  if (!ownerHasMore) watcher_.removeWatchedService(owner);
  UpdateIdleTimer();
}

void PlamorServer::OwnerGone(const QString& owner) {
  std::vector<QString> gone;
  for (const auto& [p, s] : objects_)
    if (s->owner == owner) gone.push_back(p);
  // Nobody waits for these drawings any more: their runs end by the cancel
  // path, so that no temporary file stays.
  for (const auto& p : gone) CancelRun(*objects_[p]);
  for (const auto& p : gone) Release(p);
}

void PlamorServer::CancelRun(Served& served, const std::string& reason) {
  if (auto* drawing = dynamic_cast<clsPlamor*>(served.object.get())) drawing->CancelOutput(reason);
}

void PlamorServer::BusGone() { EndNow("the session bus connection closed"); }

void PlamorServer::EndNow(const QString& why) {
  std::fprintf(stderr, "plamor: %s; ending%s\n", qPrintable(why),
               objects_.empty() && dying_.empty() ? "" : " after cancelling the running outputs");
  for (auto& [p, s] : objects_) CancelRun(*s, kServerGoneText);
  for (auto& s : dying_) CancelRun(*s, kServerGoneText);
  // A run in progress takes its cancel path before control is back in the
  // main loop, which then ends.
  QCoreApplication::quit();
}

void PlamorServer::RunEnded(const QString& path, const RunResult& result) {
  QDBusMessage signal = QDBusMessage::createSignal(path, kObjectInterface, kRunEndedSignal);
  signal.setArguments(PackRunResult(result));
  connection_.send(signal);
  auto draw = pendingDraws_.find(path);
  if (draw != pendingDraws_.end()) {
    QDBusMessage reply = draw->second.createReply(PackRunResult(result));
    pendingDraws_.erase(draw);
    // The object ends once its run has; not here, inside its own run.
    QMetaObject::invokeMethod(this, [this, reply, path] {
      connection_.send(reply);
      Release(path);
    }, Qt::QueuedConnection);
  }
  // A released object ends once its run has; not here, inside its own run.
  if (!dying_.empty()) QMetaObject::invokeMethod(this, [this] { EndDyingObjects(); }, Qt::QueuedConnection);
}

void PlamorServer::EndDyingObjects() {
  std::vector<std::shared_ptr<Served>> still;
  for (auto& object : dying_) {
    bool running = false;
    try {
      running = object->object->get_IdolePlamorOutPut();
    } catch (...) {
    }
    // An object that is in the middle of a call of its own keeps a second
    // reference and ends when that call returns.
    if (running) still.push_back(std::move(object));
  }
  dying_ = std::move(still);
  UpdateIdleTimer();
}

void PlamorServer::UpdateIdleTimer() {
  if (objects_.empty() && dying_.empty()) idle_.start();
  else idle_.stop();
}

}  // namespace plamor::dbus

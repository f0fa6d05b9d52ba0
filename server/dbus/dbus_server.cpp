#include "server/dbus/dbus_server.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>

#include <strings.h>

#include "server/automation_error.h"
#include "server/dbus/dbus_marshal.h"
#include "server/dbus/dbus_names.h"

namespace plamor::dbus {
namespace {

bool IsOurClass(const QString& id) {
  QString s = id.trimmed();
  if (s.compare(kPlamorProgId, Qt::CaseInsensitive) == 0) return true;
  QString clsid = QString(kPlamorClsid);
  if (s.compare(clsid, Qt::CaseInsensitive) == 0) return true;
  return s.compare(clsid.mid(1, clsid.size() - 2), Qt::CaseInsensitive) == 0;
}

QDBusMessage ErrorReply(const QDBusMessage& m, std::int32_t number, const std::string& text) {
  return m.createErrorReply(QString::fromStdString(ErrorName(number)), QString::fromStdString(text));
}

}  // namespace

PlamorServer::PlamorServer(QDBusConnection connection, ObjectMaker maker, int idleMilliseconds)
    : connection_(connection), maker_(std::move(maker)) {
  watcher_.setConnection(connection_);
  watcher_.setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
  connect(&watcher_, &QDBusServiceWatcher::serviceUnregistered, this,
          [this](const QString& owner) { OwnerGone(owner); });
  dying_timer_.setInterval(100);
  connect(&dying_timer_, &QTimer::timeout, this, [this] { EndDyingObjects(); });
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
                      "  </interface>\n")
                      .arg(kFactoryInterface);
    for (const auto& [p, served] : objects_) xml += "  <node name=\"" + p.section('/', -1) + "\"/>\n";
    return xml;
  }
  if (objects_.count(path)) return IntrospectionXml();
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
  return HandleObject(message, it->second);
}

bool PlamorServer::HandleFactory(const QDBusMessage& message) {
  if (!message.interface().isEmpty() && message.interface() != kFactoryInterface) return false;
  const QString member = message.member();
  if (member == "Create" && message.signature() == "s") {
    const QString id = message.arguments().value(0).toString();
    if (!IsOurClass(id)) {
      connection_.send(ErrorReply(message, 1003, "unknown class identifier " + id.toStdString()));
      return true;
    }
    std::shared_ptr<IPlamor> object;
    try {
      object = maker_();
    } catch (const std::exception& e) {
      connection_.send(ErrorReply(message, 51, std::string("cannot create the drawing: ") + e.what()));
      return true;
    }
    const QString path = kObjectPathPrefix + QString::number(next_id_++);
    objects_[path] = Served{std::move(object), message.service()};
    watcher_.addWatchedService(message.service());
    UpdateIdleTimer();
    connection_.send(message.createReply(QVariant::fromValue(QDBusObjectPath(path))));
    return true;
  }
  if (member == "Release" && message.signature() == "o") {
    const QString path = message.arguments().value(0).value<QDBusObjectPath>().path();
    auto it = objects_.find(path);
    if (it == objects_.end() || it->second.owner != message.service()) {
      connection_.send(ErrorReply(message, 1002, "no drawing object of this host at " + path.toStdString()));
      return true;
    }
    Release(path);
    connection_.send(message.createReply());
    return true;
  }
  connection_.send(message.createErrorReply("org.freedesktop.DBus.Error.UnknownMethod",
                                            "the class factory has Create(s) and Release(o), not " +
                                                member + "(" + message.signature() + ")"));
  return true;
}

bool PlamorServer::HandleObject(const QDBusMessage& message, Served& served) {
  if (!message.interface().isEmpty() && message.interface() != kObjectInterface) return false;
  if (message.service() != served.owner) {
    connection_.send(message.createErrorReply("org.freedesktop.DBus.Error.AccessDenied",
                                              "this drawing object belongs to another host"));
    return true;
  }
  const MemberInfo* member = FindMember(message.member().toStdString());
  if (!member) {
    connection_.send(message.createErrorReply("org.freedesktop.DBus.Error.UnknownMethod",
                                              "_clsPlamor has no member " + message.member()));
    return true;
  }
  if (message.signature() != InSignature(*member)) {
    connection_.send(message.createErrorReply(
        "org.freedesktop.DBus.Error.InvalidArgs",
        QStringLiteral("%1 takes \"%2\", not \"%3\"")
            .arg(message.member(), InSignature(*member), message.signature())));
    return true;
  }
  // The object may be released while it serves this call (a nested event
  // loop that sees its host disappear), so keep it alive until the reply.
  std::shared_ptr<IPlamor> keep = served.object;
  IPlamor& target = *keep;
  try {
    MemberCall call(*member, UnpackArguments(*member, message.arguments()));
    ArgValue result = member->invoke(target, call);
    connection_.send(member->hasResult ? message.createReply(PackResult(*member, result))
                                       : message.createReply());
  } catch (const AutomationError& e) {
    connection_.send(ErrorReply(message, e.Number(), e.what()));
  } catch (const std::exception& e) {
    connection_.send(ErrorReply(message, 51, e.what()));
  }
  return true;
}

void PlamorServer::Release(const QString& path) {
  auto it = objects_.find(path);
  if (it == objects_.end()) return;
  const QString owner = it->second.owner;
  dying_.push_back(std::move(it->second.object));
  objects_.erase(it);
  EndDyingObjects();
  bool ownerHasMore = false;
  for (const auto& [p, s] : objects_) ownerHasMore |= (s.owner == owner);
  if (!ownerHasMore) watcher_.removeWatchedService(owner);
  UpdateIdleTimer();
}

void PlamorServer::OwnerGone(const QString& owner) {
  std::vector<QString> gone;
  for (const auto& [p, s] : objects_)
    if (s.owner == owner) gone.push_back(p);
  for (const auto& p : gone) Release(p);
}

void PlamorServer::EndDyingObjects() {
  std::vector<std::shared_ptr<IPlamor>> still;
  for (auto& object : dying_) {
    bool running = false;
    try {
      running = object->get_IdolePlamorOutPut();
    } catch (...) {
    }
    // An object that is in the middle of a call of its own keeps a second
    // reference and ends when that call returns.
    if (running) still.push_back(std::move(object));
  }
  dying_ = std::move(still);
  if (dying_.empty()) dying_timer_.stop();
  else if (!dying_timer_.isActive()) dying_timer_.start();
  UpdateIdleTimer();
}

void PlamorServer::UpdateIdleTimer() {
  if (objects_.empty() && dying_.empty()) idle_.start();
  else idle_.stop();
}

}  // namespace plamor::dbus

#include "server/host/host_entry.h"

#include <QCoreApplication>
#include <QDBusConnection>

#include <cstdlib>
#include <cstring>

#include "server/automation_error.h"
#include "server/dbus/dbus_proxy.h"
#include "server/host/inprocess_plamor.h"
#include "server/plamor_members.h"

namespace plamor::host {
namespace {

PlamorFactory& Factory() {
  static PlamorFactory factory;
  return factory;
}

}  // namespace

Transport DefaultTransport() {
  const char* t = std::getenv("PLAMOR_TRANSPORT");
  return t && std::strcmp(t, "inproc") == 0 ? Transport::InProcess : Transport::DBus;
}

void SetPlamorFactory(PlamorFactory factory) { Factory() = std::move(factory); }

std::unique_ptr<IPlamor> CreatePlamorObject(std::string_view identifier, Transport transport) {
  if (Factory()) return Factory()(identifier, transport);
  return CreateServerPlamorObject(identifier, transport);
}

std::unique_ptr<IPlamor> CreateServerPlamorObject(std::string_view identifier, Transport transport) {
  if (transport == Transport::InProcess) {
    if (!IsPlamorClass(identifier))
      throw AutomationError(kErrUnknownClass, "unknown class identifier " + std::string(identifier));
    return MakeInProcessPlamor(AvailableViewKind());
  }
  if (!QCoreApplication::instance())
    throw AutomationError(kErrCannotCreateObject,
                          "a D-Bus drawing needs a running Qt application in the host");
  return dbus::DBusPlamor::Create(QDBusConnection::sessionBus(), QString::fromUtf8(identifier.data(),
                                                                                 identifier.size()));
}

}  // namespace plamor::host

// A drawing object of the server in another process, reached over the D-Bus
// session bus: the host side of the drawing interface. Failures of the server
// come back as AutomationError with the server's error number; a server that
// left the bus, or a closed connection, as error 462 saying which.
#pragma once

#include <QDBusConnection>
#include <QString>

#include <memory>
#include <string>
#include <vector>

#include "server/dbus/dbus_client.h"
#include "server/plamor_members.h"

namespace plamor::dbus {

class DBusPlamor : public IPlamor {
 public:
  // Asks the server's class factory for a new object. The server must own
  // its bus name already (see StartServer). Throws AutomationError on failure.
  static std::unique_ptr<DBusPlamor> Create(QDBusConnection connection, const QString& identifier);
  ~DBusPlamor() override;  // releases the object in the server

  QString Path() const { return path_; }

  // The batch-prompt calls of the object (TessaroPlamor.BatchPrompts): hands
  // over the answers for its prompts; false when the server shows its
  // prompts to its own user instead.
  bool SetPromptAnswers(const std::vector<int>& buttons, const std::vector<std::string>& saveNames);
  // What the server asked and answered for this object since the last time.
  std::string TakePrompts();

  // The members of the drawing interface (plamor_members.def), each a call
  // of the server's object.
#define PLAMOR_DECLARE(...) __VA_ARGS__ override;
#include "server/plamor_declarations.inc"

 private:
  DBusPlamor(QDBusConnection connection, QString service, QString path);
  ArgValue Call(const char* qualifiedName, std::vector<ArgValue> args);
  [[noreturn]] void ThrowLost() const;

  QDBusConnection connection_;
  QString service_;  // the unique name of the server that made the object
  QString path_;
  ObjectWatch watch_;
};

}  // namespace plamor::dbus

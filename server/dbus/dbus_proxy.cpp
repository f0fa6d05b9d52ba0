#include "server/dbus/dbus_proxy.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include "server/automation_error.h"
#include "server/dbus/dbus_marshal.h"
#include "server/dbus/dbus_names.h"
#include "server/dbus/object_prompter.h"

namespace plamor::dbus {
namespace {

// Calls may wait for a person (the save-file dialog), so they wait long.
constexpr int kCallTimeoutMs = 24 * 60 * 60 * 1000;
constexpr int kPromptCallTimeoutMs = 25000;
constexpr int kReleaseTimeoutMs = 5000;

[[noreturn]] void ThrowReplyError(const QDBusMessage& reply, const char* what) {
  const std::string name = reply.errorName().toStdString();
  std::int32_t number = ErrorNumber(name);
  std::string text = reply.errorMessage().toStdString();
  if (number == 0) {
    number = name == "org.freedesktop.DBus.Error.InvalidArgs" ? kErrInvalidArgument : kErrInternal;
    text = std::string(what) + ": " + name + ": " + text;
  }
  throw AutomationError(number, text);
}

// Errors of the bus itself that mean the server is gone or going: the
// object's path no longer served, the call left without a reply.
bool ServerEnding(const QDBusMessage& reply) {
  const QString name = reply.errorName();
  return name == "org.freedesktop.DBus.Error.UnknownObject" || name == "org.freedesktop.DBus.Error.NoReply" ||
         name == "org.freedesktop.DBus.Error.ServiceUnknown" || name == "org.freedesktop.DBus.Error.Disconnected";
}

// The arguments of a call as the member table takes them: numbers, texts and
// truth values as they are, the optional arguments of an element one by one
// (a left-out one stays Missing).
void Append(std::vector<ArgValue>& a, double v) { a.push_back(ArgValue::Num(v)); }
void Append(std::vector<ArgValue>& a, std::int32_t v) { a.push_back(ArgValue::Num(v)); }
void Append(std::vector<ArgValue>& a, std::int16_t v) { a.push_back(ArgValue::Num(v)); }
void Append(std::vector<ArgValue>& a, bool v) { a.push_back(ArgValue::Truth(v)); }
void Append(std::vector<ArgValue>& a, const std::string& v) { a.push_back(ArgValue::Str(v)); }
void Append(std::vector<ArgValue>& a, const OptionalArg& opt) {
  if (auto n = std::get_if<double>(&opt.Raw())) a.push_back(ArgValue::Num(*n));
  else if (auto t = std::get_if<std::string>(&opt.Raw())) a.push_back(ArgValue::Str(*t));
  else a.push_back(ArgValue{});
}
void Append(std::vector<ArgValue>& a, const LineOptions& o) {
  for (const OptionalArg* opt : {&o.vPen, &o.vStyl, &o.vPich, &o.vLayer}) Append(a, *opt);
}
void Append(std::vector<ArgValue>& a, const TextOptions& o) {
  for (const OptionalArg* opt : {&o.vHeight, &o.vWidth, &o.vBetween, &o.vPen, &o.vLayer, &o.vKiten})
    Append(a, *opt);
}

template <class... Values>
std::vector<ArgValue> Pack(const Values&... values) {
  std::vector<ArgValue> a;
  (Append(a, values), ...);
  return a;
}

double Num(const ArgValue& v) { return v.kind == ArgValue::Kind::Bool ? (v.flag ? -1 : 0) : v.number; }

// A member's result as its C++ type.
template <class T>
T As(const ArgValue& v);
template <>
void As<void>(const ArgValue&) {}
template <>
double As<double>(const ArgValue& v) { return Num(v); }
template <>
std::int32_t As<std::int32_t>(const ArgValue& v) { return static_cast<std::int32_t>(Num(v)); }
template <>
std::int16_t As<std::int16_t>(const ArgValue& v) { return static_cast<std::int16_t>(Num(v)); }
template <>
bool As<bool>(const ArgValue& v) { return v.kind == ArgValue::Kind::Bool ? v.flag : v.number != 0; }
template <>
std::string As<std::string>(const ArgValue& v) { return v.text; }
template <>
RunResult As<RunResult>(const ArgValue& v) { return RunResultFrom(v); }

}  // namespace

std::unique_ptr<DBusPlamor> DBusPlamor::Create(QDBusConnection connection, const QString& identifier) {
  StartServer(connection);
  QDBusMessage call = QDBusMessage::createMethodCall(kBusName, kFactoryPath, kFactoryInterface, "Create");
  call << identifier;
  ObjectWatch factory(connection, kBusName, kFactoryPath);
  QDBusMessage reply = factory.Exchange(call, kCallTimeoutMs);
  if (factory.Lost() != ObjectWatch::Loss::kNone) throw AutomationError(kErrServerUnavailable, factory.LossText());
  if (reply.type() != QDBusMessage::ReplyMessage) ThrowReplyError(reply, "Create");
  const QString path = reply.arguments().value(0).value<QDBusObjectPath>().path();
  return std::unique_ptr<DBusPlamor>(new DBusPlamor(connection, reply.service(), path));
}

DBusPlamor::DBusPlamor(QDBusConnection connection, QString service, QString path)
    : connection_(connection), service_(service), path_(path), watch_(connection, service, path) {}

DBusPlamor::~DBusPlamor() {
  // Nobody is left to release it when the server or the bus is gone.
  if (watch_.Lost() != ObjectWatch::Loss::kNone || !connection_.isConnected()) return;
  QDBusMessage call = QDBusMessage::createMethodCall(service_, kFactoryPath, kFactoryInterface, "Release");
  call << QVariant::fromValue(QDBusObjectPath(path_));
  watch_.Exchange(call, kReleaseTimeoutMs);
}

bool DBusPlamor::SetPromptAnswers(const std::vector<int>& buttons, const std::vector<std::string>& saveNames) {
  QDBusMessage call = QDBusMessage::createMethodCall(service_, path_, kBatchPromptsInterface, "SetAnswers");
  QStringList names;
  for (const auto& n : saveNames) names << QString::fromStdString(n);
  call << QVariant::fromValue(QList<int>(buttons.begin(), buttons.end())) << names;
  return watch_.Exchange(call, kPromptCallTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

std::string DBusPlamor::TakePrompts() {
  QDBusMessage call = QDBusMessage::createMethodCall(service_, path_, kBatchPromptsInterface, "TakePrompts");
  QDBusMessage reply = watch_.Exchange(call, kPromptCallTimeoutMs);
  return reply.type() == QDBusMessage::ReplyMessage ? reply.arguments().value(0).toString().toStdString() : "";
}

void DBusPlamor::ThrowLost() const {
  throw AutomationError(kErrServerUnavailable, watch_.LossText());
}

ArgValue DBusPlamor::Call(const char* qualifiedName, std::vector<ArgValue> args) {
  if (watch_.Lost() != ObjectWatch::Loss::kNone) ThrowLost();
  const MemberInfo* member = FindMember(qualifiedName);
  QDBusMessage call = QDBusMessage::createMethodCall(service_, path_, kObjectInterface, qualifiedName);
  call.setArguments(PackArguments(*member, args));
  QDBusMessage reply = watch_.Exchange(call, kCallTimeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage) {
    // The failed call may tell of a lost server or bus before the watch heard.
    if (watch_.Lost() != ObjectWatch::Loss::kNone) ThrowLost();
    if (!connection_.isConnected()) throw AutomationError(kErrServerUnavailable, kBusGoneText);
    if (ServerEnding(reply) || !connection_.interface()->isServiceRegistered(service_))
      throw AutomationError(kErrServerUnavailable, kServerGoneText);
    ThrowReplyError(reply, qualifiedName);
  }
  return UnpackResult(*member, reply.arguments());
}

// Every member of the interface is a call of the server's object by its
// qualified name.
#define PLAMOR_DEFAULT(value)
#define PLAMOR_PROPERTY(Name, Type, Tag)                                                    \
  void DBusPlamor::put_##Name(PropertyIn<Type> value) { Call("put_" #Name, Pack(value)); } \
  PLAMOR_READONLY(Name, Type, Tag)
#define PLAMOR_READONLY(Name, Type, Tag) \
  Type DBusPlamor::get_##Name() { return As<Type>(Call("get_" #Name, {})); }
#define PLAMOR_ELEMENT(Name, Params, Args) PLAMOR_METHOD(void, Name, Params, Args)
#define PLAMOR_METHOD(Result, Name, Params, Args) \
  Result DBusPlamor::Name Params { return As<Result>(Call(#Name, Pack Args)); }
#define PLAMOR_LOCAL(Result, Name, Params, Args)
#include "server/plamor_members.def"

void DBusPlamor::OnRunEnded(RunEndedListener listener) { watch_.SetListener(std::move(listener)); }
void DBusPlamor::AwaitRunEvent() { watch_.AwaitEvent(); }

}  // namespace plamor::dbus

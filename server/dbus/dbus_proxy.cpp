#include "server/dbus/dbus_proxy.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include "server/automation_error.h"
#include "server/dbus/dbus_marshal.h"
#include "server/dbus/dbus_names.h"

namespace plamor::dbus {
namespace {

// Calls may wait for a person (the save-file dialog), so they wait long.
constexpr int kCallTimeoutMs = 24 * 60 * 60 * 1000;

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

void PushOptional(std::vector<ArgValue>& a, const OptionalArg& opt) {
  if (auto n = std::get_if<double>(&opt.Raw())) a.push_back(ArgValue::Num(*n));
  else if (auto t = std::get_if<std::string>(&opt.Raw())) a.push_back(ArgValue::Str(*t));
  else a.push_back(ArgValue{});
}

std::vector<ArgValue> Line(std::initializer_list<double> fixed, const LineOptions& o) {
  std::vector<ArgValue> a;
  for (double v : fixed) a.push_back(ArgValue::Num(v));
  for (const OptionalArg* opt : {&o.vPen, &o.vStyl, &o.vPich, &o.vLayer}) PushOptional(a, *opt);
  return a;
}

std::vector<ArgValue> Text(double x, double y, const std::string& t, std::int32_t s, double c,
                           double a, const TextOptions& o) {
  std::vector<ArgValue> v{ArgValue::Num(x), ArgValue::Num(y), ArgValue::Str(t),
                          ArgValue::Num(s), ArgValue::Num(c), ArgValue::Num(a)};
  for (const OptionalArg* opt : {&o.vHeight, &o.vWidth, &o.vBetween, &o.vPen, &o.vLayer, &o.vKiten})
    PushOptional(v, *opt);
  return v;
}

double Num(const ArgValue& v) { return v.kind == ArgValue::Kind::Bool ? (v.flag ? -1 : 0) : v.number; }
bool Flag(const ArgValue& v) { return v.kind == ArgValue::Kind::Bool ? v.flag : v.number != 0; }

}  // namespace

std::unique_ptr<DBusPlamor> DBusPlamor::Create(QDBusConnection connection, const QString& identifier) {
  StartServer(connection);
  QDBusMessage call = QDBusMessage::createMethodCall(kBusName, kFactoryPath, kFactoryInterface, "Create");
  call << identifier;
  QDBusMessage reply = connection.call(call, QDBus::Block, kCallTimeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage) ThrowReplyError(reply, "Create");
  const QString path = reply.arguments().value(0).value<QDBusObjectPath>().path();
  return std::unique_ptr<DBusPlamor>(new DBusPlamor(connection, reply.service(), path));
}

DBusPlamor::DBusPlamor(QDBusConnection connection, QString service, QString path)
    : connection_(connection), service_(service), path_(path), watch_(connection, service, path) {}

DBusPlamor::~DBusPlamor() {
  if (watch_.Lost() != ObjectWatch::Loss::kNone) return;  // nobody left to release it
  QDBusMessage call = QDBusMessage::createMethodCall(service_, kFactoryPath, kFactoryInterface, "Release");
  call << QVariant::fromValue(QDBusObjectPath(path_));
  connection_.call(call, QDBus::Block, 5000);
}

void DBusPlamor::ThrowLost() const {
  throw AutomationError(kErrServerUnavailable, watch_.LossText());
}

ArgValue DBusPlamor::Call(const char* qualifiedName, std::vector<ArgValue> args) {
  if (watch_.Lost() != ObjectWatch::Loss::kNone) ThrowLost();
  const MemberInfo* member = FindMember(qualifiedName);
  QDBusMessage call = QDBusMessage::createMethodCall(service_, path_, kObjectInterface, qualifiedName);
  call.setArguments(PackArguments(*member, args));
  QDBusMessage reply = connection_.call(call, QDBus::Block, kCallTimeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage) {
    // The watch hears of a lost server or bus only from the event loop; the
    // failed call tells at once.
    if (!connection_.isConnected()) throw AutomationError(kErrServerUnavailable, kBusGoneText);
    if (ServerEnding(reply) || !connection_.interface()->isServiceRegistered(service_))
      throw AutomationError(kErrServerUnavailable, kServerGoneText);
    ThrowReplyError(reply, qualifiedName);
  }
  return UnpackResult(*member, reply.arguments());
}

#define PROXY_NUMBER(Name, Type)                                                       \
  void DBusPlamor::put_##Name(Type v) { Call("put_" #Name, {ArgValue::Num(v)}); }     \
  Type DBusPlamor::get_##Name() { return static_cast<Type>(Num(Call("get_" #Name, {}))); }
#define PROXY_BOOL(Name)                                                               \
  void DBusPlamor::put_##Name(bool v) { Call("put_" #Name, {ArgValue::Truth(v)}); }   \
  bool DBusPlamor::get_##Name() { return Flag(Call("get_" #Name, {})); }
#define PROXY_STRING(Name)                                                                      \
  void DBusPlamor::put_##Name(const std::string& v) { Call("put_" #Name, {ArgValue::Str(v)}); } \
  std::string DBusPlamor::get_##Name() { return Call("get_" #Name, {}).text; }

PROXY_NUMBER(Optimaze, std::int32_t)
PROXY_BOOL(AutoSize)
PROXY_NUMBER(AtzKeta, std::int32_t)
std::int32_t DBusPlamor::get_Count() { return static_cast<std::int32_t>(Num(Call("get_Count", {}))); }
bool DBusPlamor::get_DispCancelDlg() { return Flag(Call("get_DispCancelDlg", {})); }
bool DBusPlamor::get_IdolePlamorOutPut() { return Flag(Call("get_IdolePlamorOutPut", {})); }
bool DBusPlamor::get_Cancel() { return Flag(Call("get_Cancel", {})); }
PROXY_STRING(FileName)
PROXY_STRING(FilePath)
PROXY_STRING(Memo)
PROXY_NUMBER(RoundColum, std::int32_t)
PROXY_NUMBER(pich, double)
PROXY_NUMBER(TextWidth, double)
PROXY_NUMBER(TextHeight, double)
PROXY_NUMBER(TextBetween, double)
PROXY_NUMBER(TextKiten, std::int32_t)
PROXY_NUMBER(Style, std::int32_t)
PROXY_NUMBER(Layer, std::int16_t)
PROXY_NUMBER(pen, std::int32_t)
PROXY_NUMBER(Paper, std::int32_t)
PROXY_NUMBER(PaperScale, double)
PROXY_NUMBER(PaperTate, double)
PROXY_NUMBER(PaperYoko, double)
PROXY_NUMBER(PaperSize, std::int32_t)
PROXY_NUMBER(HouiAngle, double)
PROXY_NUMBER(GentenX, double)
PROXY_NUMBER(GentenY, double)
PROXY_NUMBER(PlamorFlg, std::int32_t)
PROXY_BOOL(DXFOnly)
#undef PROXY_NUMBER
#undef PROXY_BOOL
#undef PROXY_STRING

void DBusPlamor::En(double x, double y, double r, const LineOptions& o) { Call("En", Line({x, y, r}, o)); }
void DBusPlamor::Enko(double x, double y, double r, double s, double m, const LineOptions& o) {
  Call("Enko", Line({x, y, r, s, m}, o));
}
void DBusPlamor::Daen(double x, double y, double xr, double yr, double lang, const LineOptions& o) {
  Call("Daen", Line({x, y, xr, yr, lang}, o));
}
void DBusPlamor::Daenko(double x, double y, double xr, double yr, double s, double m, double lang,
                        const LineOptions& o) {
  Call("Daenko", Line({x, y, xr, yr, s, m, lang}, o));
}
void DBusPlamor::Sen(double x1, double y1, double x2, double y2, const LineOptions& o) {
  Call("Sen", Line({x1, y1, x2, y2}, o));
}
void DBusPlamor::Moji(double x, double y, const std::string& t, std::int32_t s, double c, double a,
                      const TextOptions& o) {
  Call("Moji", Text(x, y, t, s, c, a, o));
}
void DBusPlamor::MojiExtMsM(double x, double y, const std::string& t, std::int32_t s, double c,
                            double a, const TextOptions& o) {
  Call("MojiExtMsM", Text(x, y, t, s, c, a, o));
}
void DBusPlamor::MojiExtMsG(double x, double y, const std::string& t, std::int32_t s, double c,
                            double a, const TextOptions& o) {
  Call("MojiExtMsG", Text(x, y, t, s, c, a, o));
}
void DBusPlamor::Clear() { Call("Clear", {}); }
void DBusPlamor::ShowDialog() { Call("ShowDialog", {}); }
void DBusPlamor::HideDialog() { Call("HideDialog", {}); }
void DBusPlamor::OutPutPlamor(const std::string& path) { Call("OutPutPlamor", {ArgValue::Str(path)}); }
std::string DBusPlamor::OpenFileNameDlg() { return Call("OpenFileNameDlg", {}).text; }
void DBusPlamor::put_LayerName(std::int16_t i, const std::string& v) {
  Call("put_LayerName", {ArgValue::Num(i), ArgValue::Str(v)});
}
std::string DBusPlamor::get_LayerName(std::int16_t i) { return Call("get_LayerName", {ArgValue::Num(i)}).text; }
RunResult DBusPlamor::get_RunResult() { return RunResultFrom(Call("get_RunResult", {})); }
void DBusPlamor::OnRunEnded(RunEndedListener listener) { watch_.SetListener(std::move(listener)); }
void DBusPlamor::AwaitRunEvent() { watch_.AwaitEvent(); }

}  // namespace plamor::dbus

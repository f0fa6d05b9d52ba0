#include "apps/plamor_draw/drawing_link.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <ostream>

#include "apps/plamor_draw/plamor_relay.h"
#include "platform/folders.h"
#include "server/automation_error.h"
#include "server/dbus/dbus_names.h"
#include "server/dbus/dbus_proxy.h"
#include "server/dbus/object_prompter.h"
#include "server/host/inprocess_plamor.h"
#include "server/plamor_members.h"

namespace plamor::draw {
namespace {

constexpr int kServerStartTimeoutMs = 15000;
constexpr long kProgressEvery = 500;

// Hands the save-as answer to a server object; false when that server shows
// its prompts to its own user instead.
bool SetServerAnswers(const dbus::DBusPlamor& drawing, const std::string& saveAs) {
  QDBusMessage call = QDBusMessage::createMethodCall(dbus::kBusName, drawing.Path(),
                                                     dbus::kBatchPromptsInterface, "SetAnswers");
  call << QVariant::fromValue(QList<int>{}) << QStringList{QString::fromStdString(saveAs)};
  return QDBusConnection::sessionBus().call(call).type() == QDBusMessage::ReplyMessage;
}

std::string TakeServerPrompts(const QString& path) {
  QDBusMessage call =
      QDBusMessage::createMethodCall(dbus::kBusName, path, dbus::kBatchPromptsInterface, "TakePrompts");
  QDBusMessage reply = QDBusConnection::sessionBus().call(call);
  return reply.type() == QDBusMessage::ReplyMessage ? reply.arguments().value(0).toString().toStdString() : "";
}

}  // namespace

void EnsureBatchServer() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected())
    throw AutomationError(429, "no D-Bus session bus (run under dbus-run-session, or use --inproc)");
  if (bus.interface()->isServiceRegistered(dbus::kBusName)) return;
  const QString program = QString::fromStdString((folders::ProgramFolder() / "plamor").string());
  // The server outlives this program: its standard streams must not hold
  // ours open (a caller reading our output would wait for the server's end).
  QProcess server;
  server.setProgram(program);
  server.setArguments({"--dbus", "--batch"});
  server.setStandardInputFile(QProcess::nullDevice());
  server.setStandardOutputFile(QProcess::nullDevice());
  server.setStandardErrorFile(QProcess::nullDevice());
  if (!server.startDetached())
    throw AutomationError(429, "cannot start the drawing server " + program.toStdString());
  QElapsedTimer timer;
  timer.start();
  while (!bus.interface()->isServiceRegistered(dbus::kBusName)) {
    if (timer.elapsed() > kServerStartTimeoutMs)
      throw AutomationError(429, "the drawing server " + program.toStdString() + " did not appear on the session bus");
    QThread::msleep(20);
  }
}

DrawingLink::DrawingLink(host::Transport transport, std::string saveAs, std::ostream* progress)
    : transport_(transport),
      saveAs_(std::move(saveAs)),
      progress_(progress),
      prompter_({}, {saveAs_}, &prompts_),
      scopedPrompter_(&prompter_) {
  host::SetPlamorFactory([this](std::string_view identifier, host::Transport) { return CreateReal(identifier); });
}

DrawingLink::~DrawingLink() { host::SetPlamorFactory({}); }

std::unique_ptr<IPlamor> DrawingLink::Create() { return host::CreatePlamorObject(kPlamorProgId, transport_); }

std::unique_ptr<IPlamor> DrawingLink::CreateReal(std::string_view identifier) {
  RelayHooks hooks;
  hooks.copyTo = copyTo_;
  std::ostream* progress = progress_;
  if (progress) {
    hooks.onElement = [progress](long n) {
      if (n % kProgressEvery == 0) *progress << "plamor-draw: " << n << " elements registered\n" << std::flush;
    };
    hooks.onOutput = [progress](long n) {
      *progress << "plamor-draw: " << n << " elements; the drawing server writes the drawing\n" << std::flush;
    };
  }
  if (transport_ == host::Transport::InProcess) {
    if (!IsPlamorClass(identifier))
      throw AutomationError(1003, "unknown class identifier " + std::string(identifier));
    return std::make_unique<PlamorRelay>(host::MakeInProcessPlamor(host::AvailableViewKind()), std::move(hooks));
  }
  EnsureBatchServer();
  auto remote = dbus::DBusPlamor::Create(QDBusConnection::sessionBus(),
                                         QString::fromUtf8(identifier.data(), int(identifier.size())));
  if (SetServerAnswers(*remote, saveAs_)) {
    const QString path = remote->Path();
    hooks.beforeClear = [this, path] { prompts_ << TakeServerPrompts(path); };
  } else {
    // A server that shows its own dialogs to a person cannot be answered:
    // the output file is given to it directly instead.
    hooks.presetFileName = saveAs_;
  }
  return std::make_unique<PlamorRelay>(std::move(remote), std::move(hooks));
}

}  // namespace plamor::draw

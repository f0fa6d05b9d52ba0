#include "apps/plamor_draw/relay/drawing_link.h"

#include <QDBusConnection>

#include <ostream>

#include "apps/plamor_draw/relay/plamor_relay.h"
#include "server/automation_error.h"
#include "server/dbus/dbus_client.h"
#include "server/dbus/dbus_proxy.h"
#include "server/host/inprocess_plamor.h"
#include "server/plamor_members.h"

namespace plamor::draw {
namespace {

constexpr long kProgressEvery = 500;

}  // namespace

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
  hooks.beforeOutput = beforeOutput_;
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
      throw AutomationError(kErrUnknownClass, "unknown class identifier " + std::string(identifier));
    std::unique_ptr<IPlamor> local = host::MakeInProcessPlamor(host::AvailableViewKind());
    IPlamor* drawing = local.get();
    hooks.beforeClear = [this, drawing] { lastRun_ = drawing->get_RunResult(); };
    return std::make_unique<PlamorRelay>(std::move(local), std::move(hooks));
  }
  QDBusConnection bus = QDBusConnection::sessionBus();
  dbus::StartServer(bus);
  auto remote = dbus::DBusPlamor::Create(bus, QString::fromUtf8(identifier.data(), int(identifier.size())));
  dbus::DBusPlamor* drawing = remote.get();
  if (remote->SetPromptAnswers({}, {saveAs_})) {
    hooks.beforeClear = [this, drawing] {
      lastRun_ = drawing->get_RunResult();
      prompts_ << drawing->TakePrompts();
    };
  } else {
    hooks.beforeClear = [this, drawing] { lastRun_ = drawing->get_RunResult(); };
    // A server that shows its own dialogs to a person cannot be answered:
    // the output file is given to it directly instead.
    hooks.presetFileName = saveAs_;
  }
  return std::make_unique<PlamorRelay>(std::move(remote), std::move(hooks));
}

}  // namespace plamor::draw

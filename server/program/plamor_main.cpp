// plamor: the drawing server program. Serves clsPlamor objects on the D-Bus
// session bus, and registers or unregisters itself for D-Bus activation.
//
//   plamor [--dbus] [--batch] [--idle-timeout MS]
//   plamor --regserver | --unregserver
//
// With a display the dialog is a window and prompts are Qt dialogs; without
// one, or with --batch, the dialog is headless and each object's prompts are
// answered from the lists its host gives (see server/dbus/object_prompter.h).
#include <QApplication>
#include <QCoreApplication>
#include <QDBusConnection>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

#include "platform/folders.h"
#include "platform/qt/qt_prompter.h"
#include "server/dbus/dbus_server.h"
#include "server/dbus/service_file.h"
#include "server/host/inprocess_plamor.h"
#include "server/program/termination_signals.h"

namespace {

constexpr int kDefaultIdleMs = 10000;

void Usage(std::ostream& out) {
  out << "usage: plamor [--dbus] [--batch] [--idle-timeout MS]\n"
         "       plamor --regserver | --unregserver\n"
         "Serves drawings (TessaroPlamor.clsPlamor) on the D-Bus session bus.\n"
         "  --dbus            serve (the default)\n"
         "  --batch           no windows: headless dialog, prompts answered by the host's lists\n"
         "  --idle-timeout MS quit MS milliseconds after the last object ended (default 10000,\n"
         "                    or PLAMOR_IDLE_TIMEOUT_MS)\n"
         "  --regserver       write the D-Bus activation file for this program\n"
         "  --unregserver     remove it\n";
}

bool HasDisplay() {
  const char* x = std::getenv("DISPLAY");
  const char* w = std::getenv("WAYLAND_DISPLAY");
  return (x && *x) || (w && *w);
}

}  // namespace

int main(int argc, char** argv) {
  bool batch = !HasDisplay();
  int idleMs = kDefaultIdleMs;
  if (const char* env = std::getenv("PLAMOR_IDLE_TIMEOUT_MS")) idleMs = std::atoi(env);
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    try {
      if (a == "--regserver") {
        const auto program = plamor::folders::ProgramFolder() / "plamor";
        plamor::dbus::RegisterServer(program);
        std::cout << "registered " << program.string() << " in " << plamor::dbus::ServiceFilePath().string() << "\n";
        return 0;
      }
      if (a == "--unregserver") {
        plamor::dbus::UnregisterServer();
        std::cout << "removed " << plamor::dbus::ServiceFilePath().string() << "\n";
        return 0;
      }
    } catch (const std::exception& e) {
      std::cerr << "plamor: " << e.what() << "\n";
      return 1;
    }
    if (a == "--dbus" || a == "-Embedding") continue;
    if (a == "--batch") {
      batch = true;
    } else if (a == "--idle-timeout" && i + 1 < argc) {
      idleMs = std::atoi(argv[++i]);
    } else if (a == "--help" || a == "-h") {
      Usage(std::cout);
      return 0;
    } else {
      std::cerr << "plamor: unknown option " << a << "\n";
      Usage(std::cerr);
      return 2;
    }
  }

  std::unique_ptr<QCoreApplication> app;
  if (batch) app = std::make_unique<QCoreApplication>(argc, argv);
  else app = std::make_unique<QApplication>(argc, argv);
  QCoreApplication::setApplicationName("plamor");

  std::unique_ptr<plamor::prompts::QtPrompter> qtPrompter;
  if (!batch) {
    qtPrompter = std::make_unique<plamor::prompts::QtPrompter>();
    plamor::prompts::SetCurrent(qtPrompter.get());
  }
  const auto kind = batch ? plamor::host::ViewKind::Headless : plamor::host::ViewKind::Window;
  plamor::dbus::PlamorServer server(
      QDBusConnection::sessionBus(),
      [kind](plamor::prompts::Prompter* prompter) -> std::unique_ptr<plamor::IPlamor> {
        auto plamor = plamor::host::MakeInProcessPlamor(kind);
        plamor->UsePrompter(prompter);
        return plamor;
      },
      idleMs, batch);
  QString error;
  if (!server.Start(&error)) {
    std::cerr << "plamor: " << error.toStdString() << "\n";
    return 1;
  }
  plamor::HandleTerminationSignals([&server](const char* name) { server.EndNow(QString("%1 received").arg(name)); });
  return app->exec();
}

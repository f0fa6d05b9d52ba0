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
#include <vector>

#include "cli/command_line.h"
#include "platform/display.h"
#include "platform/folders.h"
#include "platform/qt/qt_prompter.h"
#include "platform/qt/stop_signal_events.h"
#include "platform/stop_signals.h"
#include "server/dbus/dbus_server.h"
#include "server/dbus/service_file.h"
#include "server/host/inprocess_plamor.h"

namespace {

constexpr int kDefaultIdleMs = 10000;

plamor::cli::Command ProgramCommand() {
  return plamor::cli::Command("plamor", "[--dbus] [--batch] [--idle-timeout MS] | --regserver | --unregserver",
                                  "Serves drawings (TessaroPlamor.clsPlamor) on the D-Bus session bus.")
      .Flag("dbus", "serve (the default)")
      .Flag("batch", "no windows: headless dialog, prompts answered by the host's lists")
      .Option("idle-timeout", "MS",
              "quit MS milliseconds after the last object ended (default 10000, or PLAMOR_IDLE_TIMEOUT_MS; "
              "-1: never)")
      .Flag("regserver", "write the D-Bus activation file for this program")
      .Flag("unregserver", "remove it");
}

// "-Embedding", with which an activation may start the server, asks for
// nothing more than serving.
std::vector<std::string> ArgumentsOf(int argc, char** argv) {
  std::vector<std::string> args;
  for (const std::string& a : plamor::cli::Arguments(argc, argv))
    if (a != "-Embedding") args.push_back(a);
  return args;
}

int IdleMilliseconds(const plamor::cli::CommandLine& line) {
  const auto given = line.Value("idle-timeout");
  if (!given) {
    const char* env = std::getenv("PLAMOR_IDLE_TIMEOUT_MS");
    return env ? std::atoi(env) : kDefaultIdleMs;
  }
  char* end = nullptr;
  const long ms = std::strtol(given->c_str(), &end, 10);
  if (given->empty() || *end || ms < -1 || ms > 86400000)
    throw plamor::cli::UsageError("--idle-timeout: \"" + *given + "\" is not a number of milliseconds");
  return static_cast<int>(ms);
}

}  // namespace

int main(int argc, char** argv) {
  const plamor::cli::Command usage = ProgramCommand();
  int status = 0;
  const auto line = plamor::cli::Read(usage, ArgumentsOf(argc, argv), &status);
  if (!line) return status;
  int idleMs = kDefaultIdleMs;
  try {
    if (!line->Positional().empty()) throw plamor::cli::UsageError("unexpected argument " + line->Positional()[0]);
    idleMs = IdleMilliseconds(*line);
  } catch (const plamor::cli::UsageError& e) {
    std::cerr << plamor::cli::UsageErrorLine(usage.Name(), e.what()) << "\n";
    return 2;
  }
  try {
    if (line->Flag("regserver")) {
      const auto program = plamor::folders::ProgramFolder() / "plamor";
      plamor::dbus::RegisterServer(program);
      std::cout << "registered " << program.string() << " in " << plamor::dbus::ServiceFilePath().string() << "\n";
      return 0;
    }
    if (line->Flag("unregserver")) {
      plamor::dbus::UnregisterServer();
      std::cout << "removed " << plamor::dbus::ServiceFilePath().string() << "\n";
      return 0;
    }
  } catch (const std::exception& e) {
    std::cerr << "plamor: " << e.what() << "\n";
    return 1;
  }
  const bool batch = !plamor::display::HasDisplay() || line->Flag("batch");

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
  // A stop signal cancels the running outputs (no temporary file stays) and ends the server.
  plamor::stopsignals::CatchAsEvents([&server] {
    server.EndNow(QString("SIG%1 received").arg(sigabbrev_np(plamor::stopsignals::Received())));
  });
  return app->exec();
}

// plamor-run: runs a host script against a drawing, in this process or on the
// drawing server over D-Bus.
//
//   plamor-run [--inproc] [--answer CODE]... [--save-as PATH]... SCRIPT
#include <QApplication>
#include <QCoreApplication>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <vector>

#include "apps/host_script/script_file.h"
#include "apps/host_script/script_parser.h"
#include "apps/host_script/script_runner.h"
#include "cli/command_line.h"
#include "platform/display.h"
#include "platform/prompts_batch.h"
#include "platform/qt/stop_signal_events.h"
#include "platform/stop_signals.h"
#include "server/automation_error.h"
#include "server/dbus/dbus_client.h"
#include "server/dbus/dbus_proxy.h"
#include "server/host/host_entry.h"

namespace {

plamor::cli::Command ProgramCommand() {
  return plamor::cli::Command("plamor-run", "[--inproc] [--answer CODE]... [--save-as PATH]... SCRIPT",
                                  "Runs a host script (one call per line) against a drawing of the plamor server.")
      .Flag("inproc", "draw in this process instead of on the D-Bus server")
      .Option("answer", "CODE", "button code for the next message box (1 OK, 2 Cancel, 4 Retry, 6 Yes, 7 No)")
      .Option("save-as", "PATH", "file chosen in the next save-file dialog");
}

struct Options {
  bool inproc = false;
  std::vector<int> answers;
  std::vector<std::string> saveAs;
  std::string script;
};

Options OptionsOf(const plamor::cli::CommandLine& line) {
  using plamor::cli::UsageError;
  Options o;
  o.inproc = line.Flag("inproc");
  for (const std::string& a : line.Values("answer")) {
    char* end = nullptr;
    const long code = std::strtol(a.c_str(), &end, 10);
    if (a.empty() || *end || code < 1 || code > 7)
      throw UsageError("--answer takes a button code 1..7, not \"" + a + "\"");
    o.answers.push_back(static_cast<int>(code));
  }
  for (const std::string& p : line.Values("save-as")) o.saveAs.push_back(std::filesystem::absolute(p).string());
  if (line.Positional().empty()) throw UsageError("no script given");
  if (line.Positional().size() > 1) throw UsageError("one script only");
  o.script = line.Positional()[0];
  return o;
}

// Hands the answers to the server object; false when the server shows its
// prompts to its own user instead.
bool SetServerAnswers(plamor::dbus::DBusPlamor& drawing, const Options& o) {
  const bool ok = drawing.SetPromptAnswers(o.answers, o.saveAs);
  if (!ok && (!o.answers.empty() || !o.saveAs.empty()))
    std::cerr << "plamor-run: the server shows its prompts to its user; --answer and --save-as do not reach it\n";
  return ok;
}

// Prints what the server asked and answered for this host since the last time.
void PrintServerPrompts(plamor::dbus::DBusPlamor& drawing) {
  std::cerr << drawing.TakePrompts();
}

// The exit status of a script whose statements all ran: 1 with a message
// when its last output run ended without writing the drawing.
int RunOutcomeStatus(plamor::IPlamor& drawing) {
  using plamor::RunState;
  const plamor::RunResult run = drawing.get_RunResult();
  if (run.state != RunState::kFailed && run.state != RunState::kCancelled) return 0;
  const std::string out = drawing.get_FileName();
  std::cerr << "plamor-run: " << (out.empty() ? "" : out + ": ");
  if (run.state == RunState::kFailed) std::cerr << "the drawing was not written: " << run.message << "\n";
  else std::cerr << "the drawing was cancelled\n";
  return 1;
}

// Statements after which the server may have asked something.
bool MayPrompt(const plamor::script::Statement& st) {
  if (st.kind == plamor::script::Statement::Kind::Wait) return true;
  const QString m = QString::fromStdString(st.member);
  for (const char* name : {"OutPutPlamor", "OpenFileNameDlg", "AutoSize"})
    if (m.compare(name, Qt::CaseInsensitive) == 0) return true;
  return false;
}

// Statements after which the drawing's file name may be another.
bool MayNameOutput(const plamor::script::Statement& st) {
  using Kind = plamor::script::Statement::Kind;
  const QString m = QString::fromStdString(st.member);
  if (st.kind == Kind::Put) return m.compare("FileName", Qt::CaseInsensitive) == 0;
  return st.kind == Kind::Call && (m.compare("OutPutPlamor", Qt::CaseInsensitive) == 0 ||
                                   m.compare("OpenFileNameDlg", Qt::CaseInsensitive) == 0);
}

}  // namespace

int main(int argc, char** argv) {
  const plamor::cli::Command usage = ProgramCommand();
  int status = 0;
  const auto line = plamor::cli::Read(usage, plamor::cli::Arguments(argc, argv), &status);
  if (!line) return status;
  Options o;
  try {
    o = OptionsOf(*line);
  } catch (const plamor::cli::UsageError& e) {
    std::cerr << plamor::cli::UsageErrorLine(usage.Name(), e.what()) << "\n";
    return 2;
  }
  std::string source;
  try {
    source = plamor::script::ReadScriptFile(o.script);
  } catch (const std::exception& e) {
    std::cerr << "plamor-run: " << e.what() << "\n";
    return 1;
  }

  std::unique_ptr<QCoreApplication> app;
  if (o.inproc && plamor::display::HasDisplay()) app = std::make_unique<QApplication>(argc, argv);
  else app = std::make_unique<QCoreApplication>(argc, argv);

  plamor::stopsignals::CatchAsEvents();
  plamor::prompts::BatchPrompter prompter(o.answers, o.saveAs, &std::cerr);
  plamor::prompts::SetCurrent(&prompter);
  try {
    const auto statements = plamor::script::ParseScript(source);
    auto transport = o.inproc ? plamor::host::Transport::InProcess : plamor::host::Transport::DBus;
    std::unique_ptr<plamor::IPlamor> drawing = plamor::host::CreatePlamorObject(plamor::kPlamorProgId, transport);
    auto* remote = dynamic_cast<plamor::dbus::DBusPlamor*>(drawing.get());
    const bool serverPrompts = remote && SetServerAnswers(*remote, o);
    plamor::script::RunnerOptions run;
    run.out = &std::cout;
    run.currentFolder = std::filesystem::current_path().string();
    // A stop signal wakes the wait; a run in this process ends by its
    // cancel path while events are processed; the script then stops.
    run.whileWaiting = [] { plamor::stopsignals::ThrowIfReceived(); };
    // The drawing's name as the server last gave it, to name the drawing
    // that was not written when the server is lost.
    std::string out;
    run.afterStatement = [remote, serverPrompts, &out](const plamor::script::Statement& st) {
      if (serverPrompts && MayPrompt(st)) PrintServerPrompts(*remote);
      if (remote && MayNameOutput(st)) out = remote->get_FileName();
      plamor::stopsignals::ThrowIfReceived();
    };
    int outcome = 0;
    plamor::dbus::NameOutputOnServerLoss([&out] { return out; }, [&] {
      plamor::script::RunScript(statements, *drawing, run);
      outcome = RunOutcomeStatus(*drawing);
    });
    return outcome;
  } catch (const plamor::stopsignals::Stopped& e) {
    std::cerr << "plamor-run: " << o.script << ": " << e.what() << "\n";
    plamor::stopsignals::EndByReceived();
    return 1;
  } catch (const plamor::script::ParseError& e) {
    std::cerr << "plamor-run: " << o.script << ": " << e.what() << "\n";
    return 1;
  } catch (const plamor::script::RunError& e) {
    std::cerr << "plamor-run: " << o.script << ": " << e.what() << "\n";
    return 1;
  } catch (const plamor::AutomationError& e) {
    std::cerr << "plamor-run: " << e.what() << "\n";
    return 1;
  } catch (const std::exception& e) {
    std::cerr << "plamor-run: " << e.what() << "\n";
    return 1;
  }
}

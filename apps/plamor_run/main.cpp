// plamor-run: runs a host script against a drawing, in this process or on the
// drawing server over D-Bus.
//
//   plamor-run [--inproc] [--answer CODE]... [--save-as PATH]... SCRIPT
#include <QApplication>
#include <QCoreApplication>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <vector>

#include "apps/host_script/script_parser.h"
#include "apps/host_script/script_runner.h"
#include "platform/prompts_batch.h"
#include "server/automation_error.h"
#include "server/dbus/dbus_client.h"
#include "server/dbus/dbus_proxy.h"
#include "server/host/host_entry.h"

namespace {

void Usage(std::ostream& out) {
  out << "usage: plamor-run [--inproc] [--answer CODE]... [--save-as PATH]... SCRIPT\n"
         "Runs a host script (one call per line) against a drawing of the plamor server.\n"
         "  --inproc        draw in this process instead of on the D-Bus server\n"
         "  --answer CODE   button code for the next message box (1 OK, 2 Cancel, 4 Retry, 6 Yes, 7 No)\n"
         "  --save-as PATH  file chosen in the next save-file dialog\n";
}

struct Options {
  bool inproc = false;
  std::vector<int> answers;
  std::vector<std::string> saveAs;
  std::string script;
};

bool ParseOptions(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--inproc") {
      o.inproc = true;
    } else if (a == "--answer" && i + 1 < argc) {
      char* end = nullptr;
      long code = std::strtol(argv[++i], &end, 10);
      if (!end || *end || code < 1 || code > 7) {
        std::cerr << "plamor-run: --answer takes a button code 1..7, not \"" << argv[i] << "\"\n";
        return false;
      }
      o.answers.push_back(static_cast<int>(code));
    } else if (a == "--save-as" && i + 1 < argc) {
      o.saveAs.push_back(std::filesystem::absolute(argv[++i]).string());
    } else if (a == "--help" || a == "-h") {
      Usage(std::cout);
      std::exit(0);
    } else if (!a.empty() && a[0] == '-') {
      std::cerr << "plamor-run: unknown option " << a << "\n";
      return false;
    } else if (o.script.empty()) {
      o.script = a;
    } else {
      std::cerr << "plamor-run: one script only\n";
      return false;
    }
  }
  if (o.script.empty()) std::cerr << "plamor-run: no script given\n";
  return !o.script.empty();
}

bool HasDisplay() {
  const char* x = std::getenv("DISPLAY");
  const char* w = std::getenv("WAYLAND_DISPLAY");
  return (x && *x) || (w && *w);
}

// Hands the answers to the server object; false when the server shows its
// prompts to its own user instead.
bool SetServerAnswers(plamor::dbus::DBusPlamor& drawing, const Options& o) {
  const bool ok = plamor::dbus::SetPromptAnswers(drawing.Connection(), drawing.Service(), drawing.Path(),
                                                 o.answers, o.saveAs);
  if (!ok && (!o.answers.empty() || !o.saveAs.empty()))
    std::cerr << "plamor-run: the server shows its prompts to its user; --answer and --save-as do not reach it\n";
  return ok;
}

// Prints what the server asked and answered for this host since the last time.
void PrintServerPrompts(plamor::dbus::DBusPlamor& drawing) {
  std::cerr << plamor::dbus::TakePrompts(drawing.Connection(), drawing.Service(), drawing.Path());
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

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ParseOptions(argc, argv, o)) {
    Usage(std::cerr);
    return 2;
  }
  std::ifstream in(o.script, std::ios::binary);
  if (!in) {
    std::cerr << "plamor-run: cannot read " << o.script << "\n";
    return 1;
  }
  std::stringstream source;
  source << in.rdbuf();

  std::unique_ptr<QCoreApplication> app;
  if (o.inproc && HasDisplay()) app = std::make_unique<QApplication>(argc, argv);
  else app = std::make_unique<QCoreApplication>(argc, argv);

  plamor::prompts::BatchPrompter prompter(o.answers, o.saveAs, &std::cerr);
  plamor::prompts::SetCurrent(&prompter);
  try {
    const auto statements = plamor::script::ParseScript(source.str());
    auto transport = o.inproc ? plamor::host::Transport::InProcess : plamor::host::Transport::DBus;
    std::unique_ptr<plamor::IPlamor> drawing = plamor::host::CreatePlamorObject(plamor::kPlamorProgId, transport);
    auto* remote = dynamic_cast<plamor::dbus::DBusPlamor*>(drawing.get());
    const bool serverPrompts = remote && SetServerAnswers(*remote, o);
    plamor::script::RunnerOptions run;
    run.out = &std::cout;
    run.currentFolder = std::filesystem::current_path().string();
    if (serverPrompts)
      run.afterStatement = [remote](const plamor::script::Statement& st) {
        if (MayPrompt(st)) PrintServerPrompts(*remote);
      };
    plamor::script::RunScript(statements, *drawing, run);
    return RunOutcomeStatus(*drawing);
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

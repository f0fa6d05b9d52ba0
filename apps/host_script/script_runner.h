// Runs a parsed host script against a drawing, as a host program would.
#pragma once

#include <functional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "apps/host_script/script_parser.h"
#include "server/plamor_interface.h"

namespace plamor::script {

// A failure while running a statement: names the script line and member.
class RunError : public std::runtime_error {
 public:
  RunError(int line, const std::string& member, const std::string& what)
      : std::runtime_error("line " + std::to_string(line) + ": " + ShownName(member) + ": " + what) {}
};

struct RunnerOptions {
  std::ostream* out = nullptr;             // where `print` writes
  std::string currentFolder;                // relative paths are made absolute against it
  std::function<void(const Statement&)> afterStatement;  // called after each statement ran
  std::function<void()> whileWaiting;       // called each time a wait wakes
};

// Runs every statement in order; throws RunError at the first failure, but
// passes on AutomationError 462 (the server lost) as it is.
void RunScript(const std::vector<Statement>& statements, IPlamor& target, const RunnerOptions& options);

}  // namespace plamor::script

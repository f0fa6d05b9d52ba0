// The progress of a long run on standard error: on a terminal a bar redrawn
// in place ("river book  [#####.....]  120/500 sections"), otherwise a plain
// line at every tenth of the work, so that logs stay short.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

namespace plamor::cli {

class Progress {
 public:
  // `what` names the run ("river book"), `unit` what is counted ("sections").
  // Draws on standard error, as a bar when it is a terminal.
  Progress(std::string what, std::size_t total, std::string unit);
  Progress(std::string what, std::size_t total, std::string unit, std::ostream& out, bool terminal);

  // `done` of the total are finished.
  void Show(std::size_t done);
  // Ends the bar's line on a terminal.
  void Finish();

 private:
  std::string Counts(std::size_t done) const;

  std::string what_, unit_;
  std::size_t total_;
  std::ostream& out_;
  bool terminal_;
  std::size_t lastTenth_ = 0;
};

}  // namespace plamor::cli

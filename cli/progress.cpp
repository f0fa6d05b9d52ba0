#include "cli/progress.h"

#include <unistd.h>

#include <algorithm>
#include <iostream>

namespace plamor::cli {

Progress::Progress(std::string what, std::size_t total, std::string unit)
    : Progress(std::move(what), total, std::move(unit), std::cerr, isatty(STDERR_FILENO) == 1) {}

Progress::Progress(std::string what, std::size_t total, std::string unit, std::ostream& out, bool terminal)
    : what_(std::move(what)), unit_(std::move(unit)), total_(total), out_(out), terminal_(terminal) {}

std::string Progress::Counts(std::size_t done) const {
  return std::to_string(done) + "/" + std::to_string(total_) + " " + unit_;
}

void Progress::Show(std::size_t done) {
  done = std::min(done, total_);
  if (terminal_) {
    constexpr std::size_t kWidth = 10;
    const std::size_t filled = total_ ? done * kWidth / total_ : kWidth;
    out_ << '\r' << what_ << "  [" << std::string(filled, '#') << std::string(kWidth - filled, '.') << "]  "
         << Counts(done) << std::flush;
    return;
  }
  const std::size_t tenth = total_ ? done * 10 / total_ : 10;
  if (tenth <= lastTenth_) return;
  lastTenth_ = tenth;
  out_ << what_ << ": " << Counts(done) << " (" << tenth * 10 << "%)\n" << std::flush;
}

void Progress::Finish() {
  if (terminal_) out_ << '\n' << std::flush;
}

}  // namespace plamor::cli

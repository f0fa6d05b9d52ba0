#include "apps/plamor_draw/output_target.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "cli/input_error.h"
#include "platform/folders.h"
#include "platform/stop_signals.h"
#include "platform/temporary_files.h"
#include "server/formats/plm_writer.h"

namespace plamor::draw {
namespace fs = std::filesystem;
namespace {

fs::path MemoFileOf(const fs::path& drawing) { return plm::MemoFileName(drawing.string()); }

}  // namespace

OutputTarget::OutputTarget(const fs::path& out) : final_(fs::absolute(out)) {
  const fs::path folder = final_.parent_path();
  std::error_code ec;
  if (!fs::is_directory(folder, ec))
    throw InputError(out, "cannot be written: the folder " + folder.string() + " does not exist");
  if (::access(folder.c_str(), W_OK | X_OK) != 0)
    throw InputError(out, "cannot be written: the folder " + folder.string() + " is not writable (" +
                              std::strerror(errno) + ")");
  if (fs::is_directory(final_, ec)) throw InputError(out, "is a folder, not a file name");
  if (final_.filename().empty()) throw InputError(out, "names no file");
  tempfiles::RemoveStale(folder);
  // The temporary name keeps the output's ending: the server picks the kind of
  // drawing by it.
  const std::string name = final_.filename().string();
  const std::string ending = "." + name.substr(name.size() - std::min<std::size_t>(name.size(), 3));
  do temporary_ = tempfiles::BesideTarget(final_, ending);
  while (fs::exists(temporary_, ec) || fs::exists(MemoFileOf(temporary_), ec));
}

std::string OutputTarget::Describe(std::string message) const {
  const std::pair<std::string, std::string> names[] = {{temporary_.string(), final_.string()},
                                                       {MemoFileOf(temporary_).string(), MemoFileOf(final_).string()}};
  for (const auto& [hidden, shown] : names)
    for (std::size_t at = message.find(hidden); at != std::string::npos; at = message.find(hidden, at + shown.size()))
      message.replace(at, hidden.size(), shown);
  return message;
}

OutputTarget::~OutputTarget() {
  if (committed_) return;
  std::error_code ec;
  fs::remove(temporary_, ec);
  if (folders::EndsWithKind(temporary_, "plm")) fs::remove(MemoFileOf(temporary_), ec);
}

void OutputTarget::Commit() {
  stopsignals::ThrowIfReceived();  // a stopped run puts nothing in place
  std::error_code ec;
  if (!fs::is_regular_file(temporary_, ec))
    throw std::runtime_error(final_.string() + ": the drawing server wrote no file");
  fs::rename(temporary_, final_, ec);
  if (ec) throw std::runtime_error(final_.string() + ": cannot be put in place: " + ec.message());
  committed_ = true;
  if (folders::EndsWithKind(temporary_, "plm") && fs::exists(MemoFileOf(temporary_), ec)) {
    fs::rename(MemoFileOf(temporary_), MemoFileOf(final_), ec);
    if (ec) throw std::runtime_error(MemoFileOf(final_).string() + ": cannot be put in place: " + ec.message());
  }
}

}  // namespace plamor::draw

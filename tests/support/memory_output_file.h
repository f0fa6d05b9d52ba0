// Output files of the tests: a file in memory, and one that fails on demand
// (a full disk, a file that vanishes, permission denied) so that tests can
// drive every file-error path of the writers and the output run.
#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/os_errors.h"
#include "server/formats/output_file.h"

namespace plamor {

class MemoryOutputFile : public OutputFile {
 public:
  std::optional<FileError> Open(const std::string& path, OpenMode mode) override {
    bytes_.clear();
    path_ = path;
    mode_ = mode;
    open_ = true;
    closed_ = false;
    return std::nullopt;
  }
  WriteOutcome Write(std::string_view bytes) override {
    if (!open_) return {0, oserr::FromNumber(kBadFileNumber)};
    bytes_.append(bytes);
    return {bytes.size(), std::nullopt};
  }
  std::optional<FileError> Close() override {
    if (open_) closed_ = true;
    open_ = false;
    return std::nullopt;
  }
  void Discard() override {
    bytes_.clear();
    open_ = false;
    closed_ = false;
  }

  const std::string& bytes() const { return bytes_; }
  const std::string& path() const { return path_; }
  OpenMode mode() const { return mode_; }
  bool isOpen() const { return open_; }
  bool closed() const { return closed_; }  // closed complete

 protected:
  static constexpr int kBadFileNumber = 52;  // a write on a file that is not open

  std::string bytes_;
  std::string path_;
  OpenMode mode_ = OpenMode::kBinary;
  bool open_ = false;
  bool closed_ = false;
};

// A memory file that fails on demand: the n-th write (counted from 1) takes
// only `takenBeforeFailure` bytes and reports `error`; later writes succeed
// again unless `failForever` is set (a disk that stays full, a file that has
// vanished). Opening fails with `openError` when that is set.
class FailingOutputFile final : public MemoryOutputFile {
 public:
  struct Plan {
    int failAtWrite = 0;  // 0: writes never fail
    std::size_t takenBeforeFailure = 0;
    bool failForever = false;
    FileError error;
    std::optional<FileError> openError;
    std::optional<FileError> closeError;  // the first Close fails with it
  };
  explicit FailingOutputFile(Plan plan) : plan_(std::move(plan)) {}

  std::optional<FileError> Open(const std::string& path, OpenMode mode) override {
    if (plan_.openError) return plan_.openError;
    writes_ = 0;
    return MemoryOutputFile::Open(path, mode);
  }
  WriteOutcome Write(std::string_view bytes) override {
    if (!open_) return {0, oserr::FromNumber(kBadFileNumber)};
    ++writes_;
    const bool fails = plan_.failAtWrite > 0 &&
                       (writes_ == plan_.failAtWrite || (plan_.failForever && writes_ > plan_.failAtWrite));
    if (!fails) return MemoryOutputFile::Write(bytes);
    const std::size_t taken = writes_ == plan_.failAtWrite ? std::min(plan_.takenBeforeFailure, bytes.size()) : 0;
    bytes_.append(bytes.substr(0, taken));
    return {taken, plan_.error};
  }
  std::optional<FileError> Close() override {
    if (open_ && plan_.closeError) {
      auto error = std::move(plan_.closeError);
      plan_.closeError.reset();
      return error;
    }
    return MemoryOutputFile::Close();
  }
  int writes() const { return writes_; }

  // Ready-made errors of the host: a full disk (61), a file that vanished
  // while being written (53), permission denied (70).
  static FileError DiskFull() { return oserr::FromNumber(61); }
  static FileError Vanished() { return oserr::FromNumber(53); }
  static FileError PermissionDenied() { return oserr::FromNumber(70); }

 private:
  Plan plan_;
  int writes_ = 0;
};

}  // namespace plamor

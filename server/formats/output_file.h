// The file layer every writer writes through: open for binary or text
// writing, write bytes, close. Failures come back as the host's file errors.
// The disk implementation writes into a temporary file beside the target and
// puts it in place only when it is closed complete, so an earlier file of the
// same name is never destroyed by a run that does not finish.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/os_errors.h"
#include "server/types.h"

namespace plamor {

using oserr::FileError;

enum class OpenMode { kBinary, kText };

// Result of one write: how many of the given bytes the file took, and the
// error that stopped it (none when every byte was taken).
struct WriteOutcome {
  std::size_t taken = 0;
  std::optional<FileError> error;
};

class OutputFile {
 public:
  virtual ~OutputFile() = default;
  // Opens `path` for writing from scratch.
  virtual std::optional<FileError> Open(const std::string& path, OpenMode mode) = 0;
  virtual WriteOutcome Write(std::string_view bytes) = 0;
  // Finishes the file. After a write error the file stays open and Close may
  // be tried again; an error once the file is closed is final.
  virtual std::optional<FileError> Close() = 0;
  // Gives the file up: whatever was written is removed, an earlier file of
  // the same name stays as it was.
  virtual void Discard() = 0;
};

// One writer step: writes all of `bytes`. On a failure the user is asked
// (AskFileErrorAction): Retry writes the rest again, Yes gives SaveAskName,
// any other answer SaveAbort. Bytes already taken are never written twice.
SaveResult WriteStep(OutputFile& file, std::string_view bytes);

// A writer step that cannot be done at all (an element on a layer outside
// 1..128): the user is told as for a write failure; the result is SaveAskName
// for Yes, else SaveAbort (Retry would only fail again, so it asks again).
SaveResult RefuseStep(const FileError& error);

// The error of an element whose layer lies outside 1..128 ("subscript out of range").
FileError LayerOutOfRange();
inline bool LayerInRange(std::int32_t layer) { return layer >= 1 && layer <= 128; }

// The real file on disk, buffered.
class DiskOutputFile final : public OutputFile {
 public:
  DiskOutputFile();
  ~DiskOutputFile() override;  // an unclosed file is discarded
  DiskOutputFile(const DiskOutputFile&) = delete;
  DiskOutputFile& operator=(const DiskOutputFile&) = delete;

  std::optional<FileError> Open(const std::string& path, OpenMode mode) override;
  WriteOutcome Write(std::string_view bytes) override;
  std::optional<FileError> Close() override;
  void Discard() override;

 private:
  std::optional<FileError> Flush();

  int fd_ = -1;
  std::string target_;
  std::string temporary_;
  std::string pending_;
  std::optional<FileError> lost_;  // why the last file could not be finished
};

// A file in memory, for tests and for callers that want the bytes.
class MemoryOutputFile : public OutputFile {
 public:
  std::optional<FileError> Open(const std::string& path, OpenMode mode) override;
  WriteOutcome Write(std::string_view bytes) override;
  std::optional<FileError> Close() override;
  void Discard() override;

  const std::string& bytes() const { return bytes_; }
  const std::string& path() const { return path_; }
  OpenMode mode() const { return mode_; }
  bool isOpen() const { return open_; }
  bool closed() const { return closed_; }  // closed complete

 protected:
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

  std::optional<FileError> Open(const std::string& path, OpenMode mode) override;
  WriteOutcome Write(std::string_view bytes) override;
  std::optional<FileError> Close() override;
  int writes() const { return writes_; }

  // Ready-made errors of the host: a full disk (61), a file that vanished
  // while being written (53), permission denied (70).
  static FileError DiskFull();
  static FileError Vanished();
  static FileError PermissionDenied();

 private:
  Plan plan_;
  int writes_ = 0;
};

}  // namespace plamor

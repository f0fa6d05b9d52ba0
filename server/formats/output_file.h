// The file layer the output run writes through: open for binary or text
// writing, write bytes, close. Failures come back as the host's file errors.
// The disk implementation writes into a temporary file beside the target and
// puts it in place only when it is closed complete, so an earlier file of the
// same name is never destroyed by a run that does not finish.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/os_errors.h"

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

}  // namespace plamor

#include "server/formats/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "platform/temporary_files.h"
#include "server/formats/file_error_prompt.h"

namespace plamor {
namespace {

constexpr std::size_t kBufferSize = 1 << 16;
constexpr int kBadFileNumber = 52;  // a write on a file that is not open
constexpr int kSubscriptOutOfRange = 9;

// Writes all bytes to fd; returns how many were written and the errno that stopped it.
std::pair<std::size_t, int> WriteAll(int fd, std::string_view bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0) {
      if (errno == EINTR) continue;
      return {written, errno};
    }
    if (n == 0) return {written, ENOSPC};
    written += static_cast<std::size_t>(n);
  }
  return {written, 0};
}

}  // namespace

SaveResult WriteStep(OutputFile& file, std::string_view bytes) {
  for (;;) {
    WriteOutcome outcome = file.Write(bytes);
    if (!outcome.error) return SaveOk;
    bytes.remove_prefix(outcome.taken);
    const int answer = AskFileErrorAction(*outcome.error);
    if (answer == 4) continue;  // Retry
    return answer == 6 ? SaveAskName : SaveAbort;
  }
}

SaveResult RefuseStep(const FileError& error) {
  for (;;) {
    const int answer = AskFileErrorAction(error);
    if (answer == 4) continue;
    return answer == 6 ? SaveAskName : SaveAbort;
  }
}

FileError LayerOutOfRange() { return oserr::FromNumber(kSubscriptOutOfRange); }

// ---- disk ----

DiskOutputFile::DiskOutputFile() = default;

DiskOutputFile::~DiskOutputFile() { Discard(); }

std::optional<FileError> DiskOutputFile::Open(const std::string& path, OpenMode) {
  Discard();
  lost_.reset();
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return oserr::FromErrno(EISDIR, path);
  tempfiles::RemoveStale(std::filesystem::path(path).parent_path());
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string temporary = tempfiles::BesideTarget(path).string();
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      fd_ = fd;
      target_ = path;
      temporary_ = std::move(temporary);
      pending_.clear();
      pending_.reserve(kBufferSize);
      return std::nullopt;
    }
    if (errno != EEXIST) return oserr::FromErrno(errno, path);
  }
  return oserr::FromErrno(EEXIST, path);
}

std::optional<FileError> DiskOutputFile::Flush() {
  const auto [written, error] = WriteAll(fd_, pending_);
  pending_.erase(0, written);
  if (error != 0) return oserr::FromErrno(error, target_);
  return std::nullopt;
}

WriteOutcome DiskOutputFile::Write(std::string_view bytes) {
  if (fd_ < 0) return {0, oserr::FromNumber(kBadFileNumber)};
  if (pending_.size() + bytes.size() <= kBufferSize) {
    pending_.append(bytes);
    return {bytes.size(), std::nullopt};
  }
  if (auto error = Flush()) return {0, error};
  if (bytes.size() < kBufferSize) {
    pending_.append(bytes);
    return {bytes.size(), std::nullopt};
  }
  const auto [written, error] = WriteAll(fd_, bytes);
  if (error != 0) return {written, oserr::FromErrno(error, target_)};
  return {written, std::nullopt};
}

std::optional<FileError> DiskOutputFile::Close() {
  if (fd_ < 0) return lost_;
  if (auto error = Flush()) return error;
  const int fd = fd_;
  fd_ = -1;
  int failure = ::close(fd) != 0 ? errno : 0;
  if (failure == 0 && ::rename(temporary_.c_str(), target_.c_str()) != 0) failure = errno;
  if (failure != 0) {
    // The data may not have reached the disk: the file is given up, and
    // every later Close reports the same error.
    ::unlink(temporary_.c_str());
    lost_ = oserr::FromErrno(failure, target_);
  }
  temporary_.clear();
  return lost_;
}

void DiskOutputFile::Discard() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (!temporary_.empty()) {
    ::unlink(temporary_.c_str());
    temporary_.clear();
  }
  pending_.clear();
}

// ---- memory ----

std::optional<FileError> MemoryOutputFile::Open(const std::string& path, OpenMode mode) {
  bytes_.clear();
  path_ = path;
  mode_ = mode;
  open_ = true;
  closed_ = false;
  return std::nullopt;
}

WriteOutcome MemoryOutputFile::Write(std::string_view bytes) {
  if (!open_) return {0, oserr::FromNumber(kBadFileNumber)};
  bytes_.append(bytes);
  return {bytes.size(), std::nullopt};
}

std::optional<FileError> MemoryOutputFile::Close() {
  if (open_) closed_ = true;
  open_ = false;
  return std::nullopt;
}

void MemoryOutputFile::Discard() {
  bytes_.clear();
  open_ = false;
  closed_ = false;
}

// ---- failing on demand ----

std::optional<FileError> FailingOutputFile::Open(const std::string& path, OpenMode mode) {
  if (plan_.openError) return plan_.openError;
  writes_ = 0;
  return MemoryOutputFile::Open(path, mode);
}

WriteOutcome FailingOutputFile::Write(std::string_view bytes) {
  if (!open_) return {0, oserr::FromNumber(kBadFileNumber)};
  ++writes_;
  const bool fails = plan_.failAtWrite > 0 &&
                     (writes_ == plan_.failAtWrite || (plan_.failForever && writes_ > plan_.failAtWrite));
  if (!fails) return MemoryOutputFile::Write(bytes);
  const std::size_t taken = writes_ == plan_.failAtWrite ? std::min(plan_.takenBeforeFailure, bytes.size()) : 0;
  bytes_.append(bytes.substr(0, taken));
  return {taken, plan_.error};
}

std::optional<FileError> FailingOutputFile::Close() {
  if (open_ && plan_.closeError) {
    auto error = std::move(plan_.closeError);
    plan_.closeError.reset();
    return error;
  }
  return MemoryOutputFile::Close();
}

FileError FailingOutputFile::DiskFull() { return oserr::FromNumber(61); }
FileError FailingOutputFile::Vanished() { return oserr::FromNumber(53); }
FileError FailingOutputFile::PermissionDenied() { return oserr::FromNumber(70); }

}  // namespace plamor

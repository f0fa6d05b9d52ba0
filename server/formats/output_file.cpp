#include "server/formats/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/temporary_files.h"

namespace plamor {
namespace {

constexpr std::size_t kBufferSize = 1 << 16;
constexpr int kBadFileNumber = 52;  // a write on a file that is not open

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

}  // namespace plamor

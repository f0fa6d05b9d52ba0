// A page file being written: buffered bytes with their running offset, and
// numbers in the short fixed form vector pages use.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "graphic/vector_sink.h"

namespace plamor::drawings {

class PageFile {
 public:
  // Creates (or truncates) the file; std::runtime_error naming it when that fails.
  explicit PageFile(const std::filesystem::path& path);
  ~PageFile();
  PageFile(const PageFile&) = delete;
  PageFile& operator=(const PageFile&) = delete;

  void Put(std::string_view text);
  void Put(char c) {
    buffer_.push_back(c);
    if (buffer_.size() >= kFlushAt) Flush();
  }
  // At most two decimals, trailing zeros and a bare point left off: 12.5,
  // -3, 0.07.
  void Number(double v);
  // Bytes written so far, buffered ones included.
  std::uint64_t Offset() const { return written_ + buffer_.size(); }
  // Writes what is buffered and closes the file; std::runtime_error naming
  // the file when anything could not be written.
  void Close();

 private:
  static constexpr std::size_t kFlushAt = 1 << 20;
  void Flush();
  void Fail(const char* what);

  std::filesystem::path path_;
  std::FILE* file_ = nullptr;
  std::string buffer_;
  std::uint64_t written_ = 0;
};

// A page file that takes the paths of the element drawing (PDF, SVG).
class VectorFile : public graphic::PathWriter {
 public:
  // Ends the file; std::runtime_error naming it on failure.
  virtual void Close() = 0;
};

}  // namespace plamor::drawings

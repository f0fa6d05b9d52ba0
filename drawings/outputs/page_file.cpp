#include "drawings/outputs/page_file.h"

#include <cerrno>
#include <cmath>
#include <charconv>
#include <cstring>
#include <stdexcept>

namespace plamor::drawings {

PageFile::PageFile(const std::filesystem::path& path) : path_(path) {
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) Fail("cannot be created");
  buffer_.reserve(kFlushAt + 256);
}

PageFile::~PageFile() {
  if (file_ != nullptr) std::fclose(file_);
}

void PageFile::Fail(const char* what) {
  const std::string reason = errno != 0 ? std::strerror(errno) : "write error";
  throw std::runtime_error(path_.string() + ": " + what + " (" + reason + ")");
}

void PageFile::Put(std::string_view text) {
  buffer_.append(text);
  if (buffer_.size() >= kFlushAt) Flush();
}

char* WriteNumber(char* at, double v) {
  // Hundredths as a whole number: pages hold millions of numbers, and this
  // is several times faster than formatting the double.
  constexpr double kLargest = 1e15;
  if (!std::isfinite(v) || std::fabs(v) >= kLargest) v = 0;  // nothing of a page lies there
  // Rounded half away from zero, as llround does, without its call.
  const double scaled = v * 100;
  long long hundredths = static_cast<long long>(scaled);
  const double rest = scaled - static_cast<double>(hundredths);
  if (rest >= 0.5) ++hundredths;
  else if (rest <= -0.5) --hundredths;
  if (hundredths < 0) {
    *at++ = '-';
    hundredths = -hundredths;
  }
  at = std::to_chars(at, at + 20, hundredths / 100).ptr;
  const int fraction = static_cast<int>(hundredths % 100);
  if (fraction != 0) {
    *at++ = '.';
    *at++ = static_cast<char>('0' + fraction / 10);
    if (fraction % 10 != 0) *at++ = static_cast<char>('0' + fraction % 10);
  }
  return at;
}

void AppendNumber(std::string& out, double v) {
  char text[kNumberChars];
  out.append(text, std::size_t(WriteNumber(text, v) - text));
}

void PageFile::Flush() {
  if (buffer_.empty()) return;
  errno = 0;
  if (std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size()) Fail("cannot be written");
  written_ += buffer_.size();
  buffer_.clear();
}

void PageFile::Close() {
  Flush();
  errno = 0;
  const bool failed = std::fclose(file_) != 0;
  file_ = nullptr;
  if (failed) Fail("cannot be written");
}

}  // namespace plamor::drawings

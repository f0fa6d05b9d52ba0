#include "graphic/page_file.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace plamor::graphic {

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

void PageFile::Number(double v) {
  if (!std::isfinite(v)) v = 0;  // a point that is not a number has no place on a page
  char text[64];
  auto [end, ec] = std::to_chars(text, text + sizeof text, v, std::chars_format::fixed, 2);
  if (ec != std::errc()) {
    Put('0');
    return;
  }
  while (end[-1] == '0') --end;
  if (end[-1] == '.') --end;
  std::string_view digits(text, std::size_t(end - text));
  if (digits == "-0") digits = "0";
  Put(digits);
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

}  // namespace plamor::graphic

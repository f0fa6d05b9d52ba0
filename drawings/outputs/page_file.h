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

// Appends a number of a page: at most two decimals, trailing zeros and a
// bare point left off: 12.5, -3, 0.07.
void AppendNumber(std::string& out, double v);

// The longest number AppendNumber writes, in characters.
constexpr std::size_t kNumberChars = 24;
// Writes the number as AppendNumber does at `at`, which has room for
// kNumberChars characters; returns the end of what it wrote.
char* WriteNumber(char* at, double v);

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
  // A number as AppendNumber writes it.
  void Number(double v) {
    AppendNumber(buffer_, v);
    if (buffer_.size() >= kFlushAt) Flush();
  }
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

// A page that takes the paths of the element drawing in layers: every
// layer's paths between its BeginLayer and EndLayer, no path pending at
// either.
class LayeredPage : public graphic::PathWriter {
 public:
  // `index` numbers the layer in its document, `name` is its name.
  virtual void BeginLayer(int index, const std::string& name) = 0;
  virtual void EndLayer() = 0;
  // Placed groups written once and again elsewhere, for a page that writes
  // them relative to their origin (PDF): KeepPlaced keeps the next placed
  // group under `key`; RepeatPlaced writes the group kept under `key` at
  // `origin` and is true, or false when there is none (or the stroke in
  // force is not the one it was drawn with) and the group is to be drawn.
  // Other pages keep nothing and draw every group.
  virtual void KeepPlaced(const std::string& /*key*/) {}
  virtual bool RepeatPlaced(const std::string& /*key*/, graphic::DPoint /*origin*/) { return false; }
};

// A page file that takes the paths of the element drawing (SVG).
class VectorFile : public LayeredPage {
 public:
  // Ends the file; std::runtime_error naming it on failure.
  virtual void Close() = 0;
};

}  // namespace plamor::drawings

// Reader of the standard text file (.atz): the header values and the
// element records, for round trips and conversions. A malformed file is
// refused with an error naming the line (and field) where it goes wrong.
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace plamor::atz {

class FormatError : public std::runtime_error {
 public:
  FormatError(std::size_t line, const std::string& what);
  std::size_t line() const { return line_; }  // 1-based
  // What is wrong, without the place (for callers that name the file and line themselves).
  const std::string& detail() const { return detail_; }

 private:
  std::size_t line_;
  std::string detail_;
};

struct LineEntry {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  std::int32_t layerPen = 0, lineType = 0;
  double pitch = 0;
};

struct CircleEntry {
  double x = 0, y = 0, xr = 0, yr = 0, startAngle = 0, endAngle = 0, lang = 0;
  std::int32_t layerPen = 0, lineType = 0;
  double pitch = 0;
};

struct TextEntry {
  double x = 0, y = 0, sAng = 0, height = 0, width = 0, Between = 0, lang = 0;
  std::int32_t layerPen = 0, Style = 0, byteCount = 0;
  std::string text;  // UTF-8
};

using Entry = std::variant<LineEntry, CircleEntry, TextEntry>;

struct TextDrawing {
  std::int32_t paperCode = 0;
  double PaperScale = 0;
  std::vector<Entry> entries;
};

// Layer and pen of a layer-pen code ((layer - 1) * 10 + pen).
constexpr std::int32_t LayerOf(std::int32_t layerPen) { return layerPen / 10 + 1; }
constexpr std::int32_t PenOf(std::int32_t layerPen) { return layerPen % 10; }

// Reads the CP932 text of a file. Every line must end with CR LF.
TextDrawing ReadAtz(std::string_view bytes);
// Reads the file; a file that cannot be read throws std::runtime_error naming it.
TextDrawing ReadAtzFile(const std::filesystem::path& path);

}  // namespace plamor::atz

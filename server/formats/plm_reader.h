// Reader of the standard drawing file (.plm): the header values and the
// element records, for round trips and conversions. A malformed file is
// refused with an error naming the byte offset where it goes wrong.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "server/formats/plm_layout.h"

namespace plamor::plm {

class FormatError : public std::runtime_error {
 public:
  FormatError(std::size_t offset, const std::string& what);
  std::size_t offset() const { return offset_; }
  // What is wrong, without the place (for callers that name the file and offset themselves).
  const std::string& detail() const { return detail_; }

 private:
  std::size_t offset_;
  std::string detail_;
};

struct Header {
  std::array<std::uint8_t, kThumbnailSize> thumbnail{};
  std::string created;     // "mm/dd/yyyy hh:nn:ss"
  std::string updated;
  std::string fontPath;    // CP932 bytes as stored, zero bytes cut
  std::string firstFont;   // UTF-8
  std::string secondFont;  // UTF-8
  std::int32_t PlamorFlg = 0;
  double GentenX = 0, GentenY = 0, HouiAngle = 0;
  double firstSide = 0;    // PaperYoko of a landscape sheet, else PaperTate
  double secondSide = 0;
  std::int16_t paperCode = 0;
  double PaperScale = 0;
  std::int16_t dosVersionSize = 0;
  std::int16_t firstAttribute = 0;   // the two attribute words that close the header
  std::int16_t secondAttribute = 0;
};

// The fields of an attribute word.
struct Attribute {
  int kind = 0;       // 0 line of pen 7, 1 line, 2 circle-class element, 3 text
  int sub = 0;        // style code, or 1 for vertical text
  int pen = 0;
  int layerCode = 0;  // bits 9-15
  int layer = 0;      // the layer whose code that is (1..128)
};
Attribute DecodeAttribute(std::int16_t word);

enum class RecordKind { Line, Circle, Text };

struct Record {
  RecordKind kind = RecordKind::Line;
  std::size_t offset = 0;  // where the record starts in the file
  std::int16_t attributeWord = 0;
  Attribute attribute;
  // Line: x1 y1 x2 y2 pitch; circle: x y xr yr sAng mang lang pitch;
  // text: x y width height Between lang sAng.
  std::vector<double> values;
  std::int16_t FontType = 0;  // text only
  std::string text;           // text only, UTF-8
};

struct Drawing {
  Header header;
  std::vector<Record> records;
};

Drawing ReadPlm(std::string_view bytes);
// Reads the file; a file that cannot be read throws std::runtime_error naming it.
Drawing ReadPlmFile(const std::filesystem::path& path);

}  // namespace plamor::plm

#include "server/formats/plm_reader.h"

#include <array>
#include <cmath>
#include <fstream>
#include <iterator>
#include <span>
#include <utility>

#include "platform/cp932.h"
#include "server/formats/layer_codes.h"
#include "server/formats/le_bytes.h"
#include "server/formats/plm_layout.h"
#include "server/formats/plm_writer.h"
#include "server/types.h"

namespace plamor::plm {
namespace {

// Text of a zero-padded field: the bytes before the first zero byte.
std::string FieldText(std::string_view bytes, std::size_t offset, std::size_t size) {
  std::string_view field = bytes.substr(offset, size);
  return std::string(field.substr(0, field.find('\0')));
}

class Cursor {
 public:
  explicit Cursor(std::string_view bytes) : bytes_(bytes) {}
  std::size_t offset() const { return offset_; }
  bool AtEnd() const { return offset_ >= bytes_.size(); }
  void Need(std::size_t size, const char* what) const {
    if (bytes_.size() - offset_ < size)
      throw FormatError(offset_, std::string(what) + " needs " + std::to_string(size) +
                                     " bytes, the file has " + std::to_string(bytes_.size() - offset_) + " left");
  }
  template <typename T>
  T Take() {
    T value = le::Read<T>(bytes_, offset_);
    offset_ += sizeof(T);
    return value;
  }
  std::string_view TakeBytes(std::size_t n) {
    std::string_view view = bytes_.substr(offset_, n);
    offset_ += n;
    return view;
  }

 private:
  std::string_view bytes_;
  std::size_t offset_ = 0;
};

// The header's real numbers, by offset.
constexpr std::pair<std::size_t, const char*> kHeaderReals[] = {
    {kGentenXAt, "GentenX"}, {kGentenYAt, "GentenY"}, {kHouiAngleAt, "HouiAngle"},
    {kFirstSideAt, "the first paper side"}, {kSecondSideAt, "the second paper side"},
    {kPaperScaleAt, "PaperScale"}};

// The values of each record kind, in file order.
constexpr const char* kLineValues[] = {"x1", "y1", "x2", "y2", "pitch"};
constexpr const char* kCircleValues[] = {"x", "y", "xr", "yr", "sAng", "mang", "lang", "pitch"};
constexpr const char* kTextValues[] = {"x", "y", "width", "height", "Between", "lang", "sAng"};

// NaN and the infinities are no coordinates or sizes: such a file is damaged.
void RequireFinite(double value, std::size_t offset, const char* name) {
  if (!std::isfinite(value))
    throw FormatError(offset, std::string(name) + " is " + (std::isnan(value) ? "NaN" : "infinite") +
                                  ", not a finite number");
}

Header ReadHeader(std::string_view bytes) {
  if (bytes.size() < kHeaderSize)
    throw FormatError(bytes.size(), "the header needs " + std::to_string(kHeaderSize) + " bytes, the file has " +
                                        std::to_string(bytes.size()));
  if (bytes.substr(kFormatTagAt, kFormatTagSize) != std::string_view("PLMV2\0", kFormatTagSize))
    throw FormatError(kFormatTagAt, "the format tag \"PLMV2\" is missing");
  Header h;
  for (std::size_t i = 0; i < h.thumbnail.size(); ++i)
    h.thumbnail[i] = static_cast<std::uint8_t>(bytes[kThumbnailAt + i]);
  h.created = FieldText(bytes, kCreatedAt, kTimeStampSize);
  h.updated = FieldText(bytes, kUpdatedAt, kTimeStampSize);
  h.fontPath = FieldText(bytes, kFontPathAt, kFontPathSize);
  h.firstFont = cp932::ToUtf8(FieldText(bytes, kFirstFontAt, kFontNameSize));
  h.secondFont = cp932::ToUtf8(FieldText(bytes, kSecondFontAt, kFontNameSize));
  h.PlamorFlg = le::Read<std::int32_t>(bytes, kPlamorFlgAt);
  h.GentenX = le::Read<double>(bytes, kGentenXAt);
  h.GentenY = le::Read<double>(bytes, kGentenYAt);
  h.HouiAngle = le::Read<double>(bytes, kHouiAngleAt);
  h.firstSide = le::Read<double>(bytes, kFirstSideAt);
  h.secondSide = le::Read<double>(bytes, kSecondSideAt);
  h.paperCode = le::Read<std::int16_t>(bytes, kPaperCodeAt);
  h.PaperScale = le::Read<double>(bytes, kPaperScaleAt);
  h.dosVersionSize = le::Read<std::int16_t>(bytes, kDosVersionSizeAt);
  for (const auto& [offset, name] : kHeaderReals) RequireFinite(le::Read<double>(bytes, offset), offset, name);
  h.firstAttribute = le::Read<std::int16_t>(bytes, kFirstAttributeAt);
  h.secondAttribute = le::Read<std::int16_t>(bytes, kSecondAttributeAt);
  return h;
}

Record ReadRecord(Cursor& in) {
  Record r;
  r.offset = in.offset();
  in.Need(4, "an element record");
  r.attributeWord = in.Take<std::int16_t>();
  const auto word = static_cast<std::uint16_t>(r.attributeWord);
  if ((word & 0x3) != 0x1)
    throw FormatError(r.offset, "not an attribute word (bit 0 must be 1 and bit 1 must be 0)");
  if (in.Take<std::int16_t>() != 0) throw FormatError(r.offset + 2, "the word after the attribute word must be 0");
  r.attribute = DecodeAttribute(r.attributeWord);
  std::span<const char* const> names;
  switch (r.attribute.kind) {
    case 0:
    case 1: r.kind = RecordKind::Line; names = kLineValues; break;
    case 2: r.kind = RecordKind::Circle; names = kCircleValues; break;
    default: r.kind = RecordKind::Text; names = kTextValues; break;
  }
  in.Need(names.size() * 8, r.kind == RecordKind::Line ? "a line record" : r.kind == RecordKind::Circle ? "a circle record" : "a text record");
  for (const char* name : names) {
    const std::size_t at = in.offset();
    r.values.push_back(in.Take<double>());
    RequireFinite(r.values.back(), at, name);
  }
  if (r.kind != RecordKind::Text) return r;
  in.Need(6, "a text record");
  r.FontType = in.Take<std::int16_t>();
  const std::size_t countAt = in.offset();
  const std::int32_t n = in.Take<std::int32_t>();
  if (n < 1) throw FormatError(countAt, "the byte count of a text must be at least 1, it is " + std::to_string(n));
  in.Need(static_cast<std::size_t>(n), "the text of a text record");
  const std::string_view bytes = in.TakeBytes(static_cast<std::size_t>(n));
  if (bytes.back() != '\0') throw FormatError(in.offset() - 1, "a text must end with a zero byte");
  r.text = cp932::ToUtf8(bytes.substr(0, bytes.size() - 1));
  return r;
}

}  // namespace

FormatError::FormatError(std::size_t offset, const std::string& what)
    : std::runtime_error("standard drawing file, offset " + std::to_string(offset) + ": " + what),
      offset_(offset),
      detail_(what) {}

Attribute DecodeAttribute(std::int16_t word) {
  const auto bits = static_cast<std::uint16_t>(word);
  Attribute a;
  a.kind = (bits >> 2) & 0x3;
  a.sub = (bits >> 4) & 0x3;
  a.pen = (bits >> 6) & 0x7;
  a.layerCode = bits >> 9;
  static const std::array<std::int32_t, 129> codes = [] {  // the table every writer uses
    std::array<std::int32_t, 129> table{};
    BuildLayerCodeTable(table);
    return table;
  }();
  for (int layer = 1; layer <= 128; ++layer) {
    if (codes[static_cast<std::size_t>(layer)] == a.layerCode) {
      a.layer = layer;
      break;
    }
  }
  return a;
}

Drawing ReadPlm(std::string_view bytes) {
  Drawing drawing;
  drawing.header = ReadHeader(bytes);
  Cursor in(bytes);
  in.TakeBytes(kHeaderSize);
  while (!in.AtEnd()) drawing.records.push_back(ReadRecord(in));
  return drawing;
}

Drawing ReadPlmFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot open the standard drawing file " + path.string());
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) throw std::runtime_error("cannot read the standard drawing file " + path.string());
  return ReadPlm(bytes);
}

}  // namespace plamor::plm

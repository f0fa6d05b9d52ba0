#include "server/formats/atz_reader.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/cp932.h"
#include "platform/message_text.h"

namespace plamor::atz {
namespace {

bool IsRealText(std::string_view s) {
  std::size_t i = (!s.empty() && s[0] == '-') ? 1 : 0;
  std::size_t digits = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
  if (digits == 0) return false;
  if (i == s.size()) return true;
  if (s[i++] != '.') return false;
  std::size_t decimals = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++decimals;
  return decimals > 0 && i == s.size();
}

// The fields of one line, read left to right.
class LineFields {
 public:
  LineFields(std::string_view text, std::size_t lineNumber) : text_(text), line_(lineNumber) {}

  std::string_view Next(const char* what) {
    ++field_;
    if (pos_ > text_.size()) Fail(std::string("field ") + std::to_string(field_) + " (" + what + ") is missing");
    const std::size_t comma = text_.find(',', pos_);
    const std::size_t end = comma == std::string_view::npos ? text_.size() : comma;
    std::string_view field = text_.substr(pos_, end - pos_);
    pos_ = comma == std::string_view::npos ? text_.size() + 1 : comma + 1;
    return field;
  }
  double Real(const char* what) {
    const std::string_view field = Next(what);
    if (!IsRealText(field)) FailField(what, field, "a real number");
    // A number too small to hold reads as 0; one too large has no value.
    const double value = std::strtod(std::string(field).c_str(), nullptr);
    if (!std::isfinite(value))
      Fail("field " + std::to_string(field_) + " (" + what + ") " + msgtext::Quoted(field) +
           " is beyond the range of a real number");
    return value;
  }
  std::int32_t Integer(const char* what) {
    const std::string_view field = Next(what);
    std::int32_t value = 0;
    const auto result = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || result.ec != std::errc{} || result.ptr != field.data() + field.size())
      FailField(what, field, "an integer");
    return value;
  }
  // The quoted text of a text record: exactly byteCount bytes between the quotation marks.
  std::string Quoted(std::int32_t byteCount) {
    ++field_;
    const std::size_t need = static_cast<std::size_t>(byteCount) + 2;
    if (pos_ > text_.size() || text_.size() - pos_ != need || text_[pos_] != '"' || text_.back() != '"')
      Fail("field " + std::to_string(field_) + " (text) must be " + std::to_string(byteCount) +
           " bytes between double quotation marks");
    std::string text(text_.substr(pos_ + 1, static_cast<std::size_t>(byteCount)));
    pos_ = text_.size() + 1;
    return text;
  }
  void End() {
    if (pos_ <= text_.size()) Fail("more fields than a record of this type has (" + std::to_string(field_) + ")");
  }
  [[noreturn]] void Fail(const std::string& what) const { throw FormatError(line_, what); }

 private:
  [[noreturn]] void FailField(const char* what, std::string_view field, const char* expected) const {
    Fail("field " + std::to_string(field_) + " (" + what + ") is not " + expected + ": " +
         msgtext::Quoted(cp932::ToUtf8(field)));
  }

  std::string_view text_;
  std::size_t line_;
  std::size_t pos_ = 0;
  int field_ = 0;
};

// The fields that end a line or circle record: layer-pen code, line type, pitch.
template <class StrokeEntry>
StrokeEntry WithStroke(LineFields& f, StrokeEntry e) {
  e.layerPen = f.Integer("layer-pen code");
  e.lineType = f.Integer("line type");
  e.pitch = f.Real("pitch");
  f.End();
  return e;
}

Entry ReadEntry(LineFields& f) {
  const std::int32_t type = f.Integer("record type");
  if (type == 1) {
    LineEntry e;
    e.x1 = f.Real("x1"); e.y1 = f.Real("y1"); e.x2 = f.Real("x2"); e.y2 = f.Real("y2");
    return WithStroke(f, e);
  }
  if (type == 3) {
    CircleEntry e;
    e.x = f.Real("x"); e.y = f.Real("y"); e.xr = f.Real("xr"); e.yr = f.Real("yr");
    e.startAngle = f.Real("start angle"); e.endAngle = f.Real("end angle"); e.lang = f.Real("lang");
    return WithStroke(f, e);
  }
  if (type == 4) {
    TextEntry e;
    e.x = f.Real("x"); e.y = f.Real("y"); e.sAng = f.Real("sAng"); e.height = f.Real("height");
    e.width = f.Real("width"); e.Between = f.Real("Between"); e.lang = f.Real("lang");
    e.layerPen = f.Integer("layer-pen code"); e.Style = f.Integer("Style"); e.byteCount = f.Integer("byte count");
    if (e.byteCount < 0) f.Fail("the byte count of the text is negative");
    e.text = cp932::ToUtf8(f.Quoted(e.byteCount));
    return e;
  }
  f.Fail("unknown record type " + std::to_string(type) + " (1 line, 3 circle, 4 text)");
}

// Where the line starting at `pos` ends (its CR LF). A text record ("4,...")
// may hold any byte, CR LF and commas included, inside its quotation marks:
// its byte count (the 11th field) tells where the text ends, and the line
// ends at the first CR LF after it.
std::size_t LineEnd(std::string_view bytes, std::size_t pos, bool mayBeText) {
  if (mayBeText && bytes.substr(pos, 2) == "4,") {
    std::size_t countStart = pos, countEnd = pos;
    int commas = 0;
    for (std::size_t at = pos; at < bytes.size() && bytes[at] != '\r' && commas < 11; ++at) {
      if (bytes[at] != ',') continue;
      ++commas;
      countStart = countEnd;
      countEnd = at;
    }
    std::int32_t count = 0;
    const auto parsed = std::from_chars(bytes.data() + countStart + 1, bytes.data() + countEnd, count);
    const std::size_t textEnd = countEnd + 1 + static_cast<std::size_t>(count) + 2;
    if (commas == 11 && parsed.ec == std::errc{} && parsed.ptr == bytes.data() + countEnd && count >= 0 &&
        textEnd <= bytes.size())
      return bytes.find("\r\n", textEnd);
  }
  return bytes.find("\r\n", pos);
}

}  // namespace

FormatError::FormatError(std::size_t line, const std::string& what)
    : std::runtime_error("standard text file, line " + std::to_string(line) + ": " + what),
      line_(line),
      detail_(what) {}

TextDrawing ReadAtz(std::string_view bytes) {
  TextDrawing drawing;
  std::size_t lineNumber = 0;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    ++lineNumber;
    const std::size_t end = LineEnd(bytes, pos, lineNumber > 1);
    if (end == std::string_view::npos) throw FormatError(lineNumber, "the line does not end with CR LF");
    const std::string_view line = bytes.substr(pos, end - pos);
    LineFields fields(line, lineNumber);
    if (lineNumber == 1) {
      if (fields.Integer("header mark") != 0) fields.Fail("the header line must start with 0");
      drawing.paperCode = fields.Integer("paper code");
      drawing.PaperScale = fields.Real("scale");
      if (fields.Integer("header end") != 1) fields.Fail("the header line must end with 1");
      fields.End();
    } else {
      drawing.entries.push_back(ReadEntry(fields));
    }
    pos = end + 2;
  }
  if (lineNumber == 0) throw FormatError(1, "the header line is missing");
  return drawing;
}

TextDrawing ReadAtzFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot open the standard text file " + path.string());
  const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) throw std::runtime_error("cannot read the standard text file " + path.string());
  return ReadAtz(bytes);
}

}  // namespace plamor::atz

#include "server/formats/atz_writer.h"

#include "platform/cp932.h"
#include "server/elements/paper.h"
#include "server/formats/fixed_decimal.h"

namespace plamor::atz {
namespace {

// Formats the real fields of one record with `keta` decimals.
class RecordBuilder {
 public:
  RecordBuilder(std::string_view type, std::int32_t keta) : keta_(keta), text_(type) {}
  RecordBuilder& Real(double value) {
    text_ += ',';
    AppendFixed(text_, value, keta_);
    return *this;
  }
  RecordBuilder& Integer(std::int64_t value) {
    text_ += ',';
    text_ += std::to_string(value);
    return *this;
  }
  RecordBuilder& Quoted(std::string_view bytes) {
    text_ += ",\"";
    text_ += bytes;
    text_ += '"';
    return *this;
  }
  std::string Take() { return std::move(text_); }

 private:
  std::int32_t keta_;
  std::string text_;
};

// (Layer - 1) * 10 + pen, so layer 12 pen 5 gives 115.
std::int64_t LayerPenCode(std::int16_t layer, std::int32_t pen) {
  return (static_cast<std::int64_t>(layer) - 1) * 10 + pen;
}

// The line-type code and pitch pair; `whiteLine` for a line drawn with pen 7.
void AppendLineType(RecordBuilder& record, std::int32_t style, double pich, bool whiteLine) {
  if (whiteLine) {
    record.Integer(4).Real(pich);
    return;
  }
  const std::int32_t code = StyleCode(style);
  record.Integer(code).Real(code != 0 ? pich : 0.0);
}

// Appends a record line and its CR LF; an empty record (pen 0) is no line.
bool AppendRecord(std::string& out, const std::string& record) {
  if (record.empty()) return true;
  out += record;
  out += "\r\n";
  return true;
}

}  // namespace

std::int32_t PaperCode(std::int32_t paperSize, double paperTate, double paperYoko) {
  // A0..A4 and B0..B4 are their own codes, and so is any code below them.
  if (paperSize < 10) return paperSize;
  std::int32_t code = 0;
  clsPaper candidate;
  for (std::int32_t size : {ktpB0, ktpA0, ktpA1, ktpA2, ktpA3, ktpA4}) {
    candidate.SetSize(size);
    if (candidate.Tate().value >= paperTate && candidate.Yoko().value >= paperYoko) code = size;
  }
  return code;
}

std::string HeaderLine(const DrawingInfo& info) {
  RecordBuilder record("0", info.AtzKeta);
  record.Integer(PaperCode(info.PaperSize, info.PaperTate, info.PaperYoko))
      .Real(info.PaperScale)
      .Integer(1);
  return record.Take();
}

std::string LineRecord(const LineValues& line, std::int32_t keta) {
  const std::int32_t pen = WriterPen(line.pen);
  if (pen == 0) return {};
  RecordBuilder record("1", keta);
  record.Real(line.x1).Real(line.y1).Real(line.x2).Real(line.y2).Integer(LayerPenCode(line.Layer, pen));
  AppendLineType(record, line.Style, line.pich, pen == 7);
  return record.Take();
}

std::string CircleRecord(const CircleValues& circle, std::int32_t keta) {
  const std::int32_t pen = WriterPen(circle.pen);
  if (pen == 0) return {};
  RecordBuilder record("3", keta);
  record.Real(circle.x).Real(circle.y).Real(circle.xr).Real(circle.yr)
      .Real(circle.sAng).Real(circle.sAng + circle.mang).Real(circle.lang)
      .Integer(LayerPenCode(circle.Layer, pen));
  AppendLineType(record, circle.Style, circle.pich, false);
  return record.Take();
}

std::string TextRecord(const TextValues& text, std::int32_t keta) {
  const std::int32_t pen = WriterPen(text.pen);
  if (pen == 0) return {};
  const std::string bytes = cp932::FromUtf8(text.Text);
  RecordBuilder record("4", keta);
  record.Real(text.x).Real(text.y).Real(text.sAng).Real(text.height).Real(text.width)
      .Real(text.Between).Real(text.lang).Integer(LayerPenCode(text.Layer, pen))
      .Integer(text.Style).Integer(static_cast<std::int64_t>(bytes.size())).Quoted(bytes);
  return record.Take();
}

std::string HeaderBytes(const DrawingInfo& info) { return HeaderLine(info) + "\r\n"; }

bool AppendElement(std::string& out, const LineValues& line, const WriteContext& context) {
  return AppendRecord(out, LineRecord(line, context.atzKeta));
}

bool AppendElement(std::string& out, const CircleValues& circle, const WriteContext& context) {
  return AppendRecord(out, CircleRecord(circle, context.atzKeta));
}

bool AppendElement(std::string& out, const TextValues& text, const WriteContext& context) {
  return AppendRecord(out, TextRecord(text, context.atzKeta));
}

}  // namespace plamor::atz

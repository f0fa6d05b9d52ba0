#include "server/formats/plm_writer.h"

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <ctime>
#include <initializer_list>

#include "platform/cp932.h"
#include "platform/folders.h"
#include "platform/host_paths.h"
#include "platform/time_text.h"
#include "server/elements/paper.h"
#include "server/formats/layer_codes.h"
#include "server/formats/le_bytes.h"
#include "server/formats/thumbnail.h"

namespace plamor::plm {
namespace {

constexpr std::string_view kFontFile = "M_G_L.KVD";
constexpr std::string_view kFirstFont = "ＭＳ 明朝";
constexpr std::string_view kSecondFont = "ＭＳ ゴシック";
constexpr std::string_view kFormatTag = "PLMV2";
constexpr std::int16_t kKindLineWhite = 0, kKindLine = 1, kKindCircle = 2, kKindText = 3;

// The values of an element record, in order.
void AppendDoubles(std::string& out, std::initializer_list<double> values) {
  for (double v : values) le::AppendDouble(out, v);
}

// The header so far, which must end where the next field starts (checked in
// debug builds): the fields are appended in the order of plm_layout.h.
std::string& At(std::string& out, [[maybe_unused]] std::size_t fieldOffset) {
  assert(out.size() == fieldOffset);
  return out;
}

// Appends the text padded with zero bytes to `size` (cut when longer).
void AppendField(std::string& out, std::string_view text, std::size_t size) {
  const std::size_t n = std::min(text.size(), size);
  out.append(text.substr(0, n));
  out.append(size - n, '\0');
}

// The attribute word of a record on a layer in 1..128.
std::int16_t AttributeWord(std::int16_t kind, std::int32_t sub, std::int32_t pen, std::int16_t layer,
                           const WriteContext& context) {
  return PackAttributeWord(kind, static_cast<std::int16_t>(sub), static_cast<std::int16_t>(pen), layer,
                           context.layerCode);
}

std::filesystem::path FolderOfThisLibrary() {
  static const int anchor = 0;
  return folders::ModuleFolder(&anchor);
}

// The thumbnail of the preview; without one, that of an empty (black) picture.
Thumbnail ThumbnailOf(HDC preview) {
  Thumbnail bytes{};
  const DeviceContext empty(kThumbnailWidth, kThumbnailHeight, Rgb(0, 0, 0));
  const std::vector<std::uint8_t> encoded = EncodeThumbnail(preview != nullptr ? *preview : empty);
  std::copy_n(encoded.begin(), std::min(encoded.size(), bytes.size()), bytes.begin());
  return bytes;
}

// Pitch and style code of a line or circle record: the pitch counts only for a dashed style.
double RecordPitch(std::int32_t styleCode, double pich) { return styleCode != 0 ? pich : 0.0; }

// The 2906 header bytes from their parts.
std::string HeaderBytesOf(const DrawingInfo& info, const Thumbnail& thumbnail,
                          std::string_view timeStamp, std::string_view fontPathField,
                          const WriteContext& context) {
  const bool landscape = info.Paper == ktpPaperYoko;
  clsPaper paper;
  paper.SetSize(info.PaperSize);

  std::string out;
  out.reserve(kHeaderSize);
  At(out, kThumbnailAt).append(reinterpret_cast<const char*>(thumbnail.data()), thumbnail.size());
  AppendField(At(out, kCreatedAt), timeStamp, kTimeStampSize);
  AppendField(At(out, kUpdatedAt), timeStamp, kTimeStampSize);
  AppendField(At(out, kFontPathAt), fontPathField, kFontPathSize);
  AppendField(At(out, kFirstFontAt), cp932::FromUtf8(kFirstFont), kFontNameSize);
  AppendField(At(out, kSecondFontAt), cp932::FromUtf8(kSecondFont), kFontNameSize);
  At(out, kZeroBlockAt).append(kZeroBlockSize, '\0');
  le::AppendInt32(At(out, kPlamorFlgAt), info.PlamorFlg);
  le::AppendDouble(At(out, kGentenXAt), info.GentenX);
  le::AppendDouble(At(out, kGentenYAt), info.GentenY);
  le::AppendDouble(At(out, kHouiAngleAt), info.HouiAngle);
  le::AppendInt16(At(out, kZeroWordAt), 0);
  At(out, kFilledBlockAt).append(kFilledBlockSize, '\xFF');
  AppendField(At(out, kUnitAt), "mm", kUnitSize);
  le::AppendDouble(At(out, kUnitOneAt), 1.0);
  le::AppendDouble(At(out, kFirstSideAt), landscape ? info.PaperYoko : info.PaperTate);
  le::AppendDouble(At(out, kSecondSideAt), landscape ? info.PaperTate : info.PaperYoko);
  le::AppendInt16(At(out, kPaperCodeAt), PaperCode(info.Paper, info.PaperSize));
  le::AppendDouble(At(out, kScaleOneAt), 1.0);
  le::AppendDouble(At(out, kPaperScaleAt), info.PaperScale);
  AppendField(At(out, kFormatTagAt), kFormatTag, kFormatTagSize);
  le::AppendInt16(At(out, kTagZeroWordAt), 0);
  le::AppendInt16(At(out, kDosVersionSizeAt), paper.DosVersionSize());
  le::AppendInt16(At(out, kOneWordAt), 1);
  le::AppendDouble(At(out, kSecondScaleOneAt), 1.0);
  le::AppendDouble(At(out, kSecondPaperScaleAt), info.PaperScale);
  le::AppendInt16(At(out, kFirstAttributeAt), AttributeWord(1, 0, 0, 7, context));
  le::AppendInt16(At(out, kSecondAttributeAt), AttributeWord(0, 0, 1, 1, context));
  assert(out.size() == kHeaderSize);
  return out;
}

}  // namespace

std::string FontPathField(const std::filesystem::path& folder) {
  std::string path = (folder / std::string(kFontFile)).string();
  const std::string shortPath = cp932::FromUtf8(folders::GetShortPath(path));
  std::string field;
  if (shortPath.size() < kFontPathSize) field = shortPath;
  field.resize(kFontPathSize, '\0');
  return field;
}

std::string TimeStamp() { return TimeText(std::time(nullptr), "%m/%d/%Y %H:%M:%S", Clock::kLocal); }

std::string LineRecord(const LineValues& line, const WriteContext& context) {
  const std::int32_t pen = WriterPen(line.pen);
  if (pen == 0) return {};
  const bool white = pen == 7;
  const std::int32_t styleCode = white ? 0 : StyleCode(line.Style);
  std::string out;
  out.reserve(kLineRecordSize);
  le::AppendInt16(out, AttributeWord(white ? kKindLineWhite : kKindLine, styleCode, pen, line.Layer, context));
  le::AppendInt16(out, 0);
  AppendDoubles(out, {line.x1, line.y1, line.x2, line.y2, RecordPitch(styleCode, line.pich)});
  return out;
}

std::string CircleRecord(const CircleValues& circle, const WriteContext& context) {
  const std::int32_t pen = WriterPen(circle.pen);
  if (pen == 0) return {};
  const std::int32_t styleCode = StyleCode(circle.Style);
  std::string out;
  out.reserve(kCircleRecordSize);
  le::AppendInt16(out, AttributeWord(kKindCircle, styleCode, pen, circle.Layer, context));
  le::AppendInt16(out, 0);
  AppendDoubles(out, {circle.x, circle.y, circle.xr, circle.yr, circle.sAng, circle.mang, circle.lang,
                      RecordPitch(styleCode, circle.pich)});
  return out;
}

std::string TextRecord(const TextValues& text, const WriteContext& context) {
  const std::int32_t pen = WriterPen(text.pen);
  if (pen == 0) return {};
  const std::string bytes = cp932::FromUtf8(text.Text);
  std::string out;
  out.reserve(kTextRecordFixedSize + bytes.size() + 1);
  le::AppendInt16(out, AttributeWord(kKindText, text.Style != ktpYoko ? 1 : 0, pen, text.Layer, context));
  le::AppendInt16(out, 0);
  AppendDoubles(out, {text.x, text.y, text.width, text.height, text.Between, text.lang, text.sAng});
  le::AppendInt16(out, text.FontType);
  le::AppendInt32(out, static_cast<std::int32_t>(bytes.size() + 1));
  out.append(bytes);
  out.push_back('\0');
  return out;
}

std::string HeaderBytes(const DrawingInfo& info, const WriteContext& context) {
  const std::filesystem::path folder =
      info.programFolder.empty() ? FolderOfThisLibrary() : info.programFolder;
  return HeaderBytesOf(info, ThumbnailOf(info.preview), TimeStamp(), FontPathField(folder), context);
}

bool AppendElement(std::string& out, const LineValues& line, const WriteContext& context) {
  if (WriterPen(line.pen) != 0 && !LayerInRange(line.Layer)) return false;
  out += LineRecord(line, context);
  return true;
}

bool AppendElement(std::string& out, const CircleValues& circle, const WriteContext& context) {
  if (WriterPen(circle.pen) != 0 && !LayerInRange(circle.Layer)) return false;
  out += CircleRecord(circle, context);
  return true;
}

bool AppendElement(std::string& out, const TextValues& text, const WriteContext& context) {
  if (WriterPen(text.pen) != 0 && !LayerInRange(text.Layer)) return false;
  out += TextRecord(text, context);
  return true;
}

std::string MemoFileName(std::string_view drawingFileName) {
  std::size_t cut = drawingFileName.size();
  for (int characters = 0; characters < 3 && cut > 0; ++characters) {
    --cut;
    while (cut > 0 && (static_cast<unsigned char>(drawingFileName[cut]) & 0xC0) == 0x80) --cut;
  }
  return std::string(drawingFileName.substr(0, cut)) + "MET";
}

std::string MemoBytes(std::string_view memo) {
  std::string line = cp932::FromUtf8(memo);
  line += "\r\n";
  return line;
}

}  // namespace plamor::plm

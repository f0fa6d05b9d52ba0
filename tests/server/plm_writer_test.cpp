// Standard drawing file: the 2906-byte header field by field, the three
// record kinds and whole small drawings, byte for byte; the memo file.
#include "server/formats/plm_writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <cctype>

#include "platform/device_context.h"
#include "writer_test_support.h"

namespace plamor {
namespace {

using testing::Circle;
using testing::Line;
using testing::Text;

// Little-endian bytes, written out independently of the writer.
struct Bytes {
  std::string b;
  Bytes& i16(int v) { return raw(static_cast<std::uint16_t>(v), 2); }
  Bytes& i32(std::int64_t v) { return raw(static_cast<std::uint32_t>(v), 4); }
  Bytes& f64(double v) {
    std::uint64_t u;
    std::memcpy(&u, &v, 8);
    return raw(u, 8);
  }
  Bytes& text(std::string_view s) { b.append(s); return *this; }
  Bytes& fill(std::size_t n, char c) { b.append(n, c); return *this; }
  Bytes& hex(std::initializer_list<int> bytes) {
    for (int v : bytes) b.push_back(static_cast<char>(v));
    return *this;
  }
  Bytes& raw(std::uint64_t v, int n) {
    for (int i = 0; i < n; ++i) b.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    return *this;
  }
};

// "ＭＳ 明朝" and "ＭＳ ゴシック" in Shift_JIS.
const std::initializer_list<int> kMincho = {0x82, 0x6C, 0x82, 0x72, 0x20, 0x96, 0xBE, 0x92, 0xA9};
const std::initializer_list<int> kGothic = {0x82, 0x6C, 0x82, 0x72, 0x20, 0x83, 0x53,
                                            0x83, 0x56, 0x83, 0x62, 0x83, 0x4E};

// Header bytes 2240.. onwards for a drawing (the part after the time stamps).
std::string ExpectedHeaderTail(const std::string& fontPath, const DrawingInfo& d, double firstSide,
                               double secondSide, int paperCode, int dosSize) {
  Bytes h;
  h.text(fontPath).fill(80 - fontPath.size(), 0);
  h.hex(kMincho).fill(32 - 9, 0).hex(kGothic).fill(32 - 13, 0).fill(320 + 56, 0);
  h.i32(d.PlamorFlg).f64(d.GentenX).f64(d.GentenY).f64(d.HouiAngle).i16(0).fill(32, '\xFF');
  h.text("mm").fill(8, 0).f64(1.0).f64(firstSide).f64(secondSide).i16(paperCode).f64(1.0).f64(d.PaperScale);
  h.text("PLMV2").fill(1, 0).i16(0).i16(dosSize).i16(1).f64(1.0).f64(d.PaperScale);
  h.i16(517).i16(-32703);
  return h.b;
}

std::string EmptyThumbnail() { return Bytes().i16(84).i16(59).fill(2196, 0).b; }

void ExpectTimeStamps(const std::string& file) {
  // "mm/dd/yyyy hh:nn:ss": digits where the pattern has 9, the rest as it stands.
  const std::string pattern = "99/99/9999 99:99:99";
  const std::string created = file.substr(2200, 19);
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '9') EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(created[i]))) << created;
    else EXPECT_EQ(created[i], pattern[i]) << created;
  }
  EXPECT_EQ(file.substr(2219, 1), std::string(1, '\0'));
  EXPECT_EQ(file.substr(2220, 20), file.substr(2200, 20));  // taken once
}

class PlmWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    info_.PlamorFlg = 7;
    info_.GentenX = 1000.5;
    info_.GentenY = -2000.25;
    info_.HouiAngle = 12.5;
    info_.Paper = ktpPaperYoko;
    info_.PaperSize = ktpA3;
    info_.PaperTate = 297;
    info_.PaperYoko = 420;
    info_.PaperScale = 100;
    info_.programFolder = temp_.path();
    std::ofstream(temp_ / "M_G_L.KVD") << "font";
    fontPath_ = (temp_ / "M_G_L.KVD").string();
  }

  template <typename... Elements>
  std::string WritePlm(Elements&... elements) {
    return testing::WrittenBytes(ktpPlm, info_, context_, {elements.get()...});
  }

  testing::TempFolder temp_;
  DrawingInfo info_;
  ModuleSettings settings_;  // a new host's settings
  WriteContext context_ = BuildWriteContext(ktpPlm, settings_, 3);
  std::string fontPath_;
};

TEST_F(PlmWriterTest, OneLineDrawingByteForByte) {
  auto line = Line(1.5, 2.5, -3.25, 4, 2, 1, ktpdash, 3 * 100);
  const std::string file = WritePlm(line);
  ASSERT_EQ(file.size(), 2950u);
  EXPECT_EQ(file.substr(0, 2200), EmptyThumbnail());
  ExpectTimeStamps(file);
  EXPECT_EQ(file.substr(2240, 666), ExpectedHeaderTail(fontPath_, info_, 420, 297, 4, 4));
  EXPECT_EQ(file.substr(2906), Bytes().i16(-32619).i16(0).f64(1.5).f64(2.5).f64(-3.25).f64(4).f64(300).b);
}

TEST_F(PlmWriterTest, PortraitSheetAndPaperCodes) {
  info_.Paper = ktpPaperTate;
  info_.PaperSize = ktpA4;
  info_.PaperTate = 297;
  info_.PaperYoko = 210;
  const std::string file = WritePlm();
  ASSERT_EQ(file.size(), 2906u);
  EXPECT_EQ(file.substr(2240), ExpectedHeaderTail(fontPath_, info_, 297, 210, 20, 5));
  EXPECT_EQ(plm::PaperCode(ktpPaperYoko, ktpA3), 4);
  EXPECT_EQ(plm::PaperCode(ktpPaperTate, ktpA4), 20);
  EXPECT_EQ(plm::PaperCode(ktpPaperYoko, ktpFREE), 16);
  // The host's largest sizes keep only their low 16 bits, without overflow.
  EXPECT_EQ(plm::PaperCode(ktpPaperTate, INT32_MAX), 15);
  EXPECT_EQ(plm::PaperCode(ktpPaperYoko, INT32_MAX), 0);
  EXPECT_EQ(plm::PaperCode(ktpPaperYoko, -1), 0);
}

TEST_F(PlmWriterTest, FontPathField) {
  EXPECT_EQ(plm::FontPathField(temp_.path()), fontPath_ + std::string(80 - fontPath_.size(), '\0'));
  // No font file there: the field stays empty.
  EXPECT_EQ(plm::FontPathField(temp_ / "nowhere"), std::string(80, '\0'));
  // A path of 80 bytes or more does not fit.
  std::filesystem::path deep = temp_.path();
  while (deep.string().size() < 75) deep /= "folder";
  std::filesystem::create_directories(deep);
  std::ofstream(deep / "M_G_L.KVD") << "font";
  ASSERT_GE((deep / "M_G_L.KVD").string().size(), 80u);
  EXPECT_EQ(plm::FontPathField(deep), std::string(80, '\0'));
}

TEST_F(PlmWriterTest, ThumbnailOfThePreview) {
  PlamorDeviceContext white(84, 59, Rgb(255, 255, 255));
  info_.preview = &white;
  MemoryOutputFile file;
  file.Open("d.plm", OpenMode::kBinary);
  ASSERT_EQ(DrawingWriter(ktpPlm, file, context_).Header(info_), SaveOk);
  Bytes row;
  for (int plane = 0; plane < 3; ++plane) row.fill(10, '\xFF').hex({0xF0});
  Bytes expected;
  expected.i16(84).i16(59);
  for (int y = 0; y < 59; ++y) expected.text(row.b);
  expected.fill(2200 - expected.b.size(), 0);
  EXPECT_EQ(file.bytes().substr(0, 2200), expected.b);
}

TEST_F(PlmWriterTest, LineRecords) {
  LineValues v{0, 0, 10, 0, 3, ktpdash, 2, 1};
  EXPECT_EQ(plm::LineRecord(v, context_), Bytes().i16(-32619).i16(0).f64(0).f64(0).f64(10).f64(0).f64(3).b);
  v.pen = 7;  // white lines have kind 0, no style and no pitch
  EXPECT_EQ(plm::LineRecord(v, context_), Bytes().i16(0x81C1).i16(0).f64(0).f64(0).f64(10).f64(0).f64(0).b);
  v.pen = 9;  // a stray pen is written as pen 7: the layer bits stay those of layer 1
  EXPECT_EQ(plm::LineRecord(v, context_).substr(0, 2), Bytes().i16(0x81C1).b);
  v = {0, 0, 1, 1, 5, ktpsolid, 1, 8};  // solid: no pitch; layer 8 has code 3
  EXPECT_EQ(plm::LineRecord(v, context_), Bytes().i16(3 * 512 + 64 + 4 + 1).i16(0).f64(0).f64(0).f64(1).f64(1).f64(0).b);
  v = {0, 0, 1, 1, 5, ktpdashdotdot, 3, 128};  // layer 128 has code 0
  EXPECT_EQ(plm::LineRecord(v, context_).substr(0, 2), Bytes().i16(3 * 64 + 3 * 16 + 4 + 1).b);
  v.pen = 0;
  EXPECT_EQ(plm::LineRecord(v, context_), "");
}

TEST_F(PlmWriterTest, CircleRecords) {
  CircleValues v{1, 2, 5, 3, 10, -30, 45, 2, ktpdashdot, 7, 2};
  EXPECT_EQ(plm::CircleRecord(v, context_),  // pen 7 has no special case for circles
            Bytes().i16(32 * 512 + 7 * 64 + 2 * 16 + 2 * 4 + 1).i16(0).f64(1).f64(2).f64(5).f64(3).f64(10)
                .f64(-30).f64(45).f64(2).b);
  EXPECT_EQ(plm::CircleRecord(v, context_).size(), 68u);
}

TEST_F(PlmWriterTest, TextRecords) {
  TextValues v;
  v.x = 1; v.y = 2; v.width = 2.7; v.height = 3; v.Between = 0.3; v.lang = 90; v.sAng = 15;
  v.FontType = 2; v.Style = ktpTate; v.pen = 1; v.Layer = 1; v.Text = "A";
  const Bytes fixed = Bytes().i16(64 * 512 + 64 + 16 + 12 + 1).i16(0).f64(1).f64(2).f64(2.7).f64(3).f64(0.3)
                          .f64(90).f64(15).i16(2);
  EXPECT_EQ(plm::TextRecord(v, context_), Bytes(fixed).i32(2).text("A").fill(1, 0).b);
  EXPECT_EQ(plm::TextRecord(v, context_).size(), 68u);
  v.Text = "";
  EXPECT_EQ(plm::TextRecord(v, context_), Bytes(fixed).i32(1).fill(1, 0).b);
  v.Text = "左岸Ω😀";  // the emoji has no CP932 form: "?" and the count agree
  EXPECT_EQ(plm::TextRecord(v, context_), Bytes(fixed).i32(8).hex({0x8D, 0xB6, 0x8A, 0xDD, 0x83, 0xB6}).text("?").fill(1, 0).b);
}

TEST_F(PlmWriterTest, PenZeroAndRemovedElementsLeaveNoRecord) {
  auto black = Line(0, 0, 1, 1, 0);
  auto removed = Circle(0, 0, 1, 1, 0, 360);
  removed->Tag = "DEL";
  auto blackText = Text("x", 0, 0, 0, 0);
  EXPECT_EQ(WritePlm(black, removed, blackText).size(), 2906u);
  auto kept = Text("x", 0, 0);
  EXPECT_EQ(WritePlm(black, kept).size(), 2906u + 66 + 2);
}

TEST_F(PlmWriterTest, LayerOutsideTheTableIsRefusedNotWrittenAsABrokenRecord) {
  testing::ExpectLayerRefused(ktpPlm, *Line(0, 0, 1, 1, 1, 129), context_);
  MemoryOutputFile file;
  file.Open("x.plm", OpenMode::kBinary);
  auto black = Line(0, 0, 1, 1, 0, 0);  // pen 0 is skipped before its layer matters
  EXPECT_EQ(DrawingWriter(ktpPlm, file, context_).Element(*black), SaveOk);
}

TEST_F(PlmWriterTest, MemoFile) {
  EXPECT_EQ(plm::MemoFileName("/data/plan.plm"), "/data/plan.MET");
  EXPECT_EQ(plm::MemoFileName("/data/a.PLM"), "/data/a.MET");
  EXPECT_EQ(plm::MemoFileName("/data/図面.図面図"), "/data/図面.MET");
  const auto drawing = temp_ / "plan.plm";
  DiskOutputFile file;
  ASSERT_TRUE(WriteMemoFile(file, drawing.string(), "第1回 測量"));
  EXPECT_EQ(testing::ReadBytes(temp_ / "plan.MET"), cp932::FromUtf8("第1回 測量") + "\r\n");
}

TEST_F(PlmWriterTest, MemoFileFailureIsShownAndLeavesNothing) {
  testing::ScopedPrompter prompter;
  prompter->ExpectMessage("書き込みできません。", "ｴﾗｰ", prompts::kCritical, prompts::kOk);
  FailingOutputFile::Plan plan;
  plan.openError = FailingOutputFile::PermissionDenied();
  FailingOutputFile denied(plan);
  EXPECT_FALSE(WriteMemoFile(denied, "/data/plan.plm", "memo"));

  prompter->ExpectMessage("ディスクの空き容量が不足しています。", "ｴﾗｰ", prompts::kCritical, prompts::kOk);
  plan = {};
  plan.failAtWrite = 1;
  plan.takenBeforeFailure = 2;
  plan.error = FailingOutputFile::DiskFull();
  FailingOutputFile full(plan);
  EXPECT_FALSE(WriteMemoFile(full, "/data/plan.plm", "memo"));
  EXPECT_TRUE(full.bytes().empty());
  EXPECT_FALSE(full.closed());
}

}  // namespace
}  // namespace plamor

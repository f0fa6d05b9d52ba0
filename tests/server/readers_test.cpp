// Readers of the standard drawing and text files: what the writers wrote
// comes back the same, and a malformed file is refused naming where.
#include <gtest/gtest.h>

#include "server/formats/atz_reader.h"
#include "server/formats/atz_writer.h"
#include "server/formats/plm_reader.h"
#include "server/formats/plm_writer.h"
#include "writer_test_support.h"

namespace plamor {
namespace {

using testing::Circle;
using testing::Line;
using testing::Text;

class ReadersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::ResetWriterSettings();
    info_.PlamorFlg = 3;
    info_.GentenX = 12.5;
    info_.GentenY = -7;
    info_.HouiAngle = 45;
    info_.Paper = ktpPaperTate;
    info_.PaperSize = ktpA4;
    info_.PaperTate = 297;
    info_.PaperYoko = 210;
    info_.PaperScale = 500;
    info_.AtzKeta = 4;
    info_.programFolder = "/nonexistent";
    elements_.push_back(Line(1, 2, 3, 4, 2, 1, ktpdash, 3));
    elements_.push_back(Line(5, 6, 7, 8, 7, 40, ktpdashdot, 2));
    elements_.push_back(Circle(10, 20, 5, 2, 30, -90, 4, 128, ktpdashdotdot, 1.5, 10));
    elements_.push_back(Text("右岸\"A\",B\r\nC", 1.5, -2.5, ktpTate, 6, 9));
    elements_.push_back(Text("", 0, 0));
    elements_.push_back(Line(0, 0, 1, 1, 0));  // pen 0: not written
  }

  std::string Write(ktpPlamorType kind) {
    std::vector<clsZElement*> elements;
    for (auto& e : elements_) elements.push_back(e.get());
    return testing::WrittenBytes(kind, info_, testing::RunContext(kind, info_.AtzKeta), elements);
  }

  DrawingInfo info_;
  std::vector<std::unique_ptr<clsZElement>> elements_;
};

TEST_F(ReadersTest, StandardDrawingFileRoundTrip) {
  const plm::Drawing d = plm::ReadPlm(Write(ktpPlm));
  EXPECT_EQ(d.header.PlamorFlg, 3);
  EXPECT_EQ(d.header.GentenX, 12.5);
  EXPECT_EQ(d.header.GentenY, -7);
  EXPECT_EQ(d.header.HouiAngle, 45);
  EXPECT_EQ(d.header.firstSide, 297);
  EXPECT_EQ(d.header.secondSide, 210);
  EXPECT_EQ(d.header.paperCode, 20);
  EXPECT_EQ(d.header.PaperScale, 500);
  EXPECT_EQ(d.header.dosVersionSize, 5);
  EXPECT_EQ(d.header.firstFont, "ＭＳ 明朝");
  EXPECT_EQ(d.header.secondFont, "ＭＳ ゴシック");
  EXPECT_EQ(d.header.fontPath, "");
  EXPECT_EQ(d.header.thumbnail[0], 84);
  ASSERT_EQ(d.records.size(), 5u);

  EXPECT_EQ(d.records[0].kind, plm::RecordKind::Line);
  EXPECT_EQ(d.records[0].offset, 2906u);
  EXPECT_EQ(d.records[0].values, (std::vector<double>{1, 2, 3, 4, 3}));
  EXPECT_EQ(d.records[0].attribute.pen, 2);
  EXPECT_EQ(d.records[0].attribute.sub, 1);
  EXPECT_EQ(d.records[0].attribute.layer, 1);
  EXPECT_EQ(d.records[1].attribute.kind, 0);  // white line
  EXPECT_EQ(d.records[1].attribute.layer, 40);
  EXPECT_EQ(d.records[1].values.back(), 0);
  EXPECT_EQ(d.records[2].kind, plm::RecordKind::Circle);
  EXPECT_EQ(d.records[2].values, (std::vector<double>{10, 20, 5, 2, 30, -90, 10, 1.5}));
  EXPECT_EQ(d.records[2].attribute.layer, 128);
  EXPECT_EQ(d.records[2].attribute.sub, 3);
  EXPECT_EQ(d.records[3].kind, plm::RecordKind::Text);
  EXPECT_EQ(d.records[3].text, "右岸\"A\",B\r\nC");
  EXPECT_EQ(d.records[3].attribute.sub, 1);
  EXPECT_EQ(d.records[3].attribute.layer, 9);
  EXPECT_EQ(d.records[3].values, (std::vector<double>{1.5, -2.5, 2.7, 3, 0.3, 0, 0}));
  EXPECT_EQ(d.records[4].text, "");
}

TEST_F(ReadersTest, StandardTextFileRoundTrip) {
  const atz::TextDrawing d = atz::ReadAtz(Write(ktpAtz));
  EXPECT_EQ(d.paperCode, 4);
  EXPECT_EQ(d.PaperScale, 500);
  ASSERT_EQ(d.entries.size(), 5u);
  const auto& line = std::get<atz::LineEntry>(d.entries[0]);
  EXPECT_EQ(line.x2, 3);
  EXPECT_EQ(line.lineType, 1);
  EXPECT_EQ(line.pitch, 3);
  const auto& white = std::get<atz::LineEntry>(d.entries[1]);
  EXPECT_EQ(atz::LayerOf(white.layerPen), 40);
  EXPECT_EQ(atz::PenOf(white.layerPen), 7);
  EXPECT_EQ(white.lineType, 4);
  const auto& arc = std::get<atz::CircleEntry>(d.entries[2]);
  EXPECT_EQ(arc.startAngle, 30);
  EXPECT_EQ(arc.endAngle, -60);
  EXPECT_EQ(atz::LayerOf(arc.layerPen), 128);
  const auto& text = std::get<atz::TextEntry>(d.entries[3]);
  EXPECT_EQ(text.text, "右岸\"A\",B\r\nC");  // quotes, commas and a line break inside survive
  EXPECT_EQ(text.byteCount, 12);
  EXPECT_EQ(text.Style, 1);
  EXPECT_EQ(std::get<atz::TextEntry>(d.entries[4]).text, "");
}

TEST_F(ReadersTest, MalformedStandardDrawingFilesNameTheOffset) {
  const std::string good = Write(ktpPlm);
  auto offsetOf = [](const std::string& bytes) -> std::size_t {
    try {
      plm::ReadPlm(bytes);
    } catch (const plm::FormatError& e) {
      EXPECT_NE(std::string(e.what()).find("offset " + std::to_string(e.offset())), std::string::npos);
      return e.offset();
    }
    ADD_FAILURE() << "accepted";
    return 0;
  };
  EXPECT_EQ(offsetOf(good.substr(0, 1000)), 1000u);  // short header
  std::string bad = good;
  bad[2874] = 'X';
  EXPECT_EQ(offsetOf(bad), 2874u);  // no format tag
  EXPECT_EQ(offsetOf(good.substr(0, 2906 + 20)), 2910u);  // line record cut short
  bad = good;
  bad[2906] = 0;  // bit 0 of the attribute word must be set
  EXPECT_EQ(offsetOf(bad), 2906u);
  bad = good;
  bad[2908] = 1;  // the word after it must be 0
  EXPECT_EQ(offsetOf(bad), 2908u);
  bad = good;
  bad.back() = 'x';  // text without its closing zero byte
  EXPECT_EQ(offsetOf(bad), good.size() - 1);
  EXPECT_THROW(plm::ReadPlmFile("/nonexistent/file.plm"), std::runtime_error);
}

TEST_F(ReadersTest, MalformedStandardTextFilesNameTheLine) {
  auto lineOf = [](std::string_view bytes) -> std::size_t {
    try {
      atz::ReadAtz(bytes);
    } catch (const atz::FormatError& e) {
      EXPECT_NE(std::string(e.what()).find("line " + std::to_string(e.line())), std::string::npos);
      return e.line();
    }
    ADD_FAILURE() << "accepted";
    return 0;
  };
  EXPECT_EQ(lineOf(""), 1u);
  EXPECT_EQ(lineOf("0,3,100.000,1"), 1u);                                  // no CR LF
  EXPECT_EQ(lineOf("0,3,100.000,1\n"), 1u);                                // LF alone
  EXPECT_EQ(lineOf("1,3,100.000,1\r\n"), 1u);                              // not a header
  EXPECT_EQ(lineOf("0,3,100.000,1\r\n1,0.0,0.0,1.0,1.0,1,0\r\n"), 2u);      // field missing
  EXPECT_EQ(lineOf("0,3,100.000,1\r\n1,0.0,0.0,1.0,1.0,1,0,0.0,9\r\n"), 2u);  // field too many
  EXPECT_EQ(lineOf("0,3,100.000,1\r\n1,0.0,x,1.0,1.0,1,0,0.0\r\n"), 2u);    // not a number
  EXPECT_EQ(lineOf("0,3,100.000,1\r\n1,0.0,0.0,1.0,1.0,1,0,0.0\r\n7,1\r\n"), 3u);  // unknown type
  EXPECT_EQ(lineOf("0,3,100.000,1\r\n4,0.0,0.0,0.0,3.0,2.7,0.3,0.0,1,0,5,\"AB\"\r\n"), 2u);  // count
  EXPECT_NO_THROW(atz::ReadAtz("0,3,100.000,1\r\n4,0.0,0.0,0.0,3.0,2.7,0.3,0.0,1,0,2,\"AB\"\r\n"));
  EXPECT_THROW(atz::ReadAtzFile("/nonexistent/file.atz"), std::runtime_error);
}

}  // namespace
}  // namespace plamor

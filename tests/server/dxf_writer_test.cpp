// DXF writer: the fixed header, the trailer, each entity builder, the element
// to entity rules and complete small drawings, byte for byte; every file is
// also read back by ezdxf.
#include "server/formats/dxf_r12_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "platform/settings_store.h"
#include "writer_test_support.h"

namespace plamor {
namespace {

using testing::Circle;
using testing::CrLfLines;
using testing::EzdxfView;
using testing::Line;
using testing::Text;

// The fixed header as the file format lays it down, pair by pair, with the
// layer table for `layers` (and the code-page pairs when asked).
std::string ExpectedHeader(const std::vector<std::string>& layers, bool codePage = false) {
  std::string text = CrLfLines({"  0", "SECTION", "  2", "HEADER", "  9", "$ACADVER", "  1", "AC1009"});
  if (codePage) text += CrLfLines({"  9", "$DWGCODEPAGE", "  3", "ANSI_932"});
  text += CrLfLines({
      "  0", "ENDSEC", "  0", "SECTION", "  2", "TABLES", "  0", "TABLE", "  2", "LTYPE", " 70", "     1",
      "  0", "LTYPE", "  2", "CONTINUOUS", " 70", " 64", "  3", "Solid Line", " 72", " 65", " 73", "  0",
      " 40", "0.0",
      "  0", "LTYPE", "  2", "HIDDEN2", " 70", " 64", "  3", "Hidden", " 72", " 65", " 73", "  2",
      " 40", "3.0", " 49", "1.8", " 49", "-1.2",
      "  0", "LTYPE", "  2", "CENTER2", " 70", "    64", "  3", "CENTER", " 72", "    65", " 73", "     4",
      " 40", "0.375", " 49", "0.2625", " 49", "-0.0375", " 49", "0.0375", " 49", "-0.0375",
      "  0", "LTYPE", "  2", "PHANTOM2", " 70", "    64", "  3", "PHANTOM", " 72", "    65", " 73", "     6",
      " 40", "0.45", " 49", "0.2625", " 49", "-0.0375", " 49", "0.0375", " 49", "-0.0375", " 49", "0.0375",
      " 49", "-0.0375",
      "  0", "ENDTAB", "  0", "TABLE", "  2", "STYLE", " 70", "     1",
      "  0", "STYLE", "  2", "YOKOGAKI", " 70", "     0", " 40", "0.0", " 41", "1.0", " 50", "0.0",
      " 71", "     0", " 42", "0.2", "  3", "romans.shx", "  4", "bigfont.shx",
      "  0", "STYLE", "  2", "TATEGAKI", " 70", "     4", " 40", "0.0", " 41", "1.0", " 50", "0.0",
      " 71", "     0", " 42", "0.2", "  3", "romans.shx", "  4", "bigfont.shx",
      "  0", "ENDTAB", "  0", "TABLE"});
  text += CrLfLines({"  2", "LAYER", " 70", "   " + std::to_string(layers.size() + 1)});
  for (const std::string& name : layers)
    text += CrLfLines({" 0", "LAYER", " 2", name, "70", " 0", "62", " 7", " 6", "CONTINUOUS"});
  text += CrLfLines({
      "  0", "ENDTAB", "  0", "TABLE", "  2", "STYLE", " 70", "     1",
      "  0", "STYLE", "  2", "STANDARD", " 70", "     0", " 40", "0.0", " 41", "1.0", " 50", "0.0",
      " 71", "     0", " 42", "0.2", "  3", "romans.shx", "  4", "bigfont.shx",
      "  0", "ENDTAB", "  0", "TABLE", "  2", "VIEW", " 70", "     0", "  0", "ENDTAB", "  0", "ENDSEC",
      "  0", "SECTION", "  2", "BLOCKS", "  0", "ENDSEC", "  0", "SECTION", "  2", "ENTITIES"});
  return text;
}

std::vector<std::string> GeneratedLayers() {
  std::vector<std::string> names;
  char name[16];
  for (int i = 1; i <= 128; ++i) {
    std::snprintf(name, sizeof name, "Layer-%03d", i);
    names.emplace_back(name);
  }
  return names;
}

const std::string kTrailer = CrLfLines({"  0", "ENDSEC", "  0", "EOF"});

// Writes a whole DXF file as the output run does: header, every element, trailer.
template <typename... Elements>
std::string WriteDxf(Elements&... elements) {
  MemoryOutputFile file;
  file.Open("drawing.dxf", OpenMode::kText);
  const WriteContext context = testing::RunContext(ktpDxf);
  DrawingWriter writer(ktpDxf, file, context);
  EXPECT_EQ(writer.Header({}), SaveOk);
  for (clsZElement* element : std::vector<clsZElement*>{elements.get()...})
    EXPECT_EQ(writer.Element(*element), SaveOk);
  writer.Trailer();
  file.Close();
  return file.bytes();
}

class DxfWriterTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::ResetWriterSettings(); }
  testing::TempFolder temp_;  // also keeps the user settings apart
};

std::filesystem::path SaveToDisk(const testing::TempFolder& temp, const std::string& name,
                                 const std::string& bytes) {
  DiskOutputFile file;
  const auto path = temp / name;
  EXPECT_FALSE(file.Open(path.string(), OpenMode::kText).has_value());
  EXPECT_FALSE(file.Write(bytes).error.has_value());
  EXPECT_FALSE(file.Close().has_value());
  return path;
}

TEST_F(DxfWriterTest, GroupRealAndTrailerTexts) {
  EXPECT_EQ(dxf::DxfGroupReal(10, -0.5), "10\r\n-0.5000\r\n");
  EXPECT_EQ(dxf::DxfGroupReal(20, 1234.56789), "20\r\n1234.5679\r\n");
  EXPECT_EQ(dxf::DxfGroupReal(40, 0), "40\r\n0.0000\r\n");
  EXPECT_EQ(dxf::DxfTrailerText(), "  0\r\nENDSEC\r\n  0\r\nEOF");
}

TEST_F(DxfWriterTest, HeaderWithoutLayerNamesGeneratesAll128AndKeepsThem) {
  const std::string header = dxf::DxfHeaderText(testing::RunContext(ktpDxf));
  const std::string expected = ExpectedHeader(GeneratedLayers());
  EXPECT_EQ(header + "\r\n", expected);
  EXPECT_NE(header.find(" 70\r\n   129\r\n"), std::string::npos);
  EXPECT_EQ(Settings().LayerName[1], "Layer-001");
  EXPECT_EQ(Settings().LayerName[128], "Layer-128");
  EXPECT_EQ(dxf::DxfHeaderText(testing::RunContext(ktpDxf)), header);  // a later file of the process lists the same layers
}

TEST_F(DxfWriterTest, HeaderWithOneNamedLayerListsOnlyIt) {
  Settings().LayerName[3] = "A";
  EXPECT_EQ(dxf::DxfHeaderText(testing::RunContext(ktpDxf)) + "\r\n", ExpectedHeader({"A"}));
  EXPECT_TRUE(Settings().LayerName[1].empty());
}

TEST_F(DxfWriterTest, HeaderDeclaresJapaneseCodePageOnlyWhenTheUserOptsIn) {
  Settings().LayerName[1] = "A";
  settings::SaveSetting("Corvane", "Common", "DxfCodePage", "");
  EXPECT_EQ(dxf::DxfHeaderText(testing::RunContext(ktpDxf)) + "\r\n", ExpectedHeader({"A"}));
  settings::SaveSetting("Corvane", "Common", "DxfCodePage", "ANSI_932");
  EXPECT_EQ(dxf::DxfHeaderText(testing::RunContext(ktpDxf)) + "\r\n", ExpectedHeader({"A"}, true));
}

TEST_F(DxfWriterTest, EntityBuilders) {
  EXPECT_EQ(dxf::DxfLine(1, 2, 0, 3, -4.25, 0, "L", "HIDDEN2", "1") + "\r\n",
            CrLfLines({"  0", "LINE", "  8", "L", " 62", "1", "  6", "HIDDEN2", "10", "1.0000", "20", "2.0000",
                       "30", "0.0000", "11", "3.0000", "21", "-4.2500", "31", "0.0000"}));
  EXPECT_EQ(dxf::DxfCircle(10, 20, 0, 5, "L", "CONTINUOUS", "3") + "\r\n",
            CrLfLines({"  0", "CIRCLE", "  8", "L", " 62", "3", "  6", "CONTINUOUS", "10", "10.0000", "20",
                       "20.0000", "30", "0.0000", "40", "5.0000"}));
  EXPECT_EQ(dxf::DxfArc(0, 0, 0, 2, 340, 10, "L", "CENTER2", "6") + "\r\n",
            CrLfLines({"  0", "ARC", "  8", "L", " 62", "6", "  6", "CENTER2", "10", "0.0000", "20", "0.0000",
                       "30", "0.0000", "40", "2.0000", "50", "340.0000", "51", "10.0000"}));
  EXPECT_EQ(dxf::DxfText(3, 1, 2, 0, 90, "ABC", "L", "CONTINUOUS", "7") + "\r\n",
            CrLfLines({"  0", "TEXT", "  8", "L", " 62", "7", "  6", "CONTINUOUS", "10", "1.0000", "20", "2.0000",
                       "30", "0.0000", "40", "3.0000", "  1", "ABC", "50", "90.0000", " 41", "0.5000", " 51",
                       "0.000", "  7", "YOKOGAKI"}));
  EXPECT_EQ(dxf::DxfVerticalText(3, 1, 2, 0, 0, "ABC", "L", "CONTINUOUS", "7") + "\r\n",
            CrLfLines({"  0", "TEXT", "  8", "L", " 62", "7", "  6", "CONTINUOUS", "10", "1.0000", "20", "2.0000",
                       "30", "0.0000", "40", "3.0000", "  1", "ABC", "50", "0.0000", " 41", "0.8200", " 51",
                       "0.000", "  7", "TATEGAKI"}));
  // One double-byte character makes a horizontal text wide.
  EXPECT_NE(dxf::DxfText(3, 0, 0, 0, 0, "ABあ", "L", "CONTINUOUS", "7").find(" 41\r\n0.8200"), std::string::npos);
}

TEST_F(DxfWriterTest, LineTypesColoursAndArcAngles) {
  EXPECT_EQ(dxf::LineTypeName(ktpdash, 2), "HIDDEN2");
  EXPECT_EQ(dxf::LineTypeName(ktpdashdot, 3), "CENTER2");
  EXPECT_EQ(dxf::LineTypeName(ktpdashdotdot, 1), "PHANTOM2");
  EXPECT_EQ(dxf::LineTypeName(2, 1), "CONTINUOUS");
  for (int style : {0, 1, 3, 4}) EXPECT_EQ(dxf::LineTypeName(style, 7), "CONTINUOUS");

  auto a = dxf::ArcFromSweep(10, -30);
  EXPECT_FALSE(a.circle);
  EXPECT_EQ(a.start, 340);
  EXPECT_EQ(a.end, 10);
  a = dxf::ArcFromSweep(30, -10);
  EXPECT_EQ(a.start, 20);
  EXPECT_EQ(a.end, 30);
  a = dxf::ArcFromSweep(350, 359.9);  // the end is not brought back into 0..360
  EXPECT_DOUBLE_EQ(a.end, 709.9);
  EXPECT_TRUE(dxf::ArcFromSweep(45, 360).circle);
  a = dxf::ArcFromSweep(0, -400);  // 360 is added once only
  EXPECT_EQ(a.start, -40);
}

TEST_F(DxfWriterTest, IsSingleByteText) {
  EXPECT_TRUE(dxf::IsSingleByteText(""));
  EXPECT_TRUE(dxf::IsSingleByteText("ABC 123"));
  EXPECT_TRUE(dxf::IsSingleByteText("ｱｲｳ"));  // half-width kana are one byte
  EXPECT_FALSE(dxf::IsSingleByteText("AB川"));
}

TEST_F(DxfWriterTest, OneLineDrawing) {
  Settings().LayerName[1] = "Kasen";
  auto line = Line(0, 0, 100.5, -20.25, 2, 1, ktpdash, 3);
  const std::string bytes = WriteDxf(line);
  EXPECT_EQ(bytes, ExpectedHeader({"Kasen"}) +
                       CrLfLines({"  0", "LINE", "  8", "Kasen", " 62", "1", "  6", "HIDDEN2", "10", "0.0000", "20",
                                  "0.0000", "30", "0.0000", "11", "100.5000", "21", "-20.2500", "31", "0.0000"}) +
                       kTrailer);
  const std::string view = EzdxfView(SaveToDisk(temp_, "line.dxf", bytes));
  EXPECT_NE(view.find("\"audit_errors\": []"), std::string::npos) << view;
  EXPECT_NE(view.find("{\"color\": 1, \"end\": [100.5, -20.25, 0.0], \"layer\": \"Kasen\", \"linetype\": "
                      "\"HIDDEN2\", \"start\": [0.0, 0.0, 0.0], \"type\": \"LINE\"}"),
            std::string::npos)
      << view;
}

TEST_F(DxfWriterTest, WhiteLineIsContinuous) {
  auto white = Line(1, 1, 2, 2, 7, 1, ktpdash, 3);
  const std::string bytes = WriteDxf(white);
  EXPECT_NE(bytes.find("  8\r\nLayer-001\r\n 62\r\n7\r\n  6\r\nCONTINUOUS\r\n"), std::string::npos);
  const std::string view = EzdxfView(SaveToDisk(temp_, "white.dxf", bytes));
  EXPECT_NE(view.find("\"audit_errors\": []"), std::string::npos) << view;
  EXPECT_NE(view.find("\"color\": 7"), std::string::npos) << view;
}

TEST_F(DxfWriterTest, CircleArcAndEllipseDrawing) {
  Settings().LayerName[2] = "En";
  auto circle = Circle(10, 20, 5, 5, 0, 360, 1, 2);
  auto arc = Circle(-1, -2, 3, 3, 10, -30, 4, 2, ktpdashdot, 1);
  auto nearlyFull = Circle(0, 0, 1, 1, 15, 359.9, 5, 2, ktpdashdotdot, 1);
  auto ellipse = Circle(0, 0, 5, 2, 0, 360, 6, 2, 0, 0, 30);
  const std::string bytes = WriteDxf(circle, arc, nearlyFull, ellipse);
  EXPECT_EQ(bytes,
            ExpectedHeader({"En"}) +
                CrLfLines({"  0", "CIRCLE", "  8", "En", " 62", "3", "  6", "CONTINUOUS", "10", "10.0000", "20",
                           "20.0000", "30", "0.0000", "40", "5.0000"}) +
                CrLfLines({"  0", "ARC", "  8", "En", " 62", "5", "  6", "CENTER2", "10", "-1.0000", "20", "-2.0000",
                           "30", "0.0000", "40", "3.0000", "50", "340.0000", "51", "10.0000"}) +
                CrLfLines({"  0", "ARC", "  8", "En", " 62", "4", "  6", "PHANTOM2", "10", "0.0000", "20", "0.0000",
                           "30", "0.0000", "40", "1.0000", "50", "15.0000", "51", "374.9000"}) +
                CrLfLines({"  0", "CIRCLE", "  8", "En", " 62", "2", "  6", "CONTINUOUS", "10", "0.0000", "20",
                           "0.0000", "30", "0.0000", "40", "5.0000"}) +
                kTrailer);
  const std::string view = EzdxfView(SaveToDisk(temp_, "circles.dxf", bytes));
  EXPECT_NE(view.find("\"audit_errors\": []"), std::string::npos) << view;
  EXPECT_NE(view.find("\"end_angle\": 10.0, \"layer\": \"En\", \"linetype\": \"CENTER2\", \"radius\": 3.0, "
                      "\"start_angle\": 340.0, \"type\": \"ARC\""),
            std::string::npos)
      << view;
}

TEST_F(DxfWriterTest, JapaneseTextsHorizontalAndVertical) {
  Settings().LayerName[1] = "文字";
  auto horizontal = Text("水位ABC", 1, 2, ktpYoko, 3);
  horizontal->height = 2.5;
  horizontal->lang = 30;
  auto single = Text("H.W.L", 5, 6, ktpYoko, 2);
  auto vertical = Text("左岸", 7, 8, ktpTate, 1);
  const std::string bytes = WriteDxf(horizontal, single, vertical);
  const std::string expected =
      ExpectedHeader({"文字"}) +
      CrLfLines({"  0", "TEXT", "  8", "文字", " 62", "6", "  6", "CONTINUOUS", "10", "1.0000", "20", "2.0000", "30",
                 "0.0000", "40", "2.5000", "  1", "水位ABC", "50", "30.0000", " 41", "0.8200", " 51", "0.000", "  7",
                 "YOKOGAKI"}) +
      CrLfLines({"  0", "TEXT", "  8", "文字", " 62", "1", "  6", "CONTINUOUS", "10", "5.0000", "20", "6.0000", "30",
                 "0.0000", "40", "3.0000", "  1", "H.W.L", "50", "0.0000", " 41", "0.5000", " 51", "0.000", "  7",
                 "YOKOGAKI"}) +
      CrLfLines({"  0", "TEXT", "  8", "文字", " 62", "3", "  6", "CONTINUOUS", "10", "7.0000", "20", "8.0000", "30",
                 "0.0000", "40", "3.0000", "  1", "左岸", "50", "0.0000", " 41", "0.8200", " 51", "0.000", "  7",
                 "TATEGAKI"}) +
      kTrailer;
  EXPECT_EQ(bytes, cp932::FromUtf8(expected));
  const std::string view = EzdxfView(SaveToDisk(temp_, "texts.dxf", bytes));
  EXPECT_NE(view.find("\"audit_errors\": []"), std::string::npos) << view;
  EXPECT_NE(view.find("\"text\": \"\\u6c34\\u4f4dABC\""), std::string::npos) << view;  // 水位ABC
  EXPECT_NE(view.find("\"style\": \"TATEGAKI\", \"text\": \"\\u5de6\\u5cb8\""), std::string::npos) << view;
  EXPECT_NE(view.find("\"name\": \"\\u6587\\u5b57\""), std::string::npos) << view;  // layer 文字
}

TEST_F(DxfWriterTest, CodePageSettingLetsReadersFindTheEncoding) {
  settings::SaveSetting("Corvane", "Common", "DxfCodePage", "ANSI_932");
  auto text = Text("河川横断図", 0, 0);
  const std::string bytes = WriteDxf(text);
  EXPECT_EQ(bytes.find(ExpectedHeader(GeneratedLayers(), true)), 0u);
  const std::string view = EzdxfView(SaveToDisk(temp_, "codepage.dxf", bytes), nullptr);
  EXPECT_NE(view.find("\"audit_errors\": []"), std::string::npos) << view;
  EXPECT_NE(view.find("\"text\": \"\\u6cb3\\u5ddd\\u6a2a\\u65ad\\u56f3\""), std::string::npos) << view;
}

TEST_F(DxfWriterTest, PenZeroAndRemovedElementsAreAbsent) {
  Settings().LayerName[1] = "A";
  auto black = Line(0, 0, 1, 1, 0);
  auto removed = Circle(0, 0, 1, 1, 0, 360);
  removed->Tag = "DEL";
  auto blackText = Text("x", 0, 0, 0, 0);
  auto kept = Line(0, 0, 2, 2, 1);
  const std::string bytes = WriteDxf(black, removed, blackText, kept);
  EXPECT_EQ(bytes, ExpectedHeader({"A"}) +
                       CrLfLines({"  0", "LINE", "  8", "A", " 62", "3", "  6", "CONTINUOUS", "10", "0.0000", "20",
                                  "0.0000", "30", "0.0000", "11", "2.0000", "21", "2.0000", "31", "0.0000"}) +
                       kTrailer);
  const std::string view = EzdxfView(SaveToDisk(temp_, "pen0.dxf", bytes));
  EXPECT_NE(view.find("\"audit_errors\": []"), std::string::npos) << view;
}

TEST_F(DxfWriterTest, DrawingWithAllElementsRemoved) {
  auto a = Line(0, 0, 1, 1);
  a->Tag = "DEL";
  auto b = Text("t", 0, 0, 0, 0);
  const std::string bytes = WriteDxf(a, b);
  EXPECT_EQ(bytes, ExpectedHeader(GeneratedLayers()) + kTrailer);
  const std::string view = EzdxfView(SaveToDisk(temp_, "empty.dxf", bytes));
  EXPECT_NE(view.find("\"audit_errors\": []"), std::string::npos) << view;
  EXPECT_NE(view.find("\"entities\": []"), std::string::npos) << view;
}

TEST_F(DxfWriterTest, UnnamedLayerIsLayerZeroAndStrayPenIsPenSeven) {
  Settings().LayerName[3] = "A";
  auto onUnnamed = Line(0, 0, 1, 0, 2, 5, ktpdash);
  auto strayPen = Line(0, 0, 0, 1, 12, 3, ktpdash);
  auto negativePen = Circle(0, 0, 1, 1, 0, 360, -3, 3, ktpdashdot);
  const std::string bytes = WriteDxf(onUnnamed, strayPen, negativePen);
  EXPECT_NE(bytes.find("LINE\r\n  8\r\n0\r\n 62\r\n1\r\n  6\r\nHIDDEN2\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("LINE\r\n  8\r\nA\r\n 62\r\n7\r\n  6\r\nCONTINUOUS\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("CIRCLE\r\n  8\r\nA\r\n 62\r\n7\r\n  6\r\nCONTINUOUS\r\n"), std::string::npos);
  const std::string view = EzdxfView(SaveToDisk(temp_, "layers.dxf", bytes));
  EXPECT_NE(view.find("\"audit_errors\": []"), std::string::npos) << view;
  EXPECT_NE(view.find("\"layer\": \"0\""), std::string::npos) << view;
}

TEST_F(DxfWriterTest, TextWithLineBreakStaysOneValueAndUnmappableCharactersBecomeQuestionMarks) {
  Settings().LayerName[1] = "A";
  auto broken = Text("上\n下", 0, 0);
  auto foreign = Text("Ω😀", 0, 0);  // Greek is in CP932, the emoji is not
  const std::string bytes = WriteDxf(broken, foreign);
  EXPECT_NE(bytes.find("  1\r\n" + cp932::FromUtf8("上^J下") + "\r\n50\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("  1\r\n" + cp932::FromUtf8("Ω") + "?\r\n50\r\n"), std::string::npos);
  const std::string view = EzdxfView(SaveToDisk(temp_, "odd.dxf", bytes));
  EXPECT_NE(view.find("\"audit_errors\": []"), std::string::npos) << view;
}

TEST_F(DxfWriterTest, CaretsAndControlCharactersAreWrittenInCaretForm) {
  Settings().LayerName[1] = "A^B";
  Settings().LayerName[2] = "上^\t";
  auto caret = Text("x^2\ty", 0, 0);
  auto kanji = Text("／^", 0, 0, 0, 1, 2);  // the second byte of "／" is the caret's byte
  const std::string bytes = WriteDxf(caret, kanji);
  EXPECT_NE(bytes.find("  1\r\nx^ 2^Iy\r\n50\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("  1\r\n\x81^^ \r\n50\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("TEXT\r\n  8\r\nA^ B\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("TEXT\r\n  8\r\n" + cp932::FromUtf8("上") + "^ ^I\r\n"), std::string::npos);
  EXPECT_NE(bytes.find(" 2\r\nA^ B\r\n70\r\n"), std::string::npos);  // the layer table
  EXPECT_NE(dxf::DxfText(3, 0, 0, 0, 0, "a^", "L", "CONTINUOUS", "7").find("  1\r\na^ \r\n"), std::string::npos);
  const std::string view = EzdxfView(SaveToDisk(temp_, "carets.dxf", bytes));
  EXPECT_NE(view.find("\"audit_errors\": []"), std::string::npos) << view;
}

TEST_F(DxfWriterTest, LayerOutsideTheTableIsAFileErrorNotACrash) {
  testing::ExpectLayerRefused(ktpDxf, *Line(0, 0, 1, 1, 1, 200), testing::RunContext(ktpDxf));
}

TEST_F(DxfWriterTest, UnknownOutputKindWritesNothing) {
  auto line = Line(0, 0, 1, 1);
  MemoryOutputFile file;
  file.Open("x", OpenMode::kText);
  const WriteContext context = testing::RunContext(ktpDxf);
  EXPECT_EQ(DrawingWriter(static_cast<ktpPlamorType>(7), file, context).Element(*line), SaveOk);
  EXPECT_TRUE(file.bytes().empty());
}

}  // namespace
}  // namespace plamor

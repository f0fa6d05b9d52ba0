// Our drawing files read into one form for conversion and pictures, the
// pictures themselves, and the relay that follows a control's drawing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "drawings/drawing_files.h"
#include "drawings/outputs/raster_picture.h"
#include "drawings/sheet_geometry.h"
#include "apps/plamor_draw/option_values.h"
#include "sheets/hq_pens.h"
#include "cli/input_error.h"
#include "apps/plamor_draw/relay/plamor_relay.h"
#include "platform/cp932.h"
#include "server/types.h"
#include "tests/support/recording_plamor.h"

using namespace plamor;
using namespace plamor::draw;
using namespace plamor::drawings;
using namespace plamor::sheets;
namespace fs = std::filesystem;

namespace {

// A standard text file on an A3 sheet at scale 100: a dashed line, a line of
// pen 7 that keeps its pitch, a solid circle of layer 12, a vertical text.
const char* const kSheet =
    "0,3,100.000,1\r\n"
    "1,0.000,0.000,42000.000,0.000,2,1,200.000\r\n"
    "1,100.000,200.000,1000.000,200.000,47,4,300.000\r\n"
    "3,5000.000,5000.000,1000.000,1000.000,0.000,360.000,0.000,113,0,0.000\r\n"
    "4,30000.000,20000.000,0.000,300.000,270.000,30.000,90.000,6,1,6,\"縦書き\"\r\n";

fs::path WriteFile(const std::string& name, const std::string& utf8) {
  const fs::path file = fs::temp_directory_path() / name;
  std::ofstream(file, std::ios::binary) << cp932::FromUtf8(utf8);
  return file;
}

}  // namespace

TEST(DrawingModel, StandardTextFileReadsIntoDrawingUnits) {
  const fs::path file = WriteFile("plamor_draw_sheet.atz", kSheet);
  const DrawingModel m = ReadDrawingFile(file);
  fs::remove(file);
  EXPECT_EQ(m.sheet.paperSize, ktpA3);
  EXPECT_DOUBLE_EQ(m.sheet.scale, 100);
  EXPECT_DOUBLE_EQ(m.sheet.tate, 297);
  EXPECT_DOUBLE_EQ(m.sheet.yoko, 420);
  ASSERT_EQ(m.elements.size(), 4u);

  const auto& dashed = std::get<LineElement>(m.elements[0]);
  EXPECT_EQ(dashed.stroke.style, ktpdash);
  EXPECT_EQ(dashed.stroke.pen, 2);
  EXPECT_DOUBLE_EQ(dashed.stroke.pitch, 200);
  const auto& pen7 = std::get<LineElement>(m.elements[1]);
  EXPECT_EQ(pen7.stroke.pen, 7);
  EXPECT_EQ(pen7.stroke.layer, 5);
  EXPECT_EQ(pen7.stroke.style, ktpdash);  // so that its pitch is written again
  EXPECT_DOUBLE_EQ(pen7.stroke.pitch, 300);
  const auto& circle = std::get<ArcElement>(m.elements[2]);
  EXPECT_EQ(circle.stroke.layer, 12);
  EXPECT_EQ(circle.stroke.pen, 3);
  EXPECT_DOUBLE_EQ(circle.mang, 360);
  const auto& text = std::get<TextElement>(m.elements[3]);
  EXPECT_TRUE(text.vertical);
  EXPECT_EQ(text.text, "縦書き");
  EXPECT_DOUBLE_EQ(text.height, 300);
  EXPECT_DOUBLE_EQ(text.width, 270);
  EXPECT_DOUBLE_EQ(text.between, 30);
  EXPECT_DOUBLE_EQ(text.lang, 90);
  EXPECT_EQ(text.pen, 6);
}

TEST(DrawingModel, FaultyFilesNameWhereTheyGoWrong) {
  const fs::path atz = WriteFile("plamor_draw_bad.atz", "0,3,1.000,1\r\n1,0.000,x\r\n");
  try {
    ReadDrawingFile(atz);
    ADD_FAILURE() << "a broken record was read";
  } catch (const InputError& e) {
    EXPECT_NE(std::string(e.what()).find("plamor_draw_bad.atz: line 2"), std::string::npos) << e.what();
  }
  fs::remove(atz);
  const fs::path plm = WriteFile("plamor_draw_bad.plm", "PLMV2 but far too short");
  EXPECT_THROW(ReadDrawingFile(plm), InputError);
  fs::remove(plm);
  EXPECT_THROW(ReadDrawingFile(fs::temp_directory_path() / "plamor_draw_none.plm"), InputError);
  const fs::path other = WriteFile("plamor_draw_sheet.dxf", "0\r\nEOF\r\n");
  EXPECT_THROW(ReadDrawingFile(other), InputError);
  fs::remove(other);
}

TEST(DrawingModel, DamagedNumbersAreRefusedNamingFileAndRecordOnce) {
  auto errorOf = [](const std::string& name, const std::string& bytes) -> std::string {
    const fs::path file = fs::temp_directory_path() / name;
    std::ofstream(file, std::ios::binary) << bytes;
    std::string message = "no error";
    try {
      ReadDrawingFile(file);
    } catch (const InputError& e) {
      message = e.what();
    }
    fs::remove(file);
    return message;
  };
  const std::string base = (fs::temp_directory_path() / "plamor_draw_damaged").string();
  // A standard drawing file: a header and one line record whose x1 is NaN,
  // then one whose pitch is infinite.
  std::string header(2906, '\0');
  header.replace(2874, 6, std::string("PLMV2\0", 6));
  auto record = [](double x1, double pitch) {
    std::string r(4 + 5 * 8, '\0');
    r[0] = 0x05;
    std::memcpy(r.data() + 4, &x1, 8);
    std::memcpy(r.data() + 4 + 32, &pitch, 8);
    return r;
  };
  EXPECT_EQ(errorOf("plamor_draw_damaged.plm", header + record(std::nan(""), 1)),
            base + ".plm: byte 2910: x1 is NaN, not a finite number");
  EXPECT_EQ(errorOf("plamor_draw_damaged.plm", header + record(1, 2) + record(1, HUGE_VAL)),
            base + ".plm: byte 2986: pitch is infinite, not a finite number");
  std::string badScale = header;
  const double inf = -HUGE_VAL;
  std::memcpy(badScale.data() + 2866, &inf, 8);
  EXPECT_EQ(errorOf("plamor_draw_damaged.plm", badScale), base + ".plm: byte 2866: PaperScale is infinite, not a finite number");

  // A standard text file: the place is said once, a number beyond the range
  // of a double is refused, and a field is shown escaped and cut.
  const std::string head = "0,3,100.000,1\r\n";
  EXPECT_EQ(errorOf("plamor_draw_damaged.atz", head + "1,1" + std::string(400, '0') + ".0,0.0,1.0,1.0,0,0,0.0\r\n"),
            base + ".atz: line 2: field 2 (x1) \"1" + std::string(39, '0') +
                "...\" (403 bytes) is beyond the range of a real number");
  EXPECT_EQ(errorOf("plamor_draw_damaged.atz", head + "1,0.0,1\f\x1b[2J,1.0,1.0,0,0,0.0\r\n"),
            base + ".atz: line 2: field 3 (y1) is not a real number: \"1\\f\\x1B[2J\"");
  EXPECT_EQ(errorOf("plamor_draw_damaged.atz", head + "1,0.0,0.0,1.0,1.0,0,0," + std::string(100000, '7') + "x\r\n"),
            base + ".atz: line 2: field 8 (pitch) is not a real number: \"" + std::string(40, '7') +
                "...\" (100001 bytes)");
}

TEST(DrawingPicture, TheSheetFillsThePictureInItsProportions) {
  const fs::path file = WriteFile("plamor_draw_picture.atz", kSheet);
  const DrawingModel m = ReadDrawingFile(file);
  fs::remove(file);
  // The sheet of 42000 x 29700 drawing units, with a margin of 2 % of its long side all round.
  const double ratio = (29700 + 2 * 840.0) / (42000 + 2 * 840.0);
  EXPECT_NEAR(PictureRatio(m), ratio, 1e-9);
  const auto dc = DrawPicture(m, 840, PLAMOR_BIN_DIR "/M_G_L.KVD");
  EXPECT_EQ(dc->Width(), 840);
  EXPECT_NEAR(dc->Height(), 840 * ratio, 1);
  long lit = 0;
  for (ColorRef c : dc->Pixels()) lit += c != Rgb(0, 0, 0);
  EXPECT_GT(lit, 400);  // the dashed bottom line alone crosses the picture

  DrawingModel portrait;
  portrait.sheet.portrait = true;
  EXPECT_NEAR(PictureRatio(portrait), (420 + 2 * 8.4) / (297 + 2 * 8.4), 1e-9);
}

TEST(PlamorRelay, PassesCallsOnAndFollowsTheDrawing) {
  auto recording = std::make_unique<plamor::testing::RecordingPlamor>();
  plamor::testing::RecordingPlamor& inner = *recording;
  long elements = 0, atOutput = -1;
  bool clearedAfterHook = false;
  RelayHooks hooks;
  hooks.onElement = [&](long n) { elements = n; };
  hooks.onOutput = [&](long n) { atOutput = n; };
  hooks.beforeClear = [&] { clearedAfterHook = inner.calls.empty() || inner.calls.back() != "Clear"; };
  hooks.presetFileName = "/tmp/x.dxf";
  PlamorRelay relay(std::move(recording), hooks);
  relay.put_FileName("");
  relay.Sen(0, 0, 1, 1, {});
  relay.Moji(0, 0, "A", 0, 0, 0, {});
  relay.En(0, 0, 1, {});
  relay.OutPutPlamor("M_G_L.KVD");
  relay.Clear();
  EXPECT_EQ(inner.FileName_, "/tmp/x.dxf");
  EXPECT_EQ(elements, 3);
  EXPECT_EQ(atOutput, 3);
  EXPECT_TRUE(clearedAfterHook);
  EXPECT_EQ(inner.calls.back(), "Clear");
  relay.put_FileName("/chosen.dxf");  // a name the host gives stays as it is
  EXPECT_EQ(inner.FileName_, "/chosen.dxf");
}

TEST(HqPens, StoredOnceAndReadBack) {
  const fs::path config = fs::temp_directory_path() / "plamor_draw_pens";
  fs::remove_all(config);
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  EXPECT_FALSE(HqPensStored());
  const HqPenOption option = ParseHqPens("1,2,3,4,5");
  EXPECT_FALSE(option.curve);
  SaveHqPens(option.pens);
  EXPECT_TRUE(HqPensStored());
  std::ifstream ini(config / "tessaro" / "MORVALDENIK.ini");
  const std::string text{std::istreambuf_iterator<char>(ini), {}};
  EXPECT_NE(text.find("Hougan1Pen=1"), std::string::npos);
  EXPECT_NE(text.find("TytlePen=5"), std::string::npos);
  EXPECT_EQ(ParseHqPens("1,2,3,4,5,6").curve, 6);
  EXPECT_EQ(HqCurvePen(), kDefaultCurvePen);
  SaveHqCurvePen(4);
  EXPECT_EQ(HqCurvePen(), 4);
  for (const char* bad : {"1,2,3,4", "1,2,3,4,8", "1,2,3,4,0", "1,2,3,4,5,9", "1,2,3,4,5,6,7"})
    EXPECT_THROW(ParseHqPens(bad), UsageError) << bad;
  EXPECT_EQ(HqPensText(kDefaultHqPens), "7,1,7,2,7");
  fs::remove_all(config);
}

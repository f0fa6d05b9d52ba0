// The view transform, clipping, the output stage and the session frame.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cmath>
#include <cstring>

#include "graphic/output_stage.h"
#include "graphic/view.h"
#include "platform/prompts_scripted.h"
#include "test_support.h"

using namespace graphic_test;
using plamor::Point;
using plamor::Rgb;
using plamor::graphic::ClipResult;
using plamor::graphic::ClipSegment;
using plamor::graphic::DPoint;
using plamor::graphic::DRect;

using ViewTest = SessionTest;

TEST_F(ViewTest, MapsTheWorldWindowOntoADeviceRectangleOneRowShortOfTheClientHeight) {
  Open(200, 100);
  EXPECT_EQ(SetObjectView(dc()), 200);
  SetView(0, 0, 10, 5);
  // Zero-length lines at the window's corners: one pixel each.
  DispLine(dc(), 0, 0, 0, 0, 0, 0);
  DispLine(dc(), 10, 5, 10, 5, 0, 0);
  ASSERT_EQ(rec_.pixels.size(), 2u);
  EXPECT_EQ(rec_.pixels[0].x, 0);
  EXPECT_EQ(rec_.pixels[0].y, 99);
  EXPECT_EQ(rec_.pixels[0].color, Rgb(0, 0, 0));
  EXPECT_EQ(rec_.pixels[1].x, 200);
  EXPECT_EQ(rec_.pixels[1].y, 0);
  EXPECT_TRUE(rec_.polylines.empty());
  EXPECT_EQ(dc_->GetPixel(0, 99), Rgb(0, 0, 0));
}

TEST_F(ViewTest, ClipsLinesAtEachEdgeAndRejectsLinesWhollyOutside) {
  Open(200, 100);
  SetPlamorView(0, 0, 10, 5);
  DispLine(dc(), -5, 2.5, 5, 2.5, 0, 0);   // crosses the left edge
  DispLine(dc(), 5, 2.5, 15, 2.5, 0, 0);   // the right edge
  DispLine(dc(), 5, -1, 5, 2.5, 0, 0);     // the bottom edge
  DispLine(dc(), 5, 2.5, 5, 10, 0, 0);     // the top edge
  DispLine(dc(), -5, 1, -1, 4, 0, 0);      // both ends left of the window
  DispLine(dc(), 2, 6, 8, 7, 0, 0);        // both ends above
  ASSERT_EQ(rec_.polylines.size(), 4u);
  EXPECT_EQ(rec_.polylines[0], (std::vector<Point>{{0, 50}, {100, 50}}));
  EXPECT_EQ(rec_.polylines[1], (std::vector<Point>{{100, 50}, {200, 50}}));
  EXPECT_EQ(rec_.polylines[2], (std::vector<Point>{{100, 99}, {100, 50}}));
  EXPECT_EQ(rec_.polylines[3], (std::vector<Point>{{100, 50}, {100, 0}}));
  EXPECT_TRUE(rec_.pixels.empty());
}

TEST_F(ViewTest, StyleAndColourKeepTheirLowBitsAndColoursOneAndFourExchange) {
  Open(200, 100);
  SetView(0, 0, 10, 5);
  DispLine(dc(), 0, 2.5, 10, 2.5, 5, 9);  // style 1 (dotted), colour 1 (green)
  ASSERT_EQ(rec_.pens.size(), 1u);
  EXPECT_EQ(rec_.pens[0].style, plamor::PenStyle::kDot);
  EXPECT_EQ(rec_.pens[0].color, Rgb(0, 255, 0));
  for (int x = 0; x < 200; ++x) {
    const bool on = (x % 8) < 5;
    EXPECT_EQ(dc_->GetPixel(x, 50), on ? Rgb(0, 255, 0) : Rgb(255, 255, 255)) << "column " << x;
  }
  DispLine(dc(), 0, 1, 10, 1, 0, 4);
  DispLine(dc(), 0, 1, 10, 1, 2, 2);
  DispLine(dc(), 0, 1, 10, 1, 3, 7);
  ASSERT_EQ(rec_.pens.size(), 4u);
  EXPECT_EQ(rec_.pens[1], (plamor::Pen{plamor::PenStyle::kSolid, Rgb(0, 0, 255)}));
  EXPECT_EQ(rec_.pens[2], (plamor::Pen{plamor::PenStyle::kDashDot, Rgb(255, 0, 0)}));
  EXPECT_EQ(rec_.pens[3], (plamor::Pen{plamor::PenStyle::kDashDotDot, Rgb(255, 255, 255)}));
}

TEST(OutputStageTest, JoinsConnectedSegmentsIntoPolylinesOfAtMostAThousandPoints) {
  plamor::graphic::Session session;
  session.device = {0, 0, 2000, 99, 99};
  PlamorDeviceContext dc(2000, 100);
  Recorder rec;
  dc.SetRecorder(&rec);
  plamor::graphic::OutputStage out(dc, session);
  out.SelectPen(0, 2);
  for (int i = 0; i < 1200; ++i) out.AddSegment({double(i), 10}, {double(i + 1), 10});
  out.Flush();
  ASSERT_EQ(rec.polylines.size(), 2u);
  ASSERT_EQ(rec.polylines[0].size(), 1000u);
  EXPECT_EQ(rec.polylines[0].front(), (Point{0, 89}));
  EXPECT_EQ(rec.polylines[0].back(), (Point{999, 89}));
  ASSERT_EQ(rec.polylines[1].size(), 202u);
  EXPECT_EQ(rec.polylines[1].front(), (Point{999, 89}));
  EXPECT_EQ(rec.polylines[1].back(), (Point{1200, 89}));

  // A lone zero-length segment is one pixel in the pen's colour; a
  // zero-length segment at the end of a polyline adds nothing; a segment
  // that does not join starts a new polyline.
  rec = Recorder{};
  out.AddSegment({5.9, 5.2}, {5.1, 5.7});
  out.Flush();
  out.AddSegment({1, 1}, {3, 1});
  out.AddSegment({3, 1}, {3, 1});
  out.AddSegment({7, 1}, {9, 1});
  out.Flush();
  ASSERT_EQ(rec.pixels.size(), 1u);
  EXPECT_EQ(rec.pixels[0].x, 5);
  EXPECT_EQ(rec.pixels[0].y, 94);
  EXPECT_EQ(rec.pixels[0].color, Rgb(255, 0, 0));
  ASSERT_EQ(rec.polylines.size(), 2u);
  EXPECT_EQ(rec.polylines[0], (std::vector<Point>{{1, 98}, {3, 98}}));
  EXPECT_EQ(rec.polylines[1], (std::vector<Point>{{7, 98}, {9, 98}}));
}

TEST(ClipTest, CutsRejectsAndKeepsSegments) {
  const DRect r{0, 0, 10, 10};
  DPoint a{2, 2}, b{8, 8};
  EXPECT_EQ(ClipSegment(a, b, r), ClipResult::kWhole);
  a = {-5, 5}, b = {5, 15};
  EXPECT_EQ(ClipSegment(a, b, r), ClipResult::kCut);
  EXPECT_DOUBLE_EQ(a.x, 0);
  EXPECT_DOUBLE_EQ(a.y, 10);
  EXPECT_DOUBLE_EQ(b.x, 0);
  EXPECT_DOUBLE_EQ(b.y, 10);
  a = {-5, 11}, b = {3, 20};  // both above: rejected
  EXPECT_EQ(ClipSegment(a, b, r), ClipResult::kRejected);
  a = {12, 5}, b = {-2, 5};  // through both side edges
  EXPECT_EQ(ClipSegment(a, b, r), ClipResult::kCut);
  EXPECT_DOUBLE_EQ(a.x, 10);
  EXPECT_DOUBLE_EQ(b.x, 0);
  a = {10, 10}, b = {0, 0};  // on the edges counts as inside
  EXPECT_EQ(ClipSegment(a, b, r), ClipResult::kWhole);
  // An inverted rectangle (a client area of height 0) rejects everything.
  a = {0, 0}, b = {0, 0};
  EXPECT_EQ(ClipSegment(a, b, DRect{0, 0, 0, -1}), ClipResult::kRejected);
}

TEST_F(ViewTest, SessionFrameIgnoresCallsOutsideASessionAndUnusableViews) {
  Open(200, 100);
  SetView(0, 0, 10, 5);
  EndCadDraw();
  EXPECT_EQ(DispLine(dc(), 0, 0, 10, 5, 0, 0), -1);
  EXPECT_EQ(dc_->counters.polylines + dc_->counters.pixels, 0);

  EXPECT_EQ(StartCadDraw(dc(), "/nonexistent/M_G_L.KVD"), 1);
  EXPECT_EQ(DispLine(dc(), 0, 0, 10, 5, 0, 0), -1);
  EXPECT_EQ(dc_->counters.polylines, 1);  // no font: lines still draw
  EXPECT_EQ(dc_->CurrentPosition(), (Point{0, 0}));
  EXPECT_TRUE(dc_->NullBrushSelected());

  // A world window of zero size, non-finite coordinates, a null handle.
  SetView(3, 3, 3, 8);
  EXPECT_EQ(DispLine(dc(), 0, 0, 10, 5, 0, 0), -1);
  EXPECT_EQ(DispCircle(dc(), 3, 3, 1, 1, 0, 360, 0, 0, 0), -1);
  EXPECT_EQ(DispText(dc(), 3, 3, 1, 1, 0, 0, 0, 0, 0, "AB"), -1);
  SetView(0, 0, 10, 5);
  EXPECT_EQ(DispLine(dc(), 0, 0, std::nan(""), 5, 0, 0), -1);
  EXPECT_EQ(DispLine(nullptr, 0, 0, 10, 5, 0, 0), -1);
  EXPECT_EQ(dc_->counters.polylines, 1);

  // A client area of zero size.
  PlamorDeviceContext empty(0, 0);
  EXPECT_EQ(SetObjectView(&empty), 0);
  EXPECT_EQ(DispLine(&empty, 0, 0, 10, 5, 0, 0), -1);
  EXPECT_EQ(DispCircle(&empty, 5, 2, 1, 1, 0, 360, 0, 0, 0), -1);
  EXPECT_EQ(empty.counters.polylines + empty.counters.pixels, 0);
  EXPECT_EQ(SetObjectView(nullptr), 0);
}

TEST_F(ViewTest, FontImageIsHeldAcrossRepeatedStartsAndAFontThatCannotBeOpenedIsReported) {
  TempFolder folder;
  const auto font = folder.path() / "font.kvd";
  WriteFile(font, FontBytes({}));
  Open(20, 20, font.string());
  EXPECT_EQ(start_, 0);
  std::filesystem::remove(font);
  EXPECT_EQ(StartCadDraw(dc(), font.string().c_str()), 0);  // still held
  EndCadDraw();
  EXPECT_EQ(StartCadDraw(dc(), font.string().c_str()), 1);  // gone: no message
  EndCadDraw();
  // An empty file holds no image.
  WriteFile(font, {});
  EXPECT_EQ(StartCadDraw(dc(), font.string().c_str()), 1);
  EndCadDraw();

  // A socket exists but cannot be opened as a file.
  const auto socketPath = folder.path() / "sock.kvd";
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::strncpy(addr.sun_path, socketPath.c_str(), sizeof addr.sun_path - 1);
  ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
  plamor::prompts::ScriptedPrompter prompter;
  prompter.ExpectMessage(socketPath.string() + "\n標準フォントが開けません。", "Tessaro",
                         plamor::prompts::kOkOnly, plamor::prompts::kOk);
  plamor::prompts::SetCurrent(&prompter);
  EXPECT_EQ(StartCadDraw(dc(), socketPath.string().c_str()), 1);
  plamor::prompts::SetCurrent(nullptr);
  close(fd);
  EXPECT_TRUE(prompter.Complete()) << ::testing::PrintToString(prompter.Failures());
}

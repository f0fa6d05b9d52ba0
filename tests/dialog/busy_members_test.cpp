// A server object while its own output run goes: members that would change
// what the run reads or writes are refused as busy, reading stays possible,
// and the run writes the file it was started for. Paper and scale values that
// are not finite numbers are refused at any time.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <vector>

#include "server/automation_error.h"
#include "server/cls_plamor.h"
#include "tests/dialog/output_support.h"

namespace plamor::testing {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::int32_t ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const AutomationError& e) {
    return e.Number();
  }
  return 0;
}

class BusyMembers : public ::testing::Test {
 protected:
  BusyMembers() {
    ResetWriterSettings();
    auto headless = std::make_unique<HeadlessDlgView>();
    view = headless.get();
    auto recording = std::make_unique<RecordingPump>(*view);
    pump = recording.get();
    plamor = std::make_unique<clsPlamor>(std::move(headless), std::move(recording));
  }

  TempFolder temp;
  HeadlessDlgView* view = nullptr;
  RecordingPump* pump = nullptr;
  std::unique_ptr<clsPlamor> plamor;
};

TEST_F(BusyMembers, ChangesAreRefusedWhileTheRunGoesAndReadingStaysPossible) {
  IPlamor& p = *plamor;
  p.put_PaperSize(ktpA3);
  p.put_PaperScale(2);
  p.Sen(0, 0, 100, 50);
  p.Moji(20, 30, "ABC");
  const std::string target = (temp / "plan.atz").string();
  p.put_FileName(target);
  p.OutPutPlamor(FontPath());

  const std::vector<std::pair<const char*, std::function<void()>>> changes = {
      {"FileName", [&] { p.put_FileName((temp / "other.atz").string()); }},
      {"OpenFileNameDlg", [&] { p.OpenFileNameDlg(); }},
      {"Paper", [&] { p.put_Paper(ktpPaperTate); }},
      {"PaperSize", [&] { p.put_PaperSize(ktpA4); }},
      {"PaperScale", [&] { p.put_PaperScale(5); }},
      {"PaperTate", [&] { p.put_PaperTate(100); }},
      {"PaperYoko", [&] { p.put_PaperYoko(100); }},
      {"HouiAngle", [&] { p.put_HouiAngle(30); }},
      {"GentenX", [&] { p.put_GentenX(1); }},
      {"GentenY", [&] { p.put_GentenY(1); }},
      {"PlamorFlg", [&] { p.put_PlamorFlg(1); }},
      {"Memo", [&] { p.put_Memo("x"); }},
      {"AtzKeta", [&] { p.put_AtzKeta(5); }},
      {"DXFOnly", [&] { p.put_DXFOnly(true); }},
      {"Optimaze", [&] { p.put_Optimaze(ktpLevel2); }},
      {"AutoSize", [&] { p.put_AutoSize(true); }},
      {"Sen", [&] { p.Sen(1, 1, 2, 2); }},
      {"Clear", [&] { p.Clear(); }},
      {"OutPutPlamor", [&] { p.OutPutPlamor(FontPath()); }},
  };
  auto expectAllRefused = [&](const char* when) {
    for (const auto& [name, call] : changes) EXPECT_EQ(ErrorOf(call), kErrBusy) << name << " " << when;
    EXPECT_TRUE(p.get_IdolePlamorOutPut());
    EXPECT_EQ(p.get_FileName(), target);
    EXPECT_EQ(p.get_PaperSize(), ktpA3);
    EXPECT_DOUBLE_EQ(p.get_PaperScale(), 2);
    EXPECT_EQ(p.get_Count(), 2);
  };
  expectAllRefused("before the run's first paint");
  int roundsTried = 0;
  pump->onRound = [&](int) {
    if (!p.get_IdolePlamorOutPut()) return;
    ++roundsTried;
    expectAllRefused("during the run");
  };
  pump->ProcessPendingEvents();  // the paint starts the run

  EXPECT_GT(roundsTried, 1);
  EXPECT_FALSE(p.get_IdolePlamorOutPut());
  EXPECT_EQ(ReadBytes(target).rfind("0,3,2.000,1\r\n", 0), 0u);
  EXPECT_FALSE(std::filesystem::exists(temp / "other.atz"));
  // Once the run has ended, the same members work again.
  p.put_FileName((temp / "other.atz").string());
  p.put_PaperSize(ktpA4);
  p.Clear();
  EXPECT_EQ(p.get_Count(), 0);
}

TEST_F(BusyMembers, PaperAndScaleValuesMustBeFinite) {
  IPlamor& p = *plamor;
  p.put_PaperScale(250);
  p.put_HouiAngle(12);
  p.put_GentenX(3);
  p.put_GentenY(4);
  p.put_PaperTate(300);
  p.put_PaperYoko(400);
  for (double bad : {kNaN, kInf, -kInf}) {
    EXPECT_EQ(ErrorOf([&] { p.put_PaperScale(bad); }), kErrInvalidArgument);
    EXPECT_EQ(ErrorOf([&] { p.put_HouiAngle(bad); }), kErrInvalidArgument);
    EXPECT_EQ(ErrorOf([&] { p.put_GentenX(bad); }), kErrInvalidArgument);
    EXPECT_EQ(ErrorOf([&] { p.put_GentenY(bad); }), kErrInvalidArgument);
    EXPECT_EQ(ErrorOf([&] { p.put_PaperTate(bad); }), kErrInvalidArgument);
    EXPECT_EQ(ErrorOf([&] { p.put_PaperYoko(bad); }), kErrInvalidArgument);
  }
  EXPECT_DOUBLE_EQ(p.get_PaperScale(), 250);
  EXPECT_DOUBLE_EQ(p.get_HouiAngle(), 12);
  EXPECT_DOUBLE_EQ(p.get_GentenX(), 3);
  EXPECT_DOUBLE_EQ(p.get_GentenY(), 4);
  EXPECT_DOUBLE_EQ(p.get_PaperTate(), 300);
  EXPECT_DOUBLE_EQ(p.get_PaperYoko(), 400);
  try {
    p.put_PaperScale(kNaN);
  } catch (const AutomationError& e) {
    EXPECT_STREQ(e.what(), "Invalid argument: PaperScale is not a finite number");
  }
}

}  // namespace
}  // namespace plamor::testing

// Registration of elements by the server dialog: keys, duplicate rule,
// attribute and text resolution, rounding, refused input, paper setters,
// count labels and the cancel confirmation.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "platform/prompts_scripted.h"
#include "server/automation_error.h"
#include "server/elements/column_rounding.h"
#include "server/dialog/dlg_view.h"
#include "server/dialog/event_pump.h"
#include "server/dialog/plamor_dlg.h"
#include "server/elements/search_key_set.h"
#include "server/elements/z_circle.h"
#include "server/elements/z_line.h"
#include "server/elements/z_text.h"

// Options are given by name; the others stay missing.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace plamor {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class Registration : public ::testing::Test {
 protected:
  void SetUp() override { Settings().RoundColum = 6; }
  void TearDown() override {
    Settings().RoundColum = 6;
    prompts::SetCurrent(nullptr);
  }

  clsZLine& LineAt(std::int32_t i) { return static_cast<clsZLine&>(dlg.Elements().At(i)); }
  clsZCircle& CircleAt(std::int32_t i) { return static_cast<clsZCircle&>(dlg.Elements().At(i)); }
  clsZText& TextAt(std::int32_t i) { return static_cast<clsZText&>(dlg.Elements().At(i)); }

  // The call must raise the error number and leave the store as it was.
  template <class Call>
  void ExpectRefused(std::int32_t number, Call call) {
    const std::int32_t before = dlg.YousoCount();
    try {
      call();
      ADD_FAILURE() << "no error raised";
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.Number(), number) << e.what();
    }
    EXPECT_EQ(dlg.YousoCount(), before);
  }

  HeadlessDlgView view;
  frmPlamorDlg dlg{view};
};

TEST_F(Registration, KeysAndDuplicates) {
  dlg.Sen(0, 0, 10, 0);
  dlg.Sen(0, 0, 10, 0);
  EXPECT_EQ(dlg.Elements().KeyAt(1), "SEN1");
  EXPECT_EQ(dlg.Elements().KeyAt(2), "SEN2");
  EXPECT_EQ(dlg.Elements().Find("SEN2"), &dlg.Elements().At(2));
  EXPECT_EQ(dlg.Elements().Find("SEN3"), nullptr);
  EXPECT_EQ(dlg.Elements().Find("SEN02"), nullptr);
  EXPECT_EQ(view.labels[1], "線要素数＝ 2 個");

  dlg.Clear();
  dlg.Optimaze = ktpLevel1;
  dlg.Sen(0, 0, 10, 0);
  dlg.Sen(10, 0, 0, 0);  // the same line drawn the other way
  EXPECT_EQ(dlg.YousoCount(), 1);
  EXPECT_EQ(dlg.Elements().Counter(RegKind::Sen), 1);
  EXPECT_EQ(view.labels[1], "線要素数＝ 1 個");
  dlg.Sen(10, 0, 0, 0, {.vPen = 2});  // another pen is another line
  EXPECT_EQ(dlg.YousoCount(), 2);

  dlg.Moji(1, 1, "A");
  dlg.TextKiten = ktpRightTop;
  dlg.Moji(1, 1, "A", 0, 0, 0, {.vKiten = 0});  // differs only in the anchor
  dlg.PaperScale = 500;
  dlg.Moji(1, 1, "A", 0, 0, 0, {.vKiten = 0});  // ... only in the scale
  EXPECT_EQ(dlg.Elements().Counter(RegKind::Moji), 1);
  dlg.MojiExt(1, 1, "A", 0, 0, 0, {.vKiten = 0}, 1.0);  // another font
  EXPECT_EQ(dlg.Elements().Counter(RegKind::Moji), 2);
  EXPECT_EQ(TextAt(4).FontType, 1);
  EXPECT_EQ(view.labels[3], "文字要素数＝ 2 個");
}

TEST_F(Registration, CircleFamilyKeysAndGeometry) {
  dlg.Daen(1, 2, 10, 5, 30);
  dlg.Daenko(1, 2, 10, 5, 45, 90);
  dlg.En(0, 0, 5);
  dlg.Enko(0, 0, 5, 10, 20);
  EXPECT_EQ(dlg.Elements().KeyAt(1), "DAEN1");
  EXPECT_EQ(dlg.Elements().KeyAt(2), "DAENKO1");
  EXPECT_EQ(dlg.Elements().KeyAt(3), "EN1");
  EXPECT_EQ(dlg.Elements().KeyAt(4), "ENKO1");
  EXPECT_EQ(dlg.Elements().Find("DAENKO1"), &dlg.Elements().At(2));
  EXPECT_EQ(view.labels[2], "円要素数＝ 4 個");
  const clsZCircle& ellipse = CircleAt(1);
  EXPECT_EQ(CircleCentre::Y(ellipse), 2);
  EXPECT_EQ(ellipse.sAng, 0);
  EXPECT_EQ(ellipse.mang, 360);
  EXPECT_EQ(ellipse.lang, 30);
  EXPECT_EQ(CircleAt(2).sAng, 45);
  EXPECT_EQ(CircleAt(2).lang, 0);
  EXPECT_EQ(CircleAt(3).yr, 5);
  EXPECT_EQ(CircleAt(4).mang, 20);
}

TEST_F(Registration, AttributeResolution) {
  dlg.SetPen(3);
  dlg.En(0, 0, 5, {.vPen = 9});
  dlg.En(0, 0, 5, {.vPen = 7});
  dlg.En(0, 0, 5, {.vPen = "7"});  // a text that is a number counts as that number
  EXPECT_EQ(CircleAt(1).PenNo(), 3);
  EXPECT_EQ(CircleAt(2).PenNo(), 7);
  EXPECT_EQ(CircleAt(3).PenNo(), 7);

  dlg.SetStyle(ktpdash);
  dlg.pich = 2;
  dlg.Sen(0, 0, 1, 0, {.vStyl = 2});
  dlg.Sen(0, 0, 1, 0, {.vStyl = 3});
  dlg.Sen(0, 0, 1, 0, {.vStyl = 0, .vPich = 4});
  dlg.Sen(0, 0, 1, 0, {.vPich = "1.5"});
  EXPECT_EQ(LineAt(4).Style, ktpdash);
  EXPECT_EQ(LineAt(4).pich, 2);
  EXPECT_EQ(LineAt(5).Style, ktpdashdot);
  EXPECT_EQ(LineAt(6).pich, 0);
  EXPECT_EQ(LineAt(7).pich, 1.5);

  dlg.SetLayer(5);
  dlg.SetLayer(0);  // ignored
  dlg.SetLayer(129);
  dlg.Sen(0, 0, 1, 0, {.vLayer = 129});
  dlg.Sen(0, 0, 1, 0, {.vLayer = 128});
  EXPECT_EQ(LineAt(8).Layer, 5);
  EXPECT_EQ(LineAt(9).Layer, 128);

  dlg.SetPen(12);  // the current pen is not range-checked
  dlg.Sen(0, 0, 1, 0);
  EXPECT_EQ(LineAt(10).PenNo(), 12);

  dlg.SetStyle(ktpsolid);
  EXPECT_EQ(dlg.pich, 0);
}

TEST_F(Registration, TextResolution) {
  dlg.mTextHeight = 5;
  dlg.TextBetween = 1;
  dlg.PaperScale = 2;
  dlg.Moji(1, 2, "ABC", ktpTate, 15, 30, {.vHeight = 0, .vWidth = 4, .vBetween = 0, .vLayer = 3});
  const clsZText& t = TextAt(1);
  EXPECT_EQ(t.height, 5);
  EXPECT_EQ(t.width, 4);
  EXPECT_EQ(t.Between, 0);
  EXPECT_EQ(t.Layer, 3);
  EXPECT_EQ(t.Style, ktpTate);
  EXPECT_EQ(t.sAng, 15);
  EXPECT_EQ(t.lang, 30);
  EXPECT_EQ(t.PaperScale, 2);
  EXPECT_EQ(t.FontType, 0);
  EXPECT_EQ(t.Text, "ABC");

  // The anchor shift runs last, with the final sizes and scale: 10 wide at scale 2.
  dlg.Moji(100, 0, "A", 0, 0, 0, {.vWidth = 10, .vKiten = ktpRightBottom});
  EXPECT_EQ(TextAt(2).Kiten(), ktpRightBottom);
  EXPECT_EQ(TextAt(2).x, 90);

  const std::string longText(100000, 'x');
  dlg.Moji(0, 0, longText);
  dlg.MojiExt(0, 0, "");
  EXPECT_EQ(TextAt(3).Text.size(), longText.size());
  EXPECT_EQ(TextAt(4).Text, "");
  EXPECT_EQ(dlg.Elements().Counter(RegKind::Moji), 4);
}

TEST_F(Registration, RoundingToColumns) {
  Settings().RoundColum = 2;
  dlg.Sen(1, 2.3456, 3, 4);
  Settings().RoundColum = 0;
  dlg.Sen(1, 2.3456, 3, -2.5);
  EXPECT_EQ(LineAt(1).y1, 2.35);
  EXPECT_EQ(LineAt(2).y1, 2);
  EXPECT_EQ(LineAt(2).y2, -3);  // half away from zero
  Settings().RoundColum = 3;
  dlg.Enko(1.00049, -0.0001, 2.0005, 1.23456, 7.89);
  EXPECT_EQ(CircleAt(3).x, 1);
  EXPECT_EQ(CircleAt(3).xr, 2.001);
  EXPECT_FALSE(std::signbit(CircleCentre::Y(CircleAt(3))));
  EXPECT_EQ(CircleAt(3).sAng, 1.23456);  // angles stay as given

  Settings().RoundColum = -1;
  ExpectRefused(kErrInvalidArgument, [&] { dlg.Sen(0, 0, 1, 1); });
}

TEST(ColumnRounding, ShortcutGivesExactlyTheTextResult) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> magnitude(-12, 12);
  std::uniform_int_distribution<int> decimals(0, 9);
  std::vector<double> values = {0.5, 1.5, 2.5, -2.5, 1.005, 0.125, 1e15, 123456789012345.6,
                                -0.0000004, 9.9999995, 1e-7, 5e-324, 1.7976931348623157e308,
                                1099511627775.5, 1099511627776.25, 0.1 + 0.2, 2.675, -1.0005};
  for (int i = 0; i < 20000; ++i) {
    const double v = std::pow(10.0, magnitude(random)) * (i % 2 ? -1 : 1);
    values.push_back(v);
    values.push_back(std::round(v * 1000) / 1000);  // values that already have few decimals
    values.push_back(std::nextafter(std::round(v * 1000) / 1000, 0.0));
    values.push_back(std::round(v * 100) / 100 + 0.005);  // halfway cases
  }
  for (double v : values) {
    for (int d : {0, 1, 2, 3, 6, 15, 23, decimals(random)}) {
      const double expected = RoundToColumnsByText(v, d);
      const double got = RoundToColumnsValue(v, d);
      ASSERT_TRUE(got == expected && std::signbit(got) == std::signbit(expected))
          << v << " with " << d << " decimals: " << got << " instead of " << expected;
    }
  }
}

TEST(SearchKeys, DistinctKeysStayDistinct) {
  SearchKeySet set;
  const std::string hex80(80, 'A'), hex128(128, '0');
  const std::vector<std::string> keys = {
      "Sen" + hex80 + "101", "Sen" + hex80 + "1011", "Sen" + std::string(79, 'A') + "B101",
      "Sen" + std::string(80, 'a') + "101",  // not the line form: kept as text
      "En" + hex128 + "101", "Sen" + hex128 + "101", "ChrSen" + hex80 + "101", "Chr", "", "Sen"};
  for (const std::string& key : keys) EXPECT_TRUE(set.Insert(key)) << key;
  for (const std::string& key : keys) EXPECT_FALSE(set.Insert(key)) << key;
  EXPECT_EQ(set.Size(), keys.size());
  for (int i = 0; i < 200000; ++i) ASSERT_TRUE(set.Insert("Chr" + std::to_string(i)));
  ASSERT_FALSE(set.Insert("Chr199999"));
  const std::string huge = "Chr" + std::string(3 << 20, 'x');  // longer than a storage chunk
  EXPECT_TRUE(set.Insert(huge));
  EXPECT_TRUE(set.Insert("Chr-after"));
  EXPECT_FALSE(set.Insert(huge));
  EXPECT_FALSE(set.Insert("Chr0"));
  EXPECT_FALSE(set.Insert(keys[0]));
  set.Clear();
  EXPECT_TRUE(set.Insert(keys[0]));
}

TEST_F(Registration, RefusedInputRegistersNothing) {
  ExpectRefused(kErrTypeMismatch, [&] { dlg.Sen(0, 0, 1, 1, {.vPen = "red"}); });
  ExpectRefused(kErrTypeMismatch, [&] { dlg.En(0, 0, 1, {.vLayer = ""}); });
  ExpectRefused(kErrTypeMismatch, [&] { dlg.Moji(0, 0, "A", 0, 0, 0, {.vHeight = "tall"}); });
  ExpectRefused(kErrTypeMismatch, [&] { dlg.MojiExt(0, 0, "A", 0, 0, 0, {}, "bold"); });
  ExpectRefused(kErrInvalidArgument, [&] { dlg.Sen(kNaN, 0, 1, 1); });
  ExpectRefused(kErrInvalidArgument, [&] { dlg.Sen(0, 0, 1, kInf); });
  ExpectRefused(kErrInvalidArgument, [&] { dlg.En(0, 0, -kInf); });
  ExpectRefused(kErrInvalidArgument, [&] { dlg.Daenko(0, 0, 1, 1, kNaN, 90); });
  ExpectRefused(kErrInvalidArgument, [&] { dlg.Enko(0, 0, 1, 0, 90, {.vStyl = 1, .vPich = kInf}); });
  ExpectRefused(kErrInvalidArgument, [&] { dlg.Moji(0, kNaN, "A"); });
  ExpectRefused(kErrInvalidArgument, [&] { dlg.Moji(0, 0, "A", 0, 0, 0, {.vWidth = kInf}); });
  dlg.mTextHeight = kNaN;
  ExpectRefused(kErrInvalidArgument, [&] { dlg.Moji(0, 0, "A"); });
  dlg.mTextHeight = 3;
  ExpectRefused(kErrOverflow, [&] { dlg.Moji(0, 0, "A", 0, 0, 0, {.vKiten = 1e12}); });
  EXPECT_EQ(dlg.YousoCount(), 0);
  EXPECT_EQ(dlg.Elements().Counter(RegKind::Sen), 0);
  EXPECT_EQ(view.labels[1], "");
  dlg.Sen(0, 0, 1, 1);
  EXPECT_EQ(dlg.Elements().KeyAt(1), "SEN1");
}

TEST_F(Registration, StateSettersAndPaper) {
  dlg.SetAtzKeta(0);
  dlg.SetAtzKeta(10);
  EXPECT_EQ(dlg.AtzKeta(), 3);
  dlg.SetAtzKeta(9);
  EXPECT_EQ(dlg.AtzKeta(), 9);

  EXPECT_EQ(dlg.PaperSize(), ktpA1);
  EXPECT_EQ(dlg.PaperTate(), 594);
  EXPECT_EQ(dlg.PaperYoko(), 841);
  dlg.SetPaperTate(2000);
  EXPECT_EQ(dlg.PaperTate(), 1029);
  EXPECT_EQ(dlg.PaperYoko(), 841);
  EXPECT_EQ(dlg.PaperSize(), ktpFREE);
  dlg.SetPaperSize(ktpA3);
  dlg.SetPaperTate(-1);
  dlg.SetPaperYoko(0);
  EXPECT_EQ(dlg.PaperTate(), 297);
  EXPECT_EQ(dlg.PaperYoko(), 420);
  EXPECT_EQ(dlg.PaperSize(), ktpA3);
  dlg.SetPaperYoko(1500);
  EXPECT_EQ(dlg.PaperYoko(), 1455);
  dlg.SetPaperSize(ktpANSI_A);
  EXPECT_EQ(dlg.PaperTate(), 215.9);
  dlg.SetPaperSize(99);
  EXPECT_EQ(dlg.PaperTate(), 0);
  EXPECT_EQ(dlg.PaperYoko(), 0);

  prompts::ScriptedPrompter prompter;
  prompter.ExpectMessage("自動ｻｲｽﾞ指定は、現在未サポート状態です", "", prompts::kOkOnly, prompts::kOk);
  prompts::SetCurrent(&prompter);
  dlg.SetAutoSize(false);
  dlg.SetAutoSize(true);
  EXPECT_FALSE(dlg.AutoSize());
  EXPECT_TRUE(prompter.Complete()) << ::testing::PrintToString(prompter.Failures());
}

TEST_F(Registration, ShowDialogClearAndCancel) {
  dlg.ShowDialog();
  EXPECT_TRUE(view.visible);
  EXPECT_FALSE(view.progressVisible);
  EXPECT_EQ(view.labels[0], "要素登録中．．．．．．！！");
  EXPECT_EQ(view.labels[1], "線要素数＝ 0 個");
  EXPECT_EQ(view.labels[2], "円要素数＝ 0 個");
  EXPECT_EQ(view.labels[3], "文字要素数＝ 0 個");

  const int style = static_cast<int>(prompts::kYesNo) | prompts::kExclamation | prompts::kDefaultButton2;
  prompts::ScriptedPrompter prompter;
  prompter.ExpectMessage("図面の作成を中止しますか？", "中止の確認", style, prompts::kNo,
                         [&] { EXPECT_TRUE(dlg.DispCancelDlg); EXPECT_FALSE(view.cancelEnabled); });
  prompter.ExpectMessage("図面の作成を中止しますか？", "中止の確認", style, prompts::kYes);
  prompter.ExpectMessage("図面の作成を中止しますか？", "中止の確認", style, prompts::kNo);
  prompts::SetCurrent(&prompter);
  dlg.OnCancelButton();
  EXPECT_FALSE(dlg.Cancel());
  EXPECT_FALSE(dlg.DispCancelDlg);
  EXPECT_TRUE(view.cancelEnabled);
  dlg.OnCancelButton();
  EXPECT_TRUE(dlg.Cancel());
  EXPECT_FALSE(dlg.OnCloseRequest(true));
  EXPECT_TRUE(prompter.Complete()) << ::testing::PrintToString(prompter.Failures());

  dlg.Sen(0, 0, 1, 1);
  dlg.En(0, 0, 1);
  dlg.Clear();
  EXPECT_FALSE(dlg.Cancel());
  EXPECT_EQ(dlg.YousoCount(), 0);
  EXPECT_EQ(view.labels[1], "線要素数＝ 1 個");  // labels stay as they are
  dlg.En(0, 0, 1);
  EXPECT_EQ(dlg.Elements().KeyAt(1), "EN1");
  EXPECT_TRUE(dlg.OnCloseRequest(false));
  EXPECT_EQ(dlg.YousoCount(), 0);
}

TEST_F(Registration, EveryElementYieldsOnce) {
  struct CountingPump : EventPump {
    int calls = 0;
    void ProcessPendingEvents() override { ++calls; }
  } pump;
  frmPlamorDlg counted(view, &pump);
  counted.Optimaze = ktpLevel1;
  counted.Sen(0, 0, 1, 1);
  counted.Sen(0, 0, 1, 1);  // dropped as a duplicate: no yield
  counted.Moji(0, 0, "A");
  EXPECT_EQ(pump.calls, 2);
}

}  // namespace
}  // namespace plamor

// Merging of line pieces: the cases of touching, overlapping and separate
// pieces, attributes, degenerate and sloped lines, progress and cancel, and
// the whole pass against a direct pairwise merge on random drawings.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "server/dialog/dlg_view.h"
#include "server/dialog/event_pump.h"
#include "server/dialog/list_view.h"
#include "server/dialog/plamor_dlg.h"
#include "server/elements/z_line.h"

// Options are given by name; the others stay missing.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace plamor {
namespace {

class Optimize : public ::testing::Test {
 protected:
  void SetUp() override { Settings().RoundColum = 6; }

  clsZLine& LineAt(std::int32_t i) { return static_cast<clsZLine&>(dlg.Elements().At(i)); }
  std::vector<std::int32_t> Survivors() {
    std::vector<std::int32_t> alive;
    for (std::int32_t i = 1; i <= dlg.YousoCount(); ++i) {
      if (!dlg.Elements().At(i).IsDeleted()) alive.push_back(i);
    }
    return alive;
  }

  HeadlessDlgView view;
  frmPlamorDlg dlg{view};
};

TEST_F(Optimize, TouchingAndOverlappingPiecesMerge) {
  dlg.Sen(0, 0, 10, 0);
  dlg.Sen(10, 0, 20, 0);    // touches the first
  dlg.Sen(0, 5, 10, 5);
  dlg.Sen(10.001, 5, 20, 5);  // a gap
  dlg.Sen(0, 9, 10, 9);
  dlg.Sen(5, 9, 8, 9);      // inside the first
  dlg.OptimizeLines();
  EXPECT_EQ(Survivors(), (std::vector<std::int32_t>{2, 3, 4, 6}));
  EXPECT_EQ(LineAt(1).Tag, "DEL");
  EXPECT_EQ(LineAt(2).x1, 0);
  EXPECT_EQ(LineAt(2).x2, 20);
  EXPECT_EQ(LineAt(4).x1, 10.001);
  EXPECT_EQ(LineAt(6).x1, 0);
  EXPECT_EQ(LineAt(6).x2, 10);
  EXPECT_TRUE(dlg.Lv().Items.empty());
  EXPECT_TRUE(dlg.Lv().Visible);
}

TEST_F(Optimize, AttributesSlopesAndDegenerateLines) {
  dlg.Sen(0, 0, 10, 0);
  dlg.Sen(5, 0, 15, 0, {.vStyl = 1, .vPich = 2});
  dlg.Sen(5, 0, 15, 0, {.vStyl = 1, .vPich = 3});
  dlg.Sen(5, 0, 15, 0, {.vPen = 2});
  dlg.Sen(5, 0, 15, 0, {.vLayer = 2});
  dlg.Sen(0, 0, 5, 5);
  dlg.Sen(0, 0, 5, 5);
  dlg.Sen(3, 3, 3, 3);
  dlg.Sen(5, 0, 5, 10);
  dlg.Sen(5.000001, 5, 5.000001, 20);  // another x: another group
  dlg.En(0, 0, 1);
  dlg.OptimizeLines();
  EXPECT_EQ(Survivors(), (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6, 7, 9, 10, 11}));
  EXPECT_EQ(LineAt(8).Tag, "DEL");
  EXPECT_EQ(LineAt(9).y2, 10);

  // A second pass finds nothing more to merge.
  dlg.OptimizeLines();
  EXPECT_EQ(Survivors().size(), 10u);
}

TEST_F(Optimize, ChainsEndInTheirLastPiece) {
  // Registered out of order: the chain 0..40 is complete only with the last piece.
  dlg.Sen(30, 0, 40, 0);
  dlg.Sen(0, 0, 10, 0);
  dlg.Sen(20, 0, 30, 0);
  dlg.Sen(0, 7, 0, 3);  // vertical, reversed
  dlg.Sen(12, 0, 8, 0);
  dlg.Sen(0, 1, 0, 3);
  dlg.Sen(10, 0, 20, 0);
  dlg.OptimizeLines();
  EXPECT_EQ(Survivors(), (std::vector<std::int32_t>{6, 7}));
  EXPECT_EQ(LineAt(7).x1, 0);
  EXPECT_EQ(LineAt(7).x2, 40);
  EXPECT_EQ(LineAt(6).y1, 1);
  EXPECT_EQ(LineAt(6).y2, 7);
}

TEST_F(Optimize, ProgressLabelsAndCancel) {
  for (int i = 0; i < 300; ++i) dlg.Sen(i, 0, i + 1, 0);
  struct CancellingPump : EventPump {
    frmPlamorDlg* dlg = nullptr;
    int calls = 0;
    void ProcessPendingEvents() override {
      if (++calls == 300 + 100) dlg->SetCancel(true);  // during the merge phase
    }
  } pump;
  frmPlamorDlg run(view, &pump);
  pump.dlg = &run;
  for (int i = 0; i < 300; ++i) run.Sen(i, 0, i + 1, 0);
  pump.calls = 0;
  run.OptimizeLines();
  EXPECT_EQ(pump.calls, 300 + 100);
  EXPECT_EQ(view.labels[0], "線分要素の最適化中．．．．．．！！");
  EXPECT_EQ(view.labels[1], "しばらくお待ちください。");
  EXPECT_EQ(view.progressMaximum, 32767);
  EXPECT_TRUE(view.progressVisible);
  // 100 of the 299 merge steps ran: those pieces are gone, their extent is kept.
  std::int32_t removed = 0;
  for (std::int32_t i = 1; i <= run.YousoCount(); ++i) removed += run.Elements().At(i).IsDeleted();
  EXPECT_EQ(removed, 100);
  EXPECT_EQ(static_cast<clsZLine&>(run.Elements().At(300)).x1, 0);

  dlg.OptimizeLines();  // to the end
  EXPECT_EQ(view.labels[3], "処理中 100.00%");
  EXPECT_EQ(view.progressValue, 32767);
  EXPECT_EQ(Survivors().size(), 1u);
}

TEST(WorkList, SortKeepsTheOrderOfEqualTexts) {
  std::mt19937 random(9);
  std::uniform_int_distribution<int> pick(0, 40);
  ListView list;
  for (std::int32_t i = 0; i < 5000; ++i) list.Add("1  1 1 0 090 " + std::to_string(pick(random) * 7), i);
  std::vector<ListItem> expected = list.Items;
  std::stable_sort(expected.begin(), expected.end(),
                   [](const ListItem& a, const ListItem& b) { return a.Text < b.Text; });
  list.SortByText();
  ASSERT_EQ(list.Items.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    ASSERT_EQ(list.Items[i].Text, expected[i].Text);
    ASSERT_EQ(list.Items[i].Tag, expected[i].Tag);
  }
}

// The pass as a direct pairwise merge: each piece, in list order, merges into
// the first later piece of its group it touches or overlaps.
void PairwiseMerge(std::vector<clsZLine>& lines) {
  ListView list;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    lines[i].SetListView2(list, static_cast<std::int32_t>(i));
  }
  list.SortByText();
  for (std::size_t j = 0; j + 1 < list.Items.size(); ++j) {
    clsZLine& J = lines[static_cast<std::size_t>(list.Items[j].Tag)];
    for (std::size_t k = j + 1; k < list.Items.size() && list.Items[k].Text == list.Items[j].Text; ++k) {
      if (J.Comp2(lines[static_cast<std::size_t>(list.Items[k].Tag)])) {
        J.Tag = "DEL";
        break;
      }
    }
  }
}

TEST_F(Optimize, SameResultAsPairwiseMerging) {
  std::mt19937 random(11);
  std::uniform_int_distribution<int> coordinate(0, 60), track(0, 3), small(0, 1);
  for (int round = 0; round < 20; ++round) {
    dlg.Clear();
    std::vector<clsZLine> reference;
    for (int i = 0; i < 400; ++i) {
      const double a = coordinate(random), b = coordinate(random), t = track(random);
      const bool vertical = small(random);
      const LineOptions options{.vPen = small(random) + 1, .vStyl = 1, .vPich = small(random) * 0.5};
      if (vertical) {
        dlg.Sen(t, a, t, b, options);
      } else {
        dlg.Sen(a, t, b, t, options);
      }
      reference.push_back(LineAt(dlg.YousoCount()));
    }
    PairwiseMerge(reference);
    dlg.OptimizeLines();
    for (std::size_t i = 0; i < reference.size(); ++i) {
      const clsZLine& got = LineAt(static_cast<std::int32_t>(i + 1));
      const clsZLine& want = reference[i];
      ASSERT_EQ(got.Tag, want.Tag) << "round " << round << " line " << i + 1;
      if (got.IsDeleted()) continue;
      ASSERT_EQ(std::min(got.x1, got.x2), std::min(want.x1, want.x2)) << "line " << i + 1;
      ASSERT_EQ(std::max(got.x1, got.x2), std::max(want.x1, want.x2)) << "line " << i + 1;
      ASSERT_EQ(std::min(got.y1, got.y2), std::min(want.y1, want.y2)) << "line " << i + 1;
      ASSERT_EQ(std::max(got.y1, got.y2), std::max(want.y1, want.y2)) << "line " << i + 1;
    }
  }
}

}  // namespace
}  // namespace plamor

#include "server/elements/optimize.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/numeric_text.h"
#include "server/dialog/dlg_view.h"
#include "server/elements/element_store.h"
#include "server/dialog/event_pump.h"
#include "server/dialog/list_view.h"
#include "server/elements/z_line.h"

namespace plamor {

namespace {

// The progress bar's share of the key phase and of the merge phase.
constexpr int kKeyPhaseSpan = 16383;
constexpr int kMergePhaseSpan = 16384;
static_assert(kKeyPhaseSpan + kMergePhaseSpan == DlgView::kProgressMaximum);
constexpr double kLabelStep = 0.01;

clsZLine& LineOf(ElementStore& store, const ListItem& item) {
  return static_cast<clsZLine&>(store.At(item.Tag));
}

// The piece of a line on the axis it runs along, lower value first.
struct Piece {
  std::size_t entry;  // position in the sorted work list
  double pich;
  double lo;
  double hi;
};

Piece PieceOf(const clsZLine& line, std::size_t entry) {
  const bool vertical = line.x1 == line.x2;
  const double a = vertical ? line.y1 : line.x1;
  const double b = vertical ? line.y2 : line.x2;
  return {entry, line.pich, std::min(a, b), std::max(a, b)};
}

// For the entries [first, last) of one group of equal records, the entry
// each piece is merged into (mergeInto[entry]), or the entry itself for the
// last piece of a chain. Pieces merge only with pieces of exactly the same
// pitch, and touching counts: a gap of any size keeps them apart.
void PlanGroup(ElementStore& store, const std::vector<ListItem>& items, std::size_t first,
               std::size_t last, std::vector<std::size_t>& mergeInto, std::vector<Piece>& pieces) {
  pieces.clear();
  for (std::size_t e = first; e < last; ++e) {
    const Piece p = PieceOf(LineOf(store, items[e]), e);
    if (std::isfinite(p.pich) && std::isfinite(p.lo) && std::isfinite(p.hi)) pieces.push_back(p);
  }
  std::sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) {
    return a.pich != b.pich ? a.pich < b.pich : a.lo < b.lo;
  });
  std::size_t start = 0;
  while (start < pieces.size()) {
    std::size_t end = start + 1;
    double reach = pieces[start].hi;
    std::size_t survivor = pieces[start].entry;
    while (end < pieces.size() && pieces[end].pich == pieces[start].pich && pieces[end].lo <= reach) {
      reach = std::max(reach, pieces[end].hi);
      survivor = std::max(survivor, pieces[end].entry);
      ++end;
    }
    for (std::size_t i = start; i < end; ++i) mergeInto[pieces[i].entry] = survivor;
    start = end;
  }
}

// Moves line j into line k: k covers both on their axis, j is removed.
void Merge(clsZLine& j, clsZLine& k) {
  const Piece a = PieceOf(j, 0);
  const Piece b = PieceOf(k, 0);
  const double lo = std::min(a.lo, b.lo), hi = std::max(a.hi, b.hi);
  if (k.x1 == k.x2) {
    k.y1 = lo;
    k.y2 = hi;
  } else {
    k.x1 = lo;
    k.x2 = hi;
  }
  j.Tag = "DEL";
}

void ShowPercent(DlgView& view, double fraction) {
  view.SetLabel(3, "処理中 " + numtext::FormatPercent(fraction));
}

}  // namespace

void OptimizeLines(ElementStore& store, ListView& work, DlgView& view, EventPump& pump,
                   const bool& cancel) {
  const std::int32_t n = store.Count();
  if (n < 2) return;
  work.Clear();
  work.Visible = false;
  view.SetLabel(0, "線分要素の最適化中．．．．．．！！");
  view.SetLabel(1, "しばらくお待ちください。");
  view.SetLabel(2, "");
  view.SetLabel(3, "");
  view.SetProgressVisible(true);
  view.SetProgressRange(0, DlgView::kProgressMaximum);
  view.SetProgressValue(0);

  // Key phase: one grouping record per horizontal or vertical line.
  double shown = -1;
  for (std::int32_t i = 1; i <= n; ++i) {
    clsZElement& element = store.At(i);
    if (!element.IsDeleted() && element.Kind() == ElementKind::Line) {
      static_cast<clsZLine&>(element).SetListView2(work, i);
    }
    const double fraction = static_cast<double>(i) / n;
    view.SetProgressValue(numtext::ToInt16(fraction * kKeyPhaseSpan));
    if (std::fabs(shown - fraction) > kLabelStep) {
      ShowPercent(view, fraction * 0.5);
      shown = fraction;
    }
    pump.ProcessPendingEvents();
  }

  work.SortByText();

  // The merge plan of every group of equal records.
  const std::vector<ListItem>& items = work.Items;
  std::vector<std::size_t> mergeInto(items.size());
  for (std::size_t e = 0; e < items.size(); ++e) mergeInto[e] = e;
  std::vector<Piece> pieces;
  for (std::size_t first = 0; first < items.size();) {
    std::size_t last = first + 1;
    while (last < items.size() && items[last].Text == items[first].Text) ++last;
    if (last - first > 1) PlanGroup(store, items, first, last, mergeInto, pieces);
    first = last;
  }

  // Merge phase, entry by entry, so that a cancel keeps what was merged so far.
  const std::int32_t m = static_cast<std::int32_t>(items.size()) - 1;
  shown = -1;
  for (std::int32_t j = 1; j <= m; ++j) {
    const std::size_t e = static_cast<std::size_t>(j - 1);
    clsZLine& line = LineOf(store, items[e]);
    if (!line.IsDeleted() && mergeInto[e] != e) Merge(line, LineOf(store, items[mergeInto[e]]));
    const double fraction = static_cast<double>(j) / m;
    view.SetProgressValue(numtext::ToInt16(fraction * kMergePhaseSpan) + kKeyPhaseSpan);
    if (std::fabs(shown - fraction) > kLabelStep || j == m) {
      ShowPercent(view, fraction * 0.5 + 0.5);
      shown = fraction;
    }
    pump.ProcessPendingEvents();
    if (cancel) break;
  }

  work.Clear();
  work.Visible = true;
}

}  // namespace plamor

// The pens of the H-Q drawing, kept in the per-user settings of the suite's
// settings application (MORVALDENIK / MEMORI), which the H-Q control reads.
// Without them every line and text of the sheet would be drawn with pen 0,
// which no drawing file holds; plamor-draw stores a default set once.
#pragma once

#include <string>

namespace plamor::sheets {

struct HqPens {
  int frame;  // Hougan1Pen: frame, main grid, header box
  int grid;   // Hougan2Pen: fine grid, header dividers
  int text;   // MojietcPen: axis labels and header texts
  int label;  // BangouPen: measurement labels
  int title;  // TytlePen: title
};

inline constexpr HqPens kDefaultHqPens{7, 1, 7, 2, 7};

std::string HqPensText(const HqPens& pens);
// True when any of the five pen keys holds a value.
bool HqPensStored();
void SaveHqPens(const HqPens& pens);

// The pen of the fitted rating curve (KyokusenPen): the stored pen 0..7, or
// red when none (or no pen number) is stored.
inline constexpr int kDefaultCurvePen = 2;
int HqCurvePen();
void SaveHqCurvePen(int pen);

}  // namespace plamor::sheets

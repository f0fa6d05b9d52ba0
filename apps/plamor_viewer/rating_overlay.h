// The fitted formula drawn over the H-Q chart control: the curve (solid over
// the measured stages, dashed where extended), the formula of each segment,
// and the measurements left out of the fit as hollow circles with their
// labels. It lies over the whole control, lets the mouse through, and maps
// the sheet's millimetres of the curve's layout onto the chart's picture, so
// it repaints with the chart and follows its size.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "sheets/rating_curve.h"

namespace plamor::charts {
class TBunpu;
}

namespace plamor::viewer {

struct ExcludedMarker {
  sheets::SheetPoint at;
  std::string label;
};

class RatingOverlay : public QWidget {
  Q_OBJECT
 public:
  // Lies over `chart`, its child.
  explicit RatingOverlay(charts::TBunpu& chart);

  void Show(sheets::RatingCurveDrawing curve, std::vector<ExcludedMarker> excluded);
  void Remove();
  bool Showing() const { return showing_; }
  const std::vector<ExcludedMarker>& Excluded() const { return excluded_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const charts::TBunpu& chart_;
  bool showing_ = false;
  sheets::RatingCurveDrawing curve_;
  std::vector<ExcludedMarker> excluded_;
};

}  // namespace plamor::viewer

// Line segment element.
#pragma once

#include "server/elements/element_values.h"
#include "server/elements/z_element.h"

namespace plamor {

class clsZLine final : public clsZElement {
 public:
  clsZLine() : clsZElement(ElementKind::Line) {}

  double x1 = 0;
  double y1 = 0;
  double x2 = 0;
  double y2 = 0;
  double pich = 0;  // dash pitch

  // "Sen" + the end points (the lower one first, so a line and its reverse
  // share the key) + pitch, pen, style, layer.
  std::string SearchKey() const override;

  // True when (px1, py1) and (px2, py2) are exactly the same point.
  static bool CompPoint(double px1, double py1, double px2, double py2);
  // True when target is another line with the same attributes and the same
  // segment in either direction.
  bool Comp(const clsZLine& target) const;
  // Merges this horizontal or vertical line into target when both have the
  // same attributes and their pieces touch or overlap: target then covers
  // both. False (nothing changed) otherwise.
  bool Comp2(clsZLine& target) const;

  // Record "1 pen layer style pitch angle midX midY"; zero length: Tag "DEL".
  void SetListView(ListView& list, std::int32_t index) override;
  // Grouping record of a vertical ("90 " + x1) or horizontal ("0 " + y1) line;
  // a sloped line adds nothing; zero length: Tag "DEL".
  void SetListView2(ListView& list, std::int32_t index);

  void MaxMin(double& minX, double& minY, double& maxX, double& maxY) const override;
  // The values the writers and the extents take.
  LineValues Values() const;
  void Disp(HDC hdc) override;
  void ChangeScale(double dScale) override;  // pitch only
};

}  // namespace plamor

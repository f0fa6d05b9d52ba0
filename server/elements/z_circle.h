// Circle, circular arc, ellipse and elliptical arc element.
#pragma once

#include "server/elements/element_values.h"
#include "server/elements/z_element.h"

namespace plamor {

class clsZCircle final : public clsZElement {
 public:
  clsZCircle() : clsZElement(ElementKind::Circle) {}

  double x = 0;      // centre X (the centre Y is private to the server: CircleCentre)
  double xr = 0;     // major-axis radius
  double yr = 0;     // minor-axis radius
  double sAng = 0;   // start angle, degrees
  double mang = 360; // sweep angle, degrees
  double lang = 0;   // inclination of the major axis, degrees
  double pich = 0;   // dash pitch

  // "En" + centre, radii, angles, pitch + pen, style, layer.
  std::string SearchKey() const override;
  // True when target is another element with all fields equal.
  bool Comp(const clsZCircle& target) const;

  // Record "2 pen layer style pitch x y"; no radius or no sweep: Tag "DEL".
  void SetListView(ListView& list, std::int32_t index) override;

  void MaxMin(double& minX, double& minY, double& maxX, double& maxY) const override;
  // The values the writers and the extents take.
  CircleValues Values() const;
  void Disp(HDC hdc) override;
  void ChangeScale(double dScale) override;  // pitch only

 private:
  friend class CircleCentre;
  double y_ = 0;  // centre Y
};

// The server's own access to a circle's centre Y, which hosts never see.
class CircleCentre {
 public:
  static double Y(const clsZCircle& circle) { return circle.y_; }
  static void SetY(clsZCircle& circle, double y) { circle.y_ = y; }
};

}  // namespace plamor

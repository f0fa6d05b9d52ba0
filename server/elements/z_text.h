// Text element. The position is the left-bottom corner of the text box: a
// change of the anchor (Kiten) moves it by the anchor shift.
#pragma once

#include "server/elements/element_values.h"
#include "server/elements/z_element.h"

namespace plamor {

class clsZText final : public clsZElement {
 public:
  clsZText() : clsZElement(ElementKind::Text) {}

  double x = 0;
  double y = 0;
  double sAng = 0;       // character slant, degrees
  double height = 3.0;   // character height
  double width = 2.7;    // character width
  double Between = 0.3;  // character spacing
  double lang = 0;       // text direction, degrees
  double PaperScale = 1.0;  // drawing scale at registration
  std::int16_t FontType = 0;  // 0 stroke font (Moji), 1 and 2 the fonts of MojiExtMsM / MojiExtMsG
  std::string Text;      // UTF-8

  // Style (base) is the writing direction: 0 horizontal, 1 vertical.

  std::int32_t Kiten() const { return kiten_; }
  // A different anchor is stored and moves x, y by the anchor shift; the same
  // anchor changes nothing.
  void SetKiten(std::int32_t kiten);

  // Extent of the text box (0 for an empty text).
  double TextWidth() const;
  double TextHeight() const;

  // "Chr" + text + position, sizes, angles + layer, pen, style, font type.
  std::string SearchKey() const override;
  // True when target is another text with equal attributes, the position
  // within 0.0001 and the same characters.
  bool Comp(const clsZText& target) const;

  // Record "3 pen layer style x y text"; blank text or no size: Tag "DEL".
  void SetListView(ListView& list, std::int32_t index) override;

  void MaxMin(double& minX, double& minY, double& maxX, double& maxY) const override;
  // The values the writers and the extents take (the text is a view of Text).
  TextValues Values() const;
  void Disp(HDC hdc) override;
  void ChangeScale(double dScale) override;  // height, width and spacing

 private:
  std::int32_t kiten_ = 0;
};

}  // namespace plamor

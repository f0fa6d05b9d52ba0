// A picture area that records every drawing operation with its exact
// coordinates, colour, width, style, font and text, so that the charts can be
// checked without a display.
#pragma once

#include <string>
#include <vector>

#include "charts/picture.h"

namespace plamor::charts {

struct PictureOp {
  enum class Kind { kErase, kLine, kBox, kCircle, kPrint, kResize };
  Kind kind = Kind::kErase;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // line and box ends; circle centre and print position in x1, y1
  double radius = 0;
  PicturePen pen;       // the colour alone for kErase and kPrint
  std::string text;     // kPrint
  PictureFont font;     // kPrint

  // One line of text naming everything the operation was made with:
  //   erase #FFFFFF
  //   line (25,312)-(405,312) #808080 w1 dot
  //   box (25,312)-(405,10) #808080 w2 solid
  //   circle (90,102) r2 #0000FF w1 solid
  //   print (30,20) #800080 "title" [ＭＳ ゴシック 9]   (" bold" after the size when bold)
  //   resize 400x300
  std::string ToString() const;
};

class RecordingPicture : public Picture {
 public:
  RecordingPicture(int width, int height, PictureFont font = {"ＭＳ ゴシック", 9, false});

  const std::vector<PictureOp>& Ops() const { return ops_; }
  // The operations as text, one per element (PictureOp::ToString).
  std::vector<std::string> OpTexts() const;
  void ClearOps() { ops_.clear(); }

 protected:
  void DoResize(int width, int height) override;
  void DoErase(Rgb color) override;
  void DoLine(double x1, double y1, double x2, double y2, const PicturePen& pen) override;
  void DoBox(double x1, double y1, double x2, double y2, const PicturePen& pen) override;
  void DoCircle(double x, double y, double radius, const PicturePen& pen) override;
  void DoPrint(double x, double y, const std::string& text, Rgb color, const PictureFont& font) override;

 private:
  std::vector<PictureOp> ops_;
};

// The numbers of PictureOp::ToString: the shortest text that reads back as
// the same double ("25", "131.4", "-3.5").
std::string CoordinateText(double value);

// "#RRGGBB".
std::string ColorText(Rgb color);

}  // namespace plamor::charts

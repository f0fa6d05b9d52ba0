// A picture area that records every drawing operation with its exact
// coordinates, colour, width, style, font and text, so that the charts can be
// checked without a display.
#pragma once

#include <string>
#include <vector>

#include "charts/picture.h"

namespace plamor::charts {

class RecordingPicture : public Picture {
 public:
  RecordingPicture(int width, int height, PictureFont font = {"ＭＳ ゴシック", 9, false});

  const std::vector<PictureOp>& Ops() const { return ops_; }
  // The operations as text, one per element (PictureOp::ToString).
  std::vector<std::string> OpTexts() const;
  void ClearOps() { ops_.clear(); }

 protected:
  void Draw(const PictureOp& op) override { ops_.push_back(op); }

 private:
  std::vector<PictureOp> ops_;
};

// The numbers of PictureOp::ToString: the shortest text that reads back as
// the same double ("25", "131.4", "-3.5").
std::string CoordinateText(double value);

// "#RRGGBB".
std::string ColorText(Rgb color);

}  // namespace plamor::charts

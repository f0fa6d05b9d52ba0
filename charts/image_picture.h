// A picture area drawing into an image, as shown by the chart widgets and
// saved as PNG.
#pragma once

#include <QImage>
#include <string>

#include "charts/picture.h"

namespace plamor::charts {

class ImagePicture : public Picture {
 public:
  ImagePicture(int width, int height, PictureFont font);

  const QImage& Image() const { return image_; }
  // Writes the picture as a PNG file; false when the file cannot be written.
  bool SavePng(const std::string& path) const;

 protected:
  void Draw(const PictureOp& op) override;

 private:
  void Grow(int width, int height);
  void Fill(Rgb color);
  void Stroke(const PictureOp& op);
  void Text(const PictureOp& op);

  QImage image_;
};

}  // namespace plamor::charts

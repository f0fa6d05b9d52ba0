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
  void DoResize(int width, int height) override;
  void DoErase(Rgb color) override;
  void DoLine(double x1, double y1, double x2, double y2, const PicturePen& pen) override;
  void DoBox(double x1, double y1, double x2, double y2, const PicturePen& pen) override;
  void DoCircle(double x, double y, double radius, const PicturePen& pen) override;
  void DoPrint(double x, double y, const std::string& text, Rgb color, const PictureFont& font) override;

 private:
  QImage image_;
};

}  // namespace plamor::charts

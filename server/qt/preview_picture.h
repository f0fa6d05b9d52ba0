// The preview picture of the server dialog: the 84 x 59 device context shown
// enlarged by a whole factor, every pixel kept sharp.
#pragma once

#include <QImage>
#include <QWidget>

struct PlamorDeviceContext;

namespace plamor {

class PreviewPicture final : public QWidget {
 public:
  PreviewPicture(const PlamorDeviceContext& surface, int zoom, QWidget* parent = nullptr);

  // The surface's pixels as an image of its own size.
  QImage SurfaceImage() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const PlamorDeviceContext& surface_;
};

}  // namespace plamor

// The widget of a chart's picture area: shows an ImagePicture and resizes it
// with the widget (what is drawn stays; nothing is redrawn).
#pragma once

#include <QWidget>

#include "charts/image_picture.h"

namespace plamor::charts {

class PictureBox : public QWidget {
  Q_OBJECT
 public:
  PictureBox(PictureFont font, QWidget* parent = nullptr);

  ImagePicture& Picture() { return picture_; }
  const ImagePicture& Picture() const { return picture_; }

  // Places the box at the top-left of its control with the given size and
  // sizes the picture with it at once, also while the control is hidden.
  void Fit(QSize size);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  ImagePicture picture_;
};

// Repaints a picture area when it goes out of scope, also when the drawing
// method it guards fails part way: what was drawn up to the failure stays in
// the picture and is shown.
class RepaintOnExit {
 public:
  explicit RepaintOnExit(QWidget& widget) : widget_(widget) {}
  ~RepaintOnExit() { widget_.update(); }
  RepaintOnExit(const RepaintOnExit&) = delete;
  RepaintOnExit& operator=(const RepaintOnExit&) = delete;

 private:
  QWidget& widget_;
};

// The screen size in points, as the controls report it: the size in twips
// (1/1440 inch) times 0.05. 0 when there is no screen.
float ScreenWidthPoints();
float ScreenHeightPoints();

}  // namespace plamor::charts

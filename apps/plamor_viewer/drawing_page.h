// The drawing page of the viewer: one of our drawing files (.plm, .atz) drawn
// by the preview renderer, fitted to the page and drawn again when it is resized.
#pragma once

#include <QImage>
#include <QWidget>
#include <filesystem>
#include <optional>

#include "drawings/drawing_model.h"

class QLabel;

namespace plamor::viewer {

class DrawingView : public QWidget {
  Q_OBJECT
 public:
  explicit DrawingView(QWidget* parent = nullptr) : QWidget(parent) {}
  void Show(drawings::DrawingModel model);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Render();

  std::optional<drawings::DrawingModel> model_;
  QImage picture_;
};

class DrawingPage : public QWidget {
  Q_OBJECT
 public:
  explicit DrawingPage(QWidget* parent = nullptr);
  // Shows the drawing; a faulty file is reported and the page stays as it was
  // (false).
  bool OpenDrawing(const std::filesystem::path& file);

 private:
  QLabel* name_;
  DrawingView* view_;
};

}  // namespace plamor::viewer

#include "apps/plamor_viewer/drawing_page.h"

#include <QFileDialog>

#include <algorithm>
#include <QHBoxLayout>
#include <QLabel>
#include "apps/plamor_viewer/report.h"
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "drawings/drawing_files.h"
#include "drawings/sheet_geometry.h"
#include "platform/folders.h"
#include "drawings/outputs/raster_picture.h"

namespace plamor::viewer {

void DrawingView::Show(drawings::DrawingModel model) {
  model_ = std::move(model);
  Render();
}

void DrawingView::Render() {
  if (!model_ || width() < 64) return;
  try {
    // As wide as the page, or narrower where the sheet would be taller than the page.
    const int fitted = std::min(width(), static_cast<int>(height() / drawings::PictureRatio(*model_)));
    const auto dc = drawings::DrawPicture(*model_, fitted, folders::StrokeFontFile().string());
    QImage image(dc->Width(), dc->Height(), QImage::Format_RGB32);
    for (int y = 0; y < dc->Height(); ++y)
      for (int x = 0; x < dc->Width(); ++x) {
        const ColorRef c = dc->Pixels()[static_cast<std::size_t>(y) * dc->Width() + x];
        image.setPixel(x, y, qRgb(RedOf(c), GreenOf(c), BlueOf(c)));
      }
    picture_ = std::move(image);
  } catch (const std::exception& e) {
    model_.reset();
    Report(this, "図面", QString::fromStdString(e.what()));
  }
  update();
}

void DrawingView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  if (picture_.isNull()) return;
  painter.drawImage(QPoint((width() - picture_.width()) / 2, (height() - picture_.height()) / 2), picture_);
}

void DrawingView::resizeEvent(QResizeEvent*) { Render(); }

DrawingPage::DrawingPage(QWidget* parent) : QWidget(parent), name_(new QLabel), view_(new DrawingView) {
  auto* open = new QPushButton("図面ファイルを開く…");
  auto* bar = new QHBoxLayout;
  bar->addWidget(open);
  bar->addWidget(name_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(view_, 1);
  view_->setMinimumSize(480, 340);
  connect(open, &QPushButton::clicked, this, [this] {
    const QString name = QFileDialog::getOpenFileName(this, "図面ファイルを開く", {},
                                                      "図面ファイル (*.plm *.atz *.PLM *.ATZ)");
    if (!name.isEmpty()) OpenDrawing(name.toStdString());
  });
}

bool DrawingPage::OpenDrawing(const std::filesystem::path& file) {
  try {
    drawings::DrawingModel model = drawings::ReadDrawingFile(file);
    name_->setText(QString::fromStdString(file.filename().string() + "  (" +
                                          std::to_string(model.elements.size()) + " 要素)"));
    view_->Show(std::move(model));
    return true;
  } catch (const std::exception& e) {
    Report(this, "図面ファイル", QString::fromStdString(e.what()));
    return false;
  }
}

}  // namespace plamor::viewer

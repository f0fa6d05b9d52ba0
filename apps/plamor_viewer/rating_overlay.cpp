#include "apps/plamor_viewer/rating_overlay.h"

#include <QPainter>

#include <algorithm>

#include "charts/picture_box.h"
#include "charts/tbunpu.h"
#include "charts/tbunpu_chart.h"

namespace plamor::viewer {
namespace {

// The curve in a colour apart from the chart's red markers and grey grid.
const QColor kCurveColour(0, 70, 200);
const QColor kMarkerColour(255, 0, 0);  // the chart's own marker colour
constexpr double kHollowRadius = 3.5;   // pixels: a little larger than the chart's dots

QPointF OnPicture(const charts::HqPlotFrame& frame, sheets::SheetPoint p) {
  const sheets::PicturePoint q = sheets::OnChartPicture(frame, p);
  return {q.x, q.y};
}

}  // namespace

RatingOverlay::RatingOverlay(charts::TBunpu& chart) : QWidget(&chart), chart_(chart) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setGeometry(chart.rect());
  raise();
}

void RatingOverlay::Show(sheets::RatingCurveDrawing curve, std::vector<ExcludedMarker> excluded) {
  curve_ = std::move(curve);
  excluded_ = std::move(excluded);
  showing_ = true;
  update();
}

void RatingOverlay::Remove() {
  showing_ = false;
  curve_ = {};
  excluded_.clear();
  update();
}

void RatingOverlay::paintEvent(QPaintEvent*) {
  if (!showing_) return;
  charts::HqPlotFrame frame;
  try {
    frame = charts::HqPlotFrameOf(chart_.PictureArea().Picture());
  } catch (const std::exception&) {
    return;  // a picture the chart cannot draw on holds no chart to draw over
  }
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setClipRect(QRectF(frame.left, frame.bottom - frame.height, frame.width, frame.height));
  for (const sheets::CurvePiece& piece : curve_.pieces) {
    painter.setPen(QPen(kCurveColour, 1.6, piece.extrapolated ? Qt::DashLine : Qt::SolidLine));
    painter.drawLine(OnPicture(frame, piece.from), OnPicture(frame, piece.to));
  }
  painter.setClipping(false);
  painter.setPen(QPen(kMarkerColour, 1.2));
  painter.setBrush(Qt::white);
  QFont labelFont = font();
  labelFont.setPixelSize(11);
  painter.setFont(labelFont);
  for (const ExcludedMarker& m : excluded_) {
    const QPointF at = OnPicture(frame, m.at);
    painter.drawEllipse(at, kHollowRadius, kHollowRadius);
    painter.drawText(at + QPointF(kHollowRadius + 1, kHollowRadius + 9), QString::fromStdString(m.label));
  }
  // The formulas where the layout put them on the sheet, at a size that can be read.
  QFont formulaFont = font();
  formulaFont.setPixelSize(std::max(12, int(sheets::PicturePixelsOf(frame, sheets::kFormulaTextHeight))));
  painter.setFont(formulaFont);
  painter.setPen(kCurveColour);
  const QFontMetricsF metrics(formulaFont);
  const double plotRight = frame.left + frame.width - 4;
  for (const sheets::CurveText& t : curve_.formulas) {
    const QString text = QString::fromStdString(t.text);
    QPointF at = OnPicture(frame, t.at);
    at.setX(std::max(frame.left + 4, std::min(at.x(), plotRight - metrics.horizontalAdvance(text))));
    painter.drawText(at, text);
  }
}

}  // namespace plamor::viewer

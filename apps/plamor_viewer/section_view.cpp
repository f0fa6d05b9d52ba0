#include "apps/plamor_viewer/section_view.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "apps/plamor_viewer/river_table_model.h"
#include "charts/water_line.h"
#include "graphic/session.h"
#include "platform/device_context.h"
#include "server/types.h"
#include "sheets/river_sheet.h"

namespace plamor::viewer {
namespace {

constexpr int kLeftMargin = 64, kRightMargin = 24, kTopMargin = 40, kBottomMargin = 44;

QColor ScreenColour(std::int32_t pen) {
  const ColorRef c = graphic::PageColour(pen);
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

Qt::PenStyle ScreenStyle(std::int32_t style) {
  switch (style) {
    case ktpdash: return Qt::DashLine;
    case ktpdashdot: return Qt::DashDotLine;
    case ktpdashdotdot: return Qt::DashDotDotLine;
    default: return Qt::SolidLine;
  }
}

// A round step (1, 2 or 5 times a power of ten) giving about `count` steps over `range`.
double RoundStep(double range, int count) {
  const double rough = range / count;
  const double decade = std::pow(10, std::floor(std::log10(rough)));
  for (double step : {1.0, 2.0, 5.0})
    if (step * decade >= rough) return step * decade;
  return 10 * decade;
}

struct Extent {
  double left = std::numeric_limits<double>::infinity(), right = -left, low = left, high = -left;
  void Add(double x, double y) {
    left = std::min(left, x), right = std::max(right, x), low = std::min(low, y), high = std::max(high, y);
  }
};

// The survey's points with an elevation as the chart's point table: points
// 1..n, the water surface as Y(0).
charts::PointTable PointTableOf(const survey::SectionSurvey& s) {
  charts::PointTable t{{0.0}, {s.waterSurface.value_or(0)}};
  for (const survey::SectionPoint& p : s.points)
    if (p.elevation) t.X.push_back(p.distance), t.Y.push_back(*p.elevation);
  return t;
}

}  // namespace

SectionView::SectionView(QWidget* parent) : QWidget(parent) {
  setMinimumSize(480, 320);
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);
  setPalette(p);
}

void SectionView::Show(const survey::RiverSection& section) {
  section_ = section;
  showing_ = true;
  update();
}

void SectionView::Remove() {
  showing_ = false;
  update();
}

void SectionView::paintEvent(QPaintEvent*) {
  if (!showing_ || section_.surveys.empty()) return;
  Extent e;
  for (const survey::SectionSurvey& s : section_.surveys) {
    for (const survey::SectionPoint& p : s.points)
      if (p.elevation) e.Add(p.distance, *p.elevation);
    if (s.waterSurface) e.Add(e.left, *s.waterSurface);
  }
  if (!(e.right > e.left) || !(e.high > e.low)) return;
  const double dx = RoundStep(e.right - e.left, 10), dy = RoundStep(e.high - e.low, 6);
  const double x0 = std::floor(e.left / dx) * dx, x1 = std::ceil(e.right / dx) * dx;
  const double y0 = std::floor(e.low / dy) * dy, y1 = std::ceil(e.high / dy) * dy + dy;  // room for the legend
  const QRectF plot(kLeftMargin, kTopMargin, width() - kLeftMargin - kRightMargin,
                    height() - kTopMargin - kBottomMargin);
  const auto at = [&](double x, double y) {
    return QPointF(plot.left() + (x - x0) / (x1 - x0) * plot.width(), plot.bottom() - (y - y0) / (y1 - y0) * plot.height());
  };

  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  QFont small = font();
  small.setPixelSize(11);
  painter.setFont(small);
  // Grid and its figures.
  painter.setPen(QPen(QColor(200, 200, 200), 1, Qt::DotLine));
  for (double x = x0; x <= x1 + dx / 2; x += dx) {
    painter.drawLine(at(x, y0), at(x, y1));
    painter.save();
    painter.setPen(Qt::black);
    painter.drawText(QRectF(at(x, y0).x() - 30, plot.bottom() + 3, 60, 14), Qt::AlignCenter, QString::number(x));
    painter.restore();
  }
  for (double y = y0; y <= y1 + dy / 2; y += dy) {
    painter.drawLine(at(x0, y), at(x1, y));
    painter.save();
    painter.setPen(Qt::black);
    painter.drawText(QRectF(0, at(x0, y).y() - 7, kLeftMargin - 6, 14), Qt::AlignRight | Qt::AlignVCenter,
                     QString::number(y, 'f', dy < 1 ? 1 : 0));
    painter.restore();
  }
  painter.setPen(QPen(Qt::black, 1.5));
  painter.drawRect(plot);
  painter.drawText(QRectF(plot.left(), plot.bottom() + 18, plot.width(), 16), Qt::AlignCenter, "距離 (m)");
  painter.drawText(QRectF(4, kTopMargin - 22, 120, 16), Qt::AlignLeft, "標高 (T.P. m)");
  painter.drawText(QRectF(plot.left(), plot.bottom() + 18, 60, 16), Qt::AlignLeft, "左岸");
  painter.drawText(QRectF(plot.right() - 60, plot.bottom() + 18, 60, 16), Qt::AlignRight, "右岸");
  QFont title = font();
  title.setPixelSize(16);
  title.setBold(true);
  painter.setFont(title);
  painter.drawText(QRectF(0, 4, width(), 24), Qt::AlignCenter,
                   QString("%1 km  横断面").arg(QString::fromStdString(sheets::DistanceMarkText(section_.distanceMark))));

  // The surveys, the earliest first so that the latest lies on top.
  painter.setClipRect(plot);
  for (std::size_t i = 0; i < section_.surveys.size(); ++i) {
    const survey::SectionSurvey& s = section_.surveys[i];
    const std::size_t rank = section_.surveys.size() - 1 - i;  // the section's latest survey is rank 0
    const drawings::Stroke stroke = sheets::SurveyStroke(rank);
    const QColor colour = ScreenColour(stroke.pen);
    const charts::PointTable t = PointTableOf(s);
    const std::int32_t n = std::int32_t(t.X.size()) - 1;
    QPainterPath bed;
    for (std::int32_t i = 1; i <= n; ++i) i == 1 ? bed.moveTo(at(t.X[i], t.Y[i])) : bed.lineTo(at(t.X[i], t.Y[i]));
    painter.setPen(QPen(colour, stroke.style == ktpsolid ? 2 : 1.5, ScreenStyle(stroke.style)));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(bed);
    if (!s.waterSurface || n < 1) continue;
    if (const std::optional<charts::WaterLineEnds> ends = charts::WaterLineOf(t, n)) {
      const QPointF a = at(ends->left, *s.waterSurface), b = at(ends->right, *s.waterSurface);
      painter.setPen(QPen(colour, 1));
      painter.drawLine(a, b);
      // The water level's mark, a small triangle on the line, each survey's a little apart.
      const QPointF m(a.x() + (b.x() - a.x()) * (0.3 + 0.12 * double(rank % 4)), a.y());
      painter.setBrush(Qt::white);
      painter.drawPolygon(QPolygonF({m + QPointF(-5, -9), m + QPointF(5, -9), m}));
    }
  }
  painter.setClipping(false);

  // Legend of the dates, latest first.
  painter.setFont(small);
  const double rowHeight = 16, boxWidth = 130;
  const QRectF box(plot.right() - boxWidth - 8, plot.top() + 8, boxWidth, rowHeight * double(section_.surveys.size()) + 8);
  painter.setPen(QPen(Qt::gray, 1));
  painter.setBrush(Qt::white);
  painter.drawRect(box);
  int row = 0;
  for (auto s = section_.surveys.rbegin(); s != section_.surveys.rend(); ++s, ++row) {
    const drawings::Stroke stroke = sheets::SurveyStroke(std::size_t(row));
    const double y = box.top() + 4 + rowHeight * row + rowHeight / 2;
    painter.setPen(QPen(ScreenColour(stroke.pen), 2, ScreenStyle(stroke.style)));
    painter.drawLine(QPointF(box.left() + 8, y), QPointF(box.left() + 40, y));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(box.left() + 48, y - 8, boxWidth - 50, 16), Qt::AlignLeft | Qt::AlignVCenter,
                     QString::fromStdString(survey::IsoDate(s->date)));
  }
}

}  // namespace plamor::viewer

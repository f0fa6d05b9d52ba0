#include "hydraulics/rating_fit.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "cli/input_error.h"
#include "hydraulics/least_squares.h"
#include "platform/ascii_text.h"
#include "platform/message_text.h"
#include "platform/numeric_text.h"
#include "survey/hq_table.h"

namespace plamor::hydraulics {
namespace {

constexpr std::size_t kLeastPoints = 3;
constexpr int kMaxIterations = 200;
// A step this small against the parameters ends the iteration in Q.
constexpr double kSettledStep = 1e-12;

// The broken line g(H) = θ0 + θ1 (H - centre) + Σ_j θ(j+2) max(0, H - split_j):
// one slope per segment, continuous at every split. The stage is taken from
// a centre inside the data so that the columns stay well apart.
class BrokenLine {
 public:
  BrokenLine(std::span<const double> splits, double centre) : splits_(splits), centre_(centre) {}

  std::size_t Parameters() const { return splits_.size() + 2; }

  void Basis(double stage, double* row, std::size_t stride) const {
    row[0] = 1;
    row[stride] = stage - centre_;
    for (std::size_t j = 0; j < splits_.size(); ++j) row[(j + 2) * stride] = std::max(0.0, stage - splits_[j]);
  }

  double Value(const std::vector<double>& theta, double stage) const {
    double g = theta[0] + theta[1] * (stage - centre_);
    for (std::size_t j = 0; j < splits_.size(); ++j) g += theta[j + 2] * std::max(0.0, stage - splits_[j]);
    return g;
  }

  // Slope and intercept (at H = 0) of segment k's line.
  void Line(const std::vector<double>& theta, std::size_t k, double& slope, double& intercept) const {
    slope = theta[1];
    intercept = theta[0] - theta[1] * centre_;
    for (std::size_t j = 0; j < k; ++j) {
      slope += theta[j + 2];
      intercept -= theta[j + 2] * splits_[j];
    }
  }

  // The segment a column of the basis belongs to.
  static std::size_t SegmentOfColumn(std::size_t column) { return column < 2 ? 0 : column - 1; }

 private:
  std::span<const double> splits_;
  double centre_;
};

ColumnMatrix BasisMatrix(const BrokenLine& line, std::span<const StagePoint> points, std::size_t extraRows = 0) {
  ColumnMatrix a(points.size() + extraRows, line.Parameters());
  for (std::size_t i = 0; i < points.size(); ++i) line.Basis(points[i].stage, &a.at(i, 0), a.rows);
  return a;
}

std::vector<double> Solve(ColumnMatrix& a, std::vector<double>& y, std::span<const double> splits) {
  LeastSquaresSolution s = SolveLeastSquares(a, y);
  if (s.x.empty())
    throw FitError(SegmentName(splits, BrokenLine::SegmentOfColumn(s.singularColumn)) +
                   ": the system is singular (its measurements do not fix a line through their stages)");
  return s.x;
}

std::vector<double> FitRoots(const BrokenLine& line, std::span<const StagePoint> points, std::span<const double> splits) {
  ColumnMatrix a = BasisMatrix(line, points);
  std::vector<double> y(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) y[i] = std::sqrt(points[i].discharge);
  return Solve(a, y, splits);
}

double SumOfSquares(const BrokenLine& line, const std::vector<double>& theta, std::span<const StagePoint> points) {
  double s = 0;
  for (const StagePoint& p : points) {
    const double g = line.Value(theta, p.stage);
    const double r = p.discharge - g * g;
    s += r * r;
  }
  return s;
}

// Levenberg-Marquardt on Σ (Q - g(H)²)², the model's Jacobian 2 g(H) times
// the basis, damped by the Jacobian's column sizes (Marquardt's scaling).
std::vector<double> FitDischarges(const BrokenLine& line, std::span<const StagePoint> points,
                                  std::vector<double> theta) {
  const std::size_t n = points.size(), p = line.Parameters();
  double lambda = 1e-6;
  double current = SumOfSquares(line, theta, points);
  for (int iteration = 0; iteration < kMaxIterations; ++iteration) {
    ColumnMatrix jacobian = BasisMatrix(line, points, p);
    std::vector<double> residual(n + p, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
      const double g = line.Value(theta, points[i].stage);
      residual[i] = points[i].discharge - g * g;
      for (std::size_t j = 0; j < p; ++j) jacobian.at(i, j) *= 2 * g;
    }
    std::vector<double> scale(p);
    for (std::size_t j = 0; j < p; ++j) {
      double s = 0;
      for (std::size_t i = 0; i < n; ++i) s += jacobian.at(i, j) * jacobian.at(i, j);
      scale[j] = std::sqrt(s);
    }
    bool improved = false;
    while (!improved) {
      ColumnMatrix damped = jacobian;
      std::vector<double> rhs = residual;
      for (std::size_t j = 0; j < p; ++j) damped.at(n + j, j) = std::sqrt(lambda) * scale[j];
      LeastSquaresSolution step = SolveLeastSquares(damped, rhs);
      if (step.x.empty()) return theta;  // no direction left: the Jacobian vanished
      std::vector<double> next = theta;
      double stepSize = 0, size = 0;
      for (std::size_t j = 0; j < p; ++j) {
        next[j] += step.x[j];
        stepSize += step.x[j] * step.x[j];
        size += theta[j] * theta[j];
      }
      const double trial = SumOfSquares(line, next, points);
      if (trial < current) {
        const bool settled = stepSize <= kSettledStep * kSettledStep * size;
        theta = std::move(next);
        current = trial;
        lambda = std::max(lambda / 10, 1e-12);
        improved = true;
        if (settled) return theta;
      } else {
        if (stepSize <= kSettledStep * kSettledStep * size) return theta;  // nothing left within rounding
        lambda *= 10;
        if (lambda > 1e12) return theta;  // no smaller sum within rounding: the minimum
      }
    }
  }
  throw FitError("the least-squares fit in Q did not settle in " + std::to_string(kMaxIterations) + " steps");
}

void SetStatistics(RatingSegment& s, std::span<const StagePoint> points, std::span<const std::size_t> members) {
  double relative = 0, residual = 0, mean = 0;
  for (std::size_t i : members) mean += points[i].discharge;
  mean /= static_cast<double>(members.size());
  double spread = 0;
  for (std::size_t i : members) {
    const double fitted = s.Discharge(points[i].stage);
    const double q = points[i].discharge;
    relative += ((q - fitted) / fitted) * ((q - fitted) / fitted);
    residual += (q - fitted) * (q - fitted);
    spread += (q - mean) * (q - mean);
  }
  s.n = members.size();
  s.sePercent = std::sqrt(relative / static_cast<double>(members.size() - 2)) * 100;
  s.r2 = spread > 0 ? 1 - residual / spread : 1;
}

// The comma-separated items of an option's value, blanks around them dropped.
std::vector<std::string_view> SplitAtCommas(std::string_view text) {
  std::vector<std::string_view> items;
  for (std::size_t start = 0;;) {
    const std::size_t comma = text.find(',', start);
    items.push_back(ascii::TrimBlanksAndTabs(text.substr(start, comma == std::string_view::npos ? comma : comma - start)));
    if (comma == std::string_view::npos) return items;
    start = comma + 1;
  }
}

std::size_t SegmentOfStage(std::span<const double> splits, double stage) {
  return static_cast<std::size_t>(std::upper_bound(splits.begin(), splits.end(), stage) - splits.begin());
}

}  // namespace

std::string SegmentName(std::span<const double> splits, std::size_t k) {
  const std::string name = "segment " + std::to_string(k + 1) + " (";
  if (splits.empty()) return name + "all stages)";
  if (k == 0) return name + "H < " + StageText(splits[0]) + ")";
  if (k == splits.size()) return name + "H ≥ " + StageText(splits[k - 1]) + ")";
  return name + StageText(splits[k - 1]) + " ≤ H < " + StageText(splits[k]) + ")";
}

std::vector<double> ParseSplits(std::string_view text) {
  std::vector<double> splits;
  for (std::string_view item : SplitAtCommas(text)) {
    const double stage = numtext::Val(item);
    if (!numtext::IsNumeric(item) || !std::isfinite(stage))
      throw std::invalid_argument(msgtext::Quoted(std::string(item)) + " is not a stage");
    if (!splits.empty() && !(stage > splits.back()))
      throw std::invalid_argument("the stages must rise: " + StageText(stage) + " follows " +
                                  StageText(splits.back()));
    splits.push_back(stage);
  }
  return splits;
}

std::vector<std::string> ParseLabels(std::string_view text) {
  std::vector<std::string> labels;
  for (std::string_view label : SplitAtCommas(text)) {
    if (label.empty()) throw std::invalid_argument(msgtext::Quoted(std::string(text)) + " has an empty label");
    labels.emplace_back(label);
  }
  return labels;
}

RatingFormula FitRatingFormula(std::span<const StagePoint> points, FitMethod method, std::span<const double> splits) {
  for (std::size_t j = 1; j < splits.size(); ++j)
    if (!(splits[j] > splits[j - 1])) throw std::invalid_argument("the split stages must rise");
  std::vector<std::vector<std::size_t>> members(splits.size() + 1);
  double lowest = std::numeric_limits<double>::infinity(), highest = -lowest;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (!(points[i].discharge > 0)) throw std::invalid_argument("a rating fit needs discharges above 0");
    members[SegmentOfStage(splits, points[i].stage)].push_back(i);
    lowest = std::min(lowest, points[i].stage);
    highest = std::max(highest, points[i].stage);
  }
  for (std::size_t k = 0; k < members.size(); ++k)
    if (members[k].size() < kLeastPoints)
      throw FitError(SegmentName(splits, k) + ": " + std::to_string(members[k].size()) +
                     (members[k].size() == 1 ? " measurement" : " measurements") + "; a fit needs at least 3");

  double centre = 0;
  for (const StagePoint& p : points) centre += p.stage;
  const BrokenLine line(splits, centre / static_cast<double>(points.size()));
  std::vector<double> theta = FitRoots(line, points, splits);
  if (method == FitMethod::kQ) theta = FitDischarges(line, points, std::move(theta));

  RatingFormula formula;
  formula.method = method;
  for (std::size_t k = 0; k < members.size(); ++k) {
    RatingSegment s;
    double slope = 0, intercept = 0;
    line.Line(theta, k, slope, intercept);
    s.from = k == 0 ? lowest : splits[k - 1];
    s.to = k == splits.size() ? highest : splits[k];
    if (!(slope > 0))
      throw FitError(SegmentName(splits, k) + ": the fitted discharge does not rise with the stage");
    s.a = slope * slope;
    s.b = intercept / slope;
    if (!(-s.b < s.from))
      throw FitError(SegmentName(splits, k) + ": the zero-flow stage -b = " + numtext::Format(-s.b, "0.000") +
                     " is not below the segment's lowest stage " + StageText(s.from) +
                     "; Q = a (H + b)² cannot hold there");
    SetStatistics(s, points, members[k]);
    formula.segments.push_back(s);
  }
  return formula;
}

RatingFit FitRating(const survey::HqTable& table, const RatingFitOptions& options) {
  for (const std::string& label : options.excluded)
    if (std::none_of(table.measurements.begin(), table.measurements.end(),
                     [&](const survey::Measurement& m) { return m.label == label; }))
      throw std::invalid_argument(table.file.string() + " has no measurement labelled " + msgtext::Quoted(label));
  const auto isExcluded = [&](const survey::Measurement& m) {
    return std::find(options.excluded.begin(), options.excluded.end(), m.label) != options.excluded.end();
  };
  std::vector<StagePoint> points;
  for (const survey::Measurement& m : table.measurements) {
    if (isExcluded(m)) continue;
    const double q = m.quantity[survey::kDischarge];
    if (!(q > 0))
      throw InputError(table.file, m.line, table.quantityField[survey::kDischarge],
                       "discharge " + numtext::CStr(q) + " is not above 0; a rating fit needs flowing measurements " +
                           "(leave this one out of the fit)");
    points.push_back({m.stage, q});
  }
  RatingFit fit;
  fit.formula = FitRatingFormula(points, options.method, options.splits);
  for (const survey::Measurement& m : table.measurements) {
    FittedMeasurement f;
    f.excluded = isExcluded(m);
    f.segment = SegmentAt(fit.formula, m.stage);
    const RatingSegment& s = fit.formula.segments[f.segment];
    f.fitted = s.Discharge(m.stage);
    f.deviationPercent = f.fitted > 0 ? (m.quantity[survey::kDischarge] - f.fitted) / f.fitted * 100
                                      : std::numeric_limits<double>::infinity();
    f.outlier = std::abs(f.deviationPercent) > options.outlierPercent.value_or(2 * s.sePercent);
    fit.measurements.push_back(f);
  }
  return fit;
}

}  // namespace plamor::hydraulics

// Fitting a station's stage-discharge formula Q = a (H + b)² to its gauged
// measurements by least squares, in one segment or in several split at given
// stages, the formula continuous at every split (both curves give the same
// discharge there).
//
// Both methods fit the straight line g(H) = √a (H + b) of each segment,
// joined at the splits into one continuous broken line (one intercept and one
// slope per segment, the intercepts fixed by continuity), so Q = g(H)² is
// continuous by construction:
//   sqrt  linear least squares on √Q = g(H), solved in closed form (QR);
//   q     least squares in Q itself, Levenberg-Marquardt from the sqrt solution.
//
// Statistics of a segment over its n fitted measurements:
//   standard error of estimate, percent of Q:  sqrt(Σ ((Q - Qfit) / Qfit)² / (n - 2)) · 100
//   r²:                                        1 - Σ (Q - Qfit)² / Σ (Q - mean Q)²
#pragma once

#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "hydraulics/rating_formula.h"

namespace plamor::survey {
struct HqTable;
}

namespace plamor::hydraulics {

// A fit the measurements cannot give; what() names the segment and the reason:
// "segment 2 (1.20 ≤ H < 2.40): 2 measurements; a fit needs at least 3".
class FitError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct StagePoint {
  double stage = 0;
  double discharge = 0;
};

// "segment 2 (1.20 ≤ H < 2.40)", "segment 1 (H < 1.20)", "segment 3 (H ≥ 2.40)",
// "segment 1 (all stages)": segment k (0-based) of the splits, as errors name it.
std::string SegmentName(std::span<const double> splits, std::size_t segment);

// Fits the points (discharges above 0) split at the rising stages `splits`;
// a point at a split belongs to the segment above it. Segment k holds from
// split k-1 to split k, the first from its lowest stage and the last up to its
// highest. Throws FitError for a segment with fewer than 3 points, a singular
// system, a fitted discharge that does not rise with the stage, and a
// zero-flow stage -b not below the segment's lowest stage; std::invalid_argument
// for splits that do not rise or a discharge not above 0.
RatingFormula FitRatingFormula(std::span<const StagePoint> points, FitMethod method, std::span<const double> splits);

// The rising split stages from "1.2,2.4"; std::invalid_argument names the
// stage that is not a number or does not rise.
std::vector<double> ParseSplits(std::string_view text);

// The labels of "3,7" (blanks around them dropped); std::invalid_argument
// for an empty label.
std::vector<std::string> ParseLabels(std::string_view text);

struct RatingFitOptions {
  FitMethod method = FitMethod::kQ;
  std::vector<double> splits;          // rising stages where a segment ends and the next begins
  std::vector<std::string> excluded;   // labels of measurements left out of the fit
  std::optional<double> outlierPercent;  // default: twice the segment's standard error
};

struct FittedMeasurement {
  bool excluded = false;
  std::size_t segment = 0;        // by the formula's SegmentAt
  double fitted = 0;              // Qfit
  double deviationPercent = 0;    // (Q - Qfit) / Qfit · 100
  bool outlier = false;           // |deviation| beyond the outlier limit
};

struct RatingFit {
  RatingFormula formula;
  std::vector<FittedMeasurement> measurements;  // one per measurement of the table, in its order
};

// Fits the table's measurements, those labelled in options.excluded left out
// (they still get their fitted discharge and deviation). A discharge not above
// 0 among the fitted ones is an InputError naming the file, line and field;
// an excluded label that no measurement has is std::invalid_argument naming
// it; what the fit cannot give is a FitError.
RatingFit FitRating(const survey::HqTable& table, const RatingFitOptions& options);

}  // namespace plamor::hydraulics

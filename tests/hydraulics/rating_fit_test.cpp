// The rating-curve fit: known formulas recovered, noise handled the way each
// method promises, continuity at the splits, exclusions and outliers, and the
// fits the data cannot give refused with their segment named.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "cli/input_error.h"
#include "hydraulics/rating_fit.h"
#include "survey/hq_table.h"

using namespace plamor;
using namespace plamor::hydraulics;

namespace {

std::vector<StagePoint> Station(double a, double b, double from, double to, int n, double noise = 0) {
  std::vector<StagePoint> points;
  for (int i = 0; i < n; ++i) {
    const double h = from + (to - from) * i / (n - 1);
    // Alternating deviations of a few percent, as a gauging campaign scatters.
    const double scatter = noise * ((i % 3) - 1) * (1 + 0.3 * (i % 2));
    points.push_back({h, a * (h + b) * (h + b) * (1 + scatter)});
  }
  return points;
}

double SumOfSquaresInQ(const RatingFormula& f, const std::vector<StagePoint>& points) {
  double s = 0;
  for (const StagePoint& p : points) {
    const double r = p.discharge - f.segments[SegmentAt(f, p.stage)].Discharge(p.stage);
    s += r * r;
  }
  return s;
}

std::string FitErrorOf(const std::vector<StagePoint>& points, std::vector<double> splits = {}) {
  try {
    FitRatingFormula(points, FitMethod::kQ, splits);
  } catch (const FitError& e) {
    return e.what();
  }
  return "";
}

survey::HqTable Table(const std::vector<std::string>& rows) {
  std::vector<std::string> lines{"# station: test", "label,stage,discharge"};
  lines.insert(lines.end(), rows.begin(), rows.end());
  return survey::ParseHqTable("st.csv", lines);
}

}  // namespace

TEST(RatingFit, RecoversAKnownFormulaByEitherMethod) {
  const std::vector<StagePoint> points = Station(12.345, 0.21, 0.38, 1.52, 12);
  for (FitMethod method : {FitMethod::kSqrt, FitMethod::kQ}) {
    const RatingFormula f = FitRatingFormula(points, method, {});
    ASSERT_EQ(f.segments.size(), 1u);
    const RatingSegment& s = f.segments[0];
    EXPECT_NEAR(s.a, 12.345, 1e-9);
    EXPECT_NEAR(s.b, 0.21, 1e-11);
    EXPECT_EQ(s.from, 0.38);
    EXPECT_EQ(s.to, 1.52);
    EXPECT_EQ(s.n, 12u);
    EXPECT_LT(s.sePercent, 1e-9);
    EXPECT_NEAR(s.r2, 1, 1e-12);
    EXPECT_EQ(f.method, method);
  }
  // A zero-flow stage above the datum (b negative) and stages far from it.
  const RatingFormula high = FitRatingFormula(Station(3.7, -104.35, 104.6, 107.9, 20), FitMethod::kQ, {});
  EXPECT_NEAR(high.segments[0].a, 3.7, 1e-7);
  EXPECT_NEAR(high.segments[0].b, -104.35, 1e-8);
}

TEST(RatingFit, EachMethodMinimisesItsOwnResiduals) {
  const std::vector<StagePoint> points = Station(8.2, 0.4, 0.3, 3.5, 30, 0.05);
  const RatingFormula inQ = FitRatingFormula(points, FitMethod::kQ, {});
  const RatingFormula onRoot = FitRatingFormula(points, FitMethod::kSqrt, {});
  EXPECT_LT(SumOfSquaresInQ(inQ, points), SumOfSquaresInQ(onRoot, points));
  for (const RatingFormula* f : {&inQ, &onRoot}) {
    EXPECT_NEAR(f->segments[0].a, 8.2, 0.8);
    EXPECT_NEAR(f->segments[0].b, 0.4, 0.1);
    EXPECT_GT(f->segments[0].sePercent, 1);
    EXPECT_LT(f->segments[0].sePercent, 10);
    EXPECT_GT(f->segments[0].r2, 0.99);
    EXPECT_LT(f->segments[0].r2, 1);
  }
  // The least-squares minimum: moving a or b either way raises the sum.
  const double best = SumOfSquaresInQ(inQ, points);
  for (double da : {-1e-4, 1e-4})
    for (double db : {-1e-5, 0.0, 1e-5}) {
      RatingFormula moved = inQ;
      moved.segments[0].a *= 1 + da;
      moved.segments[0].b += db;
      EXPECT_GT(SumOfSquaresInQ(moved, points), best);
    }
}

TEST(RatingFit, SegmentsMeetAtTheirSplits) {
  // A station whose control changes at 1.2 and 2.4: three formulas that give
  // the same discharge at the splits.
  const double a1 = 15, b1 = 0.1, s1 = 1.2, a2 = 9, s2 = 2.4, a3 = 12;
  const double b2 = std::sqrt(a1 / a2) * (s1 + b1) - s1;
  const double b3 = std::sqrt(a2 / a3) * (s2 + b2) - s2;
  std::vector<StagePoint> points;
  for (int i = 0; i < 36; ++i) {
    const double h = 0.4 + 0.09 * i;
    const double a = h < s1 ? a1 : h < s2 ? a2 : a3, b = h < s1 ? b1 : h < s2 ? b2 : b3;
    points.push_back({h, a * (h + b) * (h + b)});
  }
  const std::vector<double> splits{s1, s2};
  for (FitMethod method : {FitMethod::kSqrt, FitMethod::kQ}) {
    const RatingFormula f = FitRatingFormula(points, method, splits);
    ASSERT_EQ(f.segments.size(), 3u);
    EXPECT_NEAR(f.segments[0].a, a1, 1e-8);
    EXPECT_NEAR(f.segments[1].b, b2, 1e-9);
    EXPECT_NEAR(f.segments[2].a, a3, 1e-8);
    EXPECT_EQ(f.segments[0].to, s1);
    EXPECT_EQ(f.segments[1].from, s1);
    EXPECT_EQ(f.segments[1].to, s2);
    EXPECT_EQ(f.segments[2].from, s2);
    EXPECT_DOUBLE_EQ(f.segments[2].to, points.back().stage);
  }
  // With noise the segments still meet exactly at the splits.
  for (StagePoint& p : points) p.discharge *= 1 + 0.04 * std::sin(7 * p.stage);
  for (FitMethod method : {FitMethod::kSqrt, FitMethod::kQ}) {
    const RatingFormula f = FitRatingFormula(points, method, splits);
    for (std::size_t k = 0; k < 2; ++k)
      EXPECT_NEAR(f.segments[k].Discharge(splits[k]) / f.segments[k + 1].Discharge(splits[k]), 1, 1e-12);
    EXPECT_EQ(f.segments[1].n, 14u);
  }
}

TEST(RatingFit, RefusesWhatTheDataCannotGiveNamingTheSegment) {
  const std::vector<StagePoint> points = Station(5, 0.2, 0.5, 3.0, 12);
  EXPECT_EQ(FitErrorOf(points, {1.0, 1.45}), "segment 2 (1.00 ≤ H < 1.45): 2 measurements; a fit needs at least 3");
  EXPECT_EQ(FitErrorOf(points, {0.6}), "segment 1 (H < 0.60): 1 measurement; a fit needs at least 3");
  EXPECT_EQ(FitErrorOf(points, {2.9}), "segment 2 (H ≥ 2.90): 1 measurement; a fit needs at least 3");
  EXPECT_EQ(FitErrorOf({{1, 2}, {1, 3}, {1, 4}}), "segment 1 (all stages): the system is singular (its "
                                                  "measurements do not fix a line through their stages)");
  EXPECT_EQ(FitErrorOf({{0.5, 9}, {1, 6}, {1.5, 4}, {2, 2}}),
            "segment 1 (all stages): the fitted discharge does not rise with the stage");
  // Discharges that rise too fast for a parabola through the low stages: its
  // zero-flow stage would lie above the lowest one.
  EXPECT_EQ(FitErrorOf({{0.5, 0.01}, {0.6, 0.01}, {1.5, 9}, {2.5, 36}}),
            "segment 1 (all stages): the zero-flow stage -b = 0.502 is not below the segment's lowest stage 0.50; "
            "Q = a (H + b)² cannot hold there");
  const std::vector<StagePoint> dry{{1, 0}, {2, 3}, {3, 4}};
  EXPECT_THROW(FitRatingFormula(dry, FitMethod::kQ, {}), std::invalid_argument);

  EXPECT_EQ(ParseSplits("1.2, 2.4"), (std::vector<double>{1.2, 2.4}));
  EXPECT_EQ(ParseLabels("3, 7,A-1"), (std::vector<std::string>{"3", "7", "A-1"}));
  EXPECT_THROW(ParseLabels("3,,7"), std::invalid_argument);
  for (const char* bad : {"1.2,x", "2.4,1.2", "1.2,1.2", ""}) EXPECT_THROW(ParseSplits(bad), std::invalid_argument) << bad;
  try {
    ParseSplits("2.4,1.2");
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "the stages must rise: 1.20 follows 2.40");
  }
}

TEST(RatingFit, TableMeasurementsExcludedAndFlagged) {
  std::vector<std::string> rows;
  for (int i = 0; i < 10; ++i) {
    const double h = 0.5 + 0.25 * i;
    const double q = 6 * (h + 0.3) * (h + 0.3) * (1 + 0.01 * ((i % 3) - 1));
    rows.push_back(std::to_string(i + 1) + "," + std::to_string(h) + "," + std::to_string(i == 6 ? q * 1.4 : q));
  }
  const survey::HqTable table = Table(rows);
  RatingFitOptions options;
  const RatingFit all = FitRating(table, options);
  ASSERT_EQ(all.measurements.size(), 10u);
  EXPECT_TRUE(all.measurements[6].outlier);  // 40 % off is beyond twice the standard error
  EXPECT_EQ(all.formula.segments[0].n, 10u);

  options.excluded = {"7"};
  const RatingFit fit = FitRating(table, options);
  EXPECT_EQ(fit.formula.segments[0].n, 9u);
  EXPECT_NEAR(fit.formula.segments[0].a, 6, 0.1);
  const FittedMeasurement& seven = fit.measurements[6];
  EXPECT_TRUE(seven.excluded);
  EXPECT_TRUE(seven.outlier);
  EXPECT_NEAR(seven.deviationPercent, 40, 2);
  const double q7 = table.measurements[6].quantity[survey::kDischarge];
  EXPECT_DOUBLE_EQ(seven.deviationPercent, (q7 - seven.fitted) / seven.fitted * 100);
  EXPECT_DOUBLE_EQ(seven.fitted, fit.formula.segments[0].Discharge(table.measurements[6].stage));
  for (std::size_t i = 0; i < 10; ++i)
    if (i != 6) {
      EXPECT_FALSE(fit.measurements[i].outlier || fit.measurements[i].excluded) << i;
    }

  options.outlierPercent = 0.5;  // a limit of its own flags the scatter of 1 %
  const RatingFit strict = FitRating(table, options);
  EXPECT_TRUE(strict.measurements[0].outlier);

  options.excluded = {"7", "12"};
  try {
    FitRating(table, options);
    ADD_FAILURE() << "an unknown label was taken";
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "st.csv has no measurement labelled \"12\"");
  }

  rows[3] = "4,1.25,0";
  try {
    FitRating(Table(rows), {});
    ADD_FAILURE() << "a discharge of 0 was fitted";
  } catch (const InputError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("st.csv: line 6, field 3: discharge 0 is not above 0", 0), 0u) << e.what();
  }
  options = {};
  options.excluded = {"4"};  // left out, it does not stop the fit
  EXPECT_EQ(FitRating(Table(rows), options).formula.segments[0].n, 9u);
}

// A station's stage-discharge formula (H-Q式), Q = a (H + b)², in one or more
// segments of stage, and its formula file:
//
//   {"method": "q", "segments": [{"a": 12.345, "b": 0.21, "from": 0.38, "to": 1.52, "n": 12,
//    "se_percent": 3.1, "r2": 0.998}, ...]}
//
// (one line; numbers in their shortest form that reads back to the same
// double; readers ignore keys they do not know). Segments follow each other
// without gap: each one's "to" is the next one's "from".
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace plamor::hydraulics {

enum class FitMethod { kSqrt, kQ };

// "sqrt" or "q"; false for any other text.
bool ParseFitMethod(std::string_view text, FitMethod& method);
const char* FitMethodName(FitMethod method);

struct RatingSegment {
  double a = 0, b = 0;       // Q = a (H + b)²; -b is the zero-flow stage
  double from = 0, to = 0;   // the stages the segment holds for
  std::size_t n = 0;         // measurements fitted
  double sePercent = 0;      // standard error of estimate, percent of Q
  double r2 = 0;             // coefficient of determination in Q

  // The formula's discharge; no flow at or below the zero-flow stage.
  double Discharge(double stage) const;
};

struct RatingFormula {
  FitMethod method = FitMethod::kQ;
  std::vector<RatingSegment> segments;  // rising, contiguous stage ranges
};

// The segment that holds the stage: segment k for from_k <= H < to_k (the last
// one up to its "to" inclusive); below the range the first, above it the last.
std::size_t SegmentAt(const RatingFormula& formula, double stage);

struct RatedStage {
  double discharge = 0;
  std::size_t segment = 0;
  bool belowRange = false, aboveRange = false;  // extrapolated by the nearest segment
};
RatedStage RateStage(const RatingFormula& formula, double stage);

// A stage as segments and formulas print it: two decimals ("1.20") unless it
// has more ("1.255").
std::string StageText(double stage);

// "Q = 12.345 (H + 0.210)²  0.38 ≤ H ≤ 1.52"; a segment followed by another
// ends "≤ H < 1.52".
std::string FormulaText(const RatingFormula& formula, std::size_t segment);

// The formula file's text (one line and a line end). Every number must be finite.
std::string FormulaJson(const RatingFormula& formula);
// Writes the file under a temporary name beside it and renames it into place.
void WriteFormulaFile(const std::filesystem::path& file, const RatingFormula& formula);

// Reads a formula file back; a file that is not a formula file, or one that
// is damaged, is an InputError naming the file, the line where the text
// breaks off, or the segment and key at fault.
RatingFormula ParseFormulaJson(const std::filesystem::path& file, std::string_view text);
RatingFormula ReadFormulaFile(const std::filesystem::path& file);

}  // namespace plamor::hydraulics

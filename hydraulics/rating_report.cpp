#include "hydraulics/rating_report.h"

#include <cmath>
#include <cstdio>

#include "hydraulics/rating_table.h"
#include "hydraulics/text_output.h"
#include "platform/numeric_text.h"
#include "survey/hq_table.h"

namespace plamor::hydraulics {
namespace {

std::string Printed(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string Deviation(double percent) { return std::isfinite(percent) ? Printed("%.2f", percent) : ""; }

}  // namespace

std::string FitSummaryTable(const survey::HqTable& table, const RatingFit& fit) {
  std::string text = std::string("H-Q formula, least squares ") +
                     (fit.formula.method == FitMethod::kQ ? "in Q" : "on the root of Q") + "\n" +
                     "segment     from       to            a            b     n    se %        r2\n";
  for (std::size_t k = 0; k < fit.formula.segments.size(); ++k) {
    const RatingSegment& s = fit.formula.segments[k];
    char line[160];
    std::snprintf(line, sizeof line, "%7zu %8s %8s %12.4f %12.4f %5zu %7.2f %9.5f\n", k + 1, StageText(s.from).c_str(),
                  StageText(s.to).c_str(), s.a, s.b, s.n, s.sePercent, s.r2);
    text += line;
  }
  for (std::size_t i = 0; i < fit.measurements.size(); ++i) {
    const FittedMeasurement& f = fit.measurements[i];
    if (!f.outlier) continue;
    const survey::Measurement& m = table.measurements[i];
    text += "outlier: measurement " + m.label + " (H " + StageText(m.stage) + ", Q " +
            numtext::CStr(m.quantity[survey::kDischarge]) + ") deviates " + Deviation(f.deviationPercent) +
            " % from " + DischargeText(f.fitted) + (f.excluded ? " (excluded from the fit)" : "") + "\n";
  }
  return text;
}

std::string FitReportCsv(const survey::HqTable& table, const RatingFit& fit) {
  std::string csv = "label,stage,discharge,segment,fitted,deviation_percent,excluded,outlier\n";
  for (std::size_t i = 0; i < fit.measurements.size(); ++i) {
    const FittedMeasurement& f = fit.measurements[i];
    const survey::Measurement& m = table.measurements[i];
    csv += m.label + "," + numtext::CStr(m.stage) + "," + numtext::CStr(m.quantity[survey::kDischarge]) + "," +
           std::to_string(f.segment + 1) + "," + DischargeText(f.fitted) + "," + Deviation(f.deviationPercent) + "," +
           (f.excluded ? "1" : "0") + "," + (f.outlier ? "1" : "0") + "\n";
  }
  return csv;
}

void WriteFitReport(const std::filesystem::path& file, const survey::HqTable& table, const RatingFit& fit) {
  WriteTextFile(file, FitReportCsv(table, fit));
}

}  // namespace plamor::hydraulics

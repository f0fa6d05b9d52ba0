// Using a formula: the rating table, a stage record turned into discharges
// with its flags, and the fit report's table and file.
#include <gtest/gtest.h>

#include <cmath>

#include "cli/input_error.h"
#include "hydraulics/rating_fit.h"
#include "hydraulics/rating_report.h"
#include "hydraulics/rating_table.h"
#include "hydraulics/stage_record.h"
#include "survey/hq_table.h"

using namespace plamor;
using namespace plamor::hydraulics;

namespace {

RatingFormula Square() {
  RatingFormula f;
  f.segments.push_back({4, 0, 0.5, 1.0, 5, 1, 0.99});
  f.segments.push_back({1, 1, 1.0, 2.0, 5, 1, 0.99});  // 4 · 1² = 1 · 2²: continuous at 1.0
  return f;
}

std::string Converted(const std::vector<std::string>& lines, StageRecordSummary& summary) {
  return ConvertStageRecord(Square(), "rec.csv", lines, summary);
}

std::string InputErrorOf(const std::vector<std::string>& lines) {
  StageRecordSummary summary;
  try {
    Converted(lines, summary);
  } catch (const InputError& e) {
    return e.what();
  }
  return "";
}

}  // namespace

TEST(RatingUses, RatingTableFromStageToStage) {
  EXPECT_EQ(RatingTableCsv(Square(), 0.5, 1.5, 0.25),
            "stage,discharge\n0.50,1.000\n0.75,2.250\n1.00,4.000\n1.25,5.062\n1.50,6.250\n");
  // A step that reaches the last stage only up to rounding still writes it.
  EXPECT_EQ(RatingTableCsv(Square(), 1.9, 2.0, 0.01).substr(0, 27), "stage,discharge\n1.90,8.410\n");
  EXPECT_EQ(RatingTableCsv(Square(), 1.9, 2.0, 0.01).substr(RatingTableCsv(Square(), 1.9, 2.0, 0.01).size() - 11),
            "2.00,9.000\n");
  EXPECT_EQ(RatingTableCsv(Square(), 1, 2, 0.5).substr(16), "1.0,4.000\n1.5,6.250\n2.0,9.000\n");
  for (auto [from, to, step] : {std::tuple{0.5, 1.0, 0.0}, {1.0, 0.5, 0.1}, {0.4, 1.0, 0.1}, {0.5, 2.1, 0.1},
                                {0.5, 2.0, 1e-7}}) {
    EXPECT_THROW(RatingTableCsv(Square(), from, to, step), std::invalid_argument) << from << " " << to << " " << step;
  }
  try {
    RatingTableCsv(Square(), 0.4, 1.0, 0.1);
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "stages 0.40 to 1.00 reach beyond the formula's range 0.50 ≤ H ≤ 2.00");
  }
}

TEST(RatingUses, StageRecordBecomesDischargesWithFlags) {
  StageRecordSummary summary;
  EXPECT_EQ(Converted({"# gauge 302041", "time,stage", "2023-01-01 00:00,0.75", "2023-01-01 00:10, 1.50 ",
                       "2023-01-01 00:20,", "", "2023-01-01 00:30,0.40", "2023-01-01 00:40,2.5", "2023-01-01 00:50,2"},
                      summary),
            "time,stage,discharge,flag\n"
            "2023-01-01 00:00,0.75,2.250,\n"
            "2023-01-01 00:10,1.50,6.250,\n"
            "2023-01-01 00:20,,,missing\n"
            "2023-01-01 00:30,0.40,0.640,below-range\n"
            "2023-01-01 00:40,2.5,12.250,above-range\n"
            "2023-01-01 00:50,2,9.000,\n");
  EXPECT_EQ(summary.rows, 6u);
  EXPECT_EQ(summary.missing, 1u);
  EXPECT_EQ(summary.outOfRange, 2u);
  // Without a header line, and with a header of other names.
  EXPECT_EQ(Converted({"t1,1.0"}, summary), "time,stage,discharge,flag\nt1,1.0,4.000,\n");
  EXPECT_EQ(Converted({"日時,水位", "t1,1.0"}, summary), "time,stage,discharge,flag\nt1,1.0,4.000,\n");

  EXPECT_EQ(InputErrorOf({"time,stage", "t1,1.0", "t2,1.x"}), "rec.csv: line 3, field 2: stage: \"1.x\" is not a number");
  EXPECT_EQ(InputErrorOf({"t1,1.0", "t2,nan"}), "rec.csv: line 2, field 2: stage: \"nan\" is not a number");
  EXPECT_EQ(InputErrorOf({"t1,1.0,3"}), "rec.csv: line 1: is not \"time,stage\" (two fields)");
  EXPECT_EQ(InputErrorOf({"t1 1.0"}), "rec.csv: line 1: is not \"time,stage\" (two fields)");
  EXPECT_EQ(InputErrorOf({"t1,1.0", ",1.0"}), "rec.csv: line 2, field 1: time is missing");
}

TEST(RatingUses, FitReportTableAndFile) {
  std::vector<std::string> lines{"label,stage,discharge"};
  for (int i = 0; i < 8; ++i) {
    const double h = 0.5 + 0.3 * i;
    lines.push_back("m" + std::to_string(i) + "," + std::to_string(h) + "," +
                    std::to_string(5 * (h + 0.2) * (h + 0.2) * (i == 5 ? 1.3 : 1 + 0.01 * (i % 2))));
  }
  const survey::HqTable table = survey::ParseHqTable("st.csv", lines);
  RatingFitOptions options;
  options.excluded = {"m5"};
  const RatingFit fit = FitRating(table, options);
  const std::string csv = FitReportCsv(table, fit);
  EXPECT_EQ(csv.substr(0, csv.find('\n')), "label,stage,discharge,segment,fitted,deviation_percent,excluded,outlier");
  EXPECT_NE(csv.find("\nm5,2,"), std::string::npos);
  const std::string m5 = csv.substr(csv.find("\nm5,") + 1, csv.find('\n', csv.find("\nm5,") + 1) - csv.find("\nm5,") - 1);
  EXPECT_EQ(m5.substr(m5.size() - 4), ",1,1") << m5;  // excluded, and an outlier
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 9);

  const std::string summary = FitSummaryTable(table, fit);
  EXPECT_EQ(summary.rfind("H-Q formula, least squares in Q\nsegment     from       to            a            b     n"
                          "    se %        r2\n      1     0.50     2.60 ",
                          0),
            0u)
      << summary;
  EXPECT_NE(summary.find("outlier: measurement m5 (H 2.00, Q "), std::string::npos) << summary;
  EXPECT_NE(summary.find("(excluded from the fit)"), std::string::npos);
}

// The formula file, its texts and the discharge of a stage: the file's text
// byte for byte, numbers read back exactly, and every damaged or foreign file
// refused with its name and what is wrong.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "cli/input_error.h"
#include "hydraulics/rating_formula.h"

using namespace plamor;
using namespace plamor::hydraulics;
namespace fs = std::filesystem;

namespace {

RatingFormula Example() {
  RatingFormula f;
  f.segments.push_back({12.345, 0.21, 0.38, 1.52, 12, 3.1, 0.998});
  return f;
}

RatingFormula TwoSegments() {
  RatingFormula f;
  f.method = FitMethod::kSqrt;
  f.segments.push_back({1.0 / 3, -0.1, 0.38, 1.2, 9, 4.5, 0.99});
  f.segments.push_back({2.0 / 7, 0.0123456789, 1.2, 3.18, 11, 2.25, 0.997});
  return f;
}

std::string ErrorOf(const std::string& text) {
  try {
    ParseFormulaJson("f.json", text);
  } catch (const InputError& e) {
    return e.what();
  }
  return "";
}

}  // namespace

TEST(RatingFormula, FileTextAndItsReadingBack) {
  EXPECT_EQ(FormulaJson(Example()),
            "{\"method\": \"q\", \"segments\": [{\"a\": 12.345, \"b\": 0.21, \"from\": 0.38, \"to\": 1.52, \"n\": 12, "
            "\"se_percent\": 3.1, \"r2\": 0.998}]}\n");
  const RatingFormula two = TwoSegments();
  const RatingFormula back = ParseFormulaJson("f.json", FormulaJson(two));
  EXPECT_EQ(back.method, FitMethod::kSqrt);
  ASSERT_EQ(back.segments.size(), 2u);
  for (std::size_t k = 0; k < 2; ++k) {
    EXPECT_EQ(back.segments[k].a, two.segments[k].a);  // exactly: the shortest text reads back the same
    EXPECT_EQ(back.segments[k].b, two.segments[k].b);
    EXPECT_EQ(back.segments[k].from, two.segments[k].from);
    EXPECT_EQ(back.segments[k].to, two.segments[k].to);
    EXPECT_EQ(back.segments[k].n, two.segments[k].n);
    EXPECT_EQ(back.segments[k].sePercent, two.segments[k].sePercent);
    EXPECT_EQ(back.segments[k].r2, two.segments[k].r2);
  }
  // Keys we do not know, laid out by another program, are read past.
  const RatingFormula other = ParseFormulaJson(
      "f.json", "{\n  \"station\": \"荒見橋\",\n  \"segments\": [ {\"r2\": 1, \"se_percent\": 0, \"n\": 3, \"to\": 2, "
                "\"from\": 1, \"b\": 0, \"a\": 4, \"note\": [1]} ],\n  \"method\": \"sqrt\"\n}");
  EXPECT_EQ(other.segments[0].a, 4);
}

TEST(RatingFormula, DamagedOrForeignFilesAreRefusedNamingWhatIsWrong) {
  const std::string good = FormulaJson(TwoSegments());
  EXPECT_EQ(ErrorOf(good.substr(0, good.size() - 10)).rfind("f.json: line 1: is not a rating formula file: the JSON text is damaged (", 0), 0u);
  EXPECT_EQ(ErrorOf("{\"method\": \"q\",\n\n \"segments\": [}").rfind("f.json: line 3: ", 0), 0u);
  EXPECT_EQ(ErrorOf("[1, 2]"), "f.json: is not a rating formula file: it has no \"method\" and \"segments\"");
  EXPECT_EQ(ErrorOf("{\"type\": \"FeatureCollection\"}"),
            "f.json: is not a rating formula file: it has no \"method\" and \"segments\"");
  EXPECT_EQ(ErrorOf("{\"method\": \"cubic\", \"segments\": []}"), "f.json: method is not \"sqrt\" or \"q\"");
  EXPECT_EQ(ErrorOf("{\"method\": \"q\", \"segments\": []}"), "f.json: segments is not a list of one or more segments");
  const std::string seg = "\"from\": 1, \"to\": 2, \"n\": 5, \"se_percent\": 1, \"r2\": 0.9";
  EXPECT_EQ(ErrorOf("{\"method\": \"q\", \"segments\": [{\"a\": 3, " + seg + "}]}"), "f.json: segments[0].b is missing");
  EXPECT_EQ(ErrorOf("{\"method\": \"q\", \"segments\": [{\"a\": \"3\", \"b\": 0, " + seg + "}]}"),
            "f.json: segments[0].a is not a number");
  EXPECT_EQ(ErrorOf("{\"method\": \"q\", \"segments\": [{\"a\": 0, \"b\": 0, " + seg + "}]}"),
            "f.json: segments[0].a is 0; a formula needs a above 0");
  EXPECT_EQ(ErrorOf("{\"method\": \"q\", \"segments\": [{\"a\": 2, \"b\": -1.5, " + seg + "}]}"),
            "f.json: segments[0].b puts the zero-flow stage 1.5 at or above \"from\" 1");
  EXPECT_EQ(ErrorOf("{\"method\": \"q\", \"segments\": [{\"a\": 2, \"b\": 0, \"from\": 2, \"to\": 1, \"n\": 5, "
                    "\"se_percent\": 1, \"r2\": 0.9}]}"),
            "f.json: segments[0].to is 1, not above \"from\" 2");
  EXPECT_EQ(ErrorOf("{\"method\": \"q\", \"segments\": [{\"a\": 2, \"b\": 0, " + seg +
                    "}, {\"a\": 2, \"b\": 0, \"from\": 2.5, \"to\": 3, \"n\": 5, \"se_percent\": 1, \"r2\": 0.9}]}"),
            "f.json: segments[1].from 2.5 does not continue segments[0].to 2");
  EXPECT_EQ(ErrorOf("{\"method\": \"q\", \"segments\": [{\"a\": 2, \"b\": 0, \"from\": 1, \"to\": 2, \"n\": 2.5, "
                    "\"se_percent\": 1, \"r2\": 0.9}]}"),
            "f.json: segments[0].n is not a count of measurements");
}

TEST(RatingFormula, FilesWrittenWholeOrNotAtAll) {
  const fs::path folder = fs::temp_directory_path() / ("rating_formula_test." + std::to_string(::getpid()));
  fs::create_directories(folder);
  const fs::path file = folder / "f.json";
  WriteFormulaFile(file, TwoSegments());
  EXPECT_EQ(ReadFormulaFile(file).segments[1].a, 2.0 / 7);
  try {
    WriteFormulaFile(folder / "no" / "f.json", Example());
    ADD_FAILURE() << "written into a folder that does not exist";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(std::string(e.what()).rfind((folder / "no" / "f.json").string() + ": cannot be written (error 76", 0), 0u)
        << e.what();
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);  // no temporary left
  try {
    ReadFormulaFile(folder / "missing.json");
    ADD_FAILURE() << "a missing file was read";
  } catch (const InputError& e) {
    EXPECT_NE(std::string(e.what()).find("missing.json"), std::string::npos);
  }
  fs::remove_all(folder);
}

TEST(RatingFormula, TextsAndTheDischargeOfAStage) {
  EXPECT_EQ(FormulaText(Example(), 0), "Q = 12.345 (H + 0.210)²  0.38 ≤ H ≤ 1.52");
  const RatingFormula two = TwoSegments();
  EXPECT_EQ(FormulaText(two, 0), "Q = 0.333 (H - 0.100)²  0.38 ≤ H < 1.20");
  EXPECT_EQ(FormulaText(two, 1), "Q = 0.286 (H + 0.0123)²  1.20 ≤ H ≤ 3.18");
  EXPECT_EQ(StageText(1.2), "1.20");
  EXPECT_EQ(StageText(1.255), "1.255");

  EXPECT_EQ(SegmentAt(two, 0.1), 0u);
  EXPECT_EQ(SegmentAt(two, 1.19), 0u);
  EXPECT_EQ(SegmentAt(two, 1.2), 1u);
  EXPECT_EQ(SegmentAt(two, 3.18), 1u);
  EXPECT_EQ(SegmentAt(two, 9), 1u);
  const RatedStage inside = RateStage(two, 2);
  EXPECT_DOUBLE_EQ(inside.discharge, 2.0 / 7 * (2 + 0.0123456789) * (2 + 0.0123456789));
  EXPECT_FALSE(inside.belowRange || inside.aboveRange);
  EXPECT_TRUE(RateStage(two, 0.3).belowRange);
  EXPECT_TRUE(RateStage(two, 3.19).aboveRange);
  EXPECT_FALSE(RateStage(two, 3.18).aboveRange);
  EXPECT_EQ(RateStage(two, 0.05).discharge, 0);  // at or below the zero-flow stage 0.1 no flow
}

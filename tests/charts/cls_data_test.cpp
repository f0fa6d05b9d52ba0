#include "charts/cls_data.h"

#include <gtest/gtest.h>

#include "charts/host_error.h"
#include "observation_lines.h"
#include "tests/charts/host_error_number.h"

namespace plamor::charts {
namespace {

using charts_test::Lines;
using charts_test::ObservationText;

ObservationText Basic() {
  ObservationText o;
  o.header = {{3, "title"}, {17, "0"}, {18, "T.P."}};
  o.observation = {{1, "  7 "}, {2, "2003/07/15"}, {10, "10.00"}, {11, "10.01"}, {19, "0"}};
  o.distances = "12.5,13.0,,14.0";
  o.firstDepths = "1.00,2.00";
  o.secondDepths = "1.50,2.50";
  return o;
}


TEST(clsData, ReadsPointsWaterNumberAndDate) {
  clsData d;
  d.SetData(Lines(Basic()));
  EXPECT_EQ(d.KansokuNo(), "7");
  EXPECT_EQ(d.KansokuDate(), (HostDate{2003, 7, 15, 0, 0, 0}));
  // The list ends at the first empty field.
  EXPECT_EQ(d.Count(), 2);
  EXPECT_DOUBLE_EQ(d.Kyori(0), 2);
  EXPECT_DOUBLE_EQ(d.Kyori(1), 12.5);
  EXPECT_DOUBLE_EQ(d.Kyori(2), 13.0);
  EXPECT_DOUBLE_EQ(d.Kyori(3), 0);
  // Water surface Round2((10.00 + 10.01) / 2) = 10.01.
  EXPECT_DOUBLE_EQ(d.Suisin(0), 10.01);
  EXPECT_DOUBLE_EQ(d.SuisinO(1), 1.00);
  EXPECT_DOUBLE_EQ(d.SuisinF(2), 2.50);
  EXPECT_DOUBLE_EQ(d.SuisinO(0), 0);
  EXPECT_DOUBLE_EQ(d.Suisin(1), 8.76);  // 10.01 - 1.25
  EXPECT_DOUBLE_EQ(d.Suisin(2), 7.76);  // 10.01 - 2.25
  EXPECT_DOUBLE_EQ(d.KyoriMin(), 12.5);
  EXPECT_DOUBLE_EQ(d.KyoriMax(), 13.0);
  EXPECT_DOUBLE_EQ(d.SuisinMin(), 7.76);
  EXPECT_DOUBLE_EQ(d.SuisinMax(), 8.76);
  EXPECT_FALSE(d.OnOff());
}

TEST(clsData, OffsetMarkerRoundingAndDatum) {
  ObservationText o = Basic();
  o.header[17] = "100.5";
  o.observation[19] = "100";
  o.distances = "0,9999,5.25";
  o.firstDepths = "0.125, 1 .0";  // blanks inside a number are ignored
  o.secondDepths = "x,1.0";       // not a number: 0
  clsData d;
  d.SetData(Lines(o));
  ASSERT_EQ(d.Count(), 3);
  EXPECT_DOUBLE_EQ(d.Kyori(1), 100);
  EXPECT_DOUBLE_EQ(d.Kyori(2), 100);    // the marker takes the distance before it
  EXPECT_DOUBLE_EQ(d.Kyori(3), 105.2);  // 5.25 to one decimal, half to even
  EXPECT_DOUBLE_EQ(d.KyoriMin(), 100);
  EXPECT_DOUBLE_EQ(d.KyoriMax(), 105.2);
  EXPECT_DOUBLE_EQ(d.SuisinO(1), 0.12);  // two decimals, half to even
  EXPECT_DOUBLE_EQ(d.SuisinO(2), 1.0);
  EXPECT_DOUBLE_EQ(d.SuisinF(1), 0);
  EXPECT_DOUBLE_EQ(d.SuisinO(3), 0);  // missing fields read as 0
  EXPECT_DOUBLE_EQ(d.Suisin(0), 110.51);
  EXPECT_DOUBLE_EQ(d.Suisin(1), 110.45);  // Round2(110.51 - 0.06)
  EXPECT_DOUBLE_EQ(d.Suisin(2), 109.51);
  EXPECT_DOUBLE_EQ(d.Suisin(3), 110.51);
}

TEST(clsData, FirstDistanceMarkerAndEmptyDistanceLine) {
  ObservationText o = Basic();
  o.distances = "9999,20,30";
  clsData d;
  d.SetData(Lines(o));
  EXPECT_DOUBLE_EQ(d.Kyori(1), 0);
  EXPECT_DOUBLE_EQ(d.KyoriMin(), 20);
  EXPECT_DOUBLE_EQ(d.KyoriMax(), 30);

  for (const char* line : {"", "5", "標"}) {
    o.distances = line;
    clsData e;
    e.SetData(Lines(o));
    EXPECT_EQ(e.Count(), 0) << line;
    EXPECT_DOUBLE_EQ(e.KyoriMax(), -999999999);
    EXPECT_DOUBLE_EQ(e.KyoriMin(), 999999999);
    EXPECT_DOUBLE_EQ(e.SuisinMax(), -999999999);
    EXPECT_DOUBLE_EQ(e.SuisinMin(), 999999999);
    EXPECT_DOUBLE_EQ(e.Suisin(0), 10.01);
    EXPECT_DOUBLE_EQ(e.Suisin(1), 0);
  }
  // On an object that holds data, a line without points keeps the point count.
  o.distances = "";
  d.SetData(Lines(o));
  EXPECT_EQ(d.Count(), 3);
  EXPECT_DOUBLE_EQ(d.Kyori(0), 0);
  EXPECT_DOUBLE_EQ(d.Kyori(2), 0);
}

TEST(clsData, ArraysGrowInStepsOfAHundred) {
  ObservationText o = Basic();
  std::string distances, depths;
  for (int i = 1; i <= 250; ++i) {
    distances += (i > 1 ? "," : "") + std::to_string(i);
    depths += (i > 1 ? "," : "") + std::string("1");
  }
  o.distances = distances;
  o.firstDepths = o.secondDepths = depths;
  clsData d;
  EXPECT_EQ(d.UpperBound(), 100);
  d.SetData(Lines(o));
  EXPECT_EQ(d.Count(), 250);
  EXPECT_EQ(d.UpperBound(), 300);
  for (int k : {1, 101, 250}) EXPECT_DOUBLE_EQ(d.Kyori(k), k);
  EXPECT_DOUBLE_EQ(d.Suisin(250), 9.01);
  EXPECT_DOUBLE_EQ(d.Kyori(300), 0);
  EXPECT_EQ(charts_test::HostErrorNumber([&] { d.Kyori(301); }), kSubscriptOutOfRange);
  EXPECT_EQ(charts_test::HostErrorNumber([&] { d.SuisinF(-1); }), kSubscriptOutOfRange);
}

TEST(clsData, ClearResetsButKeepsSelection) {
  clsData d;
  d.SetData(Lines(Basic()));
  d.SetOnOff(true);
  d.Clear();
  EXPECT_EQ(d.Count(), 0);
  EXPECT_EQ(d.KansokuNo(), "0");
  EXPECT_DOUBLE_EQ(d.KyoriMax(), 0);
  EXPECT_DOUBLE_EQ(d.SuisinMin(), 0);
  EXPECT_DOUBLE_EQ(d.Suisin(0), 0);
  EXPECT_EQ(d.UpperBound(), 100);
  EXPECT_TRUE(d.OnOff());
  EXPECT_GE(d.KansokuDate().year, 2020);
}

TEST(clsData, BadInputIsNamedAndChangesNothing) {
  clsData d;
  d.SetData(Lines(Basic()));

  auto expectUnchanged = [&] {
    EXPECT_EQ(d.Count(), 2);
    EXPECT_EQ(d.KansokuNo(), "7");
    EXPECT_DOUBLE_EQ(d.Kyori(1), 12.5);
  };
  for (std::size_t size : {0u, 1u, 3u, 4u, 11u}) {
    std::vector<std::string> lines = Lines(Basic());
    lines.resize(size);
    try {
      d.SetData(lines);
      FAIL() << size;
    } catch (const HostError& e) {
      EXPECT_EQ(e.Number(), kSubscriptOutOfRange);
      EXPECT_NE(std::string(e.what()).find("is missing"), std::string::npos) << e.what();
    }
    expectUnchanged();
  }

  ObservationText o = Basic();
  for (const char* date : {"", "15/07/2003", "2003/13/01", "2003/02/29", "yesterday", "2003/07/15x", "2003-07/15"}) {
    o.observation[2] = date;
    try {
      d.SetData(Lines(o));
      FAIL() << date;
    } catch (const HostError& e) {
      EXPECT_EQ(e.Number(), kTypeMismatch) << date;
      EXPECT_NE(std::string(e.what()).find("is not a date"), std::string::npos);
    }
    expectUnchanged();
  }

  o = Basic();
  o.distances = "1e400,2";
  EXPECT_EQ(charts_test::HostErrorNumber([&] { d.SetData(Lines(o)); }), kOverflow);
  expectUnchanged();
}

TEST(clsData, ShortLinesReadMissingFieldsAsZero) {
  std::vector<std::string> lines(12);
  lines[0] = "only,two";
  lines[2] = "1,2";
  lines[11] = " 5 ,2003/1/1";
  clsData d;
  d.SetData(lines);
  EXPECT_EQ(d.KansokuNo(), "5");
  EXPECT_EQ(d.Count(), 2);
  EXPECT_DOUBLE_EQ(d.Suisin(0), 0);
  EXPECT_DOUBLE_EQ(d.Suisin(2), 0);
  EXPECT_DOUBLE_EQ(d.Kyori(2), 2);
}

TEST(clsData, DateFormsOfAJapaneseHost) {
  ObservationText o = Basic();
  const std::pair<const char*, HostDate> forms[] = {
      {"2003/07/15", {2003, 7, 15, 0, 0, 0}},     {"2003/7/5", {2003, 7, 5, 0, 0, 0}},
      {"2003-07-15", {2003, 7, 15, 0, 0, 0}},     {" 2004/2/29 ", {2004, 2, 29, 0, 0, 0}},
      {"2003年7月15日", {2003, 7, 15, 0, 0, 0}},  {"2003/07/15 9:05", {2003, 7, 15, 9, 5, 0}},
      {"2003/07/15 13:05:30", {2003, 7, 15, 13, 5, 30}},
  };
  for (const auto& [text, date] : forms) {
    o.observation[2] = text;
    clsData d;
    d.SetData(Lines(o));
    EXPECT_EQ(d.KansokuDate(), date) << text;
  }
  EXPECT_EQ(ShortDateText({2003, 7, 5, 9, 0, 0}), "2003/07/05");
}

TEST(clsData, VeryLongLineAndManyFields) {
  ObservationText o = Basic();
  std::string distances;
  for (int i = 0; i < 20000; ++i) distances += "1.5,";
  o.distances = distances + std::string(100000, ' ');  // a last field of blanks reads as 0
  o.observation[1] = std::string(50000, 'N');
  clsData d;
  d.SetData(Lines(o));
  EXPECT_EQ(d.Count(), 20001);
  EXPECT_EQ(d.UpperBound(), 20100);
  EXPECT_DOUBLE_EQ(d.Kyori(20000), 1.5);
  EXPECT_DOUBLE_EQ(d.Kyori(20001), 0);
  EXPECT_EQ(d.KansokuNo().size(), 50000u);
}

}  // namespace
}  // namespace plamor::charts

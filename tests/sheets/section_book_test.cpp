// The book of cross-section sheets: one scale for the whole river, sections
// in river order in their slots, water lines that end on the bed, the data
// band's figures and the index's sheet numbers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>

#include "drawings/drawing_extents.h"
#include "sheets/section_book.h"

namespace plamor::sheets {
namespace {

namespace fs = std::filesystem;

const fs::path kRiver = fs::path(PLAMOR_SOURCE_DIR) / "examples" / "river";

survey::River ExampleRiver() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(kRiver))
    if (entry.path().extension() == ".csv") files.push_back(entry.path());
  return survey::ReadRiver(files);
}

// `count` trapezoid sections 40 m wide every 200 m, surveyed once.
survey::River Trapezoids(int count) {
  std::vector<survey::SectionSurvey> surveys;
  for (int i = 0; i < count; ++i) {
    survey::SectionSurvey s;
    s.distanceMark = 0.2 * i;
    s.date = {2023, 11, 7};
    s.points = {{1, 0, 30}, {0, 10, 26}, {0, 30, 26}, {18, 40, 30}};
    surveys.push_back(s);
  }
  return survey::AssembleRiver(std::move(surveys));
}

const drawings::TextElement* FindText(const drawings::DrawingModel& sheet, const std::string& text) {
  for (const auto& e : sheet.elements)
    if (auto* t = std::get_if<drawings::TextElement>(&e); t && t->text == text) return t;
  return nullptr;
}

bool Inside(const BookSlot& slot, double x, double y) {
  return x > slot.left && x < slot.left + slot.width && y > slot.bottom && y < slot.bottom + slot.height;
}

// The lines on `layer` (in `style` when given), joined into the polylines
// they were drawn as.
std::vector<std::vector<drawings::SheetPoint>> PolylinesOn(const drawings::DrawingModel& sheet, std::int16_t layer,
                                                           std::optional<std::int32_t> style = std::nullopt) {
  std::vector<std::vector<drawings::SheetPoint>> lines;
  for (const auto& e : sheet.elements) {
    const auto* l = std::get_if<drawings::LineElement>(&e);
    if (!l || l->stroke.layer != layer || (style && l->stroke.style != *style)) continue;
    if (lines.empty() || lines.back().back().x != l->x1 || lines.back().back().y != l->y1)
      lines.push_back({{l->x1, l->y1}});
    lines.back().push_back({l->x2, l->y2});
  }
  return lines;
}

// Whether p lies on the polyline (a wall's vertical face included).
bool OnLine(const std::vector<drawings::SheetPoint>& line, drawings::SheetPoint p) {
  for (std::size_t i = 1; i < line.size(); ++i) {
    const auto a = line[i - 1], b = line[i];
    const double dx = b.x - a.x, dy = b.y - a.y, length2 = dx * dx + dy * dy;
    const double t = length2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0) : 0;
    if (std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y) < 1e-6) return true;
  }
  return false;
}

TEST(SectionBook, OneScaleForTheRiverAndSectionsInRiverOrderInTheirSlots) {
  const survey::River river = ExampleRiver();
  const SectionBookPlan plan = PlanSectionBook(river, {});
  EXPECT_EQ(plan.distanceScale, 1000);  // the widest section, 164 m, on 168 mm
  EXPECT_EQ(plan.elevationScale, 250);
  EXPECT_EQ(plan.indexSheets, 1u);
  EXPECT_EQ(plan.sectionSheets, 2u);
  ASSERT_EQ(plan.surveys.size(), 3u);

  const drawings::DrawingModel first = DrawBookSheet(river, plan, 1), second = DrawBookSheet(river, plan, 2);
  // Downstream first, from the foot of the left column upward, then the right column.
  const char* const onFirst[] = {"22.0k", "22.2k", "22.4k", "22.6k", "22.8k", "23.0k"};
  for (std::size_t slot = 0; slot < 6; ++slot) {
    const auto* caption = FindText(first, onFirst[slot]);
    ASSERT_NE(caption, nullptr) << onFirst[slot];
    EXPECT_TRUE(Inside(SlotOf(slot), caption->x, caption->y)) << onFirst[slot];
  }
  EXPECT_EQ(FindText(first, "23.2k"), nullptr);
  EXPECT_NE(FindText(second, "24.2k"), nullptr);
  EXPECT_LT(SlotOf(0).bottom, SlotOf(1).bottom);
  EXPECT_LT(SlotOf(2).left, SlotOf(3).left);
  for (const auto& sheet : {first, second}) {
    EXPECT_NE(FindText(sheet, "横断図　縮尺　横 1:1000　縦 1:250"), nullptr);
    const auto box = *drawings::DrawingExtents(sheet);
    EXPECT_GE(box.minX, 10 - 1e-9);
    EXPECT_LE(box.maxX, 410 + 1e-9);
    EXPECT_GE(box.minY, 10 - 1e-9);
    EXPECT_LE(box.maxY, 287 + 1e-9);
  }
  EXPECT_EQ(first.layerNames.at(SurveyLayer(0)), "survey 2023-11-07");
  EXPECT_THROW(DrawBookSheet(river, plan, 3), std::out_of_range);
}

TEST(SectionBook, GivenScalesAreKeptOrRefusedNamingTheSection) {
  const survey::River river = ExampleRiver();
  BookOptions given;
  given.distanceScale = 2000;
  given.elevationScale = 500;
  const SectionBookPlan plan = PlanSectionBook(river, given);
  EXPECT_EQ(plan.distanceScale, 2000);
  EXPECT_EQ(plan.elevationScale, 500);
  given.distanceScale = 500;  // 164 m on 168 mm needs at least 1:977
  try {
    PlanSectionBook(river, given);
    FAIL() << "a section wider than its place was taken";
  } catch (const std::invalid_argument& e) {
    EXPECT_NE(std::string(e.what()).find("section 22.0k"), std::string::npos) << e.what();
  }
  given.distanceScale = -1;
  EXPECT_THROW(PlanSectionBook(river, given), std::invalid_argument);
  EXPECT_THROW(PlanSectionBook(survey::River{}, {}), std::invalid_argument);
}

TEST(SectionBook, WaterLinesEndOnTheBedAndNeverCrossALevee) {
  const survey::River river = ExampleRiver();
  const SectionBookPlan plan = PlanSectionBook(river, {});
  const drawings::DrawingModel sheet = DrawBookSheet(river, plan, 1);
  ASSERT_EQ(PolylinesOn(sheet, kWaterLayer).size(), 6u * 3u) << "every survey of the six sections has its water";
  for (std::size_t rank = 0; rank < 3; ++rank) {
    // A survey's water lines are in its dashes; each ends on the ground line of its section.
    const auto water = PolylinesOn(sheet, kWaterLayer, SurveyStroke(rank).style);
    const auto ground = PolylinesOn(sheet, SurveyLayer(rank));
    ASSERT_EQ(water.size(), 6u);
    ASSERT_EQ(ground.size(), 6u);
    for (const auto& line : water) {
      ASSERT_EQ(line.size(), 2u);
      EXPECT_DOUBLE_EQ(line[0].y, line[1].y);
      const auto bed = std::find_if(ground.begin(), ground.end(), [&](const auto& g) {
        return g.front().x < line[0].x && g.back().x > line[1].x && std::abs(g.front().y - line[0].y) < 30;
      });
      ASSERT_NE(bed, ground.end());
      EXPECT_TRUE(OnLine(*bed, line[0]) && OnLine(*bed, line[1])) << "survey " << rank;
      for (const auto& p : *bed)
        if (p.x > line[0].x && p.x < line[1].x) EXPECT_LE(p.y, line[0].y + 1e-9) << "water over dry ground";
    }
  }
}

TEST(SectionBook, DataBandFiguresStandApartKeepingTheFirstAndLast) {
  const survey::River river = ExampleRiver();
  const SectionBookPlan plan = PlanSectionBook(river, {});
  const drawings::DrawingModel sheet = DrawBookSheet(river, plan, 1);
  const BookSlot slot = SlotOf(0);
  std::vector<double> distances;  // the upright figures of the distance row of section 22.0k
  for (const auto& e : sheet.elements)
    if (auto* t = std::get_if<drawings::TextElement>(&e);
        t && t->lang == 90 && Inside(slot, t->x, t->y) && t->y > slot.bottom + 13 && t->y < slot.bottom + 25)
      distances.push_back(t->x);
  const survey::SectionSurvey& latest = river.sections[0].surveys.back();
  ASSERT_GT(distances.size(), 10u);
  EXPECT_LT(distances.size(), latest.points.size()) << "the close points of the levees' faces leave figures out";
  std::sort(distances.begin(), distances.end());
  for (std::size_t i = 1; i < distances.size(); ++i) EXPECT_GE(distances[i] - distances[i - 1], 2.3 - 1e-9);
  EXPECT_NE(FindText(sheet, "-24.0"), nullptr);  // the first point, behind the left levee
  EXPECT_NE(FindText(sheet, "140.0"), nullptr);  // and the last
}

TEST(SectionBook, TheIndexGivesEachSectionItsSheet) {
  const survey::River river = Trapezoids(200);
  const SectionBookPlan plan = PlanSectionBook(river, {});
  EXPECT_EQ(plan.indexSheets, 3u);     // 84 sections to an index sheet
  EXPECT_EQ(plan.sectionSheets, 34u);  // six to a sheet
  EXPECT_EQ(plan.SheetOfSection(0), 3u);
  EXPECT_EQ(plan.SheetOfSection(199), 36u);
  const drawings::DrawingModel last = DrawBookSheet(river, plan, 2);
  EXPECT_NE(FindText(last, "39.8"), nullptr);  // the last section's mark
  EXPECT_NE(FindText(last, "37"), nullptr);    // on sheet 37 of the book
  EXPECT_NE(FindText(last, "3 / 37"), nullptr);
  EXPECT_EQ(FindText(last, "16.8"), nullptr);  // the 85th section, first on the second index sheet
  EXPECT_NE(FindText(DrawBookSheet(river, plan, 1), "16.8"), nullptr);
  EXPECT_NE(FindText(DrawBookSheet(river, plan, 0), "16.6"), nullptr);
}

}  // namespace
}  // namespace plamor::sheets

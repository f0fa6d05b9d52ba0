// The book of cross-section sheets of a river (横断図集): every section on
// A3 sheets, six to a sheet, all at one scale, every periodic survey overlaid
// in its own stroke with its water line, and under each section a data band
// of the latest survey; the first sheets an index of the sections with their
// sheet numbers.
//
//   const sheets::SectionBookPlan plan = sheets::PlanSectionBook(river, {});
//   for (std::size_t k = 0; k < plan.SheetCount(); ++k) Use(sheets::DrawBookSheet(river, plan, k));
//
// Sheets are numbered from 1 in the book, index sheets first. The sections
// lie as engineers lay out a book: downstream first, from the bottom of the
// left column upward, then the right column; each looking downstream, the
// left bank on the left. DrawBookSheet only reads the river and the plan, so
// sheets may be laid out on several threads at once.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "drawings/drawing_model.h"
#include "sheets/river_sheet.h"
#include "survey/river.h"

namespace plamor::sheets {

struct BookOptions {
  std::optional<double> distanceScale, elevationScale;  // 1:N across and up; chosen when not given
};

inline constexpr std::size_t kSectionsPerSheet = 6;
inline constexpr std::size_t kIndexRowsPerSheet = 84;

// Where the section in slot `slot` (0 to 5) of a sheet is drawn, in sheet
// millimetres: its caption, plot and data band inside.
struct BookSlot {
  double left = 0, bottom = 0, width = 0, height = 0;
};
BookSlot SlotOf(std::size_t slot);

struct SectionBookPlan {
  double distanceScale = 0, elevationScale = 0;  // 1:N
  std::vector<RiverSurvey> surveys;              // of the river, the latest first
  std::size_t indexSheets = 0, sectionSheets = 0;

  std::size_t SheetCount() const { return indexSheets + sectionSheets; }
  // The sheet (from 0) that holds section `section` of river.sections.
  std::size_t SheetOfSection(std::size_t section) const;
};

// The scales and sheets of the book. std::invalid_argument for a river
// without sections, a scale not above 0, or a given scale at which a section
// does not fit its slot (naming the section).
SectionBookPlan PlanSectionBook(const survey::River& river, const BookOptions& options);

// Sheet `sheet` (from 0) of the book, laid out in sheet millimetres on A3
// landscape.
drawings::DrawingModel DrawBookSheet(const survey::River& river, const SectionBookPlan& plan, std::size_t sheet);

}  // namespace plamor::sheets

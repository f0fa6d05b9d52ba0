// A table of stages by distance mark, such as a river's planned high-water
// level: a header line naming the two columns, then one line per mark, marks
// increasing from the mouth upstream:
//
//   distance_mark,stage
//   22.0,31.20
//   24.2,33.95
//
// Between two marks the stage is interpolated linearly along the river, as a
// planned water level is given at its marks and runs straight between them;
// beyond the first and the last mark there is none (it is not extrapolated).
// Lines starting with "#", and empty lines, are comments.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace plamor::survey {

struct StageTable {
  std::filesystem::path file;
  std::vector<double> marks;   // km, increasing
  std::vector<double> stages;  // m T.P., one per mark

  // The stage at a distance mark (km); empty outside the table's marks.
  std::optional<double> StageAt(double distanceMark) const;
};

// Reads and checks the table; InputError names the file, line and field at fault.
StageTable ReadStageTable(const std::filesystem::path& file);
StageTable ParseStageTable(const std::filesystem::path& file, const std::vector<std::string>& lines);

}  // namespace plamor::survey

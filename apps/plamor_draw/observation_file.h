// One sounding observation file: the text lines the cross-section control
// takes for one observation, checked field by field first, so that a mistake
// is reported at its line and field instead of being read as 0.
//
// Lines (1-based; the control numbers them from 0):
//   1  header: field 3 title, field 17 datum elevation, field 18 base-level caption
//   3  point distances, one field per point, ending at the first empty field
//   4  first depth reading of every point
//   5  second depth reading of every point
//   12 observation: field 1 number, 2 date, 10 and 11 water-surface readings,
//      19 distance offset
// Other lines are not read.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace plamor::draw {

struct ObservationFile {
  std::filesystem::path file;
  std::vector<std::string> lines;  // UTF-8, as the control takes them
  std::size_t points = 0;
  std::string number;  // field 1 of line 12, trimmed
};

// Reads and checks the file; InputError names the file, line and field of the
// first fault.
ObservationFile ReadObservationFile(const std::filesystem::path& file);

// Checks lines already read (the file name is for the messages).
ObservationFile CheckObservationLines(const std::filesystem::path& file, std::vector<std::string> lines);

}  // namespace plamor::draw

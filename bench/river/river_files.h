// Rivers for the benchmarks: sections every 200 m with levees at both ends
// and a low-water channel whose bed changes from survey to survey, one file
// per section and survey in the national cross-section format (the first
// survey's files in Shift_JIS, the others in UTF-8).
#pragma once

#include <filesystem>
#include <vector>

namespace plamor::bench {

inline constexpr int kRiverFilePoints = 60;  // of every survey

// Writes the files into `folder` (emptied first) and returns their names.
std::vector<std::filesystem::path> WriteRiverFiles(const std::filesystem::path& folder, int sections, int surveys);

}  // namespace plamor::bench

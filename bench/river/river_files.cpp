#include "bench/river/river_files.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include "platform/cp932.h"

namespace plamor::bench {
namespace {

// One section file: levees at both ends, a low-water channel whose bed
// changes from survey to survey.
std::string SectionFile(int section, int survey) {
  const double mark = section * 0.2, rise = mark * 1.25;
  std::string text;
  char line[256];
  std::snprintf(line, sizeof line,
                "%.3f,-9999.000,%.3f,%.3f,-9999.000,-9999.000,%d,-9999.000,-9999.000,-9999.000,-9999.000,0,%d1105,"
                "8899010001,荒見川水系,荒見川,\n",
                mark, 32.35 + rise, 32.35 + rise, kRiverFilePoints, 2015 + 4 * survey);
  text += line;
  for (int k = 0; k < kRiverFilePoints; ++k) {
    const double x = -20 + 2.5 * k;
    double z = 28.5 + rise;
    int flag = 0;
    if (k == 8) flag = 1;
    if (k == 52) flag = 18;
    if (k >= 6 && k <= 10) z = 32.3 + rise;
    if (k >= 48 && k <= 54) z = 32.3 + rise;
    if (k == 20 || k == 40) flag = 13;
    if (k > 20 && k < 40) z = 24.0 + rise + 0.02 * (k - 30) * (k - 30) + 0.1 * std::sin(section + survey * k);
    std::snprintf(line, sizeof line, "%d,%.3f,%.3f,\n", flag, x, z);
    text += line;
  }
  return survey == 0 ? cp932::FromUtf8(text) : text;
}

}  // namespace

std::vector<std::filesystem::path> WriteRiverFiles(const std::filesystem::path& folder, int sections, int surveys) {
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  std::vector<std::filesystem::path> names;
  for (int section = 0; section < sections; ++section)
    for (int survey = 0; survey < surveys; ++survey) {
      names.push_back(folder / ("s" + std::to_string(section) + "_" + std::to_string(survey) + ".csv"));
      std::ofstream(names.back(), std::ios::binary) << SectionFile(section, survey);
    }
  return names;
}

}  // namespace plamor::bench

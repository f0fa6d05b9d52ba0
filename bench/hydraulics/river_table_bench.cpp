// Reads a river of 10,000 sections surveyed three times (60 points each, the
// first survey's files in Shift_JIS, the others in UTF-8) and tabulates its
// hydraulic quantities with a comparison, against reading the bytes of the
// same files alone (the floor). The files are written into a temporary folder
// first. At the end the best times are printed, with their ratio and the goal
// of at most 2 s for reading and tabulating.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "cli/input_text.h"
#include "hydraulics/river_table.h"
#include "platform/cp932.h"

namespace {

namespace fs = std::filesystem;
using namespace plamor;

constexpr int kSections = 10000, kSurveys = 3, kPoints = 60;

const fs::path& Folder() {
  static const fs::path folder = fs::temp_directory_path() / "plamor-river-bench";
  return folder;
}

// One section file: levees at both ends, a low-water channel whose bed
// changes from survey to survey.
std::string SectionFile(int section, int survey) {
  const double mark = section * 0.2, rise = mark * 1.25;
  std::string text;
  char line[256];
  std::snprintf(line, sizeof line,
                "%.3f,-9999.000,%.3f,%.3f,-9999.000,-9999.000,%d,-9999.000,-9999.000,-9999.000,-9999.000,0,%d1105,"
                "8899010001,荒見川水系,荒見川,\n",
                mark, 32.35 + rise, 32.35 + rise, kPoints, 2015 + 4 * survey);
  text += line;
  for (int k = 0; k < kPoints; ++k) {
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

const std::vector<fs::path>& Files() {
  static const std::vector<fs::path> files = [] {
    fs::remove_all(Folder());
    fs::create_directories(Folder());
    std::vector<fs::path> names;
    for (int section = 0; section < kSections; ++section)
      for (int survey = 0; survey < kSurveys; ++survey) {
        names.push_back(Folder() / ("s" + std::to_string(section) + "_" + std::to_string(survey) + ".csv"));
        std::ofstream(names.back(), std::ios::binary) << SectionFile(section, survey);
      }
    return names;
  }();
  return files;
}

std::map<std::string, double> bestSeconds;

void Record(const char* name, double seconds) {
  auto [it, fresh] = bestSeconds.emplace(name, seconds);
  if (!fresh && seconds < it->second) it->second = seconds;
}

double Since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_ReadBytesFloor(benchmark::State& state) {
  Files();
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    std::size_t bytes = 0;
    for (const auto& file : Files()) bytes += ReadInputFile(file).size();
    benchmark::DoNotOptimize(bytes);
    Record("floor", Since(start));
  }
}

void BM_ReadAndTabulate(benchmark::State& state) {
  Files();
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const survey::River river = survey::ReadRiver(Files());
    const auto rows = hydraulics::TabulateRiver(river, {hydraulics::StageSource::Given(31.0), survey::SurveyDate{2015, 12, 31}});
    const std::string csv = hydraulics::RiverTableCsv(rows, true);
    benchmark::DoNotOptimize(csv.data());
    Record("table", Since(start));
    if (rows.size() != static_cast<std::size_t>(kSections * kSurveys)) state.SkipWithError("rows missing");
  }
}

BENCHMARK(BM_ReadBytesFloor)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_ReadAndTabulate)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (bestSeconds.count("floor") && bestSeconds.count("table")) {
    std::printf("\n%d sections x %d surveys x %d points, best of the repetitions:\n", kSections, kSurveys, kPoints);
    std::printf("  reading the bytes alone:   %.3f s\n", bestSeconds["floor"]);
    std::printf("  reading and tabulating:    %.3f s (goal <= 2 s)\n", bestSeconds["table"]);
    std::printf("  ratio to the floor:        %.2f\n", bestSeconds["table"] / bestSeconds["floor"]);
  }
  std::error_code ignored;
  fs::remove_all(Folder(), ignored);
  return 0;
}

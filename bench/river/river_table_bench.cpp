// Reads a river of 10,000 sections surveyed three times (60 points each, the
// first survey's files in Shift_JIS, the others in UTF-8) and tabulates its
// hydraulic quantities with a comparison, against reading the bytes of the
// same files alone (the floor). The files are written into a temporary folder
// first (bench/river/river_files.h). At the end the best times are printed, with their ratio and the goal
// of at most 2 s for reading and tabulating.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "cli/input_text.h"
#include "hydraulics/river_table.h"
#include "bench/river/river_files.h"

namespace {

namespace fs = std::filesystem;
using namespace plamor;

constexpr int kSections = 10000, kSurveys = 3, kPoints = bench::kRiverFilePoints;

const fs::path& Folder() {
  static const fs::path folder = fs::temp_directory_path() / "plamor-river-bench";
  return folder;
}

const std::vector<fs::path>& Files() {
  static const std::vector<fs::path> files = bench::WriteRiverFiles(Folder(), kSections, kSurveys);
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

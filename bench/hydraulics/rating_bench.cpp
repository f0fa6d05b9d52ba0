// The rating curve's computations against baselines measured in the same run:
//   fitting 10,000 measurements in 3 segments (on the root of Q and in Q)
//     against one linear regression of the root of Q over the same points;
//   converting a year of 10-minute stages (52,560 rows), reading and writing
//     the CSV files, against reading the same file and writing it back.
// At the end the best times and their ratios are printed with the goals.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "cli/input_text.h"
#include "hydraulics/rating_fit.h"
#include "hydraulics/stage_record.h"
#include "hydraulics/text_output.h"

namespace {

using namespace plamor::hydraulics;
namespace fs = std::filesystem;

constexpr int kMeasurements = 10000;
constexpr int kStageRows = 52560;  // a year of 10-minute stages
const std::vector<double> kSplits{1.5, 3.0};

std::map<std::string, double> bestSeconds;

void Keep(const std::string& name, std::chrono::steady_clock::time_point start) {
  const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  auto [it, added] = bestSeconds.emplace(name, s);
  if (!added && s < it->second) it->second = s;
}

// A station with three controls, continuous at the splits, gauged with 4 % scatter.
const std::vector<StagePoint>& Measurements() {
  static const std::vector<StagePoint> points = [] {
    const double a1 = 14, b1 = 0.12, a2 = 9.5, a3 = 11;
    const double b2 = std::sqrt(a1 / a2) * (kSplits[0] + b1) - kSplits[0];
    const double b3 = std::sqrt(a2 / a3) * (kSplits[1] + b2) - kSplits[1];
    std::mt19937_64 random(24);
    std::uniform_real_distribution<double> stage(0.3, 4.5);
    std::normal_distribution<double> scatter(0, 0.04);
    std::vector<StagePoint> p(kMeasurements);
    for (StagePoint& m : p) {
      m.stage = stage(random);
      const double a = m.stage < kSplits[0] ? a1 : m.stage < kSplits[1] ? a2 : a3;
      const double b = m.stage < kSplits[0] ? b1 : m.stage < kSplits[1] ? b2 : b3;
      m.discharge = a * (m.stage + b) * (m.stage + b) * (1 + scatter(random));
    }
    return p;
  }();
  return points;
}

const fs::path& Folder() {
  static const fs::path folder = [] {
    const fs::path f = fs::temp_directory_path() / ("plamor-rating-bench." + std::to_string(::getpid()));
    fs::create_directories(f);
    std::string csv = "time,stage\n";
    for (int i = 0; i < kStageRows; ++i) {
      char line[64];
      const int minutes = i * 10;
      std::snprintf(line, sizeof line, "2023-%03d %02d:%02d,%.2f\n", minutes / 1440 + 1, minutes / 60 % 24, minutes % 60,
                    0.5 + 1.2 * (1 + std::sin(i / 900.0)) + 0.3 * std::sin(i / 37.0));
      csv += line;
    }
    WriteTextFile(f / "stages.csv", csv);
    return f;
  }();
  return folder;
}

RatingFormula StationFormula() {
  static const RatingFormula formula = FitRatingFormula(Measurements(), FitMethod::kQ, kSplits);
  return formula;
}

void BM_LinearRegressionBaseline(benchmark::State& state) {
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    double n = 0, sh = 0, sy = 0, shh = 0, shy = 0;
    for (const StagePoint& p : Measurements()) {
      const double y = std::sqrt(p.discharge);
      n += 1, sh += p.stage, sy += y, shh += p.stage * p.stage, shy += p.stage * y;
    }
    const double slope = (n * shy - sh * sy) / (n * shh - sh * sh);
    benchmark::DoNotOptimize(slope);
    Keep("regression", start);
  }
}

void BM_FitOnRootOfQ(benchmark::State& state) {
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(FitRatingFormula(Measurements(), FitMethod::kSqrt, kSplits));
    Keep("fit sqrt", start);
  }
}

void BM_FitInQ(benchmark::State& state) {
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(FitRatingFormula(Measurements(), FitMethod::kQ, kSplits));
    Keep("fit q", start);
  }
}

void BM_CopyStageRecordBaseline(benchmark::State& state) {
  const fs::path in = Folder() / "stages.csv", out = Folder() / "copy.csv";
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    std::string text;
    for (const std::string& line : plamor::ReadTextLines(in)) text.append(line).append("\n");
    WriteTextFile(out, text);
    Keep("copy csv", start);
  }
}

void BM_ConvertStageRecord(benchmark::State& state) {
  const RatingFormula formula = StationFormula();
  const fs::path in = Folder() / "stages.csv", out = Folder() / "discharges.csv";
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(ConvertStageRecordFile(formula, in, out));
    Keep("convert", start);
  }
}

BENCHMARK(BM_LinearRegressionBaseline)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FitOnRootOfQ)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FitInQ)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyStageRecordBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertStageRecord)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  const auto ms = [](const char* name) {
    const auto it = bestSeconds.find(name);
    return it == bestSeconds.end() ? 0.0 : it->second * 1000;
  };
  std::printf("\nbest times (ms) and ratios to the baselines of this run:\n");
  std::printf("  linear regression, %d points:        %8.3f\n", kMeasurements, ms("regression"));
  std::printf("  fit on the root of Q, 3 segments:     %8.3f  (%.1f x regression)\n", ms("fit sqrt"),
              ms("fit sqrt") / ms("regression"));
  std::printf("  fit in Q, 3 segments:                 %8.3f  (%.1f x regression; goal <= 20 ms)\n", ms("fit q"),
              ms("fit q") / ms("regression"));
  std::printf("  copy of the stage CSV, %d rows:     %8.3f\n", kStageRows, ms("copy csv"));
  std::printf("  conversion, read and write included:  %8.3f  (%.2f x copy; goal <= 200 ms)\n", ms("convert"),
              ms("convert") / ms("copy csv"));
  std::error_code ignored;
  fs::remove_all(Folder(), ignored);
  return 0;
}

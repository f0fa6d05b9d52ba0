// Makes the book of cross-section sheets of a river of 500 sections surveyed
// three times (60 points each) with plamor-draw, every sheet through the
// drawing server in its process, once laying out and drawing on one core
// (--jobs 1) and once on two. At the end the times are printed with their
// ratio and the goal of at most 60 s.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "bench/river/river_files.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kSections = 500, kSurveys = 3;

const fs::path& Folder() {
  static const fs::path folder = fs::temp_directory_path() / "plamor-river-book-bench";
  return folder;
}

const std::vector<fs::path>& Files() {
  static const std::vector<fs::path> files = plamor::bench::WriteRiverFiles(Folder() / "river", kSections, kSurveys);
  return files;
}

// Runs plamor-draw river book on the river; its exit status.
int MakeBook(unsigned jobs) {
  std::vector<std::string> args = {PLAMOR_DRAW, "river", "book", "--inproc", "--jobs", std::to_string(jobs),
                                   "-o", (Folder() / "book.pdf").string()};
  for (const fs::path& file : Files()) args.push_back(file.string());
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, PLAMOR_DRAW, nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::map<unsigned, double> seconds;

void BM_RiverBook(benchmark::State& state) {
  const unsigned jobs = unsigned(state.range(0));
  Files();
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (MakeBook(jobs) != 0) state.SkipWithError("plamor-draw river book failed");
    seconds[jobs] = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
}

BENCHMARK(BM_RiverBook)->Arg(1)->Arg(2)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (seconds.count(1) && seconds.count(2)) {
    std::printf("\nbook of %d sections x %d surveys x %d points (%s):\n", kSections, kSurveys,
                plamor::bench::kRiverFilePoints, (Folder() / "book.pdf").c_str());
    std::printf("  --jobs 1:   %.2f s (goal <= 60 s)\n", seconds[1]);
    std::printf("  --jobs 2:   %.2f s (goal <= 60 s)\n", seconds[2]);
    std::printf("  1 core / 2 cores: %.2f\n", seconds[1] / seconds[2]);
  }
  std::error_code ignored;
  fs::remove_all(Folder(), ignored);
  return 0;
}

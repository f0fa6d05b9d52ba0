// Registration of a million elements with and without the duplicate test,
// merging a million line pieces on a few hundred shared lines, and the memory
// a registered line takes (live heap bytes counted by the global allocator).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <memory>
#include <new>
#include <random>

#include "server/dialog/dlg_view.h"
#include "server/dialog/plamor_dlg.h"
#include "server/elements/z_line.h"

namespace {
// Live heap bytes, each block counted with its usable size and the 8-byte
// chunk header of glibc's allocator.
std::atomic<long long> liveBytes{0};
constexpr long long kChunkHeader = 8;
}  // namespace

// The counting allocator hands out malloc'ed blocks.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
  void* p = std::malloc(size ? size : 1);
  if (!p) throw std::bad_alloc();
  liveBytes += static_cast<long long>(malloc_usable_size(p)) + kChunkHeader;
  return p;
}
void operator delete(void* p) noexcept {
  if (!p) return;
  liveBytes -= static_cast<long long>(malloc_usable_size(p)) + kChunkHeader;
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

// Options are given by name; the others stay missing.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace plamor {
namespace {

constexpr int kMillion = 1'000'000;

// Survey-like coordinates: metres with millimetres.
double Coordinate(std::mt19937& random) {
  return std::uniform_int_distribution<int>(0, 99'999'999)(random) / 1000.0;
}

// Times registering a million elements into a fresh dialog at the benchmark's
// Optimaze level; `add(dlg, random, i)` registers the i-th.
template <class Add>
void TimeRegistration(benchmark::State& state, unsigned seed, Add add) {
  const std::int32_t optimaze = static_cast<std::int32_t>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    HeadlessDlgView view;
    auto dlg = std::make_unique<frmPlamorDlg>(view);
    dlg->Optimaze = optimaze;
    std::mt19937 random(seed);
    state.ResumeTiming();
    for (int i = 0; i < kMillion; ++i) add(*dlg, random, i);
    benchmark::DoNotOptimize(dlg->YousoCount());
    state.PauseTiming();
    dlg.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kMillion);
}

void RegisterLines(benchmark::State& state) {
  TimeRegistration(state, 1, [](frmPlamorDlg& dlg, std::mt19937& random, int) {
    dlg.Sen(Coordinate(random), Coordinate(random), Coordinate(random), Coordinate(random));
  });
}
BENCHMARK(RegisterLines)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

void RegisterMixedDrawing(benchmark::State& state) {
  TimeRegistration(state, 2, [](frmPlamorDlg& dlg, std::mt19937& random, int i) {
    const double x = Coordinate(random), y = Coordinate(random);
    switch (i % 10) {
      case 0: dlg.En(x, y, 1.5); break;
      case 1: dlg.Enko(x, y, 2.5, 30, 120, {.vPen = 3}); break;
      case 2: dlg.Daen(x, y, 4, 2, 15); break;
      case 3: dlg.Moji(x, y, "No.12+34.5", 0, 0, 0, {.vKiten = ktpCenterCenter}); break;
      case 4: dlg.Moji(x, y, "測点", 1); break;
      default: dlg.Sen(x, y, x + 10, y, {.vStyl = 1, .vPich = 2}); break;
    }
  });
}
BENCHMARK(RegisterMixedDrawing)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

// A million pieces on 300 horizontal and 300 vertical shared lines, in random
// order; about a third touch or overlap their neighbours.
void MergePieces(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    HeadlessDlgView view;
    auto dlg = std::make_unique<frmPlamorDlg>(view);
    std::mt19937 random(3);
    std::uniform_int_distribution<int> track(0, 299), start(0, 1'000'000), length(1, 3);
    for (int i = 0; i < kMillion; ++i) {
      const double t = track(random) * 10.0, a = start(random) / 10.0, b = a + length(random);
      if (i % 2) {
        dlg->Sen(a, t, b, t);
      } else {
        dlg->Sen(t, a, t, b);
      }
    }
    dlg->Optimaze = ktpLevel2;
    state.ResumeTiming();
    dlg->OptimizeLines();
    state.PauseTiming();
    std::int64_t removed = 0;
    for (std::int32_t i = 1; i <= dlg->YousoCount(); ++i) removed += dlg->Elements().At(i).IsDeleted();
    state.counters["removed"] = static_cast<double>(removed);
    dlg.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kMillion);
}
BENCHMARK(MergePieces)->Unit(benchmark::kMillisecond)->Iterations(1);

// Baseline of the same run: only allocating a million bare line records.
void AllocateLinesOnly(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<std::unique_ptr<clsZLine>> lines;
    for (int i = 0; i < kMillion; ++i) lines.push_back(std::make_unique<clsZLine>());
    benchmark::DoNotOptimize(lines.data());
  }
  state.SetItemsProcessed(state.iterations() * kMillion);
}
BENCHMARK(AllocateLinesOnly)->Unit(benchmark::kMillisecond)->Iterations(1);

void MemoryPerLine(benchmark::State& state) {
  const std::int32_t optimaze = static_cast<std::int32_t>(state.range(0));
  for (auto _ : state) {
    HeadlessDlgView view;
    auto dlg = std::make_unique<frmPlamorDlg>(view);
    dlg->Optimaze = optimaze;
    std::mt19937 random(4);
    const long long before = liveBytes;
    for (int i = 0; i < kMillion; ++i) {
      dlg->Sen(Coordinate(random), Coordinate(random), Coordinate(random), Coordinate(random));
    }
    state.counters["bytes_per_line"] = static_cast<double>(liveBytes - before) / kMillion;
  }
}
BENCHMARK(MemoryPerLine)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace plamor

BENCHMARK_MAIN();

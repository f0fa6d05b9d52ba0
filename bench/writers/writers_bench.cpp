// Writes 1,000,000 LINE entities with our DXF writer, with dxflib (R12) and
// with a loop that only formats the same numbers with std::to_chars and
// writes them (the floor); also the same drawing as a standard drawing file
// and a standard text file. At the end the rates are printed as ratios.
#include <benchmark/benchmark.h>
#include <dxflib/dl_dxf.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "server/dialog/drawing_writer.h"
#include "server/elements/z_line.h"
#include "server/formats/output_file.h"
#include "server/formats/write_context.h"

namespace {

constexpr int kLines = 1000000;

struct Segment {
  double x1, y1, x2, y2;
};

// Survey-like coordinates: metres with millimetre decimals.
const std::vector<Segment>& Segments() {
  static const std::vector<Segment> segments = [] {
    std::mt19937_64 random(42);
    std::uniform_int_distribution<int> mm(0, 99999999);
    std::vector<Segment> s(kLines);
    for (auto& seg : s) seg = {mm(random) / 1000.0, mm(random) / 1000.0, mm(random) / 1000.0, mm(random) / 1000.0};
    return s;
  }();
  return segments;
}

const std::vector<std::unique_ptr<plamor::clsZLine>>& Elements() {
  static const auto elements = [] {
    std::vector<std::unique_ptr<plamor::clsZLine>> e;
    e.reserve(kLines);
    for (const Segment& s : Segments()) {
      auto line = std::make_unique<plamor::clsZLine>();
      line->x1 = s.x1; line->y1 = s.y1; line->x2 = s.x2; line->y2 = s.y2;
      line->SetPen(1);
      e.push_back(std::move(line));
    }
    return e;
  }();
  return elements;
}

std::string OutputPath(const char* name) {
  static const std::filesystem::path folder = [] {
    auto f = std::filesystem::temp_directory_path() / "plamor-writers-bench";
    std::filesystem::create_directories(f);
    return f;
  }();
  return (folder / name).string();
}

std::map<std::string, double> bestSeconds;

void Record(benchmark::State& state, const std::string& name, double seconds) {
  auto [it, inserted] = bestSeconds.emplace(name, seconds);
  if (!inserted && seconds < it->second) it->second = seconds;
  state.counters["lines_per_second"] = benchmark::Counter(kLines / seconds);
  state.counters["megabytes"] =
      benchmark::Counter(static_cast<double>(std::filesystem::file_size(OutputPath(name.c_str()))) / 1e6);
}

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Writes a whole drawing of the elements in one output kind, as the output run does.
void WriteDrawing(plamor::ktpPlamorType kind, const char* name) {
  plamor::DrawingInfo info;
  info.PaperSize = plamor::ktpA1;
  info.PaperTate = 594;
  info.PaperYoko = 841;
  plamor::ModuleSettings settings;  // a new host's: no layer names
  const plamor::WriteContext context = plamor::BuildWriteContext(kind, settings, info.AtzKeta);
  plamor::DiskOutputFile file;
  file.Open(OutputPath(name), kind == plamor::ktpPlm ? plamor::OpenMode::kBinary : plamor::OpenMode::kText);
  plamor::DrawingWriter writer(kind, file, context);
  writer.Header(info);
  for (const auto& line : Elements()) writer.Element(*line);
  writer.Trailer();
  file.Close();
}

void BM_OurDxfWriter(benchmark::State& state) {
  Elements();
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    WriteDrawing(plamor::ktpDxf, "ours.dxf");
    Record(state, "ours.dxf", Seconds(start));
  }
}

void BM_DxflibR12(benchmark::State& state) {
  Segments();
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    DL_Dxf dxf;
    std::unique_ptr<DL_WriterA> dw(dxf.out(OutputPath("dxflib.dxf").c_str(), DL_Codes::AC1009));
    dxf.writeHeader(*dw);
    dw->sectionEnd();
    dw->sectionEntities();
    const DL_Attributes attributes("Layer-001", 3, 0, "CONTINUOUS", 1.0);
    for (const Segment& s : Segments())
      dxf.writeLine(*dw, DL_LineData(s.x1, s.y1, 0, s.x2, s.y2, 0), attributes);
    dw->sectionEnd();
    dw->dxfEOF();
    dw->close();
    Record(state, "dxflib.dxf", Seconds(start));
  }
}

void BM_ToCharsFloor(benchmark::State& state) {
  Segments();
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const int fd = ::open(OutputPath("floor.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char> buffer(1 << 16);
    std::size_t used = 0;
    for (const Segment& s : Segments()) {
      if (buffer.size() - used < 256) {
        (void)!::write(fd, buffer.data(), used);
        used = 0;
      }
      char* p = buffer.data() + used;
      char* end = buffer.data() + buffer.size();
      for (double v : {s.x1, s.y1, 0.0, s.x2, s.y2, 0.0}) {
        p = std::to_chars(p, end, v, std::chars_format::fixed, 4).ptr;
        *p++ = '\n';
      }
      used = static_cast<std::size_t>(p - buffer.data());
    }
    (void)!::write(fd, buffer.data(), used);
    ::close(fd);
    Record(state, "floor.txt", Seconds(start));
  }
}

void BM_StandardDrawingFile(benchmark::State& state) {
  Elements();
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    WriteDrawing(plamor::ktpPlm, "drawing.plm");
    Record(state, "drawing.plm", Seconds(start));
  }
}

void BM_StandardTextFile(benchmark::State& state) {
  Elements();
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    WriteDrawing(plamor::ktpAtz, "drawing.atz");
    Record(state, "drawing.atz", Seconds(start));
  }
}

BENCHMARK(BM_ToCharsFloor)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_OurDxfWriter)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_DxflibR12)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_StandardDrawingFile)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);
BENCHMARK(BM_StandardTextFile)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  auto rate = [](const char* name) {
    auto it = bestSeconds.find(name);
    return it == bestSeconds.end() ? 0.0 : kLines / it->second;
  };
  std::printf("\nbest rates (LINE entities or records per second, best of the repetitions):\n");
  for (const char* name : {"floor.txt", "ours.dxf", "dxflib.dxf", "drawing.plm", "drawing.atz"})
    std::printf("  %-12s %12.0f\n", name, rate(name));
  if (rate("dxflib.dxf") > 0 && rate("floor.txt") > 0) {
    std::printf("our DXF / dxflib R12:         %.2f (goal >= 10)\n", rate("ours.dxf") / rate("dxflib.dxf"));
    std::printf("our DXF / to_chars floor:     %.2f (goal >= 0.5)\n", rate("ours.dxf") / rate("floor.txt"));
  }
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::temp_directory_path() / "plamor-writers-bench", ignored);
  return 0;
}

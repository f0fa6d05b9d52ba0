// Writes one drawing of 1,000,000 elements as our DXF (R12, the binding
// writer), as PDF (on every core, and on one thread) and as SVG, and prints
// the page writers' times as ratios to the DXF writer's. The drawing is survey-like: 80 % lines (a fifth of
// them dashed), 10 % circles, arcs and elliptical arcs, 10 % short texts
// (station numbers, half of them with kanji, in the stroke font), on an A1
// sheet at 1:1000.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "drawings/drawing_model.h"
#include "drawings/outputs/vector_page.h"
#include "server/dialog/drawing_writer.h"
#include "server/elements/z_circle.h"
#include "server/elements/z_line.h"
#include "server/elements/z_text.h"
#include "server/formats/output_file.h"
#include "server/formats/write_context.h"

namespace {

using namespace plamor;

constexpr int kElements = 1000000;
constexpr double kScale = 1000;

const drawings::DrawingModel& Model() {
  static const drawings::DrawingModel model = [] {
    drawings::DrawingModel m;
    m.sheet.paperSize = ktpA1;
    m.sheet.tate = 594;
    m.sheet.yoko = 841;
    m.sheet.scale = kScale;
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> x(0, 841 * kScale), y(0, 594 * kScale), r(500, 20000), angle(0, 360);
    std::uniform_int_distribution<int> pen(1, 7), kind(0, 99);
    const char* const texts[] = {"No.12", "24.0k", "河川", "右岸"};
    m.elements.reserve(kElements);
    for (int i = 0; i < kElements; ++i) {
      const int k = kind(random);
      if (k < 80) {
        const double x1 = x(random), y1 = y(random);
        const std::int32_t style = k < 16 ? ktpdash : ktpsolid;
        m.elements.push_back(drawings::LineElement{x1, y1, x1 + r(random), y1 + r(random) / 3,
                                               {pen(random), 1, style, style ? 2 * kScale : 0}});
      } else if (k < 90) {
        const double radius = r(random);
        m.elements.push_back(drawings::ArcElement{x(random), y(random), radius, k < 87 ? radius : radius / 2, angle(random),
                                              k < 84 ? 360.0 : 120.0, k < 87 ? 0.0 : 30.0, {pen(random), 2, ktpsolid, 0}});
      } else {
        m.elements.emplace_back(std::in_place_type<drawings::TextElement>, x(random), y(random), 2.5 * kScale,
                                3 * kScale, 0.3 * kScale, 0, 0, pen(random), 3, false, std::int16_t{0},
                                texts[i % 4]);
      }
    }
    return m;
  }();
  return model;
}

// The same elements as the drawing server's records.
const std::vector<std::unique_ptr<clsZElement>>& Records() {
  static const auto records = [] {
    std::vector<std::unique_ptr<clsZElement>> out;
    out.reserve(kElements);
    for (const drawings::Element& e : Model().elements) {
      if (auto* l = std::get_if<drawings::LineElement>(&e)) {
        auto z = std::make_unique<clsZLine>();
        z->x1 = l->x1, z->y1 = l->y1, z->x2 = l->x2, z->y2 = l->y2, z->pich = l->stroke.pitch;
        z->Style = l->stroke.style;
        z->SetPen(l->stroke.pen);
        out.push_back(std::move(z));
      } else if (auto* a = std::get_if<drawings::ArcElement>(&e)) {
        auto z = std::make_unique<clsZCircle>();
        z->x = a->x, z->xr = a->xr, z->yr = a->yr, z->sAng = a->sAng, z->mang = a->mang, z->lang = a->lang;
        CircleCentre::SetY(*z, a->y);
        z->SetPen(a->stroke.pen);
        out.push_back(std::move(z));
      } else {
        const auto& t = std::get<drawings::TextElement>(e);
        auto z = std::make_unique<clsZText>();
        z->x = t.x, z->y = t.y, z->width = t.width, z->height = t.height, z->Between = t.between;
        z->Text = t.text;
        z->SetPen(t.pen);
        out.push_back(std::move(z));
      }
    }
    return out;
  }();
  return records;
}

std::filesystem::path OutputPath(const char* name) {
  static const std::filesystem::path folder = [] {
    auto f = std::filesystem::temp_directory_path() / "plamor-pages-bench";
    std::filesystem::create_directories(f);
    return f;
  }();
  return folder / name;
}

std::map<std::string, double> seconds;

double Since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Record(benchmark::State& state, const char* name, double s) {
  auto [it, inserted] = seconds.emplace(name, s);
  if (!inserted && s < it->second) it->second = s;
  state.counters["elements_per_second"] = benchmark::Counter(kElements / s);
  state.counters["megabytes"] = benchmark::Counter(double(std::filesystem::file_size(OutputPath(name))) / 1e6);
}

void BM_OurDxfWriter(benchmark::State& state) {
  Records();
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    ModuleSettings settings;  // a new host's: no layer names
    const WriteContext context = BuildWriteContext(ktpDxf, settings, 3);
    DiskOutputFile file;
    file.Open(OutputPath("drawing.dxf").string(), OpenMode::kText);
    DrawingWriter writer(ktpDxf, file, context);
    writer.Header({});
    for (const auto& record : Records()) writer.Element(*record);
    writer.Trailer();
    file.Close();
    Record(state, "drawing.dxf", Since(start));
  }
}

void Page(benchmark::State& state, drawings::PageFormat format, const char* name, unsigned jobs) {
  Model();
  drawings::PageOptions options;
  options.title = name;
  options.fontPath = PLAMOR_BIN_DIR "/M_G_L.KVD";
  options.jobs = jobs;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    drawings::WriteDrawingPage(Model(), format, OutputPath(name), options);
    Record(state, name, Since(start));
  }
}

// The PDF on every core (the ratio's) and on one thread.
void BM_Pdf(benchmark::State& state) { Page(state, drawings::PageFormat::kPdf, "drawing.pdf", std::thread::hardware_concurrency()); }
void BM_PdfOneJob(benchmark::State& state) { Page(state, drawings::PageFormat::kPdf, "one-job.pdf", 1); }
void BM_Svg(benchmark::State& state) { Page(state, drawings::PageFormat::kSvg, "drawing.svg", 1); }

BENCHMARK(BM_OurDxfWriter)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Pdf)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_PdfOneJob)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_Svg)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  const double dxf = seconds["drawing.dxf"];
  std::printf("\nPDF / our DXF writer: %.2f (at most 1.5)\nPDF on one thread / our DXF writer: %.2f\n"
              "SVG / our DXF writer: %.2f (at most 2.5)\n",
              seconds["drawing.pdf"] / dxf, seconds["one-job.pdf"] / dxf, seconds["drawing.svg"] / dxf);
  benchmark::Shutdown();
  std::filesystem::remove_all(OutputPath("x").parent_path());
  return 0;
}

// Preview speed: stroke text into the thumbnail-sized preview and a large
// window, and a million lines into the preview. The baseline is the device
// context drawing the same lines as polylines directly.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "graphic/graphic.h"
#include "platform/cp932.h"
#include "platform/device_context.h"

namespace {

// The converted font when it has been built, else a font of our own: every
// glyph a box with a diagonal and an arc (12 words).
std::string FontPath() {
  const std::filesystem::path built = std::filesystem::path(PLAMOR_BIN_DIR) / "M_G_L.KVD";
  if (std::filesystem::exists(built)) return built.string();
  static const std::string made = [] {
    std::vector<std::uint8_t> bytes(4 + 94 * 94 * 4, 0);
    auto word = [](int flags, int x, int y) { return std::uint16_t(flags | (y << 7) | x); };
    const std::uint16_t glyph[] = {word(0, 16, 16),          word(0x8000, 112, 16),
                                   word(0x8000, 112, 112),   word(0x8000, 16, 112),
                                   word(0x8000, 16, 16),     word(0x8000, 112, 112),
                                   word(0, 32, 64),          word(0xC000, 64, 96),
                                   word(0x8000, 96, 64),     word(0, 40, 40),
                                   word(0x8000, 88, 40),     word(0x8000, 64, 20)};
    const std::uint32_t at = std::uint32_t(bytes.size());
    for (std::uint16_t w : glyph) {
      bytes.push_back(std::uint8_t(w));
      bytes.push_back(std::uint8_t(w >> 8));
    }
    const std::uint32_t entry = at | (std::uint32_t(std::size(glyph)) << 24);
    for (int i = 0; i < 94 * 94; ++i) {
      for (int b = 0; b < 4; ++b) bytes[std::size_t(4 + 4 * i + b)] = std::uint8_t(entry >> (8 * b));
    }
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("graphic-bench-" + std::to_string(getpid()) + ".kvd")).string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return path;
  }();
  return made;
}

// A line of survey text: 20 characters, 16 of them double-byte.
const std::string& SampleText() {
  static const std::string text = plamor::cp932::FromUtf8("測点No.1 横断面図 河川測量 計画高水位");
  return text;
}

int CharacterCount(const std::string& cp932) {
  int n = 0;
  for (std::size_t i = 0; i < cp932.size(); ++i, ++n) {
    if (plamor::cp932::IsLeadByte(std::uint8_t(cp932[i]))) ++i;
  }
  return n;
}

// Text rows filling the view: world window 0..100 × 0..70.
void TextInto(benchmark::State& state, int width, int height, double charSize) {
  PlamorDeviceContext dc(width, height);
  StartCadDraw(&dc, FontPath().c_str());
  SetObjectView(&dc);
  SetPlamorView(0, 0, 100, 70);
  SetMojiWaku(0);
  const std::string& text = SampleText();
  std::int64_t characters = 0;
  double y = 0;
  for (auto _ : state) {
    DispText(&dc, 1, y, charSize, charSize, charSize * 0.1, 0, 0, 0, 2, text.c_str());
    characters += CharacterCount(text);
    y += charSize * 1.2;
    if (y > 70 - charSize) y = 0;
  }
  EndCadDraw();
  state.SetItemsProcessed(characters);
  state.counters["chars/s"] = benchmark::Counter(double(characters), benchmark::Counter::kIsRate);
}

void BM_DispText_84x59(benchmark::State& state) { TextInto(state, 84, 59, 5); }
void BM_DispText_1000x700(benchmark::State& state) { TextInto(state, 1000, 700, 5); }

struct Segment {
  double x1, y1, x2, y2;
};
const std::vector<Segment>& Segments() {
  static const std::vector<Segment> segments = [] {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> x(-20, 440), y(-20, 310), len(-30, 30);
    std::vector<Segment> s(1000000);
    for (auto& seg : s) {
      seg.x1 = x(random);
      seg.y1 = y(random);
      seg.x2 = seg.x1 + len(random);
      seg.y2 = seg.y1 + len(random);
    }
    return s;
  }();
  return segments;
}

// A million lines of a 420 × 297 sheet into the 84 × 59 preview.
void BM_DispLine_Million_84x59(benchmark::State& state) {
  const auto& segments = Segments();
  PlamorDeviceContext dc(84, 59);
  StartCadDraw(&dc, "");
  SetObjectView(&dc);
  SetPlamorView(0, 0, 420, 295);
  for (auto _ : state) {
    int style = 0;
    for (const Segment& s : segments) DispLine(&dc, s.x1, s.y1, s.x2, s.y2, style++ & 3, 2);
  }
  EndCadDraw();
  state.SetItemsProcessed(state.iterations() * std::int64_t(segments.size()));
}

// Baseline: the same lines already in pixels, drawn straight onto the surface.
void BM_RawPolyline_Million_84x59(benchmark::State& state) {
  const auto& segments = Segments();
  std::vector<plamor::Point> pixels;
  pixels.reserve(2 * segments.size());
  for (const Segment& s : segments) {
    pixels.push_back({int(s.x1 * 0.2), 58 - int(s.y1 * 0.2)});
    pixels.push_back({int(s.x2 * 0.2), 58 - int(s.y2 * 0.2)});
  }
  PlamorDeviceContext dc(84, 59);
  for (auto _ : state) {
    for (std::size_t i = 0; i < pixels.size(); i += 2) dc.Polyline(&pixels[i], 2);
  }
  state.SetItemsProcessed(state.iterations() * std::int64_t(segments.size()));
}

}  // namespace

BENCHMARK(BM_DispText_84x59);
BENCHMARK(BM_DispText_1000x700);
BENCHMARK(BM_DispLine_Million_84x59)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawPolyline_Million_84x59)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

// Glyphs per second of MyReadFont over every glyph of M_G_L.KVD, against a
// baseline that only looks each glyph up and copies its words.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "util/tessaro_stroke_font.h"

namespace {

const char* const kFontPath = PLAMOR_BIN_DIR "/M_G_L.KVD";

// The Shift_JIS codes of all glyphs the font holds, and the list to read into.
struct Font {
  std::vector<std::int32_t> codes;
  std::unique_ptr<KvdStrokeList> list = std::make_unique<KvdStrokeList>();
  bool open = false;
};

Font& TheFont() {
  static Font font = [] {
    Font f;
    f.open = OpenKvd(kFontPath) == 1;
    for (int row = 0x21; f.open && row <= 0x7E; ++row)
      for (int column = 0x21; column <= 0x7E; ++column) {
        const std::int32_t sjis = tessaro::JisToShiftJis(static_cast<std::uint16_t>(row << 8 | column));
        if (MyReadFont(sjis, 5, 5, f.list.get()) > 0) f.codes.push_back(sjis);
      }
    return f;
  }();
  return font;
}

void ReadAllGlyphs(benchmark::State& state) {
  Font& font = TheFont();
  if (font.codes.empty()) {
    state.SkipWithError("M_G_L.KVD missing or empty");
    return;
  }
  const double size = static_cast<double>(state.range(0));
  std::int64_t records = 0;
  for (auto _ : state)
    for (const std::int32_t code : font.codes) records += MyReadFont(code, size, size, font.list.get());
  benchmark::DoNotOptimize(records);
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(font.codes.size()));
  state.counters["glyphs"] = static_cast<double>(font.codes.size());
}
BENCHMARK(ReadAllGlyphs)->Arg(5)->Arg(500)->Unit(benchmark::kMillisecond);

// Baseline: the index lookup and word copy every reader needs, no decoding.
void CopyAllGlyphWords(benchmark::State& state) {
  std::ifstream in(kFontPath, std::ios::binary);
  const std::vector<std::uint8_t> image{std::istreambuf_iterator<char>(in), {}};
  if (image.size() < 4 + 4 * 94 * 94) {
    state.SkipWithError("M_G_L.KVD missing or short");
    return;
  }
  std::uint16_t words[255];
  std::int64_t glyphs = 0;
  for (auto _ : state) {
    glyphs = 0;
    for (std::size_t entryAt = 4; entryAt < 4 + 4 * 94 * 94; entryAt += 4) {
      std::uint32_t entry;
      std::memcpy(&entry, &image[entryAt], 4);
      const std::size_t offset = entry & 0xFFFFFF, count = entry >> 24;
      if (count == 0 || offset + 2 * count > image.size()) continue;
      std::memcpy(words, &image[offset], 2 * count);
      benchmark::DoNotOptimize(words);
      ++glyphs;
    }
  }
  state.SetItemsProcessed(state.iterations() * glyphs);
}
BENCHMARK(CopyAllGlyphWords)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

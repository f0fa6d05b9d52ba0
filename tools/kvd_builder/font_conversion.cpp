#include "tools/kvd_builder/font_conversion.h"

namespace kvd {
namespace {

// Arcs are flattened to within half a glyph unit.
constexpr double kFlatteningTolerance = 0.5 / 12.8;

bool IsHalfWidthRow(int row) { return row >= kHalfWidthAsciiRow && row <= kLastHalfWidthRow; }

}  // namespace

std::uint16_t IndexPlace(std::uint16_t sourceCode) {
  if (sourceCode < 0x100) {
    if (sourceCode >= 0x21 && sourceCode <= 0x7E)
      return static_cast<std::uint16_t>(kHalfWidthAsciiRow << 8 | sourceCode);
    if (sourceCode >= 0xA1 && sourceCode <= 0xDF)
      return static_cast<std::uint16_t>(kHalfWidthKanaRow << 8 | (sourceCode - 0x80));
    return 0;
  }
  if (!IsIndexCode(sourceCode)) return 0;
  if (sourceCode == 0x3349) return 0x5978;
  if (sourceCode == 0x5978) return 0x3349;
  return sourceCode;
}

std::vector<std::uint16_t> GlyphWords(const LffGlyph& glyph, const CellMapping& mapping,
                                      FitResult& fit, bool& clamped) {
  std::vector<std::vector<CellPoint>> polylines;
  for (const LffPolyline& polyline : glyph.polylines) {
    std::vector<CellPoint> mapped;
    for (const FontPoint point : FlattenPolyline(polyline, kFlatteningTolerance))
      mapped.push_back(mapping.Map(point, clamped));
    polylines.push_back(std::move(mapped));
  }
  std::vector<StrokeRun> runs = ChainSegments(DistinctSegments(polylines));
  fit = FitIntoWords(runs, kMaxGlyphWords);
  return EncodeRuns(runs);
}

KvdImage ConvertFont(const LffFont& font, ConversionReport& report) {
  KvdImage image;
  report.glyphsWithoutJis = font.glyphsWithoutJis;
  for (const LffGlyph& glyph : font.glyphs) {
    const std::uint16_t place = IndexPlace(glyph.code);
    if (place == 0) {
      ++report.withoutPlace;
      continue;
    }
    const bool halfWidthSource = glyph.code < 0x100;
    if (!halfWidthSource && IsHalfWidthRow(place >> 8)) {
      ++report.displaced;  // its place holds a half-width character
      continue;
    }
    if (image.HasGlyph(place)) {
      ++report.duplicates;  // the first glyph of a code stays
      continue;
    }
    FitResult fit;
    bool clamped = false;
    auto words = GlyphWords(glyph, halfWidthSource ? kHalfWidthMapping : kFullWidthMapping, fit,
                            clamped);
    if (fit.simplified) report.simplified.push_back(place);
    if (fit.truncated) report.truncated.push_back(place);
    if (clamped) report.clamped.push_back(place);
    if (words.empty()) {  // a blank: its entry stays empty
      report.blanks.push_back(place);
      continue;
    }
    image.SetGlyph(place, std::move(words));
    ++report.glyphsPerRow[place >> 8];
  }
  return image;
}

}  // namespace kvd

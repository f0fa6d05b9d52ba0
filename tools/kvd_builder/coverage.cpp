#include "tools/kvd_builder/coverage.h"

#include <iconv.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "util/tessaro_stroke_font.h"

namespace kvd {
namespace {

// True when CP932 assigns a character to the double-byte code.
class Cp932Characters {
 public:
  Cp932Characters() : converter_(iconv_open("UTF-8", "CP932")) {}
  ~Cp932Characters() {
    if (converter_ != reinterpret_cast<iconv_t>(-1)) iconv_close(converter_);
  }
  Cp932Characters(const Cp932Characters&) = delete;
  Cp932Characters& operator=(const Cp932Characters&) = delete;

  bool Assigned(std::uint16_t jis) {
    const std::uint16_t sjis = tessaro::JisToShiftJis(jis);
    if (sjis == 0 || converter_ == reinterpret_cast<iconv_t>(-1)) return false;
    char in[2] = {static_cast<char>(sjis >> 8), static_cast<char>(sjis & 0xFF)};
    char out[8];
    char* inPointer = in;
    char* outPointer = out;
    std::size_t inLeft = 2, outLeft = sizeof out;
    iconv(converter_, nullptr, nullptr, nullptr, nullptr);
    return iconv(converter_, &inPointer, &inLeft, &outPointer, &outLeft) != static_cast<std::size_t>(-1) &&
           inLeft == 0;
  }

 private:
  iconv_t converter_;
};

std::string Hex(unsigned value, int digits) {
  char text[8];
  std::snprintf(text, sizeof text, "%0*X", digits, value);
  return text;
}

std::string CodeList(const std::vector<std::uint16_t>& codes) {
  std::string list;
  for (const std::uint16_t code : codes) list += (list.empty() ? "" : " ") + Hex(code, 4);
  return list.empty() ? "none" : list;
}

}  // namespace

void PrintCoverage(const KvdImage& image, const ConversionReport& report, std::ostream& out) {
  constexpr std::size_t kListedMissing = 12;
  Cp932Characters cp932;
  int totalAssigned = 0, totalMissing = 0;
  out << "row  written  CP932  missing\n";
  for (int row = kFirstByte; row <= kLastByte; ++row) {
    int written = 0, assigned = 0;
    std::vector<std::uint16_t> missing;
    for (int column = kFirstByte; column <= kLastByte; ++column) {
      const auto jis = static_cast<std::uint16_t>(row << 8 | column);
      const bool has = image.HasGlyph(jis);
      const bool blank = std::find(report.blanks.begin(), report.blanks.end(), jis) != report.blanks.end();
      written += has;
      if (cp932.Assigned(jis)) {
        ++assigned;
        if (!has && !blank) missing.push_back(jis);
      }
    }
    if (written == 0 && assigned == 0) continue;
    totalAssigned += assigned;
    totalMissing += static_cast<int>(missing.size());
    out << Hex(static_cast<unsigned>(row), 2) << "   " << written << "\t  " << assigned << "\t "
        << missing.size();
    if (!missing.empty() && missing.size() <= kListedMissing) out << "  (" << CodeList(missing) << ")";
    if (row == kHalfWidthAsciiRow) out << "  half-width ASCII";
    if (row == kHalfWidthKanaRow) out << "  half-width katakana";
    out << '\n';
  }
  out << "glyphs written: " << image.GlyphCount() << "; CP932 double-byte characters: "
      << totalAssigned << ", of them without a glyph: " << totalMissing << '\n';
  out << "source glyphs left out: " << report.withoutPlace << " without a place in the index, "
      << report.displaced << " full-width in the half-width rows, " << report.glyphsWithoutJis
      << " without a JIS code, " << report.duplicates << " repeated codes\n";
  out << "blank glyphs (empty entries): " << CodeList(report.blanks) << '\n';
  out << "simplified to fit 255 words: " << CodeList(report.simplified)
      << "; cut: " << CodeList(report.truncated) << "; points moved into the cell: "
      << CodeList(report.clamped) << '\n';
}

}  // namespace kvd

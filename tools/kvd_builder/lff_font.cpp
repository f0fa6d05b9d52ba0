// LFF text: "# JIS : 30 21" comment, "[3021] char" header, then one polyline
// a line ("x,y;x,y,A0.4;..."), a blank line ending the glyph.
#include "tools/kvd_builder/lff_font.h"

#include <charconv>
#include <optional>
#include <string_view>

#include "platform/ascii_text.h"

namespace kvd {
namespace {

namespace ascii = plamor::ascii;

// What is trimmed off fields and lines: blanks, tabs and the carriage return
// a file with CRLF line ends leaves at the end of each line.
constexpr std::string_view kLineBlanks = " \t\r";

std::optional<double> ParseNumber(std::string_view text) {
  text = ascii::Trim(text, kLineBlanks);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

// "30 21" or "41": one or two hexadecimal bytes.
std::optional<std::uint16_t> ParseJisCode(std::string_view text) {
  unsigned code = 0;
  int bytes = 0;
  text = ascii::Trim(text, kLineBlanks);
  while (!text.empty()) {
    const auto space = text.find(' ');
    const std::string_view token = text.substr(0, space);
    unsigned byte = 0;
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), byte, 16);
    if (error != std::errc() || end != token.data() + token.size() || byte > 0xFF || ++bytes > 2)
      return std::nullopt;
    code = code << 8 | byte;
    text = space == std::string_view::npos ? std::string_view{} : ascii::Trim(text.substr(space), kLineBlanks);
  }
  if (bytes == 0) return std::nullopt;
  return static_cast<std::uint16_t>(code);
}

std::optional<LffPolyline> ParsePolyline(std::string_view line) {
  LffPolyline polyline;
  while (!line.empty()) {
    const auto semicolon = line.find(';');
    std::string_view vertexText = line.substr(0, semicolon);
    line = semicolon == std::string_view::npos ? std::string_view{} : line.substr(semicolon + 1);
    LffVertex vertex;
    const auto comma1 = vertexText.find(',');
    if (comma1 == std::string_view::npos) return std::nullopt;
    const auto comma2 = vertexText.find(',', comma1 + 1);
    const auto x = ParseNumber(vertexText.substr(0, comma1));
    const auto y = ParseNumber(vertexText.substr(comma1 + 1, comma2 - comma1 - 1));
    if (!x || !y) return std::nullopt;
    vertex.x = *x;
    vertex.y = *y;
    if (comma2 != std::string_view::npos) {
      const std::string_view arc = ascii::Trim(vertexText.substr(comma2 + 1), kLineBlanks);
      const auto bulge = arc.empty() || arc[0] != 'A' ? std::nullopt : ParseNumber(arc.substr(1));
      if (!bulge) return std::nullopt;
      vertex.bulge = *bulge;
    }
    polyline.push_back(vertex);
  }
  if (polyline.size() < 2) return std::nullopt;
  return polyline;
}

}  // namespace

LffFont ReadLffFont(std::istream& in, const std::string& sourceName) {
  LffFont font;
  int pendingCode = -1;  // the code of the next glyph header, -1 for none
  enum class State { Outside, InGlyph, SkippingGlyph } state = State::Outside;
  std::string lineText;
  for (int lineNumber = 1; std::getline(in, lineText); ++lineNumber) {
    const std::string_view line = ascii::Trim(lineText, kLineBlanks);
    const auto fail = [&](const std::string& what) {
      throw LffError(sourceName + ":" + std::to_string(lineNumber) + ": " + what);
    };
    if (line.empty()) {  // ends a glyph, and a JIS comment of strokes commented out
      state = State::Outside;
      pendingCode = -1;
    } else if (line[0] == '#') {
      constexpr std::string_view kJis = "# JIS";
      if (line.substr(0, kJis.size()) == kJis) {
        const auto colon = line.find(':');
        const auto code = colon == std::string_view::npos ? std::nullopt
                                                          : ParseJisCode(line.substr(colon + 1));
        if (!code) fail("unreadable JIS code \"" + std::string(line) + "\"");
        pendingCode = *code;
      }
    } else if (line[0] == '[') {
      if (pendingCode >= 0) {
        font.glyphs.push_back({static_cast<std::uint16_t>(pendingCode), {}});
        state = State::InGlyph;
      } else {
        ++font.glyphsWithoutJis;
        state = State::SkippingGlyph;
      }
      pendingCode = -1;
    } else if (state == State::Outside) {
      fail("stroke data outside a glyph: \"" + std::string(line) + "\"");
    } else {
      auto polyline = ParsePolyline(line);
      if (!polyline) fail("unreadable polyline \"" + std::string(line) + "\"");
      if (state == State::InGlyph) font.glyphs.back().polylines.push_back(std::move(*polyline));
    }
  }
  if (in.bad()) throw LffError(sourceName + ": read error");
  return font;
}

}  // namespace kvd

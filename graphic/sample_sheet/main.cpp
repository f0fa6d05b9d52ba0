// plamor-sample-sheet OUT.png [FONT.KVD]
// Draws a sheet of stroke-font text through libGraphic.so, loaded as the
// drawing server loads it, and saves it as a PNG: kana, full-width Latin
// letters and digits, the first kanji, mixed text with half-width
// characters, vertical, slanted and rotated text, and a line small enough to
// be shown as character frames.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "graphic/graphic.h"
#include "platform/cp932.h"
#include "platform/device_context.h"
#include "platform/dynamic_library.h"
#include "platform/folders.h"

namespace {

constexpr int kPixelsPerMm = 5;
constexpr double kSheetWidth = 200;   // mm
constexpr double kSheetHeight = 255;  // mm

struct Graphic {
  explicit Graphic(const plamor::dynlib::DynamicLibrary& lib)
      : start(lib.Function<StartCadDrawFn>("StartCadDraw")),
        end(lib.Function<EndCadDrawFn>("EndCadDraw")),
        objectView(lib.Function<SetObjectViewFn>("SetObjectView")),
        view(lib.Function<SetPlamorViewFn>("SetPlamorView")),
        line(lib.Function<DispLineFn>("DispLine")),
        text(lib.Function<DispTextFn>("DispText")),
        frames(lib.Function<SetMojiWakuFn>("SetMojiWaku")) {}
  StartCadDrawFn start;
  EndCadDrawFn end;
  SetObjectViewFn objectView;
  SetPlamorViewFn view;
  DispLineFn line;
  DispTextFn text;
  SetMojiWakuFn frames;
};

// The CP932 bytes of the first `count` kanji, in code order from 0x889F.
std::vector<std::string> FirstKanji(int count) {
  std::vector<std::string> kanji;
  for (int lead = 0x88; lead <= 0x9F && int(kanji.size()) < count; ++lead) {
    for (int second = lead == 0x88 ? 0x9F : 0x40; second <= 0xFC; ++second) {
      if (second == 0x7F) continue;
      kanji.push_back(std::string{char(lead), char(second)});
      if (int(kanji.size()) == count) break;
    }
  }
  return kanji;
}

// Writes `characters` in lines of `perLine` from the top line at y, one
// line every `pitch` mm; returns the y below the last line.
double WriteLines(const Graphic& g, HDC dc, const std::vector<std::string>& characters,
                  int perLine, double y, double size, double pitch) {
  std::string line;
  int inLine = 0;
  for (std::size_t i = 0; i < characters.size(); ++i) {
    line += characters[i];
    if (++inLine == perLine || i + 1 == characters.size()) {
      g.text(dc, 8, y, size, size, size * 0.1, 0, 0, 0, 0, line.c_str());
      y -= pitch;
      line.clear();
      inLine = 0;
    }
  }
  return y;
}

// The UTF-8 text as one entry per character, each in CP932.
std::vector<std::string> Characters(const std::string& utf8) {
  std::vector<std::string> out;
  const std::string bytes = plamor::cp932::FromUtf8(utf8);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const std::size_t n = plamor::cp932::IsLeadByte(std::uint8_t(bytes[i])) ? 2 : 1;
    out.push_back(bytes.substr(i, n));
    i += n - 1;
  }
  return out;
}

// A section heading in red; returns the base line of the section's first row.
double Section(const Graphic& g, HDC dc, double y, const char* utf8) {
  const std::string text = plamor::cp932::FromUtf8(utf8);
  g.text(dc, 4, y, 2.5, 2.5, 0.3, 0, 0, 0, 2, text.c_str());
  return y - 5.5;
}

void Text(const Graphic& g, HDC dc, double x, double y, double size, double rotation,
          double slant, int direction, int colour, const char* utf8) {
  const std::string text = plamor::cp932::FromUtf8(utf8);
  g.text(dc, x, y, size, size, size * 0.1, rotation, slant, direction, colour, text.c_str());
}

void DrawSheet(const Graphic& g, HDC dc) {
  const double size = 4, pitch = 5.5;
  double y = kSheetHeight - 8;
  y = Section(g, dc, y, "かな / カナ");
  y = WriteLines(g, dc,
                 Characters("ぁあぃいぅうぇえぉおかがきぎくぐけげこごさざしじすずせぜそぞただちぢっつづてで"
                            "とどなにぬねのはばぱひびぴふぶぷへべぺほぼぽまみむめもゃやゅゆょよらりるれろゎ"
                            "わゐゑをん"),
                 42, y, size, pitch);
  y = WriteLines(g, dc,
                 Characters("ァアィイゥウェエォオカガキギクグケゲコゴサザシジスズセゼソゾタダチヂッツヅテデ"
                            "トドナニヌネノハバパヒビピフブプヘベペホボポマミムメモャヤュユョヨラリルレロヮ"
                            "ワヰヱヲンヴヵヶ"),
                 42, y, size, pitch);
  y = Section(g, dc, y, "全角英数");
  y = WriteLines(g, dc,
                 Characters("ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ０１２３４５６７８９"
                            "ａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ"),
                 36, y, size, pitch);
  y = Section(g, dc, y, "漢字");
  y = WriteLines(g, dc, FirstKanji(470), 42, y, size, pitch);

  y = Section(g, dc, y, "混在 (半角を含む)");
  Text(g, dc, 8, y, size, 0, 0, 0, 4, "測点No.12 標高 H=+3.456m ｶﾀｶﾅ (ﾊﾝｶｸ) [A-1] ¥100 100%");
  y -= pitch + 2;

  y = Section(g, dc, y, "縦書き / 斜体 / 回転 / 円弧");
  Text(g, dc, 10, y + 4, size, 0, 0, 1, 2, "縦書きの文字列ABC");
  Text(g, dc, 22, y, size, 0, 15, 0, 0, "斜体 +15度 Slant");
  Text(g, dc, 22, y - 8, size, 0, -15, 0, 0, "斜体 -15度 Slant");
  Text(g, dc, 110, y - 8, size, -20, 20, 0, 5, "回転 -20度 斜体 20度");
  Text(g, dc, 22, y - 55, size, 30, 0, 0, 3, "回転 30度 Rotated");
  Text(g, dc, 90, y - 40, size, 0, 0, 0, 0, "円弧を含む字形：ＯＱＳ０３６８９○◎");
  y -= 75;

  y = Section(g, dc, y, "枠表示 (文字高 7 画素以下)");
  g.frames(1);
  Text(g, dc, 8, y, 1.4, 0, 0, 0, 0, "この行は文字枠で表示される ABC 123");
  Text(g, dc, 8, y - 4, 1.4, 0, 10, 0, 2, "この行は文字枠で表示される ABC 123");
  g.frames(0);
  // The sheet's border in the dotted pen.
  g.line(dc, 1, 1, kSheetWidth - 1, 1, 1, 4);
  g.line(dc, kSheetWidth - 1, 1, kSheetWidth - 1, kSheetHeight - 1, 1, 4);
  g.line(dc, kSheetWidth - 1, kSheetHeight - 1, 1, kSheetHeight - 1, 1, 4);
  g.line(dc, 1, kSheetHeight - 1, 1, 1, 1, 4);
}

}  // namespace

int main(int argc, char** argv) {
  const auto usage = plamor::cli::Command("plamor-sample-sheet", "OUT.png [FONT.KVD]",
                                             "A PNG sample sheet of the stroke font drawn through the preview renderer "
                                             "(default font: M_G_L.KVD beside the program).");
  int status = 0;
  const auto line = plamor::cli::Read(usage, plamor::cli::Arguments(argc, argv), &status);
  if (!line) return status;
  const auto& args = line->Positional();
  if (args.empty() || args.size() > 2) {
    const std::string message = args.empty() ? "no picture file given" : "too many arguments";
    std::fprintf(stderr, "%s\n", plamor::cli::UsageErrorLine(usage.Name(), message).c_str());
    return 2;
  }
  try {
    std::string fontPath;
    if (args.size() == 2) {
      fontPath = args[1];
    } else {
      fontPath = plamor::folders::StrokeFontFile().string();
    }
    const auto lib = plamor::dynlib::DynamicLibrary::Load("libGraphic.so");
    const Graphic g(lib);
    PlamorDeviceContext dc(int(kSheetWidth * kPixelsPerMm), int(kSheetHeight * kPixelsPerMm));
    const std::string fontCp932 = plamor::cp932::FromUtf8(fontPath);
    if (g.start(&dc, fontCp932.c_str()) != 0) {
      g.end();
      std::fprintf(stderr, "plamor-sample-sheet: cannot read the stroke font %s\n", fontPath.c_str());
      return 1;
    }
    g.objectView(&dc);
    g.view(0, 0, kSheetWidth, kSheetHeight);
    g.frames(0);
    DrawSheet(g, &dc);
    g.end();
    dc.SavePng(args[0]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "plamor-sample-sheet: %s\n", e.what());
    return 1;
  }
  return 0;
}

// Helpers of the writer tests: elements built field by field, text of CR LF
// lines, the context an output run takes, a temporary folder, and the
// scripted prompter put in place for one test.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/cp932.h"
#include "platform/prompts_scripted.h"
#include "server/dialog/drawing_writer.h"
#include "server/formats/layer_codes.h"
#include "server/elements/z_circle.h"
#include "server/elements/z_line.h"
#include "server/elements/z_text.h"
#include "server/formats/write_context.h"
#include "server/types.h"
#include "tests/support/memory_output_file.h"

namespace plamor::testing {

// Lines joined, each followed by CR LF.
inline std::string CrLfLines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) {
    text.append(line);
    text.append("\r\n");
  }
  return text;
}

inline std::unique_ptr<clsZLine> Line(double x1, double y1, double x2, double y2, int pen = 1,
                                      int layer = 1, int style = 0, double pich = 0) {
  auto e = std::make_unique<clsZLine>();
  e->x1 = x1; e->y1 = y1; e->x2 = x2; e->y2 = y2;
  e->SetPen(pen); e->Layer = static_cast<std::int16_t>(layer); e->Style = style; e->pich = pich;
  return e;
}

inline std::unique_ptr<clsZCircle> Circle(double x, double y, double xr, double yr, double sAng,
                                          double mang, int pen = 1, int layer = 1, int style = 0,
                                          double pich = 0, double lang = 0) {
  auto e = std::make_unique<clsZCircle>();
  e->x = x; CircleCentre::SetY(*e, y); e->xr = xr; e->yr = yr; e->sAng = sAng; e->mang = mang;
  e->lang = lang; e->SetPen(pen); e->Layer = static_cast<std::int16_t>(layer); e->Style = style;
  e->pich = pich;
  return e;
}

inline std::unique_ptr<clsZText> Text(std::string text, double x, double y, int style = 0,
                                      int pen = 1, int layer = 1) {
  auto e = std::make_unique<clsZText>();
  e->Text = std::move(text); e->x = x; e->y = y; e->Style = style;
  e->SetPen(pen); e->Layer = static_cast<std::int16_t>(layer);
  return e;
}

// A fresh state of the thread's writer settings: no layer names, the pen
// colours of a new server object, the layer codes of a new dialog.
inline void ResetWriterSettings() {
  auto& s = Settings();
  s.LayerName.fill("");
  s.DxfPenColor = kDxfPenColors;
  BuildLayerCodeTable();
}

// The context an output run of `kind` takes from the thread's settings.
inline WriteContext RunContext(ktpPlamorType kind, std::int32_t keta = 3) {
  return BuildWriteContext(kind, Settings(), keta);
}

// What a writer of `kind` makes of the header and the elements; it must take
// each of them without fault.
inline std::string WrittenBytes(ktpPlamorType kind, const DrawingInfo& info, const WriteContext& context,
                                const std::vector<clsZElement*>& elements) {
  MemoryOutputFile file;
  file.Open("drawing", kind == ktpPlm ? OpenMode::kBinary : OpenMode::kText);
  DrawingWriter writer(kind, file, context);
  EXPECT_EQ(writer.Header(info), SaveOk);
  for (clsZElement* element : elements) EXPECT_EQ(writer.Element(*element), SaveOk);
  file.Close();
  return file.bytes();
}

// A temporary folder removed at the end of the test; XDG_CONFIG_HOME points into it.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "plamor-writers-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
    std::filesystem::create_directories(path_ / "config");
    ::setenv("XDG_CONFIG_HOME", (path_ / "config").c_str(), 1);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// ezdxf's view of a DXF file as JSON text.
inline std::string EzdxfView(const std::filesystem::path& file, const char* encoding = "cp932") {
  std::string command = std::string("/usr/bin/python3 ") + PLAMOR_SOURCE_DIR +
                        "/tests/server/ezdxf_check.py '" + file.string() + "'";
  if (encoding) command += std::string(" ") + encoding;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return "";
  std::string out;
  char buffer[4096];
  while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
  EXPECT_EQ(::pclose(pipe), 0) << command;
  return out;
}

// The scripted prompter as the process's prompter for the life of the object.
class ScopedPrompter {
 public:
  ScopedPrompter() { prompts::SetCurrent(&prompter_); }
  ~ScopedPrompter() {
    prompts::SetCurrent(nullptr);
    EXPECT_TRUE(prompter_.Failures().empty()) << (prompter_.Failures().empty() ? "" : prompter_.Failures()[0]);
    EXPECT_TRUE(prompter_.Unanswered().empty());
  }
  prompts::ScriptedPrompter* operator->() { return &prompter_; }

 private:
  prompts::ScriptedPrompter prompter_;
};

// A writer of `kind` given an element on a layer its file cannot hold says
// so (an index outside its range, the run stops) and writes nothing.
inline void ExpectLayerRefused(ktpPlamorType kind, const clsZElement& element, const WriteContext& context) {
  ScopedPrompter prompter;
  prompter->ExpectMessage("インデックスが有効範囲にありません。\n処理を中止します。", "エラー確認",
                          prompts::kCritical, prompts::kOk);
  MemoryOutputFile file;
  file.Open("drawing", kind == ktpPlm ? OpenMode::kBinary : OpenMode::kText);
  EXPECT_EQ(DrawingWriter(kind, file, context).Element(element), SaveAbort);
  EXPECT_TRUE(file.bytes().empty());
}

}  // namespace plamor::testing

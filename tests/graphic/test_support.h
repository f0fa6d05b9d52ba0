// Helpers of the renderer tests: tiny stroke-font files built on the spot, a
// recorder of drawing calls, and a session that always ends.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "graphic/graphic.h"
#include "platform/device_context.h"

namespace graphic_test {

inline std::uint16_t Move(int x, int y) { return std::uint16_t((y << 7) | x); }
inline std::uint16_t Draw(int x, int y) { return std::uint16_t(0x8000 | (y << 7) | x); }
inline std::uint16_t ArcMiddle(int x, int y) { return std::uint16_t(0xC000 | (y << 7) | x); }

// A font file: header word, 94 × 94 index entries, then the glyphs' words.
inline std::vector<std::uint8_t> FontBytes(const std::map<int, std::vector<std::uint16_t>>& glyphs) {
  std::vector<std::uint8_t> bytes(4 + 94 * 94 * 4, 0);
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
  };
  for (const auto& [jis, words] : glyphs) {
    const std::size_t entry = 4 * (1 + 94 * std::size_t((jis >> 8) - 0x21) + std::size_t((jis & 0xFF) - 0x21));
    put32(entry, std::uint32_t(bytes.size()) | (std::uint32_t(words.size()) << 24));
    for (std::uint16_t w : words) {
      bytes.push_back(std::uint8_t(w & 0xFF));
      bytes.push_back(std::uint8_t(w >> 8));
    }
  }
  return bytes;
}

inline void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "graphic-test-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempFolder() { std::filesystem::remove_all(path_); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

struct Recorder : plamor::DrawRecorder {
  struct Pixel {
    int x, y;
    plamor::ColorRef color;
  };
  std::vector<std::vector<plamor::Point>> polylines;
  std::vector<plamor::Pen> pens;
  std::vector<Pixel> pixels;
  void OnPolyline(const plamor::Point* p, int n, const plamor::Pen& pen) override {
    polylines.emplace_back(p, p + n);
    pens.push_back(pen);
  }
  void OnSetPixel(int x, int y, plamor::ColorRef c) override { pixels.push_back({x, y, c}); }
  // Every point of every polyline, in order.
  std::vector<plamor::Point> AllPoints() const {
    std::vector<plamor::Point> all;
    for (const auto& p : polylines) all.insert(all.end(), p.begin(), p.end());
    return all;
  }
};

// A surface with a recorder and a session on it; the session ends with the
// fixture, so the renderer's process-wide state does not leak between tests.
class SessionTest : public ::testing::Test {
 protected:
  void Open(int width, int height, const std::string& fontPath = "") {
    dc_ = std::make_unique<PlamorDeviceContext>(width, height);
    dc_->SetRecorder(&rec_);
    start_ = StartCadDraw(dc_.get(), fontPath.c_str());
    SetObjectView(dc_.get());
    SetMojiWaku(1);
    SetMojiEasy(0);
  }
  void TearDown() override {
    EndCadDraw();
    SetMojiWaku(1);
    SetMojiEasy(0);
  }
  HDC dc() { return dc_.get(); }

  std::unique_ptr<PlamorDeviceContext> dc_;
  Recorder rec_;
  int start_ = -1;
};

}  // namespace graphic_test

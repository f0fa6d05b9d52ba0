#include "platform/device_context.h"

#include <fcntl.h>
#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "platform/temporary_files.h"

namespace plamor {

std::uint16_t DashPattern(PenStyle style) {
  switch (style) {
    case PenStyle::kDot: return 0x1F1F;
    case PenStyle::kDashDot: return 0x33FF;
    case PenStyle::kDashDotDot: return 0x333F;
    case PenStyle::kSolid: break;
  }
  return 0xFFFF;
}

std::vector<int> DashRuns(PenStyle style) {
  const std::uint16_t pattern = DashPattern(style);
  std::vector<int> runs;
  if (pattern == 0xFFFF) return runs;
  bool on = true;
  int length = 0;
  for (int bit = 0; bit < 16; ++bit) {
    if (((pattern >> bit) & 1) != on) {
      runs.push_back(length);
      on = !on;
      length = 0;
    }
    ++length;
  }
  runs.push_back(length);
  return runs;
}

}  // namespace plamor

using plamor::ColorRef;
using plamor::Point;

PlamorDeviceContext::PlamorDeviceContext(int width, int height, ColorRef background)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(std::size_t(width_) * std::size_t(height_), background & 0x00FFFFFFu) {}

void PlamorDeviceContext::MoveTo(int x, int y) {
  position_ = {x, y};
  linePhase_ = 0;
}

void PlamorDeviceContext::LineTo(int x, int y) {
  ++counters.lineTos;
  DrawSegment(position_, {x, y}, linePhase_);
  position_ = {x, y};
}

void PlamorDeviceContext::Polyline(const Point* points, int count) {
  if (points == nullptr || count < 2) return;
  ++counters.polylines;
  counters.polylinePoints += count;
  if (recorder_ != nullptr) recorder_->OnPolyline(points, count, pen_);
  unsigned phase = 0;
  for (int i = 1; i < count; ++i) DrawSegment(points[i - 1], points[i], phase);
}

// Pixels of the segment are numbered i = 0 .. n-1 along the major axis (n =
// the larger of |dx| and |dy|); the minor coordinate of pixel i is the true
// line's value rounded half up, (2·i·minor + n) div 2n. Only the pixels whose
// major coordinate lies on the surface are visited, so a very long segment
// costs no more than one across the surface.
void PlamorDeviceContext::DrawSegment(Point a, Point b, unsigned& phase) {
  const std::int64_t dx = std::int64_t(b.x) - a.x;
  const std::int64_t dy = std::int64_t(b.y) - a.y;
  const std::int64_t adx = dx < 0 ? -dx : dx;
  const std::int64_t ady = dy < 0 ? -dy : dy;
  const bool xMajor = adx >= ady;
  const std::int64_t n = xMajor ? adx : ady;
  if (n == 0) return;
  const std::int64_t minorSpan = xMajor ? ady : adx;
  const int majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const int minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
  const std::int64_t major0 = xMajor ? a.x : a.y;
  const std::int64_t minor0 = xMajor ? a.y : a.x;
  const std::int64_t majorLimit = xMajor ? width_ : height_;
  const std::int64_t minorLimit = xMajor ? height_ : width_;

  // Range of i whose major coordinate major0 + majorStep·i is in [0, limit).
  std::int64_t first = 0, last = n - 1;
  if (majorStep > 0) {
    first = std::max(first, -major0);
    last = std::min(last, majorLimit - 1 - major0);
  } else {
    first = std::max(first, major0 - majorLimit + 1);
    last = std::min(last, major0);
  }
  const std::uint16_t pattern = plamor::DashPattern(pen_.style);
  const ColorRef color = pen_.color & 0x00FFFFFFu;
  if (first <= last) {
    const std::int64_t twoN = 2 * n;
    std::int64_t num = 2 * first * minorSpan + n;
    std::int64_t minorOffset = num / twoN;
    std::int64_t rest = num % twoN;
    std::int64_t major = major0 + majorStep * first;
    unsigned bit = (phase + unsigned(first & 15)) & 15u;
    for (std::int64_t i = first; i <= last; ++i) {
      const std::int64_t minor = minor0 + minorStep * minorOffset;
      if (((pattern >> bit) & 1u) != 0 && minor >= 0 && minor < minorLimit) {
        const std::int64_t x = xMajor ? major : minor;
        const std::int64_t y = xMajor ? minor : major;
        pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)] = color;
      }
      major += majorStep;
      bit = (bit + 1) & 15u;
      rest += 2 * minorSpan;
      while (rest >= twoN) {
        rest -= twoN;
        ++minorOffset;
      }
    }
  }
  phase = (phase + unsigned(n & 15)) & 15u;
}

ColorRef PlamorDeviceContext::SetPixel(int x, int y, ColorRef color) {
  ++counters.pixels;
  if (recorder_ != nullptr) recorder_->OnSetPixel(x, y, color);
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return plamor::kInvalidColor;
  color &= 0x00FFFFFFu;
  pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)] = color;
  return color;
}

ColorRef PlamorDeviceContext::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return plamor::kInvalidColor;
  return pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)];
}

void PlamorDeviceContext::Fill(ColorRef color) {
  std::fill(pixels_.begin(), pixels_.end(), color & 0x00FFFFFFu);
}

namespace {

// Writes the PNG data to an open file; false with `error` set on failure.
bool WritePng(std::FILE* file, int width, int height, const std::vector<ColorRef>& pixels,
              std::string& error) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) {
    error = "cannot start the PNG writer";
    return false;
  }
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    error = "cannot start the PNG writer";
    return false;
  }
  std::vector<png_byte> row(std::size_t(width) * 3);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    error = "the PNG data could not be written";
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const ColorRef c = pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
      row[std::size_t(x) * 3] = plamor::RedOf(c);
      row[std::size_t(x) * 3 + 1] = plamor::GreenOf(c);
      row[std::size_t(x) * 3 + 2] = plamor::BlueOf(c);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

void PlamorDeviceContext::SavePng(const std::string& path) const {
  if (width_ <= 0 || height_ <= 0) {
    throw std::runtime_error(path + ": an empty surface cannot be saved as PNG");
  }
  // Written beside the target under a temporary name, then renamed over it.
  const std::string temp = plamor::tempfiles::BesideTarget(path).string();
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) throw std::runtime_error(path + ": cannot create the file: " + std::strerror(errno));
  std::FILE* file = fdopen(fd, "wb");
  if (file == nullptr) {
    const int err = errno;
    close(fd);
    std::remove(temp.c_str());
    throw std::runtime_error(path + ": cannot create the file: " + std::strerror(err));
  }
  std::string error;
  bool ok = WritePng(file, width_, height_, pixels_, error);
  if (std::fflush(file) != 0 || std::ferror(file)) {
    if (ok) error = std::strerror(errno);
    ok = false;
  }
  if (std::fclose(file) != 0 && ok) {
    error = std::strerror(errno);
    ok = false;
  }
  if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
    error = std::strerror(errno);
    ok = false;
  }
  if (!ok) {
    std::remove(temp.c_str());
    throw std::runtime_error(path + ": cannot write the PNG file: " + error);
  }
}

// The H-Q drawing: one chart kind of an H-Q chart as an A3 engineering
// drawing on 5 mm graph paper, written by the drawing server.
#pragma once

#include <cstdint>
#include <string>

namespace plamor::host {
enum class Transport;
}

namespace plamor::charts {

class TBunpuChart;

// The marker look stored by the suite's settings application
// (MORVALDENIK / MEMORI), corrected as the drawing uses it.
struct MarkerSettings {
  std::string color;  // pen of the marker, "1".."6" in text order, else "2"
  std::string type;   // "1" filled dot, "2" circle, "3" double circle, else "1"
  double size;        // diameter in millimetres, 0.1..10, else 1.2
};
MarkerSettings ReadMarkerSettings();

// The year in the Japanese era and in the Gregorian calendar:
// "平成 15 年（西暦 2003 年）", from 2019 on "令和 5 年（西暦 2023 年）"; blanks
// in both places up to 1988.
std::string YearText(std::int32_t seireki);

// Draws the sheet, grids and labels, one marker and label per measurement, the
// station box, header, year, title and axis captions of chart kind NO, through
// a drawing-server object created with `transport` for this one call. Bad
// input (NO outside 0..5, kind 5 or an empty range with a measurement to
// draw) is refused before the server is started; a failing server is the
// caller's error, its object released and nothing written.
// Returns the file written; empty when the run was cancelled.
std::string CreateTBunpuPlamor(const TBunpuChart& chart, std::int16_t NO, host::Transport transport);

}  // namespace plamor::charts

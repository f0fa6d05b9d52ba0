// A gauging station's table of measurements for the H-Q charts.
//
// The file (UTF-8 or CP932) starts with station lines "# key: value", then a
// header line naming the columns, then one line per measurement:
//
//   # river-system: 大川水系
//   # river: 大川
//   # station: 中島橋
//   # station-number: 3021
//   # year: 2003
//   label,stage,discharge,area,width,velocity
//   1,0.42,2.01,4.22,13.26,0.48
//
// Columns, in any order: stage (H, m) and discharge (Q, m³/s) are required;
// area (A, m²), width (B, m), velocity (V, m/s), sqrt_discharge (√Q) and label
// are optional. √Q is computed from Q when its column is absent; the label is
// the row number when its column is absent. Lines starting with "#" without a
// known key, and empty lines, are comments.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace plamor::survey {

// The quantities of a measurement, in the H-Q chart's kind order.
enum HqKind : std::int16_t { kDischarge = 0, kArea = 1, kWidth = 2, kVelocity = 3, kRootDischarge = 4 };

// "Q", "A", "B", "V", "SQ" (any case) to the kind; false for any other text.
bool ParseHqKind(const std::string& text, HqKind& kind);

// The column name of a kind ("discharge", "area", ..., "sqrt_discharge").
const char* KindColumnName(HqKind kind);

struct Measurement {
  std::size_t line = 0;  // in the file, 1-based
  std::string label;
  double stage = 0;
  std::array<double, 5> quantity{};  // by HqKind
};

struct HqTable {
  std::filesystem::path file;
  std::string riverSystem, river, station, stationNumber;
  std::int32_t year = 0;
  std::array<bool, 5> hasColumn{};  // by HqKind; √Q counts as present (computed)
  // The 1-based field of the stage and of each quantity in a measurement line;
  // √Q computed from Q has the discharge's field.
  std::size_t stageField = 0;
  std::array<std::size_t, 5> quantityField{};  // by HqKind
  std::vector<Measurement> measurements;
};

// The largest value (in size) a measurement may hold: far beyond any river,
// and small enough for the chart's round axis ranges.
inline constexpr double kMaxHqValue = 1e9;

// Reads and checks the table; InputError names the file, line and column at fault.
HqTable ReadHqTable(const std::filesystem::path& file);
HqTable ParseHqTable(const std::filesystem::path& file, const std::vector<std::string>& lines);

}  // namespace plamor::survey

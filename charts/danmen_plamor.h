// The cross-section drawing: the selected observations of a cross-section
// chart as an A3 engineering drawing, written by the drawing server.
#pragma once

#include <cstdint>
#include <string>

namespace plamor::host {
enum class Transport;
}

namespace plamor::charts {

class DanmenChart;

// Pen, line style and layer of the observation at list position b (1-based,
// counted over the whole list, selected or not).
struct ObservationLook {
  std::int32_t pen;
  std::int32_t style;
  std::int16_t layer;
};
ObservationLook ObservationLookAt(std::int32_t b);

// Draws frame, title, base label, elevation and distance ticks and, for every
// selected observation, its walls, water line, bed profile and labels, through
// a drawing-server object created with `transport` for this one call. With no
// observation selected it shows the selection message and starts no server.
// Bad chart data (an empty range, a selected observation with no points or
// more than 2000) is refused before the server is started; a failing server
// is the caller's error, its object released and nothing written. Returns the
// file written; empty when nothing was (no selection, or cancelled).
std::string CreateDanmenPlamor(const DanmenChart& chart, host::Transport transport);

}  // namespace plamor::charts

// Where the suite's settings application keeps the look of the H-Q drawing:
// application MORVALDENIK, section MEMORI, one key per pen (and the marker
// keys Color, Type and Size). The H-Q drawing reads them; plamor-draw stores
// a default set of pens there.
#pragma once

namespace plamor::charts::hq_settings {

inline constexpr const char* kApplication = "MORVALDENIK";
inline constexpr const char* kSection = "MEMORI";

// The pens of the frame and main grid, the fine grid, the axis labels and
// header texts, the measurement labels and the title, in that order.
inline constexpr const char* kFramePenKey = "Hougan1Pen";
inline constexpr const char* kGridPenKey = "Hougan2Pen";
inline constexpr const char* kTextPenKey = "MojietcPen";
inline constexpr const char* kLabelPenKey = "BangouPen";
inline constexpr const char* kTitlePenKey = "TytlePen";
inline constexpr const char* kPenKeys[] = {kFramePenKey, kGridPenKey, kTextPenKey, kLabelPenKey, kTitlePenKey};

// The pen of the fitted rating curve and its formulas, drawn by plamor-draw
// over the H-Q drawing (the H-Q control itself does not read it).
inline constexpr const char* kCurvePenKey = "KyokusenPen";

}  // namespace plamor::charts::hq_settings
